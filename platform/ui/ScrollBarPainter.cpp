#include "platform/ui/ScrollBarPainter.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"

namespace platform {

namespace {

void PaintButtonFace(CDC& dc, const CRect& r, bool pressed) {
    if (r.IsRectEmpty())
        return;
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    if (pressed) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        CRect inner = r;
        inner.DeflateRect(1, 1);
        if (!inner.IsRectEmpty())
            dc.Draw3dRect(&inner, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
    }
}

// A filled triangle pointing up, down, left or right, centred in r.
void PaintArrowHead(CDC& dc, const CRect& r, int direction, COLORREF color) {
    const int size = std::max(2, std::min(r.Width(), r.Height()) / 3);
    const CPoint c = r.CenterPoint();
    for (int i = 0; i < size; ++i) {
        // Row i of the triangle, from its point outwards: 2i + 1 pixels wide.
        CRect line;
        switch (direction) {
            case 0:  // up
                line = CRect(c.x - i, c.y - size / 2 + i, c.x + i + 1, c.y - size / 2 + i + 1);
                break;
            case 1:  // down
                line = CRect(c.x - i, c.y + size / 2 - i, c.x + i + 1, c.y + size / 2 - i + 1);
                break;
            case 2:  // left
                line = CRect(c.x - size / 2 + i, c.y - i, c.x - size / 2 + i + 1, c.y + i + 1);
                break;
            default:  // right
                line = CRect(c.x + size / 2 - i, c.y - i, c.x + size / 2 - i + 1, c.y + i + 1);
                break;
        }
        dc.FillSolidRect(&line, color);
    }
}

}  // namespace

void PaintScrollBar(CDC& dc, const CRect& bar, const ScrollBarState& state, bool vertical) {
    const ScrollBarGeometry g = state.Layout(bar, vertical);
    const bool active = !state.disabled && state.CanScroll();
    const COLORREF arrowColor = active ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
    // The track: a light grey, darker where the stylus holds it.
    dc.FillSolidRect(&g.track, RGB(224, 224, 224));
    if (state.tracking == ScrollPart::PageUp || state.tracking == ScrollPart::PageDown) {
        CRect held = g.track;
        if (!g.thumb.IsRectEmpty()) {
            if (vertical) {
                if (state.tracking == ScrollPart::PageUp)
                    held.bottom = g.thumb.top;
                else
                    held.top = g.thumb.bottom;
            } else {
                if (state.tracking == ScrollPart::PageUp)
                    held.right = g.thumb.left;
                else
                    held.left = g.thumb.right;
            }
        }
        dc.FillSolidRect(&held, GetSysColor(COLOR_BTNSHADOW));
    }
    PaintButtonFace(dc, g.upArrow, state.tracking == ScrollPart::LineUp);
    PaintButtonFace(dc, g.downArrow, state.tracking == ScrollPart::LineDown);
    PaintArrowHead(dc, g.upArrow, vertical ? 0 : 2, arrowColor);
    PaintArrowHead(dc, g.downArrow, vertical ? 1 : 3, arrowColor);
    PaintButtonFace(dc, g.thumb, false);
}

}  // namespace platform
