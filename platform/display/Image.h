#pragma once
// A frame held in memory: 0x00RRGGBB pixels, rows packed one after another.

#include <cstdint>
#include <vector>

namespace platform {

// Larger frames are refused, so that a bad size can never ask for gigabytes.
inline constexpr int kMaxImageSide = 4096;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // Throws std::out_of_range outside the image.
    std::uint32_t At(int x, int y) const;

    // Copies a frame of rows strideInPixels apart. Throws std::invalid_argument for a null
    // buffer, a size not in 1..kMaxImageSide or a stride shorter than a row.
    static Image Copy(const std::uint32_t* pixels, int width, int height, int strideInPixels);

    friend bool operator==(const Image&, const Image&) = default;
};

// The check Copy makes, for backends that take frames without keeping a copy of this form.
void CheckFrame(const std::uint32_t* pixels, int width, int height, int strideInPixels);

}  // namespace platform
