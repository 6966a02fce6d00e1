// Block transfers of CDC.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/SystemColors.h"

namespace {

enum class SourceOp { Copy, Paint, And, Invert, NotCopy };

std::optional<SourceOp> SourceOpOf(DWORD rop) {
    switch (rop) {
        case SRCCOPY:
            return SourceOp::Copy;
        case SRCPAINT:
            return SourceOp::Paint;
        case SRCAND:
            return SourceOp::And;
        case SRCINVERT:
            return SourceOp::Invert;
        case NOTSRCCOPY:
            return SourceOp::NotCopy;
        default:
            return std::nullopt;
    }
}

std::uint32_t Combine(SourceOp op, std::uint32_t d, std::uint32_t s, std::uint32_t all) {
    switch (op) {
        case SourceOp::Copy:
            return s;
        case SourceOp::Paint:
            return d | s;
        case SourceOp::And:
            return d & s;
        case SourceOp::Invert:
            return d ^ s;
        case SourceOp::NotCopy:
            return ~s & all;
    }
    return s;
}

}  // namespace

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    const auto op = SourceOpOf(dwRop);
    if (!op)
        return PatBlt(x, y, nWidth, nHeight, dwRop);
    if (!m_state || !pSrcDC || !pSrcDC->m_state || nWidth <= 0 || nHeight <= 0)
        return FALSE;
    const auto target = m_state->GetTarget();
    const auto source = pSrcDC->m_state->GetTarget();
    if (!target || !source)
        return FALSE;

    platform::Surface& dst = *target->surface;
    const platform::Surface& src = *source->surface;
    const CRect placed = CRect(x, y, x + nWidth, y + nHeight) + target->offset;
    const CRect area = placed & target->clip;
    if (area.IsRectEmpty())
        return TRUE;

    // Source surface coordinates of the area's top left corner.
    const int sx0 = xSrc + source->offset.x + (area.left - placed.left);
    const int sy0 = ySrc + source->offset.y + (area.top - placed.top);
    const std::uint32_t windowValue = dst.DeviceValue(GetSysColor(COLOR_WINDOW));
    const std::uint32_t all = dst.IsMono() ? 1u : 0x00FFFFFFu;
    // Depth conversion, as the platform defines it.
    const std::uint32_t zeroValue = dst.DeviceValue(m_state->attrs.textColor);
    const std::uint32_t oneValue = dst.DeviceValue(m_state->attrs.bkColor);
    const std::uint32_t sourceBk = platform::Surface::ToRgb(pSrcDC->m_state->attrs.bkColor);

    // Rows are gathered before they are written, and taken bottom-up when the target lies
    // below the source on the same surface, so an overlapping copy reads nothing it wrote.
    const bool bottomUp = &src == &dst && area.top > sy0;
    const int w = area.Width();
    std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
    for (int i = 0; i < area.Height(); ++i) {
        const int r = bottomUp ? area.Height() - 1 - i : i;
        const int dy = area.top + r, sy = sy0 + r;
        const bool rowInside = sy >= source->clip.top && sy < source->clip.bottom;
        if (rowInside && !src.IsMono() && !dst.IsMono() && *op == SourceOp::Copy &&
            sx0 >= source->clip.left && sx0 + w <= source->clip.right) {
            std::memmove(dst.Row32(dy) + area.left, src.Row32(sy) + sx0,
                         static_cast<std::size_t>(w) * 4);
            continue;
        }
        // Columns [inLeft, inRight) of the row lie inside the source's clip.
        const int inLeft = rowInside ? std::clamp(source->clip.left - sx0, 0, w) : w;
        const int inRight = rowInside ? std::clamp(source->clip.right - sx0, inLeft, w) : w;
        std::fill(row.begin(), row.begin() + inLeft, windowValue);
        std::fill(row.begin() + inRight, row.end(), windowValue);
        if (src.IsMono()) {
            const std::uint8_t* bits = src.Row(sy);
            const std::uint32_t zero = dst.IsMono() ? 0u : zeroValue;
            const std::uint32_t one = dst.IsMono() ? 1u : oneValue;
            for (int k = inLeft; k < inRight; ++k) {
                const int sx = sx0 + k;
                row[static_cast<std::size_t>(k)] =
                    ((bits[sx >> 3] >> (7 - (sx & 7))) & 1) ? one : zero;
            }
        } else {
            const std::uint32_t* pixels = src.Row32(sy);
            for (int k = inLeft; k < inRight; ++k) {
                const std::uint32_t p = pixels[sx0 + k];
                row[static_cast<std::size_t>(k)] = dst.IsMono() ? (p == sourceBk ? 1u : 0u) : p;
            }
        }
        if (!dst.IsMono()) {
            std::uint32_t* out = dst.Row32(dy) + area.left;
            if (*op == SourceOp::Copy) {
                std::memcpy(out, row.data(), static_cast<std::size_t>(w) * 4);
            } else {
                for (int k = 0; k < w; ++k)
                    out[k] = Combine(*op, out[k], row[static_cast<std::size_t>(k)], all);
            }
            continue;
        }
        for (int k = 0; k < w; ++k) {
            const int dx = area.left + k;
            const std::uint32_t s = row[static_cast<std::size_t>(k)];
            dst.SetPixel(
                dx, dy,
                *op == SourceOp::Copy ? s : Combine(*op, dst.GetPixelUnchecked(dx, dy), s, all));
        }
    }
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    if (!m_state || nWidth <= 0 || nHeight <= 0)
        return FALSE;
    const auto target = m_state->GetTarget();
    if (!target)
        return FALSE;
    platform::Surface& dst = *target->surface;
    const CRect area = (CRect(x, y, x + nWidth, y + nHeight) + target->offset) & target->clip;
    const auto* brush = static_cast<const BrushResource*>(m_state->attrs.brush.get());
    switch (dwRop) {
        case BLACKNESS:
            dst.Fill(area, dst.DeviceValue(RGB(0, 0, 0)));
            return TRUE;
        case WHITENESS:
            dst.Fill(area, dst.DeviceValue(RGB(255, 255, 255)));
            return TRUE;
        case DSTINVERT:
            dst.Invert(area);
            return TRUE;
        case PATCOPY:
            if (brush && !brush->null)
                dst.Fill(area, dst.DeviceValue(brush->color));
            return TRUE;
        case PATINVERT:
            if (brush && !brush->null) {
                const std::uint32_t pattern = dst.DeviceValue(brush->color);
                for (int dy = area.top; dy < area.bottom; ++dy) {
                    for (int dx = area.left; dx < area.right; ++dx) {
                        dst.SetPixel(dx, dy, dst.GetPixelUnchecked(dx, dy) ^ pattern);
                    }
                }
            }
            return TRUE;
        default:
            return FALSE;
    }
}
