#include "platform/ui/ScrollBarState.h"

#include <algorithm>
#include <cstdint>

namespace platform {

int ScrollBarState::MaxPosition() const {
    const std::int64_t top = nPage > 0 ? std::int64_t{nMax} - nPage + 1 : nMax;
    return static_cast<int>(std::max<std::int64_t>(top, nMin));
}

int ScrollBarState::Clamp(int pos) const {
    return std::clamp(pos, nMin, MaxPosition());
}

int ScrollBarState::Set(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        nMin = info.nMin;
        nMax = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE) {
        const std::int64_t span = std::int64_t{nMax} - nMin + 1;
        nPage = static_cast<UINT>(std::min<std::int64_t>(info.nPage, span));
    }
    if (info.fMask & SIF_POS)
        nPos = info.nPos;
    nPos = Clamp(nPos);
    if (tracking != ScrollPart::Thumb)
        nTrackPos = nPos;
    return nPos;
}

void ScrollBarState::Get(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = nMin;
        info.nMax = nMax;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = nPage;
    if (info.fMask & SIF_POS)
        info.nPos = nPos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = tracking == ScrollPart::Thumb ? nTrackPos : nPos;
}

namespace {

// The bar seen along its length: a vertical bar's y, a horizontal bar's x.
struct Axis {
    int start, end, breadth;
};

Axis AlongBar(const CRect& bar, bool vertical) {
    return vertical ? Axis{bar.top, bar.bottom, bar.Width()}
                    : Axis{bar.left, bar.right, bar.Height()};
}

CRect Span(const CRect& bar, bool vertical, int from, int to) {
    return vertical ? CRect(bar.left, from, bar.right, to) : CRect(from, bar.top, to, bar.bottom);
}

}  // namespace

ScrollBarGeometry ScrollBarState::Layout(const CRect& bar, bool vertical) const {
    ScrollBarGeometry g;
    const Axis a = AlongBar(bar, vertical);
    const int length = a.end - a.start;
    // Arrows share a bar shorter than two squares.
    const int arrow = std::min(a.breadth, length / 2);
    g.upArrow = Span(bar, vertical, a.start, a.start + arrow);
    g.downArrow = Span(bar, vertical, a.end - arrow, a.end);
    g.track = Span(bar, vertical, a.start + arrow, a.end - arrow);
    const int trackLength = length - 2 * arrow;
    if (disabled || !CanScroll() || trackLength < kMinThumbLength)
        return g;

    const std::int64_t range = std::int64_t{nMax} - nMin + 1;
    const std::int64_t page = nPage > 0 ? nPage : 1;
    int thumbLength = static_cast<int>(std::int64_t{trackLength} * page / range);
    thumbLength = std::clamp(thumbLength, kMinThumbLength, trackLength);
    const int pos = tracking == ScrollPart::Thumb ? nTrackPos : nPos;
    const std::int64_t travel = trackLength - thumbLength;
    const std::int64_t steps = std::int64_t{MaxPosition()} - nMin;
    const int offset = steps > 0 ? static_cast<int>((pos - nMin) * travel / steps) : 0;
    const int thumbStart = a.start + arrow + offset;
    g.thumb = Span(bar, vertical, thumbStart, thumbStart + thumbLength);
    return g;
}

ScrollPart ScrollBarState::HitTest(const CRect& bar, bool vertical, CPoint pt) const {
    if (!bar.PtInRect(pt))
        return ScrollPart::None;
    const ScrollBarGeometry g = Layout(bar, vertical);
    if (g.upArrow.PtInRect(pt))
        return ScrollPart::LineUp;
    if (g.downArrow.PtInRect(pt))
        return ScrollPart::LineDown;
    if (g.thumb.IsRectEmpty())
        return ScrollPart::None;
    if (g.thumb.PtInRect(pt))
        return ScrollPart::Thumb;
    const int along = vertical ? pt.y : pt.x;
    const int thumbStart = vertical ? g.thumb.top : g.thumb.left;
    return along < thumbStart ? ScrollPart::PageUp : ScrollPart::PageDown;
}

int ScrollBarState::PositionForThumbEdge(const CRect& bar, bool vertical, int edge) const {
    const ScrollBarGeometry g = Layout(bar, vertical);
    if (g.thumb.IsRectEmpty())
        return nPos;
    const int trackStart = vertical ? g.track.top : g.track.left;
    const int trackLength = vertical ? g.track.Height() : g.track.Width();
    const int thumbLength = vertical ? g.thumb.Height() : g.thumb.Width();
    const std::int64_t travel = trackLength - thumbLength;
    const std::int64_t steps = std::int64_t{MaxPosition()} - nMin;
    if (travel <= 0)
        return nPos;
    const std::int64_t offset = std::clamp<std::int64_t>(edge - trackStart, 0, travel);
    // Rounded, so that every position can be reached by dragging.
    return Clamp(static_cast<int>(nMin + (offset * steps + travel / 2) / travel));
}

}  // namespace platform
