#pragma once
// The state and geometry of a scroll bar: a window's own bars (WS_VSCROLL, WS_HSCROLL) and the
// scroll-bar control share it. Pure arithmetic, so that it is tested without windows.
//
// A vertical bar is an arrow button at each end, each as high as the bar is wide, and the track
// between them with a thumb whose length is in proportion to the page. A bar too short for a
// thumb shows its arrows only.

#include "platform/base/Types.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// The width of a vertical bar, the height of a horizontal one (SM_CXVSCROLL, SM_CYHSCROLL).
inline constexpr int kScrollBarSize = 13;
// The shortest thumb, so that a long range still leaves something to drag.
inline constexpr int kMinThumbLength = 8;

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ScrollBarGeometry {
    CRect upArrow;    // left arrow for a horizontal bar
    CRect downArrow;  // right arrow
    CRect track;      // between the arrows
    CRect thumb;      // empty when the bar shows no thumb
};

struct ScrollBarState {
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool disabled = false;  // EnableScrollBar: the arrows and the thumb do nothing

    // While the stylus drags the thumb or holds an arrow or the track.
    ScrollPart tracking = ScrollPart::None;
    int dragOffset = 0;  // from the thumb's leading edge to the stylus, along the bar

    // The highest position the range allows: nMax - nPage + 1 with a page, else nMax; never
    // below nMin.
    int MaxPosition() const;
    int Clamp(int pos) const;
    // Applies what fMask selects of info; the position is then clamped to the range. Returns
    // the position.
    int Set(const SCROLLINFO& info);
    void Get(SCROLLINFO& info) const;
    // Whether the range is larger than the page, so there is anything to scroll.
    bool CanScroll() const { return MaxPosition() > nMin; }

    // Geometry inside bar (coordinates of the caller's choosing).
    ScrollBarGeometry Layout(const CRect& bar, bool vertical) const;
    ScrollPart HitTest(const CRect& bar, bool vertical, CPoint pt) const;
    // The position whose thumb has its leading edge at `edge`, along the bar.
    int PositionForThumbEdge(const CRect& bar, bool vertical, int edge) const;
};

}  // namespace platform
