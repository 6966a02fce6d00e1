#pragma once
// The single-line edit control ("EDIT"): text typed through WM_CHAR at a caret, a selection,
// Backspace, Delete, Home, End, Left and Right (with Shift to select), a tap placing the caret
// and a drag selecting. ES_NUMBER refuses all but digits; ES_AUTOHSCROLL scrolls the text to
// keep the caret in view, and without it the control refuses text wider than itself.
// EN_CHANGE, EN_SETFOCUS and EN_KILLFOCUS go to the parent. CEdit is the wrapper; the control's
// behaviour is platform::EditControl.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/CDataExchange.h"  // EM_SETSEL, which the data exchange uses as well
#include "platform/ui/CWnd.h"

inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_UPPERCASE = 0x0008;
inline constexpr DWORD ES_LOWERCASE = 0x0010;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Edit messages.
inline constexpr UINT EM_GETSEL = 0x00B0;  // wParam, lParam: DWORD* for start and end, or null
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_REPLACESEL = 0x00C2;  // lParam the text
inline constexpr UINT EM_LIMITTEXT = 0x00C5;   // wParam the limit in characters, 0 the largest
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;

// Edit notifications (the high word of WM_COMMAND's first parameter).
inline constexpr UINT EN_MAXTEXT = 0x0501;

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // nEndChar -1 is the end of the text; nStartChar -1 removes the selection.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    void SetLimitText(UINT nMax);
    void LimitText(int nChars = 0) { SetLimitText(static_cast<UINT>(nChars)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
};

namespace platform {

class EditControl : public CWnd {
public:
    // The limit a new control has, and the largest EM_LIMITTEXT may set.
    static constexpr int kDefaultLimit = 30000;
    static constexpr int kMaxLimit = 0x7FFFFFFE;
    // Pixels between the client edge and the text.
    static constexpr int kMargin = 2;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    UINT OnGetDlgCode();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnScrollCaret(WPARAM wParam, LPARAM lParam);
    LRESULT OnReplaceSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnLimitText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetLimitText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetReadOnly(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetModify(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetModify(WPARAM wParam, LPARAM lParam);

    // For tests and painting: the first character shown at the left edge is this many pixels
    // into the text.
    int ScrollOffset() const { return m_scroll; }
    int Caret() const { return m_caret; }

    DECLARE_MESSAGE_MAP()

private:
    int SelStart() const { return std::min(m_anchor, m_caret); }
    int SelEnd() const { return std::max(m_anchor, m_caret); }
    // What is drawn: the text, or as many '*' for a password.
    std::u16string Shown() const;
    // The x of each caret place 0 ... length, from the text's start.
    std::vector<int> CaretPlaces() const;
    int TextHeight() const;
    // Where the text's start is drawn in the client area, scroll and alignment applied.
    int TextOrigin(const std::vector<int>& places) const;
    int PlaceAt(int x) const;
    void ScrollToCaret();
    // Replaces the selection; FALSE when the control refused the text.
    bool Insert(std::u16string_view text);
    void DeleteRange(int from, int to);
    void Changed();
    void MoveCaret(int place, bool extend);
    int PreviousPlace(int place) const;
    int NextPlace(int place) const;
    // Keeps the window's own copy of the text, which the platform's default text messages
    // answer from, in step with the control's.
    void StoreText();

    std::u16string m_text;
    int m_anchor = 0;  // the selection runs from the anchor to the caret
    int m_caret = 0;
    int m_scroll = 0;
    int m_limit = kDefaultLimit;
    bool m_modified = false;
    bool m_tracking = false;
};

void RegisterEditClass();

}  // namespace platform
