#include "platform/ui/MessageBoxWindow.h"

#include <algorithm>
#include <cmath>

#include "platform/base/MessageBox.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ScreenLayout.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

namespace {

constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 24;
constexpr int kBoxWidth = 224;
MessageBoxWindow* g_current = nullptr;

void FillRow(CDC& dc, int left, int right, int y, COLORREF color) {
    if (right > left) {
        const CRect row(left, y, right, y + 1);
        dc.FillSolidRect(&row, color);
    }
}

// A disc, or a triangle pointing up, as rows of the 32 x 32 square at (x, y).
void FillBadge(CDC& dc, int x, int y, bool triangle, COLORREF color) {
    for (int row = 0; row < kIconSize; ++row) {
        int half = 0;
        if (triangle) {
            half = (row * kIconSize / 2) / kIconSize + 1;
        } else {
            const double dy = row + 0.5 - kIconSize / 2.0;
            half = static_cast<int>(std::sqrt(std::max(0.0, 256.0 - dy * dy)) + 0.5);
        }
        FillRow(dc, x + kIconSize / 2 - half, x + kIconSize / 2 + half, y + row, color);
    }
}

}  // namespace

void DrawMessageBoxIcon(CDC& dc, const CRect& r, UINT iconType) {
    const int x = r.left, y = r.top;
    switch (iconType & MB_ICONMASK) {
        case MB_ICONSTOP: {
            // A red octagon with a white cross.
            constexpr int cut = 9;
            for (int row = 0; row < kIconSize; ++row) {
                const int inset = std::max({0, cut - row, cut - (kIconSize - 1 - row)});
                FillRow(dc, x + inset, x + kIconSize - inset, y + row, RGB(192, 0, 0));
            }
            for (int i = 0; i < 14; ++i) {
                const CRect a(x + 8 + i, y + 8 + i, x + 11 + i, y + 11 + i);
                const CRect b(x + 21 - i, y + 8 + i, x + 24 - i, y + 11 + i);
                dc.FillSolidRect(&a, RGB(255, 255, 255));
                dc.FillSolidRect(&b, RGB(255, 255, 255));
            }
            break;
        }
        case MB_ICONEXCLAMATION:
        case MB_ICONQUESTION:
        case MB_ICONINFORMATION: {
            const bool warning = (iconType & MB_ICONMASK) == MB_ICONEXCLAMATION;
            FillBadge(dc, x, y, warning, warning ? RGB(255, 204, 0) : RGB(0, 64, 192));
            CRect label(x, y + (warning ? 6 : 0), x + kIconSize, y + kIconSize);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(warning ? RGB(0, 0, 0) : RGB(255, 255, 255));
            const char16_t* glyph = warning                                       ? u"!"
                                    : (iconType & MB_ICONMASK) == MB_ICONQUESTION ? u"?"
                                                                                  : u"i";
            dc.DrawText(CString(glyph), -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        default:
            break;
    }
}

BEGIN_MESSAGE_MAP(MessageBoxWindow, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

MessageBoxWindow::MessageBoxWindow(const CString& text, UINT type) : m_text(text), m_type(type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            m_buttons = {{IDOK, u"OK", {}}, {IDCANCEL, u"Cancel", {}}};
            break;
        case MB_YESNO:
            m_buttons = {{IDYES, u"Yes", {}}, {IDNO, u"No", {}}};
            break;
        default:
            m_buttons = {{IDOK, u"OK", {}}};
            break;
    }
}

MessageBoxWindow* MessageBoxWindow::Current() {
    return g_current;
}

void MessageBoxWindow::Layout() {
    // Measured in the screen's own context, so that the wrapping is what is drawn.
    CClientDC dc(this);
    const bool icon = (m_type & MB_ICONMASK) != 0;
    const int inner = kBoxWidth - 2;  // inside the one-pixel frame
    m_iconRect = icon ? CRect(kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize) : CRect();
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    m_textRect = CRect(textLeft, kMargin, inner - kMargin, kMargin);
    CRect measured = m_textRect;
    measured.bottom = 10000;
    dc.DrawText(m_text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    m_textRect.bottom = m_textRect.top + measured.Height();
    // A short text stands beside the icon's middle.
    if (icon && m_textRect.Height() < kIconSize)
        m_textRect.OffsetRect(0, (kIconSize - m_textRect.Height()) / 2);

    const CRect work = WorkAreaRect();
    const int maxInner = work.Height() - 2;
    int buttonsTop = std::max(m_textRect.bottom, m_iconRect.bottom) + 12;
    buttonsTop = std::min(buttonsTop, maxInner - kMargin - kButtonHeight);
    m_textRect.bottom = std::min(static_cast<int>(m_textRect.bottom), buttonsTop - 4);
    const int count = static_cast<int>(m_buttons.size());
    const int rowWidth = count * kButtonWidth + (count - 1) * kMargin;
    int x = (inner - rowWidth) / 2;
    for (Button& b : m_buttons) {
        b.rect = CRect(x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight);
        x += kButtonWidth + kMargin;
    }
    const int height = buttonsTop + kButtonHeight + kMargin + 2;
    const int left = work.left + (work.Width() - kBoxWidth) / 2;
    const int top = work.top + (work.Height() - height) / 2;
    SetWindowPos(nullptr, left, top, kBoxWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int MessageBoxWindow::Run(const CString& caption) {
    if (!CreateEx(0, kPlainWindowClass, caption, WS_POPUP | WS_BORDER, 0, 0, kBoxWidth, 100,
                  ::GetActiveWindow(), 0))
        return DefaultButton(m_type);
    Layout();
    const HWND owner = ::GetActiveWindow();
    const bool disableOwner = owner != nullptr && owner != m_hWnd && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    MessageBoxWindow* const outer = g_current;
    g_current = this;
    ShowWindow(SW_SHOW);
    SetFocus();
    const bool completed = RunModalLoop([this] { return !m_done && m_hWnd != nullptr; });
    g_current = outer;
    if (!completed || !m_done)
        m_answer = DefaultButton(m_type);
    if (disableOwner && ::IsWindow(owner))
        ::EnableWindow(owner, TRUE);
    if (owner != nullptr && ::IsWindowVisible(owner))
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_answer;
}

CRect MessageBoxWindow::ButtonRectOnScreen(int index) const {
    if (index < 0 || index >= ButtonCount())
        return CRect();
    CRect r = m_buttons[static_cast<std::size_t>(index)].rect;
    ClientToScreen(&r);
    return r;
}

int MessageBoxWindow::ButtonAnswer(int index) const {
    return index >= 0 && index < ButtonCount() ? m_buttons[static_cast<std::size_t>(index)].answer
                                               : 0;
}

void MessageBoxWindow::Answer(int answer) {
    m_answer = answer;
    m_done = true;
}

int MessageBoxWindow::ButtonAt(CPoint point) const {
    for (int i = 0; i < ButtonCount(); ++i) {
        if (m_buttons[static_cast<std::size_t>(i)].rect.PtInRect(point))
            return i;
    }
    return -1;
}

void MessageBoxWindow::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    DrawMessageBoxIcon(dc, m_iconRect, m_type);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CRect text = m_textRect;
    dc.DrawText(m_text, -1, &text, DT_WORDBREAK | DT_NOPREFIX);
    for (int i = 0; i < ButtonCount(); ++i) {
        const Button& b = m_buttons[static_cast<std::size_t>(i)];
        const bool pressed = i == m_pressed;
        dc.FillSolidRect(&b.rect, GetSysColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
        dc.Draw3dRect(&b.rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        if (i == 0) {
            // The default button has a second frame.
            CRect inner = b.rect;
            inner.DeflateRect(1, 1);
            dc.Draw3dRect(&inner, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        }
        CRect label = b.rect;
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.DrawText(CString(b.label), -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void MessageBoxWindow::OnLButtonDown(UINT, CPoint point) {
    m_pressed = ButtonAt(point);
    Invalidate(FALSE);
}

void MessageBoxWindow::OnLButtonUp(UINT, CPoint point) {
    const int pressed = m_pressed;
    m_pressed = -1;
    Invalidate(FALSE);
    if (pressed >= 0 && ButtonAt(point) == pressed)
        Answer(m_buttons[static_cast<std::size_t>(pressed)].answer);
}

void MessageBoxWindow::OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == VK_RETURN) {
        Answer(m_buttons.front().answer);
    } else if (nChar == VK_ESCAPE) {
        const UINT buttons = m_type & MB_TYPEMASK;
        if (buttons == MB_OKCANCEL)
            Answer(IDCANCEL);
        else if (buttons == MB_OK)
            Answer(IDOK);
    }
}

UINT MessageBoxWindow::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

}  // namespace platform
