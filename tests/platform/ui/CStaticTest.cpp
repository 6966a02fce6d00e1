// The static control: taps reported only with SS_NOTIFY, text placed by its alignment style,
// the '&' prefix, a picture from a bitmap resource at the bitmap's own size, and its borders.

#include <cstring>

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CStatic.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;
using CStaticTest = ControlTest;

TEST_F(CStaticTest, ATapIsReportedAsClickedOnlyWithNotify) {
    const struct {
        DWORD style;
        int clicks;
    } cases[] = {{SS_NOTIFY, 1}, {0, 0}, {SS_CENTER | SS_NOTIFY, 1}};
    for (const auto& c : cases) {
        parent.notes.clear();
        const HWND counter = Make(u"STATIC", u"12/250", c.style, CRect(4, 4, 200, 18), 1005);
        TapCentre(counter);
        EXPECT_EQ(parent.Commands(1005, STN_CLICKED), c.clicks) << "style " << c.style;
        ::DestroyWindow(counter);
    }
}

TEST_F(CStaticTest, TheWrapperCreatesAStaticThatNotifiesItsParent) {
    CStatic label;
    ASSERT_TRUE(
        label.Create(u"tap me", WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 100, 30), &parent, 7));
    TapCentre(label.m_hWnd);
    EXPECT_EQ(parent.Commands(7, STN_CLICKED), 1);
}

TEST_F(CStaticTest, TheTextIsPlacedByTheAlignmentStyle) {
    const CRect box(20, 40, 220, 60);  // parent client coordinates
    const struct {
        DWORD style;
        const char* name;
    } cases[] = {{SS_LEFT, "left"}, {SS_CENTER, "centre"}, {SS_RIGHT, "right"}};
    for (const auto& c : cases) {
        const HWND label = Make(u"STATIC", u"Font name:", c.style, box, -1);
        platform::RunUntilIdle();
        const CRect onScreen = OnScreen(label);
        const auto [first, last] = InkColumns(onScreen);
        ASSERT_GE(first, 0) << c.name << ": no text drawn";
        const int leftGap = first - onScreen.left;
        const int rightGap = onScreen.right - 1 - last;
        if (c.style == SS_LEFT) {
            EXPECT_LE(leftGap, 2) << c.name;
        } else if (c.style == SS_RIGHT) {
            EXPECT_LE(rightGap, 2) << c.name;
        } else {
            EXPECT_LE(std::abs(leftGap - rightGap), 3) << c.name;
        }
        ::DestroyWindow(label);
    }
}

TEST_F(CStaticTest, AnAmpersandMarksAnUnderlinedLetterUnlessTheStaticSaysNoPrefix) {
    // "&Size:" draws "Size:" with S underlined; with SS_NOPREFIX the ampersand shows.
    const HWND marked = Make(u"STATIC", u"&Size:", 0, CRect(10, 10, 120, 30), -1);
    const HWND plain = Make(u"STATIC", u"Size:", 0, CRect(10, 40, 120, 60), -1);
    const HWND literal = Make(u"STATIC", u"&Size:", SS_NOPREFIX, CRect(10, 70, 120, 90), -1);
    platform::RunUntilIdle();
    const int markedInk = Ink(OnScreen(marked));
    const int plainInk = Ink(OnScreen(plain));
    EXPECT_GT(markedInk, plainInk) << "the underline adds ink";
    EXPECT_LT(markedInk, plainInk + 12) << "but no ampersand is drawn";
    const auto [pf, pl] = InkColumns(OnScreen(plain));
    const auto [lf, ll] = InkColumns(OnScreen(literal));
    EXPECT_GT(ll - lf, pl - pf + 3) << "the literal ampersand widens the text";
}

// A 24-bit BMP file of w x h pixels in one colour.
std::vector<BYTE> SolidBmp(int w, int h, BYTE r, BYTE g, BYTE b) {
    const int row = (w * 3 + 3) / 4 * 4;
    const int size = 54 + row * h;
    std::vector<BYTE> bmp(static_cast<std::size_t>(size), 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[static_cast<std::size_t>(at + i)] = static_cast<BYTE>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<std::uint32_t>(size));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto at = static_cast<std::size_t>(54 + y * row + x * 3);
            bmp[at] = b;
            bmp[at + 1] = g;
            bmp[at + 2] = r;
        }
    }
    return bmp;
}

TEST_F(CStaticTest, APictureShowsTheBitmapItsTextNamesAtTheBitmapsSize) {
    ResourceModule module;
    module.bitmaps.push_back({ResourceId(131), ResourceBytes::Own(SolidBmp(30, 20, 255, 0, 0))});
    AfxSetResourceModule(&module);
    // The template gives 20 x 20 dialog units; the control takes the picture's size.
    const HWND picture = Make(u"STATIC", u"#131", SS_BITMAP, CRect(49, 2, 84, 37), -1);
    platform::RunUntilIdle();
    const CRect r = OnScreen(picture);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_EQ(uitest::Pixel(r.left, r.top), 0xFF0000u);
    EXPECT_EQ(uitest::Pixel(r.right - 1, r.bottom - 1), 0xFF0000u);
    EXPECT_EQ(uitest::Pixel(r.right, r.top), 0xFFFFFFu) << "nothing beyond the picture";

    // A name that is no resource shows nothing and keeps the size it was given.
    const HWND missing = Make(u"STATIC", u"#999", SS_BITMAP, CRect(100, 100, 120, 110), -1);
    platform::RunUntilIdle();
    EXPECT_EQ(OnScreen(missing).Width(), 20);
    ::DestroyWindow(picture);
    ::DestroyWindow(missing);
    AfxSetResourceModule(nullptr);
}

TEST_F(CStaticTest, TheBorderIsABlackLineAndTheSunkenStyleAnEdge) {
    const HWND framed = Make(u"STATIC", u"", WS_BORDER, CRect(10, 10, 60, 40), -1);
    const HWND sunken = Make(u"STATIC", u"", SS_SUNKEN, CRect(100, 10, 150, 40), -1);
    platform::RunUntilIdle();
    const CRect f = OnScreen(framed);
    EXPECT_EQ(uitest::Pixel(f.left, f.top), 0x000000u);
    EXPECT_EQ(uitest::Pixel(f.right - 1, f.bottom - 1), 0x000000u);
    EXPECT_EQ(uitest::Pixel(f.left + 1, f.top + 1), 0xFFFFFFu);
    const CRect s = OnScreen(sunken);
    EXPECT_EQ(uitest::Pixel(s.left, s.top), 0x808080u) << "shadow at the top left";
    EXPECT_EQ(uitest::Pixel(s.right - 1, s.bottom - 1), 0xFFFFFFu) << "light at the bottom right";
    CRect client;
    ::GetClientRect(sunken, &client);
    EXPECT_EQ(client.Width(), 48) << "the edge takes a pixel each side";
}

}  // namespace
