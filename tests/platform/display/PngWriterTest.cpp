#include "platform/display/PngWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include "TempFolder.h"

namespace platform {
namespace {

// Every pixel differs in each channel from its neighbours, so a swapped channel, a skipped row
// or a shifted column all show.
std::vector<std::uint32_t> Pattern(int width, int height, int stride) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * height, 0xDEADBEEFu);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto r = static_cast<std::uint32_t>(x * 37 + y) & 0xFF;
            const auto g = static_cast<std::uint32_t>(y * 53 + 7) & 0xFF;
            const auto b = static_cast<std::uint32_t>(x ^ (y * 3)) & 0xFF;
            // The top byte is not part of the colour and must not leak into the file.
            pixels[static_cast<std::size_t>(y * stride + x)] = 0xAB000000u | r << 16 | g << 8 | b;
        }
    }
    return pixels;
}

TEST(PngWriter, RoundTripKeepsEveryPixel) {
    struct Case {
        int width, height, stride;
    };
    const Case cases[] = {{1, 1, 1}, {7, 5, 9}, {240, 320, 240}, {480, 2, 512}};
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " stride " << c.stride);
        const auto pixels = Pattern(c.width, c.height, c.stride);
        const std::string path = folder.File("frame.png");
        std::string error;
        ASSERT_TRUE(WritePng(path, pixels.data(), c.width, c.height, c.stride, &error)) << error;

        Image read;
        ASSERT_TRUE(ReadPng(path, &read, &error)) << error;
        ASSERT_EQ(read.width, c.width);
        ASSERT_EQ(read.height, c.height);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                ASSERT_EQ(read.At(x, y),
                          pixels[static_cast<std::size_t>(y * c.stride + x)] & 0xFFFFFF)
                    << "at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(PngWriter, ReplacesAnOldFileAndLeavesNoTemporary) {
    TempFolder folder;
    const std::string path = folder.File("shot.png");
    const std::vector<std::uint32_t> first(4 * 4, 0x112233);
    const std::vector<std::uint32_t> second(2 * 3, 0x445566);
    ASSERT_TRUE(WritePng(path, first.data(), 4, 4, 4, nullptr));
    ASSERT_TRUE(WritePng(path, second.data(), 2, 3, 2, nullptr));

    Image read;
    ASSERT_TRUE(ReadPng(path, &read, nullptr));
    EXPECT_EQ(read.width, 2);
    EXPECT_EQ(read.height, 3);
    EXPECT_EQ(read.pixels, second);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PngWriter, WriteFailuresSayWhyAndLeaveNothing) {
    TempFolder folder;
    const std::vector<std::uint32_t> pixels(4, 0);
    std::string error;
    const std::string missing = folder.File("no-such-folder/shot.png");
    EXPECT_FALSE(WritePng(missing, pixels.data(), 2, 2, 2, &error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;

    const std::string bad = folder.File("bad.png");
    EXPECT_FALSE(WritePng(bad, pixels.data(), 2, 2, 1, &error));
    EXPECT_NE(error.find("stride"), std::string::npos) << error;
    EXPECT_FALSE(WritePng(bad, nullptr, 2, 2, 2, &error));
    EXPECT_FALSE(WritePng(bad, pixels.data(), 0, 2, 2, &error));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

std::uint32_t Crc32(const std::vector<unsigned char>& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBig32(std::vector<unsigned char>* out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out->push_back(static_cast<unsigned char>(value >> shift));
    }
}

void PutChunk(std::vector<unsigned char>* out, const char* type,
              const std::vector<unsigned char>& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out->insert(out->end(), typed.begin(), typed.end());
    PutBig32(out, Crc32(typed));
}

// A well-formed start of a PNG that claims the given size, with an empty first data chunk.
std::vector<unsigned char> PngHeaderClaiming(std::uint32_t width, std::uint32_t height) {
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> ihdr;
    PutBig32(&ihdr, width);
    PutBig32(&ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(&file, "IHDR", ihdr);
    PutChunk(&file, "IDAT", {});
    return file;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(PngWriter, BadFilesAreRefusedWithTheirName) {
    TempFolder folder;
    const std::vector<std::uint32_t> pixels = Pattern(16, 16, 16);
    const std::string good = folder.File("good.png");
    ASSERT_TRUE(WritePng(good, pixels.data(), 16, 16, 16, nullptr));
    std::ifstream in(good, std::ios::binary);
    const std::vector<unsigned char> goodBytes((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());

    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* says;  // a part of the message beyond the file's name
    };
    const Case cases[] = {
        {"text.png", {'h', 'e', 'l', 'l', 'o', '\n'}, ""},
        {"empty.png", {}, ""},
        {"truncated.png", {goodBytes.begin(), goodBytes.begin() + goodBytes.size() / 2}, ""},
        // Sizes that would need gigabytes are refused from the header, before any allocation.
        {"wide.png", PngHeaderClaiming(100000, 1), "larger than 4096"},
        {"huge.png", PngHeaderClaiming(60000, 60000), "larger than 4096"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File(c.name);
        WriteBytes(path, c.bytes);
        Image image;
        image.width = 3;
        std::string error;
        EXPECT_FALSE(ReadPng(path, &image, &error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_EQ(image.width, 3) << "a failed read must leave the image alone";
    }
    std::string error;
    Image image;
    EXPECT_FALSE(ReadPng(folder.File("missing.png"), &image, &error));
    EXPECT_NE(error.find("missing.png"), std::string::npos) << error;
}

}  // namespace
}  // namespace platform
