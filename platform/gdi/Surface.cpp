#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

int StrideFor(int width, bool mono) {
    const std::int64_t bytes = mono ? (std::int64_t{width} + 7) / 8 : std::int64_t{width} * 4;
    return static_cast<int>((bytes + 3) / 4 * 4);
}

// Bits first ... last of a byte, counted from the most significant one.
std::uint8_t SpanMask(int first, int last) {
    return static_cast<std::uint8_t>((0xFFu >> first) & (0xFFu << (7 - last)));
}

}  // namespace

bool Surface::CanCreate(int width, int height, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 32)
        return false;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    return std::int64_t{StrideFor(width, bitsPerPixel == 1)} * height <= kMaxBytes;
}

Surface::Surface(int width, int height, int bitsPerPixel) {
    if (!CanCreate(width, height, bitsPerPixel)) {
        throw std::invalid_argument("Surface: unsupported size or depth");
    }
    m_width = width;
    m_height = height;
    m_mono = bitsPerPixel == 1;
    m_stride = StrideFor(width, m_mono);
    m_words.assign(static_cast<std::size_t>(m_stride / 4) * static_cast<std::size_t>(height), 0);
}

std::uint32_t Surface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return GetPixelUnchecked(x, y);
}

void Surface::SetPixel(int x, int y, std::uint32_t value) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    if (m_mono) {
        std::uint8_t& byte = Row(y)[x >> 3];
        const auto bit = static_cast<std::uint8_t>(0x80u >> (x & 7));
        byte =
            value ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
    } else {
        Row32(y)[x] = value & 0x00FFFFFFu;
    }
}

void Surface::Fill(const CRect& rect, std::uint32_t value) {
    CRect r;
    const CRect bounds = Bounds();
    if (!r.IntersectRect(&rect, &bounds))
        return;
    if (!m_mono) {
        value &= 0x00FFFFFFu;
        for (int y = r.top; y < r.bottom; ++y)
            std::fill(Row32(y) + r.left, Row32(y) + r.right, value);
        return;
    }
    const int firstByte = r.left >> 3, lastByte = (r.right - 1) >> 3;
    const std::uint8_t fill = value ? 0xFF : 0x00;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint8_t* row = Row(y);
        auto apply = [&](int index, std::uint8_t mask) {
            row[index] = static_cast<std::uint8_t>((row[index] & ~mask) | (fill & mask));
        };
        if (firstByte == lastByte) {
            apply(firstByte, SpanMask(r.left & 7, (r.right - 1) & 7));
            continue;
        }
        apply(firstByte, SpanMask(r.left & 7, 7));
        if (lastByte - firstByte > 1)
            std::memset(row + firstByte + 1, fill, lastByte - firstByte - 1);
        apply(lastByte, SpanMask(0, (r.right - 1) & 7));
    }
}

void Surface::Invert(const CRect& rect) {
    CRect r;
    const CRect bounds = Bounds();
    if (!r.IntersectRect(&rect, &bounds))
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        if (m_mono) {
            for (int x = r.left; x < r.right; ++x)
                Row(y)[x >> 3] ^= static_cast<std::uint8_t>(0x80u >> (x & 7));
        } else {
            for (int x = r.left; x < r.right; ++x)
                Row32(y)[x] ^= 0x00FFFFFFu;
        }
    }
}

void Surface::FillMask1(int x, int y, const std::uint8_t* mask, int pitch, int width, int height,
                        std::uint32_t value, const CRect& clip) {
    CRect area;
    const CRect bounds = Bounds(), target(x, y, x + width, y + height);
    if (!area.IntersectRect(&clip, &bounds) || !area.IntersectRect(&area, &target))
        return;
    const bool whole = area.left == x && area.right == x + width;
    for (int row = area.top; row < area.bottom; ++row) {
        const std::uint8_t* src = mask + static_cast<std::ptrdiff_t>(row - y) * pitch;
        if (m_mono && whole) {
            // Shift whole mask bytes into place; this is the path ordinary text takes.
            std::uint8_t* dst = Row(row) + (x >> 3);
            const int shift = x & 7, bytes = (width + 7) / 8;
            for (int i = 0; i < bytes; ++i) {
                std::uint8_t bits = src[i];
                if (i == bytes - 1 && (width & 7))
                    bits &= static_cast<std::uint8_t>(0xFF00u >> (width & 7));
                if (!bits)
                    continue;
                const auto hi = static_cast<std::uint8_t>(bits >> shift);
                const auto lo = static_cast<std::uint8_t>(bits << (8 - shift));
                if (value) {
                    dst[i] |= hi;
                    if (shift && lo)
                        dst[i + 1] |= lo;
                } else {
                    dst[i] &= static_cast<std::uint8_t>(~hi);
                    if (shift && lo)
                        dst[i + 1] &= static_cast<std::uint8_t>(~lo);
                }
            }
            continue;
        }
        for (int px = area.left; px < area.right; ++px) {
            const int mx = px - x;
            if ((src[mx >> 3] >> (7 - (mx & 7))) & 1)
                SetPixel(px, row, value);
        }
    }
}

void Surface::BlendMask8(int x, int y, const std::uint8_t* alpha, int pitch, int width, int height,
                         std::uint32_t rgb, const CRect& clip) {
    CRect area;
    const CRect bounds = Bounds(), target(x, y, x + width, y + height);
    if (!area.IntersectRect(&clip, &bounds) || !area.IntersectRect(&area, &target))
        return;
    const std::uint32_t mono = ToMono(FromRgb(rgb));
    const std::uint32_t sr = (rgb >> 16) & 0xFF, sg = (rgb >> 8) & 0xFF, sb = rgb & 0xFF;
    for (int row = area.top; row < area.bottom; ++row) {
        const std::uint8_t* src = alpha + static_cast<std::ptrdiff_t>(row - y) * pitch;
        for (int px = area.left; px < area.right; ++px) {
            const std::uint32_t a = src[px - x];
            if (a == 0)
                continue;
            if (m_mono) {
                if (a >= 128)
                    SetPixel(px, row, mono);
                continue;
            }
            std::uint32_t& d = Row32(row)[px];
            if (a == 255) {
                d = rgb & 0x00FFFFFFu;
                continue;
            }
            const std::uint32_t dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
            const auto mix = [a](std::uint32_t s, std::uint32_t t) {
                return (s * a + t * (255 - a) + 127) / 255;
            };
            d = (mix(sr, dr) << 16) | (mix(sg, dg) << 8) | mix(sb, db);
        }
    }
}

}  // namespace platform
