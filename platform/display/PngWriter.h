#pragma once
// Screenshots and reference images as PNG files. The only place libpng is used.

#include <cstdint>
#include <string>

#include "platform/display/Image.h"

namespace platform {

// Writes 0x00RRGGBB pixels, rows strideInPixels apart, as an 8-bit RGB PNG. The file is
// written beside its final name and renamed over it, so an old image is replaced whole or not
// at all. On failure returns false and, when error is given, says why.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int strideInPixels, std::string* error);
bool WritePng(const std::string& path, const Image& image, std::string* error);

// Reads any PNG into 0x00RRGGBB pixels; transparency is composed onto black. Images wider or
// taller than kMaxImageSide are refused before their pixels are allocated.
bool ReadPng(const std::string& path, Image* image, std::string* error);

}  // namespace platform
