#pragma once
// How a scroll bar looks: arrow buttons and a thumb in the button face with a 3-D edge, a
// lighter track, black arrow heads (grey when the bar is disabled).

#include "platform/gdi/CDC.h"
#include "platform/ui/ScrollBarState.h"

namespace platform {

// bar is in dc's logical coordinates.
void PaintScrollBar(CDC& dc, const CRect& bar, const ScrollBarState& state, bool vertical);

}  // namespace platform
