#include "platform/base/CMemFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CMemFile, OverTheCallersFixedBuffer) {
    BYTE buffer[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    CMemFile file(buffer, sizeof buffer);  // grow-by 0
    EXPECT_EQ(file.GetLength(), 8u);
    char out[10] = {};
    EXPECT_EQ(file.Read(out, 3), 3u);
    EXPECT_STREQ(out, "abc");
    file.Write("XY", 2);  // in the caller's buffer
    EXPECT_EQ(std::memcmp(buffer, "abcXYfgh", 8), 0);
    file.Seek(7, CFile::begin);
    EXPECT_THROW(file.Write("12", 2), CMemoryException);  // it never grows
    EXPECT_EQ(file.Read(out, 10), 1u);
    EXPECT_EQ(file.Read(out, 10), 0u);

    const auto memory = file.GetReadableMemory();
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(memory->data(), buffer);  // in place, not a copy
    EXPECT_EQ(memory->size(), 8u);
    EXPECT_THROW(file.Seek(-9, CFile::end), CFileException);
}

TEST(CMemFile, OwnBufferGrowsAndDetachHandsItOver) {
    CMemFile file(4);
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        file.Write(&c, 1);
        expected += c;
    }
    EXPECT_EQ(file.GetLength(), 1000u);
    file.Seek(1010, CFile::begin);  // beyond the end: the gap reads as zeros
    file.Write("!", 1);
    expected += std::string(10, '\0') + "!";
    file.SeekToBegin();
    std::string back(1100, '\0');
    back.resize(file.Read(back.data(), 1100));
    EXPECT_EQ(back, expected);

    const std::vector<BYTE> content = file.Detach();
    EXPECT_EQ(std::string(content.begin(), content.end()), expected);
    EXPECT_EQ(file.GetLength(), 0u);

    BYTE fixed[3] = {'x', 'y', 'z'};
    CMemFile attached(fixed, 3, 16);  // may grow: the content moves to a buffer of its own
    EXPECT_EQ(attached.GetLength(), 0u);
    attached.Write("01", 2);
    EXPECT_EQ(std::memcmp(fixed, "01z", 3), 0);
    attached.Write("23456789", 8);
    EXPECT_EQ(std::memcmp(fixed, "01z", 3), 0);  // no longer touched
    const auto moved = attached.Detach();
    EXPECT_EQ(std::string(moved.begin(), moved.end()), "0123456789");
}

}  // namespace
