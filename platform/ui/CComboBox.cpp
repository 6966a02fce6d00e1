#include "platform/ui/CComboBox.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ComboListWindow.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(u"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCTSTR lpszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING,
                                        static_cast<WPARAM>(static_cast<std::intptr_t>(nIndex)),
                                        reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(
        SendMessage(CB_SETCURSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(nSelect))));
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXT,
                                        static_cast<WPARAM>(static_cast<std::intptr_t>(nIndex)),
                                        reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
    const int n = GetLBText(nIndex, buffer.data());
    rString = CString(buffer.data(), std::max(n, 0));
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(
        SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(static_cast<std::intptr_t>(nIndex))));
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
    return static_cast<int>(
        SendMessage(CB_FINDSTRING, static_cast<WPARAM>(static_cast<std::intptr_t>(nStartAfter)),
                    reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return static_cast<int>(SendMessage(
        CB_FINDSTRINGEXACT, static_cast<WPARAM>(static_cast<std::intptr_t>(nIndexStart)),
        reinterpret_cast<LPARAM>(lpszFind)));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(static_cast<std::intptr_t>(nStartAfter)),
                    reinterpret_cast<LPARAM>(lpszString)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(
        SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(static_cast<std::intptr_t>(nIndex))));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA,
                                        static_cast<WPARAM>(static_cast<std::intptr_t>(nIndex)),
                                        static_cast<LPARAM>(dwItemData)));
}

void CComboBox::ShowDropDown(BOOL bShowIt) {
    SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt));
}

BOOL CComboBox::GetDroppedState() const {
    return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const {
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}

namespace platform {

void RegisterComboListClass();

namespace {

constexpr UINT VK_F4 = 0x73;
constexpr int kTextIndent = 3;

int IndexOf(WPARAM wParam) {
    return static_cast<int>(static_cast<std::intptr_t>(wParam));
}

std::u16string_view TextOf(LPARAM lParam) {
    const auto* text = reinterpret_cast<LPCTSTR>(lParam);
    return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CString(a).CompareNoCase(b) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(ComboBoxControl, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(CB_ADDSTRING, OnAddString)
ON_MESSAGE(CB_INSERTSTRING, OnInsertString)
ON_MESSAGE(CB_DELETESTRING, OnDeleteString)
ON_MESSAGE(CB_RESETCONTENT, OnResetContent)
ON_MESSAGE(CB_GETCOUNT, OnGetCount)
ON_MESSAGE(CB_GETCURSEL, OnGetCurSel)
ON_MESSAGE(CB_SETCURSEL, OnSetCurSel)
ON_MESSAGE(CB_GETLBTEXT, OnGetLBText)
ON_MESSAGE(CB_GETLBTEXTLEN, OnGetLBTextLen)
ON_MESSAGE(CB_FINDSTRING, OnFindString)
ON_MESSAGE(CB_FINDSTRINGEXACT, OnFindStringExact)
ON_MESSAGE(CB_SELECTSTRING, OnSelectString)
ON_MESSAGE(CB_GETITEMDATA, OnGetItemData)
ON_MESSAGE(CB_SETITEMDATA, OnSetItemData)
ON_MESSAGE(CB_SHOWDROPDOWN, OnShowDropDown)
ON_MESSAGE(CB_GETDROPPEDSTATE, OnGetDroppedState)
ON_MESSAGE(CB_GETDROPPEDCONTROLRECT, OnGetDroppedControlRect)
ON_MESSAGE(CB_GETITEMHEIGHT, OnGetItemHeight)
ON_MESSAGE(CB_GETTOPINDEX, OnGetTopIndex)
END_MESSAGE_MAP()

ComboBoxControl::ComboBoxControl() = default;

ComboBoxControl::~ComboBoxControl() = default;

int ComboBoxControl::ItemHeight() const {
    MeasureDC measure(m_hWnd);
    TEXTMETRIC tm{};
    measure.dc().GetTextMetrics(&tm);
    return tm.tmHeight + 4;
}

int ComboBoxControl::ButtonWidth() const {
    return kScrollBarSize + 2;
}

int ComboBoxControl::OnCreate(LPCREATESTRUCT cs) {
    m_dropHeight = cs != nullptr ? cs->cy : 0;
    // The scroll bar styles belong to the list; the field itself has none.
    const DWORD style = GetStyle();
    if (style & (WS_VSCROLL | WS_HSCROLL))
        ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style & ~(WS_VSCROLL | WS_HSCROLL)));
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), ItemHeight() + 4,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void ComboBoxControl::OnDestroy() {
    if (m_list != nullptr && ::IsWindow(m_list->m_hWnd))
        m_list->DestroyWindow();
}

bool ComboBoxControl::Dropped() const {
    return m_list != nullptr && m_list->m_hWnd != nullptr && ::IsWindowVisible(m_list->m_hWnd);
}

HWND ComboBoxControl::ListWindow() const {
    return m_list != nullptr ? m_list->m_hWnd : nullptr;
}

void ComboBoxControl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const bool enabled = IsWindowEnabled() != FALSE;
    CBrush* background = ControlColors(m_hWnd, dc, WM_CTLCOLOREDIT);
    dc.FillRect(&client, background);
    dc.Draw3dRect(&client, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));

    CRect button(client.right - 1 - ButtonWidth(), client.top + 1, client.right - 1,
                 client.bottom - 1);
    dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    const bool dropped = Dropped();
    DrawButtonEdge(dc, button, dropped);
    CRect head = button;
    if (dropped)
        head.OffsetRect(1, 1);
    DrawArrowHead(dc, head, ArrowDirection::Down, std::max(2, button.Width() / 3),
                  GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));

    CRect field(client.left + 2, client.top + 2, button.left - 1, client.bottom - 2);
    const bool marked = enabled && !dropped && ::GetFocus() == m_hWnd;
    if (marked) {
        dc.FillSolidRect(&field, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!enabled) {
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    }
    if (m_sel >= 0 && m_sel < static_cast<int>(m_items.size())) {
        CFont* old = SelectControlFont(dc, m_hWnd);
        dc.SetBkMode(TRANSPARENT);
        CRect text = field;
        text.left += kTextIndent - 2;
        const auto& entry = m_items[static_cast<std::size_t>(m_sel)].text;
        dc.DrawText(entry.c_str(), static_cast<int>(entry.size()), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (old != nullptr)
            dc.SelectObject(old);
    }
}

void ComboBoxControl::OpenList(bool byStylus) {
    if (Dropped())
        return;
    NotifyParent(m_hWnd, CBN_DROPDOWN);
    if (m_hWnd == nullptr || !IsWindowVisible() || !IsWindowEnabled())
        return;
    if (m_list == nullptr || !::IsWindow(m_list->m_hWnd)) {
        m_list = std::make_unique<ComboListWindow>(*this);
        if (!m_list->CreateEx(WS_EX_TOPMOST, u"ComboLBox", nullptr, WS_POPUP, 0, 0, 1, 1, m_hWnd,
                              0)) {
            m_list.reset();
            return;
        }
    }
    m_highlight = m_sel;
    const int count = static_cast<int>(m_items.size());
    const int itemHeight = ItemHeight();
    CRect field;
    GetWindowRect(&field);
    int rows = std::max(1, (m_dropHeight - field.Height() - 2) / itemHeight);
    rows = std::min(rows, std::max(count, 1));
    const CRect work = WorkAreaRect();
    int height = rows * itemHeight + 2;
    CRect rect(field.left, field.bottom, field.right, field.bottom + height);
    if (rect.bottom > work.bottom) {
        if (field.top - work.top >= height) {
            rect = CRect(field.left, field.top - height, field.right, field.top);
        } else {
            // Neither below nor above: as many rows as fit below.
            rows = std::max(1, (work.bottom - field.bottom - 2) / itemHeight);
            height = rows * itemHeight + 2;
            rect = CRect(field.left, field.bottom, field.right, field.bottom + height);
        }
    }
    m_list->Open(rect, rows, byStylus);
    Invalidate(FALSE);
}

void ComboBoxControl::CloseList(bool choose) {
    if (!Dropped())
        return;
    const int chosen = m_highlight;
    m_list->Close();
    m_highlight = CB_ERR;
    Invalidate(FALSE);
    const bool changed = choose && chosen >= 0 && chosen != m_sel;
    if (changed)
        m_sel = chosen;
    NotifyParent(m_hWnd, choose ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (m_hWnd == nullptr)
        return;
    NotifyParent(m_hWnd, CBN_CLOSEUP);
    if (changed && m_hWnd != nullptr)
        NotifyParent(m_hWnd, CBN_SELCHANGE);
}

void ComboBoxControl::SetHighlight(int index) {
    const int count = static_cast<int>(m_items.size());
    if (count == 0)
        return;
    m_highlight = std::clamp(index, 0, count - 1);
    if (m_list != nullptr && m_list->m_hWnd != nullptr) {
        m_list->ShowEntry(m_highlight);
        m_list->Invalidate(FALSE);
    }
}

void ComboBoxControl::SelectByUser(int index) {
    if (index < 0 || index >= static_cast<int>(m_items.size()) || index == m_sel)
        return;
    m_sel = index;
    Invalidate(FALSE);
    NotifyParent(m_hWnd, CBN_SELCHANGE);
}

void ComboBoxControl::OnLButtonDown(UINT, CPoint) {
    if (::GetFocus() != m_hWnd) {
        SetFocus();
        if (m_hWnd == nullptr)
            return;
    }
    if (Dropped())
        CloseList(false);
    else
        OpenList(true);
}

void ComboBoxControl::OnKeyDown(UINT nChar, UINT, UINT) {
    const int count = static_cast<int>(m_items.size());
    const bool alt = ::GetKeyState(static_cast<int>(VK_MENU)) < 0;
    if (Dropped()) {
        const int page = 5;
        const int at = m_highlight;
        switch (nChar) {
            case VK_UP:
            case VK_LEFT:
                if (alt)
                    CloseList(true);
                else
                    SetHighlight(at < 0 ? 0 : at - 1);
                break;
            case VK_DOWN:
            case VK_RIGHT:
                if (alt)
                    CloseList(true);
                else
                    SetHighlight(at < 0 ? 0 : at + 1);
                break;
            case VK_PRIOR:
                SetHighlight(at - page);
                break;
            case VK_NEXT:
                SetHighlight(at < 0 ? page : at + page);
                break;
            case VK_HOME:
                SetHighlight(0);
                break;
            case VK_END:
                SetHighlight(count - 1);
                break;
            case VK_RETURN:
            case VK_F4:
                CloseList(true);
                break;
            case VK_ESCAPE:
                CloseList(false);
                break;
            default:
                break;
        }
        return;
    }
    if (nChar == VK_F4 || (alt && (nChar == VK_DOWN || nChar == VK_UP))) {
        OpenList(false);
        return;
    }
    if (count == 0)
        return;
    switch (nChar) {
        case VK_UP:
        case VK_LEFT:
            SelectByUser(m_sel < 0 ? 0 : std::max(0, m_sel - 1));
            break;
        case VK_DOWN:
        case VK_RIGHT:
            SelectByUser(m_sel < 0 ? 0 : std::min(count - 1, m_sel + 1));
            break;
        case VK_PRIOR:
            SelectByUser(std::max(0, m_sel - 5));
            break;
        case VK_NEXT:
            SelectByUser(std::min(count - 1, std::max(m_sel, 0) + 5));
            break;
        case VK_HOME:
            SelectByUser(0);
            break;
        case VK_END:
            SelectByUser(count - 1);
            break;
        default:
            break;
    }
}

void ComboBoxControl::OnChar(UINT nChar, UINT, UINT) {
    // A letter goes to the next entry that begins with it.
    if (nChar <= 0x20 || nChar > 0xFFFF)
        return;
    const auto c = static_cast<char16_t>(nChar);
    const int from = Dropped() ? m_highlight : m_sel;
    const int found = Find(from, std::u16string_view(&c, 1), false);
    if (found == CB_ERR)
        return;
    if (Dropped())
        SetHighlight(found);
    else
        SelectByUser(found);
}

void ComboBoxControl::OnSetFocus(CWnd*) {
    Invalidate(FALSE);
    NotifyParent(m_hWnd, CBN_SETFOCUS);
}

void ComboBoxControl::OnKillFocus(CWnd*) {
    CloseList(false);
    if (m_hWnd == nullptr)
        return;
    Invalidate(FALSE);
    NotifyParent(m_hWnd, CBN_KILLFOCUS);
}

void ComboBoxControl::OnEnable(BOOL bEnable) {
    if (!bEnable)
        CloseList(false);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void ComboBoxControl::OnShowWindow(BOOL bShow, UINT) {
    if (!bShow)
        CloseList(false);
}

UINT ComboBoxControl::OnGetDlgCode() {
    // While the list is open, Enter and Escape are the list's, not the dialog's.
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (Dropped() ? DLGC_WANTALLKEYS : 0);
}

int ComboBoxControl::Find(int startAfter, std::u16string_view text, bool exact) const {
    const int count = static_cast<int>(m_items.size());
    if (count == 0)
        return CB_ERR;
    const int start = (startAfter < 0 || startAfter >= count) ? -1 : startAfter;
    for (int k = 1; k <= count; ++k) {
        const int i = (start + k) % count;
        const std::u16string& item = m_items[static_cast<std::size_t>(i)].text;
        const bool match =
            exact ? SameNoCase(item, text)
                  : item.size() >= text.size() &&
                        SameNoCase(std::u16string_view(item).substr(0, text.size()), text);
        if (match)
            return i;
    }
    return CB_ERR;
}

int ComboBoxControl::Insert(int index, std::u16string_view text) {
    const int count = static_cast<int>(m_items.size());
    if (index < 0 || index > count)
        index = count;
    m_items.insert(m_items.begin() + index, Item{std::u16string(text), 0});
    if (m_sel >= index)
        ++m_sel;
    if (m_highlight >= index)
        ++m_highlight;
    Invalidate(FALSE);
    if (m_list != nullptr && m_list->m_hWnd != nullptr)
        m_list->Invalidate(FALSE);
    return index;
}

LRESULT ComboBoxControl::OnAddString(WPARAM, LPARAM lParam) {
    const std::u16string_view text = TextOf(lParam);
    int index = static_cast<int>(m_items.size());
    if (GetStyle() & CBS_SORT) {
        const CString key(text);
        const auto it = std::find_if(m_items.begin(), m_items.end(), [&](const Item& item) {
            return key.CompareNoCase(item.text) < 0;
        });
        index = static_cast<int>(it - m_items.begin());
    }
    return Insert(index, text);
}

LRESULT ComboBoxControl::OnInsertString(WPARAM wParam, LPARAM lParam) {
    const int index = IndexOf(wParam);
    if (index > static_cast<int>(m_items.size()))
        return CB_ERR;
    return Insert(index, TextOf(lParam));
}

LRESULT ComboBoxControl::OnDeleteString(WPARAM wParam, LPARAM) {
    const int index = IndexOf(wParam);
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return CB_ERR;
    m_items.erase(m_items.begin() + index);
    if (m_sel == index)
        m_sel = CB_ERR;
    else if (m_sel > index)
        --m_sel;
    if (m_highlight >= static_cast<int>(m_items.size()))
        m_highlight = static_cast<int>(m_items.size()) - 1;
    Invalidate(FALSE);
    if (m_list != nullptr && m_list->m_hWnd != nullptr)
        m_list->Invalidate(FALSE);
    return static_cast<LRESULT>(m_items.size());
}

LRESULT ComboBoxControl::OnResetContent(WPARAM, LPARAM) {
    m_items.clear();
    m_sel = CB_ERR;
    m_highlight = CB_ERR;
    Invalidate(FALSE);
    if (m_list != nullptr && m_list->m_hWnd != nullptr)
        m_list->Invalidate(FALSE);
    return 0;
}

LRESULT ComboBoxControl::OnGetText(WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<LPTSTR>(lParam);
    const auto max = static_cast<std::size_t>(wParam);
    if (buffer == nullptr || max == 0)
        return 0;
    const std::u16string_view text =
        m_sel >= 0 ? std::u16string_view(m_items[static_cast<std::size_t>(m_sel)].text)
                   : std::u16string_view();
    const std::size_t n = std::min(text.size(), max - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT ComboBoxControl::OnGetTextLength(WPARAM, LPARAM) {
    return m_sel >= 0 ? static_cast<LRESULT>(m_items[static_cast<std::size_t>(m_sel)].text.size())
                      : 0;
}

LRESULT ComboBoxControl::OnGetCount(WPARAM, LPARAM) {
    return static_cast<LRESULT>(m_items.size());
}

LRESULT ComboBoxControl::OnGetCurSel(WPARAM, LPARAM) {
    return m_sel;
}

LRESULT ComboBoxControl::OnSetCurSel(WPARAM wParam, LPARAM) {
    const int index = IndexOf(wParam);
    Invalidate(FALSE);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        m_sel = CB_ERR;
        return CB_ERR;
    }
    m_sel = index;
    if (Dropped())
        SetHighlight(index);
    return index;
}

LRESULT ComboBoxControl::OnGetLBText(WPARAM wParam, LPARAM lParam) {
    const int index = IndexOf(wParam);
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return CB_ERR;
    const std::u16string& text = m_items[static_cast<std::size_t>(index)].text;
    // The caller's buffer holds the text and its terminator, as CB_GETLBTEXTLEN told it.
    if (auto* buffer = reinterpret_cast<LPTSTR>(lParam)) {
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = 0;
    }
    return static_cast<LRESULT>(text.size());
}

LRESULT ComboBoxControl::OnGetLBTextLen(WPARAM wParam, LPARAM) {
    const int index = IndexOf(wParam);
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return CB_ERR;
    return static_cast<LRESULT>(m_items[static_cast<std::size_t>(index)].text.size());
}

LRESULT ComboBoxControl::OnFindString(WPARAM wParam, LPARAM lParam) {
    return Find(IndexOf(wParam), TextOf(lParam), false);
}

LRESULT ComboBoxControl::OnFindStringExact(WPARAM wParam, LPARAM lParam) {
    return Find(IndexOf(wParam), TextOf(lParam), true);
}

LRESULT ComboBoxControl::OnSelectString(WPARAM wParam, LPARAM lParam) {
    const int index = Find(IndexOf(wParam), TextOf(lParam), false);
    if (index != CB_ERR) {
        m_sel = index;
        Invalidate(FALSE);
    }
    return index;
}

LRESULT ComboBoxControl::OnGetItemData(WPARAM wParam, LPARAM) {
    const int index = IndexOf(wParam);
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return CB_ERR;
    return m_items[static_cast<std::size_t>(index)].data;
}

LRESULT ComboBoxControl::OnSetItemData(WPARAM wParam, LPARAM lParam) {
    const int index = IndexOf(wParam);
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return CB_ERR;
    m_items[static_cast<std::size_t>(index)].data = lParam;
    return 0;
}

LRESULT ComboBoxControl::OnShowDropDown(WPARAM wParam, LPARAM) {
    if (wParam)
        OpenList(false);
    else
        CloseList(false);
    return TRUE;
}

LRESULT ComboBoxControl::OnGetDroppedState(WPARAM, LPARAM) {
    return Dropped() ? TRUE : FALSE;
}

LRESULT ComboBoxControl::OnGetDroppedControlRect(WPARAM, LPARAM lParam) {
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (rect == nullptr)
        return CB_ERR;
    CRect window;
    GetWindowRect(&window);
    window.bottom = window.top + std::max(m_dropHeight, window.Height());
    *rect = window;
    return TRUE;
}

LRESULT ComboBoxControl::OnGetItemHeight(WPARAM wParam, LPARAM) {
    if (IndexOf(wParam) == -1) {
        CRect client;
        GetClientRect(&client);
        return client.Height();
    }
    return ItemHeight();
}

LRESULT ComboBoxControl::OnGetTopIndex(WPARAM, LPARAM) {
    return Dropped() ? m_list->TopIndex() : 0;
}

void RegisterComboBoxClass() {
    RegisterWindowClass({u"COMBOBOX", [] { return std::make_unique<ComboBoxControl>(); }, -1});
    RegisterComboListClass();
}

}  // namespace platform
