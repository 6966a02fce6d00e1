#include "platform/ui/CButton.h"

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowMessageMap.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create(u"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL bHighlight) {
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight));
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    SendMessage(BM_SETSTYLE, nStyle, bRedraw);
}

namespace platform {

BEGIN_MESSAGE_MAP(ButtonControl, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(BM_CLICK, OnClick)
ON_MESSAGE(BM_GETSTATE, OnGetState)
ON_MESSAGE(BM_SETSTATE, OnSetState)
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
END_MESSAGE_MAP()

void ButtonControl::OnPaint() {
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    const bool isDefault = (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const bool enabled = IsWindowEnabled() != FALSE;
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    if (isDefault) {
        // The default button wears an extra black frame.
        dc.Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        r.DeflateRect(1, 1);
    }
    DrawButtonEdge(dc, r, m_pressed);

    CString text;
    GetWindowText(text);
    CRect label = r;
    label.DeflateRect(2, 2);
    if (m_pressed)
        label.OffsetRect(1, 1);
    CFont* old = SelectControlFont(dc, m_hWnd);
    dc.SetBkMode(TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!enabled) {
        dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect shadow = label + CPoint(1, 1);
        dc.DrawText(text, &shadow, format);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else {
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    }
    dc.DrawText(text, &label, format);
    if (old != nullptr)
        dc.SelectObject(old);
    if (::GetFocus() == m_hWnd) {
        CRect focus = r;
        focus.DeflateRect(3, 3);
        if (!focus.IsRectEmpty())
            dc.DrawFocusRect(&focus);
    }
}

void ButtonControl::SetPressed(bool pressed) {
    if (m_pressed == pressed)
        return;
    m_pressed = pressed;
    Invalidate(FALSE);
}

void ButtonControl::Click() {
    // The parent may close the dialog that holds the button: nothing of the button is
    // touched after this.
    NotifyParent(m_hWnd, BN_CLICKED);
}

void ButtonControl::OnLButtonDown(UINT, CPoint) {
    SetFocus();
    if (m_hWnd == nullptr)
        return;
    SetCapture();
    m_tracking = true;
    SetPressed(true);
}

void ButtonControl::OnMouseMove(UINT, CPoint point) {
    if (!m_tracking)
        return;
    CRect client;
    GetClientRect(&client);
    SetPressed(client.PtInRect(point) != FALSE);
}

void ButtonControl::OnLButtonUp(UINT, CPoint point) {
    if (!m_tracking)
        return;
    m_tracking = false;
    CRect client;
    GetClientRect(&client);
    const bool inside = client.PtInRect(point) != FALSE;
    SetPressed(false);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (inside)
        Click();
}

void ButtonControl::OnCaptureChanged(CWnd* pWnd) {
    // Something else took the stylus (a message box, a menu): the press is abandoned.
    if (m_tracking && pWnd != this) {
        m_tracking = false;
        SetPressed(false);
    }
}

void ButtonControl::OnKeyDown(UINT nChar, UINT, UINT nFlags) {
    if (nChar == VK_SPACE) {
        // Held keys repeat; the press began with the first.
        const bool repeat = (nFlags & 0x4000) != 0;
        if (!repeat || !m_keyDown) {
            m_keyDown = true;
            SetPressed(true);
        }
    } else if (nChar == VK_RETURN) {
        Click();
    }
}

void ButtonControl::OnKeyUp(UINT nChar, UINT, UINT) {
    if (nChar != VK_SPACE || !m_keyDown)
        return;
    m_keyDown = false;
    SetPressed(false);
    Click();
}

void ButtonControl::OnSetFocus(CWnd*) {
    Invalidate(FALSE);
}

void ButtonControl::OnKillFocus(CWnd*) {
    if (m_keyDown) {
        m_keyDown = false;
        SetPressed(false);
    }
    Invalidate(FALSE);
}

void ButtonControl::OnEnable(BOOL bEnable) {
    if (!bEnable) {
        m_tracking = false;
        m_keyDown = false;
        m_pressed = false;
    }
    Invalidate(FALSE);
}

UINT ButtonControl::OnGetDlgCode() {
    return DLGC_BUTTON | ((GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                                                         : DLGC_UNDEFPUSHBUTTON);
}

LRESULT ButtonControl::OnSetText(WPARAM, LPARAM) {
    const LRESULT result = Default();
    Invalidate(FALSE);
    return result;
}

LRESULT ButtonControl::OnClick(WPARAM, LPARAM) {
    if (IsWindowEnabled() && IsWindowVisible())
        Click();
    return 0;
}

LRESULT ButtonControl::OnGetState(WPARAM, LPARAM) {
    return (m_pressed ? BST_PUSHED : 0) | (::GetFocus() == m_hWnd ? BST_FOCUS : 0);
}

LRESULT ButtonControl::OnSetState(WPARAM wParam, LPARAM) {
    SetPressed(wParam != 0);
    return 0;
}

LRESULT ButtonControl::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const DWORD style = (GetStyle() & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    if (lParam)
        Invalidate(FALSE);
    return 0;
}

void RegisterButtonClass() {
    RegisterWindowClass({u"BUTTON", [] { return std::make_unique<ButtonControl>(); }, -1});
}

}  // namespace platform
