#pragma once
// A brush: a solid colour, or the null brush that paints nothing.

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/GdiStructs.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    BOOL CreateSolidBrush(COLORREF crColor);
    // A brush of the system colour's current value (COLOR_WINDOW ...).
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }

    static CBrush* FromHandle(HBRUSH hBrush) {
        return dynamic_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
    }
};
