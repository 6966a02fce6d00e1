#include "platform/gdi/CBrush.h"

#include "platform/gdi/GdiResource.h"
#include "platform/gdi/SystemColors.h"

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    AttachResource(std::make_shared<BrushResource>(false, crColor & 0x00FFFFFF));
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return CreateSolidBrush(GetSysColor(nIndex));
}
