#include "platform/gdi/CBitmap.h"

#include "platform/gdi/BmpDecoder.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiResource.h"

namespace {
BitmapResource* BitmapOf(const CGdiObject& object) {
    const auto& resource = object.Resource();
    return resource && resource->kind == GdiKind::Bitmap
               ? static_cast<BitmapResource*>(resource.get())
               : nullptr;
}
}  // namespace

BOOL CBitmap::Adopt(platform::Surface surface) {
    AttachResource(std::make_shared<BitmapResource>(std::move(surface)));
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    const int bpp = static_cast<int>(nBitcount);
    if (nPlanes != 1 || !platform::Surface::CanCreate(nWidth, nHeight, bpp))
        return FALSE;
    platform::Surface surface(nWidth, nHeight, bpp);
    if (lpBits) {
        const auto* bits = static_cast<const std::uint8_t*>(lpBits);
        if (bpp == 1) {
            const int rowBytes = (nWidth + 15) / 16 * 2;
            for (int y = 0; y < nHeight; ++y) {
                for (int x = 0; x < nWidth; ++x) {
                    const std::uint8_t byte =
                        bits[static_cast<std::size_t>(y) * rowBytes + (x >> 3)];
                    surface.SetPixel(x, y, (byte >> (7 - (x & 7))) & 1u);
                }
            }
        } else {
            for (int y = 0; y < nHeight; ++y) {
                for (int x = 0; x < nWidth; ++x) {
                    const std::uint8_t* p =
                        bits +
                        (static_cast<std::size_t>(y) * nWidth + static_cast<std::size_t>(x)) * 4;
                    surface.SetPixel(
                        x, y, (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0]);
                }
            }
        }
    }
    return Adopt(std::move(surface));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    if (nWidth == 0 || nHeight == 0)
        return CreateBitmap(1, 1, 1, 1, nullptr);
    const platform::Surface* target = pDC ? pDC->GetSurface() : nullptr;
    return CreateBitmap(nWidth, nHeight, 1, target ? target->BitsPerPixel() : 32, nullptr);
}

BOOL CBitmap::LoadBitmapFromBmp(std::span<const BYTE> bmp) {
    auto surface = platform::DecodeBmp(bmp);
    if (!surface)
        return FALSE;
    return Adopt(std::move(*surface));
}

CSize CBitmap::GetBitmapDimension() const {
    const BitmapResource* b = BitmapOf(*this);
    return b ? b->dimension : CSize();
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
    BitmapResource* b = BitmapOf(*this);
    if (!b)
        return CSize();
    const CSize previous = b->dimension;
    b->dimension = CSize(nWidth, nHeight);
    return previous;
}

CSize CBitmap::GetSize() const {
    const BitmapResource* b = BitmapOf(*this);
    return b ? CSize(b->surface.Width(), b->surface.Height()) : CSize();
}

platform::Surface* CBitmap::GetSurface() const {
    BitmapResource* b = BitmapOf(*this);
    return b ? &b->surface : nullptr;
}
