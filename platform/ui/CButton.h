#pragma once
// The push button ("BUTTON"). It looks pressed while the stylus holds it and clicks
// (BN_CLICKED to its parent) when the stylus is lifted over it; Space, Enter and BM_CLICK click
// it too. Its text's '&' marks the mnemonic, drawn underlined. CButton is the wrapper; the
// control's behaviour is platform::ButtonControl. Only push buttons are drawn: the reader has
// no other kind.

#include "platform/ui/CWnd.h"

inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_TYPEMASK = 0x000F;

// Button messages (BM_CLICK comes with the window messages).
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;  // wParam TRUE: the pressed look
inline constexpr UINT BM_SETSTYLE = 0x00F4;  // wParam the new type, lParam TRUE to redraw

// BM_GETSTATE's answer.
inline constexpr UINT BST_PUSHED = 0x0004;
inline constexpr UINT BST_FOCUS = 0x0008;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};

namespace platform {

class ButtonControl : public CWnd {
public:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    UINT OnGetDlgCode();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetState(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void SetPressed(bool pressed);
    void Click();

    bool m_pressed = false;   // drawn pushed in
    bool m_tracking = false;  // the stylus went down on the button and is not lifted yet
    bool m_keyDown = false;   // Space is held on the focused button
};

void RegisterButtonClass();

}  // namespace platform
