#include "platform/ui/MenuPopup.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

namespace {

constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kTextInset = 10;
MenuPopup* g_current = nullptr;

const MenuItem& ItemOf(CMenu& menu, int index) {
    return menu.m_hMenu->items[static_cast<std::size_t>(index)];
}

}  // namespace

BEGIN_MESSAGE_MAP(MenuPopup, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

MenuPopup::MenuPopup(CMenu& menu) : m_menu(menu) {}

MenuPopup* MenuPopup::Current() {
    return g_current;
}

UINT MenuPopup::Track(CMenu& menu, CPoint anchor, UINT flags) {
    if (menu.m_hMenu == nullptr || menu.m_hMenu->items.empty())
        return 0;
    MenuPopup popup(menu);
    popup.Layout(anchor, flags);
    MenuPopup* const outer = g_current;
    g_current = &popup;
    WindowSystem& sys = Sys();
    ++sys.modalDepth;
    ::ShowWindow(popup.m_hWnd, SW_SHOWNA);
    ::SetCapture(popup.m_hWnd);
    while (!popup.m_done && popup.m_hWnd != nullptr) {
        MSG msg;
        if (!::GetMessage(&msg)) {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // The keys belong to the menu while it is open, whichever window has the focus.
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            popup.OnKey(msg);
            continue;
        }
        ::DispatchMessage(&msg);
    }
    --sys.modalDepth;
    g_current = outer;
    const UINT result = popup.m_done ? popup.m_result : 0;
    popup.m_done = true;  // a capture change from here on is no cancellation
    if (::GetCapture() == popup.m_hWnd)
        ::ReleaseCapture();
    popup.DestroyWindow();
    return result;
}

void MenuPopup::Layout(CPoint anchor, UINT flags) {
    // The widest text decides the width: the label, and a shortcut after a tab.
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    int width = 80;
    int y = 0;
    m_items.clear();
    for (const MenuItem& item : m_menu.m_hMenu->items) {
        const int h = item.separator ? kSeparatorHeight : kItemHeight;
        if (!item.separator) {
            CRect calc(0, 0, 1000, kItemHeight);
            measure.DrawText(CString(item.text), -1, &calc,
                             DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
            width = std::max(width, static_cast<int>(calc.Width()) + 2 * kTextInset + 16);
        }
        m_items.emplace_back(0, y, 0, y + h);
        y += h;
    }
    width = std::min(width + 2, kScreenWidth);  // with the one-pixel frame
    for (CRect& r : m_items)
        r.right = width - 2;
    const int height = std::min(y + 2, kScreenHeight - kTopBarHeight);

    int x = anchor.x;
    if (flags & TPM_RIGHTALIGN)
        x -= width;
    else if (flags & TPM_CENTERALIGN)
        x -= width / 2;
    int top = anchor.y;
    if (flags & TPM_BOTTOMALIGN)
        top -= height;
    else if (flags & TPM_VCENTERALIGN)
        top -= height / 2;
    x = std::clamp(x, 0, kScreenWidth - width);
    top = std::clamp(top, kTopBarHeight, kScreenHeight - height);
    CreateEx(WS_EX_TOPMOST, kPlainWindowClass, nullptr, WS_POPUP | WS_BORDER, x, top, width, height,
             nullptr, 0);
}

CRect MenuPopup::ItemRectOnScreen(int index) const {
    if (index < 0 || index >= ItemCount())
        return CRect();
    CRect r = m_items[static_cast<std::size_t>(index)];
    ClientToScreen(&r);
    return r;
}

CString MenuPopup::ItemText(int index) const {
    if (index < 0 || index >= ItemCount())
        return CString();
    return CString(ItemOf(m_menu, index).text);
}

bool MenuPopup::ItemEnabled(int index) const {
    return Choosable(index);
}

bool MenuPopup::Choosable(int index) const {
    if (index < 0 || index >= ItemCount())
        return false;
    const MenuItem& item = ItemOf(m_menu, index);
    return !item.separator && !item.popup && (item.state & (MF_GRAYED | MF_DISABLED)) == 0;
}

int MenuPopup::ItemAt(CPoint client) const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (m_items[static_cast<std::size_t>(i)].PtInRect(client))
            return i;
    }
    return -1;
}

void MenuPopup::Select(int index) {
    if (index == m_selected)
        return;
    m_selected = index;
    Invalidate(FALSE);
}

void MenuPopup::Choose(int index) {
    if (!Choosable(index))
        return;
    m_result = ItemOf(m_menu, index).id;
    m_done = true;
}

void MenuPopup::Cancel() {
    m_result = 0;
    m_done = true;
}

void MenuPopup::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_MENU));
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < ItemCount(); ++i) {
        const MenuItem& item = ItemOf(m_menu, i);
        const CRect r = m_items[static_cast<std::size_t>(i)];
        if (item.separator) {
            const CRect line(r.left + 2, r.top + r.Height() / 2, r.right - 2,
                             r.top + r.Height() / 2 + 1);
            dc.FillSolidRect(&line, GetSysColor(COLOR_BTNSHADOW));
            continue;
        }
        const bool enabled = Choosable(i);
        const bool selected = i == m_selected;
        if (selected)
            dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(!enabled   ? GetSysColor(COLOR_GRAYTEXT)
                        : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                   : GetSysColor(COLOR_MENUTEXT));
        const std::u16string_view text = item.text;
        const std::size_t tab = text.find(u'\t');
        CRect label(r.left + kTextInset, r.top, r.right - kTextInset, r.bottom);
        dc.DrawText(CString(text.substr(0, tab)), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (tab != std::u16string_view::npos) {
            dc.DrawText(CString(text.substr(tab + 1)), -1, &label,
                        DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

void MenuPopup::OnLButtonDown(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        Cancel();
        return;
    }
    m_pressed = true;
    Select(Choosable(ItemAt(point)) ? ItemAt(point) : -1);
}

void MenuPopup::OnMouseMove(UINT, CPoint point) {
    if (m_pressed)
        Select(Choosable(ItemAt(point)) ? ItemAt(point) : -1);
}

void MenuPopup::OnLButtonUp(UINT, CPoint point) {
    if (!m_pressed)
        return;  // the end of the tap that opened the menu
    m_pressed = false;
    const int index = ItemAt(point);
    if (Choosable(index))
        Choose(index);
}

void MenuPopup::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd != this && !m_done)
        Cancel();
}

void MenuPopup::OnKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        const int n = ItemCount();
        switch (msg.wParam) {
            case VK_ESCAPE:
                Cancel();
                return;
            case VK_RETURN:
                Choose(m_selected);
                return;
            case VK_UP:
            case VK_DOWN: {
                const int step = msg.wParam == VK_UP ? -1 : 1;
                int i = m_selected;
                for (int tries = 0; tries < n; ++tries) {
                    i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
                    if (!ItemOf(m_menu, i).separator)
                        break;
                }
                Select(i);
                return;
            }
            default:
                return;
        }
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        char16_t c = static_cast<char16_t>(msg.wParam);
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        for (int i = 0; i < ItemCount(); ++i) {
            if (Choosable(i) && MenuMnemonic(ItemOf(m_menu, i).text) == c) {
                Choose(i);
                return;
            }
        }
    }
}

}  // namespace platform
