#pragma once
// The state behind a CDC, shared by the files that implement it. Internal.

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiResource.h"
#include "platform/gdi/TextLayout.h"

// What SaveDC keeps.
struct DcAttributes {
    std::shared_ptr<GdiResource> bitmap;  // memory contexts only
    std::shared_ptr<GdiResource> font;
    std::shared_ptr<GdiResource> brush;
    std::shared_ptr<GdiResource> pen;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    CPoint viewportOrg;
    std::optional<CRect> clip;  // surface coordinates, from IntersectClipRect
    CPoint currentPos;          // logical
};

struct DcState {
    DcAttributes attrs;
    platform::Surface* attached = nullptr;  // surface contexts
    CPoint origin;                          // surface contexts
    CRect attachClip;                       // surface contexts
    std::vector<DcAttributes> saved;
    // Objects made for resources whose own object was deleted while selected, so that
    // SelectObject still has something to return; they live as long as the context.
    std::vector<std::unique_ptr<CGdiObject>> temporaries;
    // Scratch space for text layout, kept to spare an allocation per call.
    std::vector<platform::TextItem> items;
    std::vector<platform::TextLine> lines;

    // Where drawing lands: the surface, the offset from logical to surface coordinates and
    // the clip in surface coordinates.
    struct Target {
        platform::Surface* surface = nullptr;
        CPoint offset;
        CRect clip;
    };

    platform::Surface* CurrentSurface() const {
        if (attached)
            return attached;
        if (attrs.bitmap)
            return &static_cast<BitmapResource&>(*attrs.bitmap).surface;
        return nullptr;
    }
    CPoint Offset() const { return origin + attrs.viewportOrg; }
    // The clip before IntersectClipRect narrowed it.
    CRect BaseClip() const {
        platform::Surface* s = CurrentSurface();
        if (!s)
            return CRect();
        CRect clip = s->Bounds();
        if (attached)
            clip &= attachClip;
        return clip;
    }
    std::optional<Target> GetTarget() const {
        platform::Surface* s = CurrentSurface();
        if (!s)
            return std::nullopt;
        Target t{s, Offset(), BaseClip()};
        if (attrs.clip)
            t.clip &= *attrs.clip;
        return t;
    }
    platform::FontFace* Face() const {
        return attrs.font ? static_cast<FontResource&>(*attrs.font).face.get() : nullptr;
    }
    const LOGFONT* LogFont() const {
        return attrs.font ? &static_cast<FontResource&>(*attrs.font).logFont : nullptr;
    }
    platform::GlyphMode Mode() const {
        const platform::Surface* s = CurrentSurface();
        return s && s->IsMono() ? platform::GlyphMode::Mono : platform::GlyphMode::Gray;
    }
};
