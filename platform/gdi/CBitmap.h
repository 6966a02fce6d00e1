#pragma once
// A bitmap: a Surface of 1 or 32 bits per pixel that a memory context can draw into.

#include <span>

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/GdiStructs.h"
#include "platform/gdi/Surface.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    // nBitcount 1 or 32 with nPlanes 1. lpBits, when given, holds the rows top first in the
    // platform's layout: 1 bpp rows padded to 16 bits, most significant bit leftmost, 1 white;
    // 32 bpp pixels as the bytes blue, green, red, unused. Without lpBits the pixels are black.
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    // The depth of what pDC draws into: a memory context's selected bitmap (1 bpp for a new
    // memory context, which holds the platform's initial 1 x 1 monochrome bitmap), a window
    // context's surface (32 bpp), or 32 bpp without a context. A zero width or height gives a
    // 1 x 1 monochrome bitmap, as on the platform.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // A BMP file, or a packed bitmap as resources hold it (no file header): 1, 4, 8, 24 or 32
    // bits per pixel, uncompressed. A black-and-white 1-bit picture stays 1 bpp; everything
    // else becomes 32 bpp. FALSE for anything malformed, truncated or too large.
    BOOL LoadBitmapFromBmp(std::span<const BYTE> bmp);

    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    // The dimension recorded by SetBitmapDimension, in 0.1 mm; (0, 0) until set. As on the
    // platform this is not the size in pixels: use GetBitmap or GetSize for that.
    CSize GetBitmapDimension() const;
    CSize SetBitmapDimension(int nWidth, int nHeight);

    // Extensions: the size in pixels, and the pixels themselves (null while empty).
    CSize GetSize() const;
    platform::Surface* GetSurface() const;

    static CBitmap* FromHandle(HBITMAP hBitmap) {
        return dynamic_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
    }

private:
    BOOL Adopt(platform::Surface surface);
};
