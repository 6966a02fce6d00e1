#include "platform/display/Image.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform {

std::uint32_t Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is outside a " + std::to_string(width) + "x" +
                                std::to_string(height) + " image");
    }
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
}

void CheckFrame(const std::uint32_t* pixels, int width, int height, int strideInPixels) {
    if (pixels == nullptr) {
        throw std::invalid_argument("frame has no pixels");
    }
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) {
        throw std::invalid_argument("frame size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " is not in 1.." +
                                    std::to_string(kMaxImageSide));
    }
    if (strideInPixels < width) {
        throw std::invalid_argument("frame stride " + std::to_string(strideInPixels) +
                                    " is shorter than its width " + std::to_string(width));
    }
}

Image Image::Copy(const std::uint32_t* source, int w, int h, int strideInPixels) {
    CheckFrame(source, w, h, strideInPixels);
    Image image;
    image.width = w;
    image.height = h;
    const auto rowLength = static_cast<std::size_t>(w);
    image.pixels.resize(rowLength * static_cast<std::size_t>(h));
    for (std::size_t y = 0; y < static_cast<std::size_t>(h); ++y) {
        const std::uint32_t* row = source + y * static_cast<std::size_t>(strideInPixels);
        std::copy(row, row + rowLength,
                  image.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowLength));
    }
    return image;
}

}  // namespace platform
