#include "platform/ui/CCeCommandBar.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

namespace {

constexpr int kButtonPadding = 8;
constexpr int kCloseBoxSize = 20;

// The label of a menu-bar button: the pop-up's text up to a tab.
CString Label(const platform::MenuItem& item) {
    const std::size_t tab = item.text.find(u'\t');
    return CString(std::u16string_view(item.text).substr(0, tab));
}

}  // namespace

IMPLEMENT_DYNAMIC(CCeCommandBar, CControlBar)

BEGIN_MESSAGE_MAP(CCeCommandBar, CControlBar)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CCeCommandBar::CCeCommandBar() = default;

CCeCommandBar::~CCeCommandBar() = default;

int CCeCommandBar::GetBarThickness() const {
    return platform::kCommandBarHeight;
}

BOOL CCeCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_dwStyle = dwStyle & 0xFFFF;
    CRect client;
    pParentWnd->GetClientRect(&client);
    const CRect bar(client.left, client.bottom - GetBarThickness(), client.right, client.bottom);
    if (!CWnd::Create(kCommandBarClass, nullptr, (dwStyle & 0xFFFF0000u) | WS_CHILD, bar,
                      pParentWnd, nID))
        return FALSE;
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    return TRUE;
}

CMenu* CCeCommandBar::InsertMenuBar(UINT nMenuID, WORD /*wButton*/) {
    // The bar has no other buttons, so every position puts the menu at its left end.
    if (m_hWnd == nullptr)
        return nullptr;
    m_menu.DestroyMenu();
    if (!m_menu.LoadMenu(nMenuID))
        return nullptr;
    LayoutButtons();
    Invalidate();
    return &m_menu;
}

BOOL CCeCommandBar::AddAdornments(DWORD dwFlags) {
    if (m_hWnd == nullptr)
        return FALSE;
    m_adornments = dwFlags;
    m_hasAdornments = true;
    Invalidate();
    return TRUE;
}

void CCeCommandBar::LayoutButtons() {
    m_buttons.clear();
    if (m_menu.m_hMenu == nullptr)
        return;
    CClientDC dc(this);
    int x = 0;
    for (const platform::MenuItem& item : m_menu.m_hMenu->items) {
        CRect calc(0, 0, 1000, GetBarThickness());
        dc.DrawText(Label(item), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
        const int width = calc.Width() + 2 * kButtonPadding;
        m_buttons.emplace_back(x, 0, x + width, GetBarThickness());
        x += width;
    }
}

CRect CCeCommandBar::GetMenuButtonRect(int index) const {
    if (index < 0 || index >= static_cast<int>(m_buttons.size()))
        return CRect();
    return m_buttons[static_cast<std::size_t>(index)];
}

CRect CCeCommandBar::GetCloseBoxRect() const {
    if (!m_hasAdornments)
        return CRect();
    CRect client;
    GetClientRect(&client);
    const int top = (client.Height() - kCloseBoxSize) / 2;
    return CRect(client.right - 3 - kCloseBoxSize, top, client.right - 3, top + kCloseBoxSize);
}

void CCeCommandBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    const CRect edge(client.left, client.top, client.right, client.top + 1);
    dc.FillSolidRect(&edge, GetSysColor(COLOR_BTNSHADOW));
    dc.SetBkMode(TRANSPARENT);
    const bool enabled =
        IsWindowEnabled() && (GetParent() == nullptr || GetParent()->IsWindowEnabled());
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        CRect r = m_buttons[static_cast<std::size_t>(i)];
        const bool open = i == m_open;
        if (open) {
            dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            dc.SetTextColor(enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        }
        dc.DrawText(Label(m_menu.m_hMenu->items[static_cast<std::size_t>(i)]), -1, &r,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    const CRect close = GetCloseBoxRect();
    if (!close.IsRectEmpty()) {
        const COLORREF ink = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
        if (m_closePressed)
            dc.FillSolidRect(&close, GetSysColor(COLOR_BTNSHADOW));
        dc.Draw3dRect(&close, ink, ink);
        for (int i = 5; i < kCloseBoxSize - 5; ++i) {
            for (int d = 0; d < 2; ++d) {
                dc.SetPixel(close.left + i + d, close.top + i, ink);
                dc.SetPixel(close.right - 1 - i - d, close.top + i, ink);
            }
        }
    }
}

void CCeCommandBar::OpenMenu(int index) {
    CMenu* popup = m_menu.GetSubMenu(index);
    if (popup == nullptr)
        return;
    m_open = index;
    Invalidate();
    UpdateWindow();
    CRect button = GetMenuButtonRect(index);
    ClientToScreen(&button);
    CWnd* owner = GetParentFrame();
    if (owner == nullptr)
        owner = GetParent();
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_BOTTOMALIGN, button.left, button.top, owner);
    m_open = -1;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CCeCommandBar::OnLButtonDown(UINT, CPoint point) {
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        if (m_buttons[static_cast<std::size_t>(i)].PtInRect(point)) {
            OpenMenu(i);
            return;
        }
    }
    if (GetCloseBoxRect().PtInRect(point)) {
        m_closePressed = true;
        Invalidate();
    }
}

void CCeCommandBar::OnLButtonUp(UINT, CPoint point) {
    if (!m_closePressed)
        return;
    m_closePressed = false;
    Invalidate();
    if (GetCloseBoxRect().PtInRect(point)) {
        if (CWnd* frame = GetParentFrame())
            frame->PostMessage(WM_CLOSE);
    }
}

namespace platform {

void RegisterCommandBarClass() {
    RegisterWindowClass({kCommandBarClass, nullptr, COLOR_BTNFACE});
}

}  // namespace platform
