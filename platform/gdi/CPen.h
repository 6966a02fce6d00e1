#pragma once
// A pen for lines and outlines. Solid and null pens are drawn as such; other styles are drawn
// solid. Widths above 1 draw a square of that size at each point of the line.

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/GdiStructs.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }

    static CPen* FromHandle(HPEN hPen) { return dynamic_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
};
