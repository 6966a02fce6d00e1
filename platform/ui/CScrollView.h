#pragma once
// A view larger than its window: SetScrollSizes gives the size of what it shows, and the view
// shows standard scroll bars for what does not fit (a bar that appears narrows the client
// area, which may call for the other bar too). The bars' arrows, their page areas and a
// dragged thumb scroll it, and so does the wheel; before OnDraw the paint context's origin is
// moved by the scroll position, so OnDraw draws in the coordinates of the whole.
//
// Default steps (sizeDefault): a page is the visible height (or width), a line a tenth of it;
// a notch of the wheel is three lines.

#include "platform/ui/CView.h"

inline constexpr int MM_TEXT = 1;

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    // Only MM_TEXT (pixels) is known to this platform; other modes are taken as pixels too.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const { return GetScrollPosition(); }
    // Clamped to what the sizes allow: 0 ... total - client on each axis.
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalDev; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    void OnPrepareDC(CDC* pDC, void* pInfo = nullptr) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()

protected:
    CScrollView();
    // Shows, hides and sets the bars for the sizes and the client area.
    void UpdateBars();
    // Scrolls by a bar's request; TRUE when the position changed.
    BOOL OnScroll(int nBar, UINT nSBCode);
    CSize PageSize() const;
    CSize LineSize() const;

    int m_nMapMode = 0;
    CSize m_totalDev;
    CSize m_pageDev;  // 0: the default
    CSize m_lineDev;  // 0: the default

private:
    bool m_bInsideUpdate = false;
    int m_wheelRemainder = 0;
};
