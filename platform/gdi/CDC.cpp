#include "platform/gdi/CDC.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/gdi/DcState.h"

namespace {

DcAttributes DefaultAttributes() {
    DcAttributes a;
    a.font = platform::StockResource(SYSTEM_FONT);
    a.brush = platform::StockResource(WHITE_BRUSH);
    a.pen = platform::StockResource(BLACK_PEN);
    return a;
}

// A rectangle from two corners in any order.
CRect Normalized(int x1, int y1, int x2, int y2) {
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    return r;
}

}  // namespace

CDC::CDC() = default;
CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/) {
    auto state = std::make_unique<DcState>();
    state->attrs = DefaultAttributes();
    state->attrs.bitmap = platform::StockBitmapResource();
    if (!state->attrs.bitmap)
        return FALSE;
    m_state = std::move(state);
    return TRUE;
}

BOOL CDC::AttachSurface(platform::Surface* surface, CPoint origin, const CRect& clip) {
    if (!surface)
        return FALSE;
    auto state = std::make_unique<DcState>();
    state->attrs = DefaultAttributes();
    state->attached = surface;
    state->origin = origin;
    state->attachClip = clip;
    m_state = std::move(state);
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_state)
        return FALSE;
    m_state.reset();
    return TRUE;
}

platform::Surface* CDC::GetSurface() const {
    return m_state ? m_state->CurrentSurface() : nullptr;
}

CPoint CDC::GetSurfaceOrigin() const {
    return m_state ? m_state->origin : CPoint();
}

int CDC::GetDeviceCaps(int nIndex) const {
    switch (nIndex) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case HORZRES:
            return 240;
        case VERTRES:
            return 320;
        case PLANES:
            return 1;
        case BITSPIXEL: {
            const platform::Surface* s = GetSurface();
            return s ? s->BitsPerPixel() : 32;
        }
        default:
            return 0;
    }
}

// --- Objects ---------------------------------------------------------------------------------

CGdiObject* CDC::OwnerOf(const std::shared_ptr<GdiResource>& resource) const {
    if (!resource)
        return nullptr;
    if (resource->owner)
        return resource->owner;
    // The object that made it is gone; hand back a stand-in that shares the resource.
    std::unique_ptr<CGdiObject> standIn;
    switch (resource->kind) {
        case GdiKind::Bitmap:
            standIn = std::make_unique<CBitmap>();
            break;
        case GdiKind::Font:
            standIn = std::make_unique<CFont>();
            break;
        case GdiKind::Brush:
            standIn = std::make_unique<CBrush>();
            break;
        case GdiKind::Pen:
            standIn = std::make_unique<CPen>();
            break;
    }
    standIn->AttachResource(resource);
    m_state->temporaries.push_back(std::move(standIn));
    return m_state->temporaries.back().get();
}

template <class T>
T* CDC::Select(T* object, GdiKind kind) {
    if (!m_state || !object || !object->Resource() || object->Resource()->kind != kind) {
        return nullptr;
    }
    std::shared_ptr<GdiResource>* slot = nullptr;
    switch (kind) {
        case GdiKind::Bitmap:
            if (m_state->attached)
                return nullptr;
            slot = &m_state->attrs.bitmap;
            break;
        case GdiKind::Font:
            slot = &m_state->attrs.font;
            break;
        case GdiKind::Brush:
            slot = &m_state->attrs.brush;
            break;
        case GdiKind::Pen:
            slot = &m_state->attrs.pen;
            break;
    }
    std::shared_ptr<GdiResource> previous = std::exchange(*slot, object->Resource());
    return dynamic_cast<T*>(OwnerOf(previous));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return Select(pBitmap, GdiKind::Bitmap);
}
CFont* CDC::SelectObject(CFont* pFont) {
    return Select(pFont, GdiKind::Font);
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
    return Select(pBrush, GdiKind::Brush);
}
CPen* CDC::SelectObject(CPen* pPen) {
    return Select(pPen, GdiKind::Pen);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    if (!pObject || !pObject->Resource())
        return nullptr;
    return Select(pObject, pObject->Resource()->kind);
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    const auto stock = platform::StockResource(nIndex);
    return stock ? SelectObject(stock->owner) : nullptr;
}

CFont* CDC::GetCurrentFont() const {
    return m_state ? dynamic_cast<CFont*>(OwnerOf(m_state->attrs.font)) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const {
    return m_state ? dynamic_cast<CBitmap*>(OwnerOf(m_state->attrs.bitmap)) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
    return m_state ? dynamic_cast<CBrush*>(OwnerOf(m_state->attrs.brush)) : nullptr;
}
CPen* CDC::GetCurrentPen() const {
    return m_state ? dynamic_cast<CPen*>(OwnerOf(m_state->attrs.pen)) : nullptr;
}

// --- Attributes ------------------------------------------------------------------------------

int CDC::SetBkMode(int nBkMode) {
    if (!m_state || (nBkMode != TRANSPARENT && nBkMode != OPAQUE))
        return 0;
    return std::exchange(m_state->attrs.bkMode, nBkMode);
}
int CDC::GetBkMode() const {
    return m_state ? m_state->attrs.bkMode : 0;
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
    if (!m_state)
        return CLR_INVALID;
    return std::exchange(m_state->attrs.bkColor, crColor & 0x00FFFFFF);
}
COLORREF CDC::GetBkColor() const {
    return m_state ? m_state->attrs.bkColor : CLR_INVALID;
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    if (!m_state)
        return CLR_INVALID;
    return std::exchange(m_state->attrs.textColor, crColor & 0x00FFFFFF);
}
COLORREF CDC::GetTextColor() const {
    return m_state ? m_state->attrs.textColor : CLR_INVALID;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    if (!m_state)
        return CPoint();
    return std::exchange(m_state->attrs.viewportOrg, CPoint(x, y));
}
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    if (!m_state)
        return CPoint();
    const CPoint previous = m_state->attrs.viewportOrg;
    m_state->attrs.viewportOrg.Offset(nWidth, nHeight);
    return previous;
}
CPoint CDC::GetViewportOrg() const {
    return m_state ? m_state->attrs.viewportOrg : CPoint();
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    if (!m_state)
        return 0;
    CRect r = Normalized(x1, y1, x2, y2);
    r.OffsetRect(m_state->Offset());
    CRect clip = m_state->attrs.clip.value_or(m_state->BaseClip());
    clip &= r;
    m_state->attrs.clip = clip;
    return clip.IsRectEmpty() ? 0 : 1;
}

int CDC::GetClipBox(LPRECT lpRect) const {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    CRect box = target ? target->clip : CRect();
    if (target)
        box -= target->offset;
    if (lpRect)
        *lpRect = box;
    return box.IsRectEmpty() ? 0 : 1;
}

int CDC::SaveDC() {
    if (!m_state)
        return 0;
    m_state->saved.push_back(m_state->attrs);
    return static_cast<int>(m_state->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC) {
    if (!m_state)
        return FALSE;
    auto& saved = m_state->saved;
    const int level = nSavedDC < 0 ? static_cast<int>(saved.size()) + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > static_cast<int>(saved.size()))
        return FALSE;
    m_state->attrs = std::move(saved[static_cast<std::size_t>(level - 1)]);
    saved.resize(static_cast<std::size_t>(level - 1));
    return TRUE;
}

// --- Filling and lines -----------------------------------------------------------------------

namespace {

void FillLogical(const DcState::Target& t, CRect r, COLORREF color) {
    r.NormalizeRect();
    r.OffsetRect(t.offset);
    r &= t.clip;
    if (!r.IsRectEmpty())
        t.surface->Fill(r, t.surface->DeviceValue(color));
}

const BrushResource* BrushOf(CBrush* pBrush) {
    if (!pBrush || !pBrush->Resource() || pBrush->Resource()->kind != GdiKind::Brush) {
        return nullptr;
    }
    return static_cast<const BrushResource*>(pBrush->Resource().get());
}

}  // namespace

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    const BrushResource* brush = BrushOf(pBrush);
    if (!target || !lpRect || !brush || brush->null)
        return;
    FillLogical(*target, *lpRect, brush->color);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    if (!m_state || !lpRect)
        return;
    SetBkColor(clr);
    if (const auto target = m_state->GetTarget())
        FillLogical(*target, *lpRect, clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    const CRect r(x, y, x + cx, y + cy);
    FillSolidRect(&r, clr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    const BrushResource* brush = BrushOf(pBrush);
    if (!target || !lpRect || !brush || brush->null)
        return;
    const CRect r(*lpRect);
    if (r.IsRectEmpty())
        return;
    FillLogical(*target, CRect(r.left, r.top, r.right, r.top + 1), brush->color);
    FillLogical(*target, CRect(r.left, r.bottom - 1, r.right, r.bottom), brush->color);
    FillLogical(*target, CRect(r.left, r.top, r.left + 1, r.bottom), brush->color);
    FillLogical(*target, CRect(r.right - 1, r.top, r.right, r.bottom), brush->color);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    if (!lpRect)
        return;
    const CRect r(*lpRect);
    Draw3dRect(r.left, r.top, r.Width(), r.Height(), clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target || cx <= 0 || cy <= 0)
        return;
    FillLogical(*target, CRect(x, y, x + cx - 1, y + 1), clrTopLeft);
    FillLogical(*target, CRect(x, y, x + 1, y + cy - 1), clrTopLeft);
    FillLogical(*target, CRect(x + cx - 1, y, x + cx, y + cy), clrBottomRight);
    FillLogical(*target, CRect(x, y + cy - 1, x + cx, y + cy), clrBottomRight);
}

void CDC::InvertRect(LPCRECT lpRect) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target || !lpRect)
        return;
    CRect r(*lpRect);
    r.NormalizeRect();
    r.OffsetRect(target->offset);
    r &= target->clip;
    target->surface->Invert(r);
}

void CDC::DrawFocusRect(LPCRECT lpRect) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target || !lpRect)
        return;
    CRect r(*lpRect);
    r.NormalizeRect();
    r.OffsetRect(target->offset);
    // Every other pixel, in a pattern fixed to the surface so that frames meet cleanly.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0 && target->clip.PtInRect(CPoint(x, y))) {
            target->surface->Invert(CRect(x, y, x + 1, y + 1));
        }
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
}

CPoint CDC::MoveTo(int x, int y) {
    if (!m_state)
        return CPoint();
    return std::exchange(m_state->attrs.currentPos, CPoint(x, y));
}

BOOL CDC::LineTo(int x, int y) {
    if (!m_state)
        return FALSE;
    const CPoint from = std::exchange(m_state->attrs.currentPos, CPoint(x, y));
    const auto target = m_state->GetTarget();
    const auto* pen = static_cast<const PenResource*>(m_state->attrs.pen.get());
    if (!target || !pen || pen->style == PS_NULL)
        return TRUE;
    const std::uint32_t value = target->surface->DeviceValue(pen->color);
    const int half = (pen->width - 1) / 2;
    auto plot = [&](int px, int py) {
        CRect dot(px - half, py - half, px - half + pen->width, py - half + pen->width);
        dot.OffsetRect(target->offset);
        dot &= target->clip;
        if (!dot.IsRectEmpty())
            target->surface->Fill(dot, value);
    };
    // Bresenham, leaving out the end point as the platform does.
    int x0 = from.x, y0 = from.y;
    const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        plot(x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target)
        return FALSE;
    const CRect r = Normalized(x1, y1, x2, y2);
    const auto* pen = static_cast<const PenResource*>(m_state->attrs.pen.get());
    const auto* brush = static_cast<const BrushResource*>(m_state->attrs.brush.get());
    const bool outline = pen && pen->style != PS_NULL;
    if (brush && !brush->null) {
        CRect inside = r;
        if (outline) {
            inside.DeflateRect(pen->width, pen->width);
        } else {
            // Without a pen the platform fills one pixel less to the right and bottom.
            inside.right -= 1;
            inside.bottom -= 1;
        }
        FillLogical(*target, inside, brush->color);
    }
    if (outline) {
        const int w = pen->width;
        FillLogical(*target, CRect(r.left, r.top, r.right, std::min(r.bottom, r.top + w)),
                    pen->color);
        FillLogical(*target, CRect(r.left, std::max(r.top, r.bottom - w), r.right, r.bottom),
                    pen->color);
        FillLogical(*target, CRect(r.left, r.top, std::min(r.right, r.left + w), r.bottom),
                    pen->color);
        FillLogical(*target, CRect(std::max(r.left, r.right - w), r.top, r.right, r.bottom),
                    pen->color);
    }
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target)
        return CLR_INVALID;
    const CPoint p = CPoint(x, y) + target->offset;
    if (!target->clip.PtInRect(p))
        return CLR_INVALID;
    const std::uint32_t value = target->surface->DeviceValue(crColor);
    target->surface->SetPixel(p.x, p.y, value);
    return target->surface->ColorOf(value);
}

COLORREF CDC::GetPixel(int x, int y) const {
    const auto target = m_state ? m_state->GetTarget() : std::nullopt;
    if (!target)
        return CLR_INVALID;
    const CPoint p = CPoint(x, y) + target->offset;
    if (!target->clip.PtInRect(p))
        return CLR_INVALID;
    return target->surface->ColorOf(target->surface->GetPixelUnchecked(p.x, p.y));
}
