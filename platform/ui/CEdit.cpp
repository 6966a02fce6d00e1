#include "platform/ui/CEdit.h"

#include <cstdlib>
#include <limits>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(u"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(nStartChar)), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo),
                reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::SetLimitText(UINT nMax) {
    SendMessage(EM_LIMITTEXT, nMax);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL bModified) {
    SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified));
}

namespace platform {

BEGIN_MESSAGE_MAP(EditControl, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(WM_SETFONT, OnSetFont)
ON_MESSAGE(EM_GETSEL, OnGetSel)
ON_MESSAGE(EM_SETSEL, OnSetSel)
ON_MESSAGE(EM_SCROLLCARET, OnScrollCaret)
ON_MESSAGE(EM_REPLACESEL, OnReplaceSel)
ON_MESSAGE(EM_LIMITTEXT, OnLimitText)
ON_MESSAGE(EM_GETLIMITTEXT, OnGetLimitText)
ON_MESSAGE(EM_SETREADONLY, OnSetReadOnly)
ON_MESSAGE(EM_GETMODIFY, OnGetModify)
ON_MESSAGE(EM_SETMODIFY, OnSetModify)
END_MESSAGE_MAP()

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool ShiftHeld() {
    return ::GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
}

}  // namespace

int EditControl::OnCreate(LPCREATESTRUCT cs) {
    if (cs != nullptr && cs->lpszName != nullptr)
        m_text = cs->lpszName;
    return 0;
}

void EditControl::StoreText() {
    ::DefWindowProc(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_text.c_str()));
}

std::u16string EditControl::Shown() const {
    if (GetStyle() & ES_PASSWORD)
        return std::u16string(m_text.size(), u'*');
    return m_text;
}

std::vector<int> EditControl::CaretPlaces() const {
    const std::u16string shown = Shown();
    std::vector<int> places(shown.size() + 1, -1);
    places[0] = 0;
    if (!shown.empty()) {
        MeasureDC measure(m_hWnd);
        std::vector<int> after(shown.size(), -1);
        measure.dc().GetTextExtentExPoint(shown.c_str(), static_cast<int>(shown.size()), 0, nullptr,
                                          after.data(), nullptr);
        for (std::size_t i = 0; i < shown.size(); ++i)
            places[i + 1] = after[i];
    }
    // A unit the measure skipped (the second half of a pair) sits where the one before ends.
    for (std::size_t i = 1; i < places.size(); ++i) {
        if (places[i] < places[i - 1])
            places[i] = places[i - 1];
    }
    return places;
}

int EditControl::TextHeight() const {
    MeasureDC measure(m_hWnd);
    TEXTMETRIC tm{};
    measure.dc().GetTextMetrics(&tm);
    return tm.tmHeight;
}

int EditControl::TextOrigin(const std::vector<int>& places) const {
    CRect client;
    GetClientRect(&client);
    const int visible = client.Width() - 2 * kMargin;
    const int total = places.back();
    const DWORD align = GetStyle() & (ES_CENTER | ES_RIGHT);
    if (total <= visible && align == ES_RIGHT)
        return kMargin + visible - total;
    if (total <= visible && align == ES_CENTER)
        return kMargin + (visible - total) / 2;
    return kMargin - m_scroll;
}

int EditControl::PlaceAt(int x) const {
    const std::vector<int> places = CaretPlaces();
    const int origin = TextOrigin(places);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i > 0 && i < m_text.size() && IsLowSurrogate(m_text[i]) &&
            IsHighSurrogate(m_text[i - 1]))
            continue;  // never between the halves of a pair
        const int distance = std::abs(origin + places[i] - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void EditControl::ScrollToCaret() {
    if (!(GetStyle() & ES_AUTOHSCROLL)) {
        m_scroll = 0;
        return;
    }
    CRect client;
    GetClientRect(&client);
    const int visible = std::max(0, client.Width() - 2 * kMargin);
    const std::vector<int> places = CaretPlaces();
    const int caretX = places[static_cast<std::size_t>(m_caret)];
    if (caretX - m_scroll > visible)
        m_scroll = caretX - visible;
    if (caretX < m_scroll)
        m_scroll = caretX;
    // No blank space after the text's end while part of it is scrolled out at the left.
    m_scroll = std::clamp(m_scroll, 0, std::max(0, places.back() - visible));
}

int EditControl::PreviousPlace(int place) const {
    if (place <= 0)
        return 0;
    const auto i = static_cast<std::size_t>(place);
    if (i >= 2 && IsLowSurrogate(m_text[i - 1]) && IsHighSurrogate(m_text[i - 2]))
        return place - 2;
    return place - 1;
}

int EditControl::NextPlace(int place) const {
    const int length = static_cast<int>(m_text.size());
    if (place >= length)
        return length;
    const auto i = static_cast<std::size_t>(place);
    if (i + 1 < m_text.size() && IsHighSurrogate(m_text[i]) && IsLowSurrogate(m_text[i + 1]))
        return place + 2;
    return place + 1;
}

void EditControl::Changed() {
    m_modified = true;
    StoreText();
    ScrollToCaret();
    Invalidate(FALSE);
    NotifyParent(m_hWnd, EN_CHANGE);
}

bool EditControl::Insert(std::u16string_view text) {
    const DWORD style = GetStyle();
    std::u16string add(text);
    for (char16_t& c : add) {
        if ((style & ES_UPPERCASE) && c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        else if ((style & ES_LOWERCASE) && c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    const int start = SelStart(), end = SelEnd();
    const int kept = static_cast<int>(m_text.size()) - (end - start);
    const int room = std::max(0, m_limit - kept);
    bool full = false;
    if (static_cast<int>(add.size()) > room) {
        std::size_t n = static_cast<std::size_t>(room);
        if (n > 0 && IsHighSurrogate(add[n - 1]))
            --n;  // never half a pair
        add.resize(n);
        full = true;
    }
    std::u16string candidate = m_text;
    candidate.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), add);
    if (!(style & ES_AUTOHSCROLL)) {
        // Without scrolling, the text must fit the control.
        MeasureDC measure(m_hWnd);
        const std::u16string shown =
            (style & ES_PASSWORD) ? std::u16string(candidate.size(), u'*') : candidate;
        const CSize extent =
            measure.dc().GetTextExtent(shown.c_str(), static_cast<int>(shown.size()));
        CRect client;
        GetClientRect(&client);
        if (extent.cx > client.Width() - 2 * kMargin) {
            NotifyParent(m_hWnd, EN_MAXTEXT);
            return false;
        }
    }
    if (add.empty() && start == end) {
        if (full)
            NotifyParent(m_hWnd, EN_MAXTEXT);
        return false;
    }
    m_text = std::move(candidate);
    m_anchor = m_caret = start + static_cast<int>(add.size());
    Changed();
    if (full && m_hWnd != nullptr)
        NotifyParent(m_hWnd, EN_MAXTEXT);
    return true;
}

void EditControl::DeleteRange(int from, int to) {
    if (from >= to)
        return;
    m_text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    m_anchor = m_caret = from;
    Changed();
}

void EditControl::MoveCaret(int place, bool extend) {
    m_caret = std::clamp(place, 0, static_cast<int>(m_text.size()));
    if (!extend)
        m_anchor = m_caret;
    ScrollToCaret();
    Invalidate(FALSE);
}

void EditControl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    const bool enabled = IsWindowEnabled() != FALSE;
    CBrush* background = ControlColors(
        m_hWnd, dc, enabled && !(style & ES_READONLY) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    dc.FillRect(&client, background);
    if (!enabled)
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));

    CFont* old = SelectControlFont(dc, m_hWnd);
    const std::u16string shown = Shown();
    const std::vector<int> places = CaretPlaces();
    const int origin = TextOrigin(places);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int top = (client.Height() - tm.tmHeight) / 2;
    const bool focused = ::GetFocus() == m_hWnd;

    const int saved = dc.SaveDC();
    dc.IntersectClipRect(kMargin, 0, client.Width() - kMargin, client.Height());
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(origin, top, shown.c_str(), static_cast<int>(shown.size()));
    if ((focused || (style & ES_NOHIDESEL)) && SelStart() < SelEnd()) {
        const int from = places[static_cast<std::size_t>(SelStart())];
        const int to = places[static_cast<std::size_t>(SelEnd())];
        const CRect selected(origin + from, top, origin + to, top + tm.tmHeight);
        dc.FillSolidRect(&selected, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.TextOut(origin + from, top, shown.c_str() + SelStart(), SelEnd() - SelStart());
    }
    dc.RestoreDC(saved);
    if (focused) {
        const int x = std::clamp(origin + places[static_cast<std::size_t>(m_caret)], 0,
                                 std::max(0, client.Width() - 1));
        dc.FillSolidRect(x, top, 1, tm.tmHeight, GetSysColor(COLOR_WINDOWTEXT));
    }
    if (old != nullptr)
        dc.SelectObject(old);
}

void EditControl::OnSize(UINT, int, int) {
    ScrollToCaret();
}

void EditControl::OnLButtonDown(UINT, CPoint point) {
    if (::GetFocus() != m_hWnd) {
        SetFocus();
        if (m_hWnd == nullptr)
            return;
    }
    m_caret = PlaceAt(point.x);
    if (!ShiftHeld())
        m_anchor = m_caret;
    SetCapture();
    m_tracking = true;
    ScrollToCaret();
    Invalidate(FALSE);
}

void EditControl::OnMouseMove(UINT, CPoint point) {
    if (!m_tracking)
        return;
    const int place = PlaceAt(point.x);
    if (place != m_caret)
        MoveCaret(place, true);
}

void EditControl::OnLButtonUp(UINT, CPoint) {
    if (!m_tracking)
        return;
    m_tracking = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void EditControl::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd != this)
        m_tracking = false;
}

void EditControl::OnKeyDown(UINT nChar, UINT, UINT) {
    const bool extend = ShiftHeld();
    switch (nChar) {
        case VK_LEFT:
            if (!extend && SelStart() < SelEnd())
                MoveCaret(SelStart(), false);
            else
                MoveCaret(PreviousPlace(m_caret), extend);
            break;
        case VK_RIGHT:
            if (!extend && SelStart() < SelEnd())
                MoveCaret(SelEnd(), false);
            else
                MoveCaret(NextPlace(m_caret), extend);
            break;
        case VK_HOME:
            MoveCaret(0, extend);
            break;
        case VK_END:
            MoveCaret(static_cast<int>(m_text.size()), extend);
            break;
        case VK_UP:
        case VK_DOWN:
            // The arrows of an up-down control whose buddy this is.
            UpDownControl::BuddyArrowKey(m_hWnd, nChar);
            break;
        case VK_DELETE:
            if (GetStyle() & ES_READONLY)
                break;
            if (SelStart() < SelEnd())
                DeleteRange(SelStart(), SelEnd());
            else
                DeleteRange(m_caret, NextPlace(m_caret));
            break;
        default:
            break;
    }
}

void EditControl::OnChar(UINT nChar, UINT, UINT) {
    if (nChar == VK_BACK) {
        if (GetStyle() & ES_READONLY)
            return;
        if (SelStart() < SelEnd())
            DeleteRange(SelStart(), SelEnd());
        else
            DeleteRange(PreviousPlace(m_caret), m_caret);
        return;
    }
    // Enter, Escape, Tab and the Ctrl combinations type nothing here.
    if (nChar < 0x20 || nChar == 0x7F || nChar > 0xFFFF)
        return;
    const DWORD style = GetStyle();
    if (style & ES_READONLY)
        return;
    const auto c = static_cast<char16_t>(nChar);
    if ((style & ES_NUMBER) && (c < u'0' || c > u'9'))
        return;
    Insert(std::u16string_view(&c, 1));
}

void EditControl::OnSetFocus(CWnd*) {
    ScrollToCaret();
    Invalidate(FALSE);
    NotifyParent(m_hWnd, EN_SETFOCUS);
}

void EditControl::OnKillFocus(CWnd*) {
    m_tracking = false;
    Invalidate(FALSE);
    NotifyParent(m_hWnd, EN_KILLFOCUS);
}

void EditControl::OnEnable(BOOL) {
    Invalidate(FALSE);
}

UINT EditControl::OnGetDlgCode() {
    return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
}

LRESULT EditControl::OnSetText(WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<LPCTSTR>(lParam);
    m_text = text != nullptr ? std::u16string(text) : std::u16string();
    m_anchor = m_caret = 0;
    m_scroll = 0;
    m_modified = false;
    StoreText();
    Invalidate(FALSE);
    NotifyParent(m_hWnd, EN_CHANGE);
    return TRUE;
}

LRESULT EditControl::OnGetText(WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<LPTSTR>(lParam);
    const auto max = static_cast<std::size_t>(wParam);
    if (buffer == nullptr || max == 0)
        return 0;
    const std::size_t n = std::min(m_text.size(), max - 1);
    std::copy_n(m_text.begin(), n, buffer);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT EditControl::OnGetTextLength(WPARAM, LPARAM) {
    return static_cast<LRESULT>(m_text.size());
}

LRESULT EditControl::OnSetFont(WPARAM, LPARAM) {
    Default();
    ScrollToCaret();
    Invalidate(FALSE);
    return 0;
}

LRESULT EditControl::OnGetSel(WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<DWORD>(SelStart());
    const auto end = static_cast<DWORD>(SelEnd());
    if (auto* pStart = reinterpret_cast<DWORD*>(wParam))
        *pStart = start;
    if (auto* pEnd = reinterpret_cast<DWORD*>(lParam))
        *pEnd = end;
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<DWORD>(start, 0xFFFF)),
                                         static_cast<WORD>(std::min<DWORD>(end, 0xFFFF))));
}

LRESULT EditControl::OnSetSel(WPARAM wParam, LPARAM lParam) {
    const int length = static_cast<int>(m_text.size());
    const auto start = static_cast<long long>(static_cast<std::intptr_t>(wParam));
    const auto end = static_cast<long long>(lParam);
    if (start == -1) {
        m_anchor = m_caret;
    } else {
        m_anchor = static_cast<int>(std::clamp<long long>(start, 0, length));
        m_caret = end < 0 ? length : static_cast<int>(std::min<long long>(end, length));
    }
    ScrollToCaret();
    Invalidate(FALSE);
    return 0;
}

LRESULT EditControl::OnScrollCaret(WPARAM, LPARAM) {
    ScrollToCaret();
    Invalidate(FALSE);
    return TRUE;
}

LRESULT EditControl::OnReplaceSel(WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<LPCTSTR>(lParam);
    Insert(text != nullptr ? std::u16string_view(text) : std::u16string_view());
    return 0;
}

LRESULT EditControl::OnLimitText(WPARAM wParam, LPARAM) {
    const auto limit = static_cast<unsigned long long>(wParam);
    m_limit = limit == 0 || limit > static_cast<unsigned long long>(kMaxLimit)
                  ? kMaxLimit
                  : static_cast<int>(limit);
    return 0;
}

LRESULT EditControl::OnGetLimitText(WPARAM, LPARAM) {
    return m_limit;
}

LRESULT EditControl::OnSetReadOnly(WPARAM wParam, LPARAM) {
    const DWORD style = GetStyle();
    ::SetWindowLong(m_hWnd, GWL_STYLE,
                    static_cast<LONG>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    Invalidate(FALSE);
    return TRUE;
}

LRESULT EditControl::OnGetModify(WPARAM, LPARAM) {
    return m_modified ? TRUE : FALSE;
}

LRESULT EditControl::OnSetModify(WPARAM wParam, LPARAM) {
    m_modified = wParam != 0;
    return 0;
}

void RegisterEditClass() {
    RegisterWindowClass({u"EDIT", [] { return std::make_unique<EditControl>(); }, -1});
}

}  // namespace platform
