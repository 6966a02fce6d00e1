#pragma once
// The picture formats every edition's About bitmap and program icon must keep.

#include <gtest/gtest.h>

#include <cstddef>
#include <span>

#include "platform/base/Types.h"

namespace picturechecks {

// A little-endian field of a picture file.
inline unsigned Field(std::span<const BYTE> bytes, std::size_t offset, std::size_t size) {
    unsigned value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<unsigned>(bytes[offset + i]) << (8 * i);
    return value;
}

// A 122 x 150 bitmap file of 8 bits per pixel, with its palette.
inline void ExpectAboutBitmap(std::span<const BYTE> bitmap) {
    ASSERT_GE(bitmap.size(), 54u);
    EXPECT_EQ(Field(bitmap, 0, 2), 0x4D42u);  // "BM"
    EXPECT_EQ(Field(bitmap, 2, 4), bitmap.size());
    EXPECT_EQ(Field(bitmap, 18, 4), 122u);
    EXPECT_EQ(Field(bitmap, 22, 4), 150u);
    EXPECT_EQ(Field(bitmap, 28, 2), 8u);  // bits per pixel, with a palette
}

// An icon file of two images, 32 x 32 and 16 x 16, of 16 colours, each within the file.
inline void ExpectProgramIcon(std::span<const BYTE> icon) {
    ASSERT_GE(icon.size(), 6u + 2 * 16);
    ASSERT_EQ(Field(icon, 4, 2), 2u);
    const unsigned sizes[] = {32, 16};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(Field(icon, entry, 1), sizes[i]);
        EXPECT_EQ(Field(icon, entry + 1, 1), sizes[i]);
        EXPECT_EQ(Field(icon, entry + 2, 1), 16u);  // colours
        const unsigned offset = Field(icon, entry + 12, 4);
        const unsigned length = Field(icon, entry + 8, 4);
        EXPECT_LE(std::size_t{offset} + length, icon.size());
    }
}

}  // namespace picturechecks
