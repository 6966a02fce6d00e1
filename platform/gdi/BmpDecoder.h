#pragma once
// Reads the platform's bitmap files: a BMP file, or a packed bitmap (the same without its
// 14-byte file header, as resources keep it). Everything is checked against the input's size
// before anything is allocated.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/Surface.h"

namespace platform {

// Uncompressed 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down. A 1-bit picture whose
// two colours are black and white becomes a 1-bpp surface, anything else 32 bpp. Nothing for
// input that is malformed, truncated, compressed or larger than a Surface may be.
std::optional<Surface> DecodeBmp(std::span<const std::uint8_t> data);

}  // namespace platform
