#pragma once
// What a drawing handle stands for. A GDI object (CBitmap, CFont ...) and every device context
// that has it selected share one resource, so deleting an object that is still selected only
// lets go of the object's share: the context draws on with it until something else is
// selected, and nothing dangles. (The platform refuses such a delete and leaks the object.)
// Internal to the drawing layer; callers see handles and the C... classes.

#include <memory>

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/GdiStructs.h"
#include "platform/gdi/Surface.h"

class CGdiObject;

enum class GdiKind { Bitmap, Font, Brush, Pen };

struct GdiResource {
    explicit GdiResource(GdiKind k) : kind(k) {}
    virtual ~GdiResource() = default;
    GdiResource(const GdiResource&) = delete;
    GdiResource& operator=(const GdiResource&) = delete;

    const GdiKind kind;
    // The object that made it, while that object holds it: what FromHandle and SelectObject
    // hand back for the handle.
    CGdiObject* owner = nullptr;
};

struct BitmapResource : GdiResource {
    explicit BitmapResource(platform::Surface s)
        : GdiResource(GdiKind::Bitmap), surface(std::move(s)) {}
    platform::Surface surface;
    CSize dimension;  // SetBitmapDimension's value, in 0.1 mm
};

struct FontResource : GdiResource {
    FontResource(const LOGFONT& lf, std::shared_ptr<platform::FontFace> f)
        : GdiResource(GdiKind::Font), logFont(lf), face(std::move(f)) {}
    LOGFONT logFont;
    std::shared_ptr<platform::FontFace> face;  // null only when no font is installed at all
};

struct BrushResource : GdiResource {
    BrushResource(bool isNull, COLORREF c) : GdiResource(GdiKind::Brush), null(isNull), color(c) {}
    bool null;
    COLORREF color;
};

struct PenResource : GdiResource {
    PenResource(int s, int w, COLORREF c)
        : GdiResource(GdiKind::Pen), style(s), width(w), color(c) {}
    int style;
    int width;
    COLORREF color;
};

namespace platform {
// The stock resources: GetStockObject's, and the 1 x 1 monochrome bitmap that a new memory
// context holds. Each has a permanent owner object.
std::shared_ptr<GdiResource> StockResource(int index);
std::shared_ptr<GdiResource> StockBitmapResource();
}  // namespace platform
