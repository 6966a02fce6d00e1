#pragma once
// What the standard controls share: the font and colours they draw with, the handheld's button
// edge and arrow heads, a context for measuring text outside a paint, and their notifications
// to the parent.

#include "platform/gdi/CDC.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// The font WM_SETFONT gave the control, or null for the system font.
CFont* ControlFont(HWND hwnd);
// Selects the control's font into dc; returns the font selected before (null when the control
// has none of its own and nothing was selected).
CFont* SelectControlFont(CDC& dc, HWND hwnd);

// Asks the parent for the control's colours (message is WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT ...),
// which sets dc's text and background colours, and returns the brush to fill the background
// with. A parent that answers no brush gets the window colour.
CBrush* ControlColors(HWND hwnd, CDC& dc, UINT message);

// A push button's edge inside r: raised (highlight top left, dark shadow bottom right, shadow
// inside it) or pressed (a flat shadow line).
void DrawButtonEdge(CDC& dc, const CRect& r, bool pressed);

enum class ArrowDirection { Up, Down, Left, Right };
// A filled triangle centred in box, size pixels from base to point.
void DrawArrowHead(CDC& dc, const CRect& box, ArrowDirection direction, int size, COLORREF color);

// A memory context with the control's font selected, for measuring text when no paint runs.
class MeasureDC {
public:
    explicit MeasureDC(HWND hwnd);
    CDC& dc() { return m_dc; }

private:
    CDC m_dc;
};

// The control's notification to its parent: WM_COMMAND with the control id in the low word of
// the first parameter and code in its high word, the control's handle in the second.
void NotifyParent(HWND hwnd, UINT code);

}  // namespace platform
