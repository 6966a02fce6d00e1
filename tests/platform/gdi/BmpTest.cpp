#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gdi/CBitmap.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BMP file of width x height at bpp, with a palette (blue, green, red triples given as
// 0xRRGGBB) and rows given top first as already-packed bytes.
Bytes MakeBmp(int width, int height, int bpp, const std::vector<std::uint32_t>& palette,
              const std::vector<Bytes>& rowsTopFirst, bool withFileHeader = true,
              bool topDown = false) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::size_t header = withFileHeader ? 14 : 0;
    const std::size_t offset = header + 40 + palette.size() * 4;
    Bytes b(offset + rowBytes * static_cast<std::size_t>(height), 0);
    if (withFileHeader) {
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 2, static_cast<std::uint32_t>(b.size()));
        Put32(b, 10, static_cast<std::uint32_t>(offset));
    }
    Put32(b, header, 40);
    Put32(b, header + 4, static_cast<std::uint32_t>(width));
    Put32(b, header + 8, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(b, header + 12, 1);
    Put16(b, header + 14, static_cast<std::uint32_t>(bpp));
    Put32(b, header + 32, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        Put32(b, header + 40 + i * 4, palette[i]);  // 0x00RRGGBB is blue, green, red, 0 in bytes
    }
    for (int y = 0; y < height; ++y) {
        const int stored = topDown ? y : height - 1 - y;
        std::copy(rowsTopFirst[static_cast<std::size_t>(y)].begin(),
                  rowsTopFirst[static_cast<std::size_t>(y)].end(),
                  b.begin() + static_cast<std::ptrdiff_t>(
                                  offset + rowBytes * static_cast<std::size_t>(stored)));
    }
    return b;
}

std::uint32_t Pixel(const CBitmap& bitmap, int x, int y) {
    return bitmap.GetSurface()->GetPixel(x, y);
}

TEST(LoadBitmapFromBmp, PalettisedAndTrueColourPictures) {
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    struct Case {
        const char* name;
        Bytes bmp;
    } cases[] = {
        {"8-bit", MakeBmp(3, 2, 8, palette, {{1, 2, 3}, {0, 3, 1}})},
        {"8-bit top-down", MakeBmp(3, 2, 8, palette, {{1, 2, 3}, {0, 3, 1}}, true, true)},
        {"8-bit packed, no file header", MakeBmp(3, 2, 8, palette, {{1, 2, 3}, {0, 3, 1}}, false)},
        {"4-bit", MakeBmp(3, 2, 4, palette, {{0x12, 0x30}, {0x03, 0x10}})},
        {"24-bit",
         MakeBmp(3, 2, 24, {},
                 {{0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0}, {0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF}})},
    };
    for (const auto& c : cases) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmapFromBmp(c.bmp)) << c.name;
        BITMAP info{};
        bitmap.GetBitmap(&info);
        EXPECT_EQ(info.bmWidth, 3) << c.name;
        EXPECT_EQ(info.bmHeight, 2) << c.name;
        EXPECT_EQ(info.bmBitsPixel, 32) << c.name;
        const std::uint32_t expected[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF},
                                              {0x000000, 0x0000FF, 0xFF0000}};
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(Pixel(bitmap, x, y), expected[y][x]) << c.name << " " << x << "," << y;
        }
    }
}

TEST(LoadBitmapFromBmp, BlackAndWhiteStaysMonochrome) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmapFromBmp(
        MakeBmp(10, 1, 1, {0x000000, 0xFFFFFF}, {{0b10100000, 0b01000000}})));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    const std::uint32_t bits[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(Pixel(bitmap, x, 0), bits[x]) << x;

    CBitmap coloured;
    ASSERT_TRUE(coloured.LoadBitmapFromBmp(MakeBmp(2, 1, 1, {0x0000FF, 0xFFFF00}, {{0b01000000}})));
    coloured.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 32) << "a two-colour picture that is not black and white";
    EXPECT_EQ(Pixel(coloured, 0, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(coloured, 1, 0), 0xFFFF00u);
}

TEST(LoadBitmapFromBmp, RejectsMalformedInput) {
    const Bytes good = MakeBmp(3, 2, 8, {0, 0xFFFFFF}, {{1, 0, 1}, {0, 1, 0}});
    auto with = [&](auto change) {
        Bytes b = good;
        change(b);
        return b;
    };
    const struct {
        const char* name;
        Bytes bmp;
    } cases[] = {
        {"empty", {}},
        {"file header only", Bytes(good.begin(), good.begin() + 14)},
        {"pixels cut short", Bytes(good.begin(), good.end() - 5)},
        {"16 bits per pixel", with([](Bytes& b) { Put16(b, 28, 16); })},
        {"compressed", with([](Bytes& b) { Put32(b, 30, 1); })},
        {"two planes", with([](Bytes& b) { Put16(b, 26, 2); })},
        {"zero width", with([](Bytes& b) { Put32(b, 18, 0); })},
        {"huge height, little data", with([](Bytes& b) { Put32(b, 22, 1000000); })},
        {"palette longer than the depth allows", with([](Bytes& b) { Put32(b, 46, 300); })},
        {"palette past the end", with([](Bytes& b) { Put32(b, 46, 200); })},
        {"pixel offset past the end", with([](Bytes& b) { Put32(b, 10, 100000); })},
        {"header size past the end", with([](Bytes& b) { Put32(b, 14, 5000); })},
        {"unknown header size", with([](Bytes& b) { Put32(b, 14, 20); })},
    };
    for (const auto& c : cases) {
        CBitmap bitmap;
        EXPECT_FALSE(bitmap.LoadBitmapFromBmp(c.bmp)) << c.name;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr) << c.name;
    }
}

TEST(LoadBitmapFromBmp, OutOfRangePaletteIndexesAreBlack) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmapFromBmp(MakeBmp(2, 1, 8, {0xFFFFFF, 0x808080}, {{1, 200}})));
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0x808080u);
    EXPECT_EQ(Pixel(bitmap, 1, 0), 0x000000u);
}

}  // namespace
