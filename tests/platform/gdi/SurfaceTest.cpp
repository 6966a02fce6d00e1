#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

namespace {

using platform::Surface;

// Fills and masks on 1-bpp rows must get the partial bytes at both ends right; compare every
// pixel against a plain per-pixel reference for spans that start and end at each bit.
TEST(Surface, MonoFillMatchesPerPixelReferenceAtEveryBitOffset) {
    for (int left = 0; left < 17; ++left) {
        for (int right = left; right < 40; right += 3) {
            Surface s(40, 2, 1);
            s.FillAll(1);
            s.Fill(CRect(left, 0, right, 1), 0);
            for (int x = 0; x < 40; ++x) {
                const std::uint32_t expected = (x >= left && x < right) ? 0u : 1u;
                ASSERT_EQ(s.GetPixel(x, 0), expected)
                    << "span " << left << ".." << right << " at " << x;
                ASSERT_EQ(s.GetPixel(x, 1), 1u) << "the next row is untouched";
            }
        }
    }
}

TEST(Surface, MaskIsPlacedAtAnyBitOffsetAndClipped) {
    // A 10-pixel-wide mask: 1011001110 on one row.
    const std::uint8_t mask[2] = {0b10110011, 0b10000000};
    const bool bits[10] = {true, false, true, true, false, false, true, true, true, false};
    for (int x0 = -3; x0 < 30; ++x0) {
        for (const CRect& clip : {CRect(0, 0, 32, 1), CRect(5, 0, 20, 1)}) {
            Surface s(32, 1, 1);
            s.FillAll(1);
            s.FillMask1(x0, 0, mask, 2, 10, 1, 0, clip);
            for (int x = 0; x < 32; ++x) {
                const int m = x - x0;
                const bool ink = m >= 0 && m < 10 && bits[m] && clip.PtInRect(CPoint(x, 0));
                ASSERT_EQ(s.GetPixel(x, 0), ink ? 0u : 1u) << "mask at " << x0 << ", pixel " << x;
            }
        }
    }
}

TEST(Surface, CoverageBlendsOnColourAndThresholdsOnMono) {
    const std::uint8_t alpha[3] = {0, 128, 255};
    Surface colour(3, 1, 32);
    colour.FillAll(0xFFFFFF);
    colour.BlendMask8(0, 0, alpha, 3, 3, 1, 0x000000, colour.Bounds());
    EXPECT_EQ(colour.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(colour.GetPixel(1, 0), 0x7F7F7Fu);
    EXPECT_EQ(colour.GetPixel(2, 0), 0x000000u);

    Surface mono(3, 1, 1);
    mono.FillAll(1);
    mono.BlendMask8(0, 0, alpha, 3, 3, 1, 0x000000, mono.Bounds());
    EXPECT_EQ(mono.GetPixel(0, 0), 1u);
    EXPECT_EQ(mono.GetPixel(1, 0), 0u);
    EXPECT_EQ(mono.GetPixel(2, 0), 0u);
}

TEST(Surface, RefusesSizesItCannotHold) {
    EXPECT_TRUE(Surface::CanCreate(240, 1024, 1));
    EXPECT_TRUE(Surface::CanCreate(0, 0, 32));
    EXPECT_FALSE(Surface::CanCreate(-1, 5, 32));
    EXPECT_FALSE(Surface::CanCreate(100, 100, 8));
    EXPECT_FALSE(Surface::CanCreate(Surface::kMaxSide + 1, 1, 1));
    EXPECT_FALSE(Surface::CanCreate(16000, 16000, 32)) << "beyond the byte limit";
    EXPECT_THROW(Surface(16000, 16000, 32), std::invalid_argument);
}

}  // namespace
