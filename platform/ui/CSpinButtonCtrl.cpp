#include "platform/ui/CSpinButtonCtrl.h"

#include <string>
#include <unordered_map>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(u"msctls_updown32", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) {
    return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(std::max(nAccel, 0)),
                                         reinterpret_cast<LPARAM>(pAccel)));
}

UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const {
    return static_cast<UINT>(SendMessage(UDM_GETACCEL, static_cast<WPARAM>(std::max(nAccel, 0)),
                                         reinterpret_cast<LPARAM>(pAccel)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
    const HWND buddy = pWndBuddy != nullptr ? pWndBuddy->m_hWnd : nullptr;
    return FromHandle(LParamToHandle(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return FromHandle(LParamToHandle(SendMessage(UDM_GETBUDDY)));
}

int CSpinButtonCtrl::SetPos(int nPos) {
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(
        SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(nPos), 0)))));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<int>(SendMessage(UDM_GETPOS));
}

int CSpinButtonCtrl::SetPos32(int nPos) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos));
}

int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nUpper), static_cast<WORD>(nLower)));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(static_cast<std::intptr_t>(nLower)), nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const {
    return static_cast<DWORD>(SendMessage(UDM_GETRANGE));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

namespace platform {

namespace {

std::function<DWORD()>& ClockSlot() {
    static std::function<DWORD()> clock;
    return clock;
}

DWORD Clock() {
    const auto& clock = ClockSlot();
    return clock ? clock() : ::GetTickCount();
}

// Which control each buddy belongs to, for the buddy's arrow keys.
std::unordered_map<HWND, UpDownControl*>& Buddies() {
    static std::unordered_map<HWND, UpDownControl*> table;
    return table;
}

void ForgetBuddyOf(const UpDownControl* control) {
    std::erase_if(Buddies(), [&](const auto& entry) { return entry.second == control; });
}

// The largest acceleration table kept; longer ones are cut.
constexpr std::size_t kMaxAccel = 64;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// A buddy's number: blanks around, an optional sign, digits with thousands separators.
bool ParseNumber(std::u16string_view text, long long* value) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    long long result = 0;
    int digits = 0;
    for (char16_t c : text) {
        if (c == u',' && digits > 0)
            continue;
        if (c < u'0' || c > u'9')
            return false;
        // More digits than any 32-bit position has cannot be in range.
        if (++digits > 12)
            return false;
        result = result * 10 + (c - u'0');
    }
    if (digits == 0)
        return false;
    *value = negative ? -result : result;
    return true;
}

std::u16string FormatNumber(int value, bool thousands) {
    const std::string digits =
        std::to_string(value < 0 ? -static_cast<long long>(value) : static_cast<long long>(value));
    std::u16string out;
    if (value < 0)
        out.push_back(u'-');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (thousands && i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(u',');
        out.push_back(static_cast<char16_t>(digits[i]));
    }
    return out;
}

}  // namespace

BEGIN_MESSAGE_MAP(UpDownControl, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_TIMER()
ON_WM_ENABLE()
ON_MESSAGE(UDM_SETRANGE, OnSetRange)
ON_MESSAGE(UDM_GETRANGE, OnGetRange)
ON_MESSAGE(UDM_SETRANGE32, OnSetRange32)
ON_MESSAGE(UDM_GETRANGE32, OnGetRange32)
ON_MESSAGE(UDM_SETPOS, OnSetPos)
ON_MESSAGE(UDM_GETPOS, OnGetPos)
ON_MESSAGE(UDM_SETPOS32, OnSetPos32)
ON_MESSAGE(UDM_GETPOS32, OnGetPos32)
ON_MESSAGE(UDM_SETBUDDY, OnSetBuddy)
ON_MESSAGE(UDM_GETBUDDY, OnGetBuddy)
ON_MESSAGE(UDM_SETACCEL, OnSetAccel)
ON_MESSAGE(UDM_GETACCEL, OnGetAccel)
END_MESSAGE_MAP()

UpDownControl::UpDownControl() : m_accel{{0, 1}, {2, 5}, {5, 20}} {}

UpDownControl::~UpDownControl() {
    ForgetBuddyOf(this);
}

void UpDownControl::SetClock(std::function<DWORD()> clock) {
    ClockSlot() = std::move(clock);
}

int UpDownControl::OnCreate(LPCREATESTRUCT) {
    if (GetStyle() & UDS_AUTOBUDDY) {
        if (const HWND previous = ::GetWindow(m_hWnd, GW_HWNDPREV))
            SetBuddy(previous);
    }
    return 0;
}

void UpDownControl::OnDestroy() {
    KillTimer(kRepeatTimer);
    ForgetBuddyOf(this);
}

BOOL UpDownControl::BuddyArrowKey(HWND buddy, UINT vk) {
    if (vk != VK_UP && vk != VK_DOWN)
        return FALSE;
    const auto it = Buddies().find(buddy);
    if (it == Buddies().end())
        return FALSE;
    UpDownControl& control = *it->second;
    if (control.m_hWnd == nullptr || !(control.GetStyle() & UDS_ARROWKEYS) ||
        !control.IsWindowEnabled())
        return FALSE;
    control.Step(vk == VK_UP, control.IncrementAfter(0));
    return TRUE;
}

int UpDownControl::ArrowAt(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return 0;
    if (Horizontal())
        return point.x >= client.Width() / 2 ? 1 : -1;
    return point.y < client.Height() / 2 ? 1 : -1;
}

CRect UpDownControl::ArrowRect(int arrow) const {
    CRect client;
    GetClientRect(&client);
    if (Horizontal()) {
        const int mid = client.Width() / 2;
        return arrow > 0 ? CRect(mid, 0, client.Width(), client.Height())
                         : CRect(0, 0, mid, client.Height());
    }
    const int mid = client.Height() / 2;
    return arrow > 0 ? CRect(0, 0, client.Width(), mid)
                     : CRect(0, mid, client.Width(), client.Height());
}

void UpDownControl::OnPaint() {
    CPaintDC dc(this);
    const bool enabled = IsWindowEnabled() != FALSE;
    const COLORREF arrowColor = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int arrow : {1, -1}) {
        const CRect r = ArrowRect(arrow);
        const bool pressed = m_held == arrow && m_inside;
        dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
        DrawButtonEdge(dc, r, pressed);
        CRect head = r;
        if (pressed)
            head.OffsetRect(1, 1);
        const int size = std::max(2, std::min(r.Width(), r.Height()) / 3);
        const ArrowDirection direction =
            Horizontal() ? (arrow > 0 ? ArrowDirection::Right : ArrowDirection::Left)
                         : (arrow > 0 ? ArrowDirection::Up : ArrowDirection::Down);
        DrawArrowHead(dc, head, direction, size, arrowColor);
    }
}

int UpDownControl::IncrementAfter(DWORD heldMs) const {
    int inc = 1;
    for (const UDACCEL& a : m_accel) {
        if (static_cast<unsigned long long>(a.nSec) * 1000 <= heldMs)
            inc = static_cast<int>(std::min<UINT>(a.nInc, static_cast<UINT>(UD_MAXVAL)));
    }
    return std::max(inc, 1);
}

void UpDownControl::NotifyScroll(UINT code) {
    if (const HWND parent = ::GetParent(m_hWnd)) {
        ::SendMessage(parent, Horizontal() ? WM_HSCROLL : WM_VSCROLL,
                      MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(m_pos)),
                      HandleToLParam(m_hWnd));
    }
}

void UpDownControl::Step(bool up, int inc) {
    if ((GetStyle() & UDS_SETBUDDYINT) && ::IsWindow(m_buddy))
        ReadBuddy();
    const int delta = (up == (m_upper >= m_lower)) ? inc : -inc;
    NMUPDOWN nm;
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = m_pos;
    nm.iDelta = delta;
    if (const HWND parent = ::GetParent(m_hWnd)) {
        if (::SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) != 0)
            return;  // the parent refused the step
        if (m_hWnd == nullptr)
            return;
    }
    long long target = static_cast<long long>(m_pos) + delta;
    if (target > High())
        target = (GetStyle() & UDS_WRAP) ? Low() : High();
    else if (target < Low())
        target = (GetStyle() & UDS_WRAP) ? High() : Low();
    const bool moved = target != m_pos;
    m_pos = static_cast<int>(target);
    // Also puts a number back where the user left something else in the buddy.
    WriteBuddy();
    if (moved && m_hWnd != nullptr)
        NotifyScroll(SB_THUMBPOSITION);
}

bool UpDownControl::ReadBuddy() {
    if (!::IsWindow(m_buddy))
        return false;
    const int length = ::GetWindowTextLength(m_buddy);
    // A number in range is short; anything longer is not one.
    if (length <= 0 || length > 64)
        return false;
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int n = ::GetWindowText(m_buddy, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    long long value = 0;
    if (!ParseNumber(text, &value) || value < Low() || value > High())
        return false;
    m_pos = static_cast<int>(value);
    return true;
}

void UpDownControl::WriteBuddy() {
    if (!(GetStyle() & UDS_SETBUDDYINT) || !::IsWindow(m_buddy))
        return;
    const std::u16string text = FormatNumber(m_pos, !(GetStyle() & UDS_NOTHOUSANDS));
    const int length = ::GetWindowTextLength(m_buddy);
    if (length == static_cast<int>(text.size())) {
        std::u16string current(text.size() + 1, u'\0');
        ::GetWindowText(m_buddy, current.data(), length + 1);
        current.resize(text.size());
        if (current == text)
            return;
    }
    ::SetWindowText(m_buddy, text.c_str());
}

void UpDownControl::SetPosition(int pos) {
    m_pos = std::clamp(pos, Low(), High());
    WriteBuddy();
}

void UpDownControl::SetBuddy(HWND buddy) {
    ForgetBuddyOf(this);
    m_buddy = ::IsWindow(buddy) ? buddy : nullptr;
    if (m_buddy == nullptr)
        return;
    Buddies()[m_buddy] = this;
    if (GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
        // A buddy gives up its width once; setting it again only puts the arrows beside it.
        AlignToBuddy(m_buddy != m_resizedBuddy);
    }
}

void UpDownControl::AlignToBuddy(bool resizeBuddy) {
    CRect buddy;
    ::GetWindowRect(m_buddy, &buddy);
    CRect self;
    GetWindowRect(&self);
    const int width = self.Width();
    const bool right = (GetStyle() & UDS_ALIGNRIGHT) != 0;
    // The buddy's rectangle in its parent's coordinates, for moving it.
    POINT corner{buddy.left, buddy.top};
    ::ScreenToClient(::GetParent(m_buddy), &corner);
    if (resizeBuddy) {
        const int newWidth = std::max(0, buddy.Width() - width);
        if (right) {
            ::SetWindowPos(m_buddy, nullptr, 0, 0, newWidth, buddy.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            buddy.right = buddy.left + newWidth;
        } else {
            ::SetWindowPos(m_buddy, nullptr, corner.x + width, corner.y, newWidth, buddy.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
            buddy.left += width;
        }
        m_resizedBuddy = m_buddy;
    }
    POINT at{right ? buddy.right : buddy.left - width, buddy.top};
    ::ScreenToClient(::GetParent(m_hWnd), &at);
    SetWindowPos(nullptr, at.x, at.y, width, buddy.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void UpDownControl::OnLButtonDown(UINT, CPoint point) {
    const int arrow = ArrowAt(point);
    if (arrow == 0)
        return;
    // The number being spun is typed in the buddy, so that is where the keys go.
    if (::IsWindow(m_buddy) && ::IsWindowVisible(m_buddy) && ::IsWindowEnabled(m_buddy))
        ::SetFocus(m_buddy);
    else
        SetFocus();
    if (m_hWnd == nullptr)
        return;
    SetCapture();
    m_held = arrow;
    m_inside = true;
    m_pressTime = Clock();
    m_nextStep = m_pressTime + kRepeatDelay;
    SetTimer(kRepeatTimer, kTimerTick);
    Invalidate(FALSE);
    Step(arrow > 0, IncrementAfter(0));
}

void UpDownControl::OnMouseMove(UINT, CPoint point) {
    if (m_held == 0)
        return;
    const bool inside = ArrowRect(m_held).PtInRect(point) != FALSE;
    if (inside != m_inside) {
        m_inside = inside;
        Invalidate(FALSE);
    }
}

void UpDownControl::StopHolding(bool notify) {
    if (m_held == 0)
        return;
    m_held = 0;
    m_inside = false;
    KillTimer(kRepeatTimer);
    Invalidate(FALSE);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (notify && m_hWnd != nullptr)
        NotifyScroll(SB_ENDSCROLL);
}

void UpDownControl::OnLButtonUp(UINT, CPoint) {
    StopHolding(true);
}

void UpDownControl::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd != this)
        StopHolding(true);
}

void UpDownControl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRepeatTimer)
        return;
    if (m_held == 0) {
        KillTimer(kRepeatTimer);
        return;
    }
    const DWORD now = Clock();
    if (static_cast<int>(now - m_nextStep) < 0)
        return;
    if (!m_inside) {
        // The stylus slid off the arrow: no step until it is back on it.
        m_nextStep = now + kRepeatInterval;
        return;
    }
    m_nextStep += kRepeatInterval;
    // A late tick does not make up for the steps it missed.
    if (static_cast<int>(m_nextStep - now) <= 0)
        m_nextStep = now + kRepeatInterval;
    Step(m_held > 0, IncrementAfter(now - m_pressTime));
}

void UpDownControl::OnEnable(BOOL bEnable) {
    if (!bEnable)
        StopHolding(true);
    Invalidate(FALSE);
}

LRESULT UpDownControl::OnSetRange(WPARAM, LPARAM lParam) {
    const auto value = static_cast<std::uintptr_t>(lParam);
    m_upper = static_cast<short>(LOWORD(value));
    m_lower = static_cast<short>(HIWORD(value));
    m_pos = std::clamp(m_pos, Low(), High());
    return 0;
}

LRESULT UpDownControl::OnGetRange(WPARAM, LPARAM) {
    return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
}

LRESULT UpDownControl::OnSetRange32(WPARAM wParam, LPARAM lParam) {
    m_lower = static_cast<int>(static_cast<std::intptr_t>(wParam));
    m_upper = static_cast<int>(lParam);
    m_pos = std::clamp(m_pos, Low(), High());
    return 0;
}

LRESULT UpDownControl::OnGetRange32(WPARAM wParam, LPARAM lParam) {
    if (auto* lower = reinterpret_cast<int*>(wParam))
        *lower = m_lower;
    if (auto* upper = reinterpret_cast<int*>(lParam))
        *upper = m_upper;
    return 0;
}

LRESULT UpDownControl::OnSetPos(WPARAM, LPARAM lParam) {
    const int old = m_pos;
    SetPosition(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    return MAKELONG(static_cast<WORD>(old), 0);
}

LRESULT UpDownControl::OnGetPos(WPARAM, LPARAM) {
    bool ok = true;
    if ((GetStyle() & UDS_SETBUDDYINT) && ::IsWindow(m_buddy))
        ok = ReadBuddy();
    return MAKELONG(static_cast<WORD>(m_pos), ok ? 0 : 1);
}

LRESULT UpDownControl::OnSetPos32(WPARAM, LPARAM lParam) {
    const int old = m_pos;
    SetPosition(static_cast<int>(lParam));
    return old;
}

LRESULT UpDownControl::OnGetPos32(WPARAM, LPARAM lParam) {
    bool ok = true;
    if ((GetStyle() & UDS_SETBUDDYINT) && ::IsWindow(m_buddy))
        ok = ReadBuddy();
    if (auto* error = reinterpret_cast<BOOL*>(lParam))
        *error = ok ? FALSE : TRUE;
    return m_pos;
}

LRESULT UpDownControl::OnSetBuddy(WPARAM wParam, LPARAM) {
    const HWND old = m_buddy;
    SetBuddy(reinterpret_cast<HWND>(wParam));
    return HandleToLParam(old);
}

LRESULT UpDownControl::OnGetBuddy(WPARAM, LPARAM) {
    return HandleToLParam(::IsWindow(m_buddy) ? m_buddy : nullptr);
}

LRESULT UpDownControl::OnSetAccel(WPARAM wParam, LPARAM lParam) {
    const auto* table = reinterpret_cast<const UDACCEL*>(lParam);
    if (table == nullptr || wParam == 0)
        return FALSE;
    const std::size_t count = std::min<std::size_t>(wParam, kMaxAccel);
    m_accel.assign(table, table + count);
    return TRUE;
}

LRESULT UpDownControl::OnGetAccel(WPARAM wParam, LPARAM lParam) {
    if (auto* table = reinterpret_cast<UDACCEL*>(lParam)) {
        const std::size_t count = std::min<std::size_t>(wParam, m_accel.size());
        std::copy_n(m_accel.begin(), count, table);
    }
    return static_cast<LRESULT>(m_accel.size());
}

void RegisterUpDownClass() {
    RegisterWindowClass({u"msctls_updown32", [] { return std::make_unique<UpDownControl>(); }, -1});
}

}  // namespace platform
