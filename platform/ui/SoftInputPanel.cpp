#include "platform/ui/SoftInputPanel.h"

#include <string_view>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

namespace {

constexpr char16_t kSipClass[] = u"SipWndClass";
constexpr int kRowHeight = kSipHeight / 5;

// The keys' virtual-key codes for the punctuation the keyboard has.
constexpr UINT VK_OEM_PLUS = 0xBB;
constexpr UINT VK_OEM_COMMA = 0xBC;
constexpr UINT VK_OEM_MINUS = 0xBD;
constexpr UINT VK_OEM_PERIOD = 0xBE;
constexpr UINT VK_OEM_2 = 0xBF;  // slash

using Key = SoftInputPanel::Key;
using KeyKind = SoftInputPanel::KeyKind;

Key CharKey(int x, int row, int width, char16_t normal, char16_t shifted, UINT vk) {
    Key key;
    key.rect = CRect(x, row * kRowHeight, x + width, (row + 1) * kRowHeight);
    key.kind = KeyKind::Char;
    key.vk = vk;
    key.normal = normal;
    key.shifted = shifted;
    return key;
}

Key OtherKey(int x, int row, int width, KeyKind kind, UINT vk, std::u16string_view label) {
    Key key;
    key.rect = CRect(x, row * kRowHeight, x + width, (row + 1) * kRowHeight);
    key.kind = kind;
    key.vk = vk;
    key.label = std::u16string(label);
    return key;
}

// Five rows of 16 pixels: digits and Backspace; q to p; a to l and Enter; Shift and z to m;
// the arrows beside the space bar.
std::vector<Key> Layout() {
    std::vector<Key> keys;
    constexpr std::u16string_view digits = u"1234567890";
    constexpr std::u16string_view symbols = u"!@#$%^&*()";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        keys.push_back(CharKey(static_cast<int>(i) * 20, 0, 20, digits[i], symbols[i],
                               static_cast<UINT>(digits[i])));
    }
    keys.push_back(OtherKey(200, 0, 40, KeyKind::Back, VK_BACK, u"Bksp"));
    auto letters = [&](std::u16string_view row, int x, int line) {
        for (char16_t c : row) {
            const auto upper = static_cast<char16_t>(c - u'a' + u'A');
            keys.push_back(CharKey(x, line, 20, c, upper, upper));
            x += 20;
        }
        return x;
    };
    int x = letters(u"qwertyuiop", 0, 1);
    keys.push_back(CharKey(x, 1, 20, u'-', u'_', VK_OEM_MINUS));
    keys.push_back(CharKey(x + 20, 1, 20, u'=', u'+', VK_OEM_PLUS));
    x = letters(u"asdfghjkl", 10, 2);
    keys.push_back(OtherKey(x, 2, kSipWidth - x, KeyKind::Enter, VK_RETURN, u"Enter"));
    keys.push_back(OtherKey(0, 3, 40, KeyKind::Shift, VK_SHIFT, u"Shift"));
    x = letters(u"zxcvbnm", 40, 3);
    keys.push_back(CharKey(x, 3, 20, u',', u'<', VK_OEM_COMMA));
    keys.push_back(CharKey(x + 20, 3, 20, u'.', u'>', VK_OEM_PERIOD));
    keys.push_back(CharKey(x + 40, 3, kSipWidth - x - 40, u'/', u'?', VK_OEM_2));
    keys.push_back(OtherKey(0, 4, 20, KeyKind::Arrow, VK_LEFT, u""));
    keys.push_back(OtherKey(20, 4, 20, KeyKind::Arrow, VK_RIGHT, u""));
    keys.push_back(OtherKey(40, 4, 160, KeyKind::Space, VK_SPACE, u""));
    keys.push_back(OtherKey(200, 4, 20, KeyKind::Arrow, VK_UP, u""));
    keys.push_back(OtherKey(220, 4, 20, KeyKind::Arrow, VK_DOWN, u""));
    return keys;
}

ArrowDirection DirectionOf(UINT vk) {
    switch (vk) {
        case VK_LEFT:
            return ArrowDirection::Left;
        case VK_RIGHT:
            return ArrowDirection::Right;
        case VK_UP:
            return ArrowDirection::Up;
        default:
            return ArrowDirection::Down;
    }
}

// What a key-up carries in its second parameter: one press, the key was down, it is going up.
constexpr LPARAM kKeyUpFlags = 1 | (LPARAM{3} << 30);

}  // namespace

CRect SipRect() {
    const int bottom = kScreenHeight - kCommandBarHeight;
    return CRect(0, bottom - kSipHeight, kSipWidth, bottom);
}

bool IsSipShown() {
    return SoftInputPanel::Instance().Shown();
}

HWND SipWindow() {
    return SoftInputPanel::Instance().m_hWnd;
}

CRect SipKeyRect(UINT vk) {
    const CRect sip = SipRect();
    for (const Key& key : SoftInputPanel::Instance().Keys()) {
        if (key.vk == vk)
            return key.rect + sip.TopLeft();
    }
    return CRect();
}

BEGIN_MESSAGE_MAP(SoftInputPanel, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_ACTIVATE()
END_MESSAGE_MAP()

SoftInputPanel::SoftInputPanel() : m_keys(Layout()) {}

SoftInputPanel& SoftInputPanel::Instance() {
    // Lives as long as the window system, which may still send it messages at exit.
    static SoftInputPanel& panel = *new SoftInputPanel;
    return panel;
}

bool SoftInputPanel::Shown() const {
    return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

void SoftInputPanel::Show(bool shown) {
    if (shown) {
        if (!::IsWindow(m_hWnd)) {
            m_hWnd = nullptr;
            if (!CreateEx(WS_EX_TOPMOST, kSipClass, u"", WS_POPUP, SipRect(), nullptr, 0))
                return;
        }
        m_pressed = -1;
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNA);
        return;
    }
    if (m_hWnd != nullptr) {
        m_pressed = -1;
        ShowWindow(SW_HIDE);
    }
}

int SoftInputPanel::KeyAt(CPoint point) const {
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].rect.PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

void SoftInputPanel::PaintKey(CDC& dc, const Key& key, bool pressed) {
    CRect face = key.rect;
    face.DeflateRect(1, 1);
    const bool lit = pressed || (key.kind == KeyKind::Shift && m_shift);
    const COLORREF back = GetSysColor(pressed ? COLOR_WINDOWTEXT
                                      : lit   ? COLOR_BTNSHADOW
                                              : COLOR_WINDOW);
    const COLORREF fore = GetSysColor(lit ? COLOR_WINDOW : COLOR_WINDOWTEXT);
    dc.FillSolidRect(&face, back);
    dc.Draw3dRect(&face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    if (key.kind == KeyKind::Arrow) {
        DrawArrowHead(dc, face, DirectionOf(key.vk), 4, fore);
        return;
    }
    std::u16string label = key.label;
    if (key.kind == KeyKind::Char)
        label.assign(1, m_shift ? key.shifted : key.normal);
    dc.SetTextColor(fore);
    dc.SetBkMode(TRANSPARENT);
    CRect text = face;
    dc.DrawText(label.c_str(), static_cast<int>(label.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SoftInputPanel::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        PaintKey(dc, m_keys[i], static_cast<int>(i) == m_pressed);
}

void SoftInputPanel::QueueKey(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSystem& sys = Sys();
    const HWND target = sys.focus != nullptr ? sys.focus : sys.active;
    if (target == nullptr || target == m_hWnd)
        return;
    QueuedMessage q;
    q.msg.hwnd = target;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.msg.time = Now();
    q.msg.pt = sys.current.pt;
    q.modifiers.shift = m_shiftUsed;
    sys.queue.push_back(q);
}

void SoftInputPanel::OnLButtonDown(UINT, CPoint point) {
    const int index = KeyAt(point);
    if (index < 0)
        return;
    m_pressed = index;
    const Key& key = m_keys[static_cast<std::size_t>(index)];
    m_shiftUsed = m_shift;
    switch (key.kind) {
        case KeyKind::Shift:
            m_shift = !m_shift;
            Invalidate(FALSE);
            return;
        case KeyKind::Char:
            QueueKey(WM_KEYDOWN, key.vk, 1);
            QueueKey(WM_CHAR, m_shift ? key.shifted : key.normal, 1);
            break;
        case KeyKind::Back:
            QueueKey(WM_KEYDOWN, VK_BACK, 1);
            QueueKey(WM_CHAR, 8, 1);
            break;
        case KeyKind::Enter:
            QueueKey(WM_KEYDOWN, VK_RETURN, 1);
            QueueKey(WM_CHAR, 13, 1);
            break;
        case KeyKind::Space:
            QueueKey(WM_KEYDOWN, VK_SPACE, 1);
            QueueKey(WM_CHAR, u' ', 1);
            break;
        case KeyKind::Arrow:
            QueueKey(WM_KEYDOWN, key.vk, 1);
            break;
    }
    InvalidateRect(&key.rect, FALSE);
}

void SoftInputPanel::OnLButtonUp(UINT, CPoint) {
    if (m_pressed < 0)
        return;
    const Key& key = m_keys[static_cast<std::size_t>(m_pressed)];
    m_pressed = -1;
    if (key.kind == KeyKind::Shift) {
        Invalidate(FALSE);
        return;
    }
    QueueKey(WM_KEYUP, key.vk, kKeyUpFlags);
    if (key.kind == KeyKind::Char && m_shiftUsed) {
        // Shift holds for one key.
        m_shift = false;
        Invalidate(FALSE);
    } else {
        InvalidateRect(&key.rect, FALSE);
    }
    m_shiftUsed = false;
}

void SoftInputPanel::OnActivate(UINT nState, CWnd* pWndOther, BOOL) {
    if (nState == WA_INACTIVE)
        return;
    // The keyboard types for another window: it hands the activation back and keeps no focus.
    HWND other = pWndOther != nullptr ? pWndOther->m_hWnd : nullptr;
    if (other == nullptr || !::IsWindowVisible(other) || !::IsWindowEnabled(other)) {
        other = nullptr;
        for (HWND h = ::GetWindow(m_hWnd, GW_HWNDFIRST); h != nullptr;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (h != m_hWnd && ::IsWindowVisible(h) && ::IsWindowEnabled(h) &&
                !(::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
                other = h;
                break;
            }
        }
    }
    if (other != nullptr)
        ::SetActiveWindow(other);
}

void RegisterSoftInputPanelClass() {
    RegisterWindowClass({kSipClass, nullptr, COLOR_BTNFACE});
}

}  // namespace platform

BOOL SHSipInfo(UINT uiAction, UINT /*uiParam*/, void* pvParam, UINT /*fWinIni*/) {
    auto* info = static_cast<SIPINFO*>(pvParam);
    if (info == nullptr || info->cbSize != sizeof(SIPINFO))
        return FALSE;
    platform::SoftInputPanel& panel = platform::SoftInputPanel::Instance();
    switch (uiAction) {
        case SPI_SETSIPINFO:
            panel.Show((info->fdwFlags & SIPF_ON) != 0);
            return TRUE;
        case SPI_GETSIPINFO: {
            const bool shown = panel.Shown();
            const CRect sip = platform::SipRect();
            CRect visible = platform::WorkAreaRect();
            if (shown)
                visible.bottom = sip.top;
            info->fdwFlags = SIPF_DOCKED | (shown ? SIPF_ON : 0);
            info->rcVisibleDesktop = visible;
            info->rcSipRect = sip;
            info->dwImDataSize = 0;
            info->pvImData = nullptr;
            return TRUE;
        }
        default:
            return FALSE;
    }
}
