#include "platform/gdi/BmpDecoder.h"

#include <array>

namespace platform {

namespace {

std::uint32_t U16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
    return U16(d, at) | (U16(d, at + 2) << 16);
}

constexpr std::uint32_t kBiRgb = 0;

}  // namespace

std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> data) {
    std::size_t dib = 0;
    std::optional<std::uint32_t> pixelOffset;
    if (data.size() >= 14 && data[0] == 'B' && data[1] == 'M') {
        dib = 14;
        pixelOffset = U32(data, 10);
    }
    if (data.size() < dib + 12)
        return std::nullopt;
    const std::uint32_t headerSize = U32(data, dib);
    if (headerSize != 12 && (headerSize < 40 || headerSize > data.size() - dib))
        return std::nullopt;
    if (data.size() - dib < headerSize)
        return std::nullopt;

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bpp = 0, compression = kBiRgb, colorsUsed = 0;
    std::size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = U16(data, dib + 4);
        height = U16(data, dib + 6);
        planes = U16(data, dib + 8);
        bpp = U16(data, dib + 10);
        paletteEntry = 3;
    } else {
        width = static_cast<std::int32_t>(U32(data, dib + 4));
        height = static_cast<std::int32_t>(U32(data, dib + 8));
        planes = U16(data, dib + 12);
        bpp = U16(data, dib + 14);
        compression = U32(data, dib + 16);
        colorsUsed = U32(data, dib + 32);
    }
    if (planes != 1 || compression != kBiRgb)
        return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return std::nullopt;
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        return std::nullopt;
    }

    // The palette.
    std::array<std::uint32_t, 256> palette{};
    std::size_t paletteCount = 0;
    const std::size_t paletteAt = dib + headerSize;
    if (bpp <= 8) {
        const std::size_t maxColors = std::size_t{1} << bpp;
        paletteCount = colorsUsed == 0 ? maxColors : colorsUsed;
        if (paletteCount > maxColors)
            return std::nullopt;
        if (paletteAt + paletteCount * paletteEntry > data.size())
            return std::nullopt;
        for (std::size_t i = 0; i < paletteCount; ++i) {
            const std::size_t at = paletteAt + i * paletteEntry;  // blue, green, red
            palette[i] =
                (std::uint32_t{data[at + 2]} << 16) | (std::uint32_t{data[at + 1]} << 8) | data[at];
        }
    }

    // The pixels: rows padded to 32 bits, bottom row first unless the height was negative.
    const std::size_t start = pixelOffset ? *pixelOffset : paletteAt + paletteCount * paletteEntry;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::size_t lastRowBytes = (static_cast<std::size_t>(width) * bpp + 7) / 8;
    if (start > data.size() ||
        (data.size() - start) < rowBytes * static_cast<std::size_t>(height - 1) + lastRowBytes) {
        return std::nullopt;
    }

    const bool mono = bpp == 1 && paletteCount == 2 &&
                      ((palette[0] == 0 && palette[1] == 0xFFFFFF) ||
                       (palette[0] == 0xFFFFFF && palette[1] == 0));
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    if (!Surface::CanCreate(w, h, mono ? 1 : 32))
        return std::nullopt;
    Surface surface(w, h, mono ? 1 : 32);

    for (int y = 0; y < h; ++y) {
        const std::size_t sourceRow = static_cast<std::size_t>(topDown ? y : h - 1 - y);
        const std::uint8_t* row = data.data() + start + sourceRow * rowBytes;
        for (int x = 0; x < w; ++x) {
            std::uint32_t value = 0;
            switch (bpp) {
                case 1: {
                    const std::uint32_t index = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    value = mono ? (palette[index] ? 1u : 0u) : palette[index];
                    break;
                }
                case 4: {
                    const std::uint32_t index = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
                    value = index < paletteCount ? palette[index] : 0;
                    break;
                }
                case 8:
                    value = row[x] < paletteCount ? palette[row[x]] : 0;
                    break;
                default: {
                    const std::uint8_t* p = row + static_cast<std::size_t>(x) * (bpp / 8);
                    value = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
                    break;
                }
            }
            surface.SetPixel(x, y, value);
        }
    }
    return surface;
}

}  // namespace platform
