#pragma once
// The combo box ("COMBOBOX") as a drop-down list without typing (CBS_DROPDOWNLIST): a field
// showing the selected entry and a button; a tap opens the list over the dialog, where the
// stylus scrolls and chooses. The arrow keys move the selection while it is closed and the
// list's highlight while it is open; Enter or a tap chooses and closes, Escape or a tap
// elsewhere closes without a change. CBN_SELCHANGE, CBN_DROPDOWN and CBN_CLOSEUP go to the
// parent. CComboBox is the wrapper; the control's behaviour is platform::ComboBoxControl.
//
// The height the control is created with is its height with the list dropped down; the field
// itself takes the height of one line, as on the platform. WS_VSCROLL gives the list its scroll
// bar when it holds more entries than fit.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/CWnd.h"

using DWORD_PTR = std::uintptr_t;

inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;
inline constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;

inline constexpr UINT CB_ADDSTRING = 0x0143;     // lParam the text; answer: its index
inline constexpr UINT CB_DELETESTRING = 0x0144;  // wParam the index; answer: the count left
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;  // CB_ERR when none is selected
inline constexpr UINT CB_GETLBTEXT = 0x0148;  // wParam the index, lParam the buffer
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;  // wParam the index (-1: the end)
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;    // the first entry beginning with the text
inline constexpr UINT CB_SELECTSTRING = 0x014D;  // find as CB_FINDSTRING, then select it
inline constexpr UINT CB_SETCURSEL = 0x014E;     // wParam the index, -1 for none
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;  // wParam TRUE opens the list
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;  // lParam RECT*, screen coordinates
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;  // the entry equal to the text
inline constexpr UINT CB_GETTOPINDEX = 0x015B;

// The find messages search from the entry after wParam (-1: from the first) and wrap around;
// letter case does not count.
inline constexpr int CB_ERR = -1;
inline constexpr int CB_ERRSPACE = -2;

inline constexpr UINT CBN_SETFOCUS = 3;
inline constexpr UINT CBN_KILLFOCUS = 4;
inline constexpr UINT CBN_SELENDOK = 9;
inline constexpr UINT CBN_SELENDCANCEL = 10;

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCTSTR lpszString);
    int InsertString(int nIndex, LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
};

namespace platform {

class ComboListWindow;

class ComboBoxControl : public CWnd {
public:
    struct Item {
        std::u16string text;
        LPARAM data = 0;
    };

    ComboBoxControl();
    ~ComboBoxControl() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    UINT OnGetDlgCode();
    // The window text of a drop-down list is its selected entry.
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetLBText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetLBTextLen(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindString(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindStringExact(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowDropDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDroppedControlRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemHeight(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);

    // What the drop-down list shows and does.
    const std::vector<Item>& Items() const { return m_items; }
    int ItemHeight() const;
    int Highlight() const { return m_highlight; }
    void SetHighlight(int index);
    // Closes the list; with choose, the highlighted entry becomes the selection.
    void CloseList(bool choose);
    bool Dropped() const;
    // The list's window while it exists (for tests: where to tap); null otherwise.
    HWND ListWindow() const;

    DECLARE_MESSAGE_MAP()

private:
    // byStylus: the stylus that asks for it is still down.
    void OpenList(bool byStylus);
    // Selects an entry as the user does: with CBN_SELCHANGE when the selection changed.
    void SelectByUser(int index);
    int Find(int startAfter, std::u16string_view text, bool exact) const;
    int Insert(int index, std::u16string_view text);
    int ButtonWidth() const;

    std::vector<Item> m_items;
    int m_sel = CB_ERR;
    int m_highlight = CB_ERR;  // the list's highlighted entry while it is open
    int m_dropHeight = 0;      // the height created with: the field and the list together
    std::unique_ptr<ComboListWindow> m_list;
};

void RegisterComboBoxClass();

}  // namespace platform
