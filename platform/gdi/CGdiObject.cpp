#include "platform/gdi/CGdiObject.h"

#include <cstring>

#include "platform/gdi/GdiResource.h"

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::DeleteObject() {
    if (!m_resource)
        return FALSE;
    if (m_resource->owner == this)
        m_resource->owner = nullptr;
    m_resource.reset();
    return TRUE;
}

void CGdiObject::AttachResource(std::shared_ptr<GdiResource> resource) {
    DeleteObject();
    m_resource = std::move(resource);
    if (m_resource && !m_resource->owner)
        m_resource->owner = this;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return hObject ? hObject->owner : nullptr;
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
    auto stock = platform::StockResource(nIndex);
    if (!stock)
        return FALSE;
    AttachResource(std::move(stock));
    return TRUE;
}

namespace {
template <class T>
int Copy(const T& value, int nCount, void* lpObject) {
    if (!lpObject)
        return static_cast<int>(sizeof(T));
    if (nCount < static_cast<int>(sizeof(T)))
        return 0;
    std::memcpy(lpObject, &value, sizeof(T));
    return static_cast<int>(sizeof(T));
}
}  // namespace

int CGdiObject::GetObject(int nCount, void* lpObject) const {
    if (!m_resource)
        return 0;
    switch (m_resource->kind) {
        case GdiKind::Font:
            return Copy(static_cast<const FontResource&>(*m_resource).logFont, nCount, lpObject);
        case GdiKind::Bitmap: {
            const auto& s = static_cast<const BitmapResource&>(*m_resource).surface;
            const BITMAP bm{0,          s.Width(), s.Height(),
                            s.Stride(), 1,         static_cast<WORD>(s.BitsPerPixel()),
                            nullptr};
            return Copy(bm, nCount, lpObject);
        }
        case GdiKind::Brush: {
            const auto& b = static_cast<const BrushResource&>(*m_resource);
            return Copy(LOGBRUSH{b.null ? BS_NULL : BS_SOLID, b.color, 0}, nCount, lpObject);
        }
        case GdiKind::Pen: {
            const auto& p = static_cast<const PenResource&>(*m_resource);
            return Copy(LOGPEN{static_cast<UINT>(p.style), POINT{p.width, 0}, p.color}, nCount,
                        lpObject);
        }
    }
    return 0;
}
