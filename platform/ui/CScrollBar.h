#pragma once
// The scroll-bar control ("SCROLLBAR"): a bar as a window of its own, which reports to its
// parent with WM_VSCROLL / WM_HSCROLL (the control's handle in the second parameter), as a
// window's own scroll bars do. CScrollBar is the wrapper; the control's behaviour is
// platform::ScrollBarControl, which the class registration gives every such window.

#include "platform/ui/CWnd.h"
#include "platform/ui/ScrollBarState.h"

inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    int GetScrollLimit();
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH);
};

namespace platform {

class ScrollBarControl : public CWnd {
public:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnEnable(BOOL bEnable);
    LRESULT OnSetScrollInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetScrollInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetRangeRedraw(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableArrows(WPARAM wParam, LPARAM lParam);

    const ScrollBarState& State() const { return m_state; }

    DECLARE_MESSAGE_MAP()

private:
    bool Vertical() const { return (GetStyle() & SBS_VERT) != 0; }
    CRect Bar() const;
    void Notify(UINT code, int pos);
    void Finish(bool notify);

    ScrollBarState m_state;
};

void RegisterScrollBarClass();

}  // namespace platform
