#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using gditest::Canvas;

// A 1-bpp source with a known pattern: black where (x + y) % 3 == 0.
void DrawPattern(Canvas& source, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x + y) % 3 == 0)
                source.dc.SetPixel(x, y, RGB(0, 0, 0));
        }
    }
}

TEST(BitBlt, MonoOntoColourPaintsZeroBitsInTextColourAndOneBitsInBackground) {
    Canvas source(16, 8, 1);
    DrawPattern(source, 16, 8);
    Canvas target(20, 10, 32);
    target.dc.SetTextColor(RGB(200, 0, 0));
    target.dc.SetBkColor(RGB(0, 0, 120));
    ASSERT_TRUE(target.dc.BitBlt(2, 1, 16, 8, &source.dc, 0, 0, SRCCOPY));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            COLORREF expected = RGB(255, 255, 255);
            if (x >= 2 && x < 18 && y >= 1 && y < 9) {
                expected = (x - 2 + y - 1) % 3 == 0 ? RGB(200, 0, 0) : RGB(0, 0, 120);
            }
            ASSERT_EQ(target.dc.GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(BitBlt, ColourOntoMonoMakesTheSourceBackgroundWhite) {
    Canvas source(4, 1, 32);
    const COLORREF colours[4] = {RGB(10, 20, 30), RGB(255, 255, 255), RGB(10, 20, 30),
                                 RGB(0, 0, 0)};
    for (int x = 0; x < 4; ++x)
        source.dc.SetPixel(x, 0, colours[x]);
    source.dc.SetBkColor(RGB(10, 20, 30));
    Canvas target(4, 1, 1);
    target.dc.BitBlt(0, 0, 4, 1, &source.dc, 0, 0, SRCCOPY);
    const bool white[4] = {true, false, true, false};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.dc.GetPixel(x, 0), white[x] ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x;
    }
}

TEST(BitBlt, ReadingPastTheSourceGivesTheWindowColour) {
    // The text view copies a strip that may reach past its 1024 rows.
    Canvas source(8, 8, 1);
    source.Surface().FillAll(0);  // all black
    Canvas target(8, 16, 32);
    target.Surface().FillAll(0x123456);
    target.dc.BitBlt(0, 0, 8, 16, &source.dc, 0, 4, SRCCOPY);
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(target.dc.GetPixel(3, y), y < 4 ? RGB(0, 0, 0) : RGB(255, 255, 255)) << y;
    }
    // Negative source coordinates as well.
    target.dc.BitBlt(0, 0, 8, 8, &source.dc, -4, 0, SRCCOPY);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.dc.GetPixel(4, 0), RGB(0, 0, 0));
}

TEST(BitBlt, SurfaceContextsDrawThroughTheirOriginAndClip) {
    // Two windows side by side on one screen surface.
    platform::Surface screen(40, 20, 32);
    screen.FillAll(0);
    CDC left, right;
    ASSERT_TRUE(left.AttachSurface(&screen, CPoint(0, 0), CRect(0, 0, 20, 20)));
    ASSERT_TRUE(right.AttachSurface(&screen, CPoint(20, 5), CRect(20, 5, 40, 15)));
    CRect all(-100, -100, 100, 100);
    CBrush red(RGB(255, 0, 0));
    right.FillRect(&all, &red);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inRight = x >= 20 && y >= 5 && y < 15;
            ASSERT_EQ(screen.GetPixel(x, y), inRight ? 0xFF0000u : 0u) << x << "," << y;
        }
    }
    // Logical (0, 0) of the right window is screen (20, 5); copying from it reads its pixels
    // and nothing outside its clip.
    Canvas copy(20, 20, 32);
    copy.dc.BitBlt(0, 0, 20, 20, &right, 0, 0, SRCCOPY);
    EXPECT_EQ(copy.dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(copy.dc.GetPixel(19, 9), RGB(255, 0, 0));
    EXPECT_EQ(copy.dc.GetPixel(0, 10), RGB(255, 255, 255)) << "below the clip: window colour";
    CRect box;
    EXPECT_EQ(right.GetClipBox(&box), 1);
    EXPECT_EQ(box, CRect(0, 0, 20, 10));
}

TEST(BitBlt, OverlappingCopyOnOneSurfaceMovesThePixels) {
    Canvas canvas(4, 6, 32);
    for (int y = 0; y < 6; ++y)
        canvas.dc.FillSolidRect(0, y, 4, 1, RGB(y * 10, 0, 0));
    canvas.dc.BitBlt(0, 1, 4, 5, &canvas.dc, 0, 0, SRCCOPY);  // down one row
    for (int y = 1; y < 6; ++y)
        EXPECT_EQ(canvas.dc.GetPixel(2, y), RGB((y - 1) * 10, 0, 0)) << y;
    canvas.dc.BitBlt(0, 0, 4, 5, &canvas.dc, 0, 1, SRCCOPY);  // and back up
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(canvas.dc.GetPixel(2, y), RGB(y * 10, 0, 0)) << y;
}

TEST(BitBlt, RasterOperations) {
    Canvas source(6, 1, 1);
    DrawPattern(source, 6, 1);
    Canvas target(6, 1, 1);
    const std::vector<std::uint8_t> white = target.Pixels();
    target.dc.BitBlt(0, 0, 6, 1, &source.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(255, 255, 255)) << "white ^ black";
    EXPECT_EQ(target.dc.GetPixel(1, 0), RGB(0, 0, 0)) << "white ^ white";
    target.dc.BitBlt(0, 0, 6, 1, &source.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(target.Pixels(), white) << "a second SRCINVERT undoes the first";

    target.dc.BitBlt(0, 0, 6, 1, &source.dc, 0, 0, NOTSRCCOPY);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.dc.GetPixel(1, 0), RGB(0, 0, 0));

    CBrush black(RGB(0, 0, 0));
    target.dc.SelectObject(&black);
    target.dc.BitBlt(0, 0, 3, 1, nullptr, 0, 0, PATCOPY);
    EXPECT_EQ(target.dc.GetPixel(2, 0), RGB(0, 0, 0));
    target.dc.PatBlt(0, 0, 6, 1, WHITENESS);
    EXPECT_EQ(target.Pixels(), white);
    target.dc.SelectStockObject(WHITE_BRUSH);
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 6, 1, &source.dc, 0, 0, 0x12345678)) << "unknown operation";
}

TEST(CompatibleBitmap, TakesTheDepthOfTheContextsSelectedBitmap) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    BITMAP info{};
    CBitmap first;
    ASSERT_TRUE(first.CreateCompatibleBitmap(&memory, 240, 1024));
    first.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 1) << "a new memory context holds a 1 x 1 monochrome bitmap";
    EXPECT_EQ(info.bmWidth, 240);
    EXPECT_EQ(info.bmHeight, 1024);

    platform::Surface screen(240, 320, 32);
    CDC window;
    window.AttachSurface(&screen, CPoint(0, 26), CRect(0, 26, 240, 294));
    CBitmap second;
    ASSERT_TRUE(second.CreateCompatibleBitmap(&window, 10, 10));
    second.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 32);

    memory.SelectObject(&second);
    CBitmap third;
    ASSERT_TRUE(third.CreateCompatibleBitmap(&memory, 10, 10));
    third.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 32) << "now the selected bitmap is a colour one";

    CBitmap zero;
    ASSERT_TRUE(zero.CreateCompatibleBitmap(&window, 0, 5));
    zero.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    CBitmap negative;
    EXPECT_FALSE(negative.CreateCompatibleBitmap(&window, -5, 5));
    EXPECT_FALSE(negative.CreateCompatibleBitmap(&window, 100000, 100000));
}

}  // namespace
