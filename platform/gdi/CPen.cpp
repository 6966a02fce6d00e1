#include "platform/gdi/CPen.h"

#include <algorithm>

#include "platform/gdi/GdiResource.h"

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (nPenStyle < PS_SOLID || nPenStyle > PS_NULL)
        return FALSE;
    // A width of 0 is one pixel, as on the platform; very wide pens are capped.
    const int width = std::clamp(nWidth, 1, 64);
    AttachResource(std::make_shared<PenResource>(nPenStyle, width, crColor & 0x00FFFFFF));
    return TRUE;
}
