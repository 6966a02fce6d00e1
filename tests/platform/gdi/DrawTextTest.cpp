// DrawText as the reader's text view uses it: a 240 x 1024 monochrome surface, a known font,
// measured with DT_CALCRECT and then drawn.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using gditest::Canvas;
using gditest::Show;

constexpr UINT kMeasure = DT_CALCRECT | DT_WORDBREAK;

class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(font.CreatePointFont(100, u"Liberation Sans"));
        ASSERT_EQ(font.GetFaceFamily(), CString(u"Liberation Sans"))
            << "fonts-liberation2 is needed";
        previous = canvas.dc.SelectObject(&font);
        canvas.dc.SetBkMode(TRANSPARENT);
        lineHeight = gditest::Metrics(canvas.dc).tmHeight;
    }
    void TearDown() override { canvas.dc.SelectObject(previous); }

    int Width(const CString& text) { return canvas.dc.GetTextExtent(text).cx; }
    // Measures, then draws into the measured rectangle, as the text view does.
    CRect MeasureAndDraw(const CString& text, CRect rect, UINT flags = DT_WORDBREAK) {
        canvas.dc.DrawText(text, -1, &rect, flags | DT_CALCRECT);
        canvas.dc.DrawText(text, -1, &rect, flags);
        return rect;
    }
    std::vector<std::uint8_t> Render(const CString& text, UINT flags) {
        canvas.Clear();
        CRect rect(10, 0, 221, 1024);
        canvas.dc.DrawText(text, -1, &rect, flags);
        return canvas.Pixels();
    }

    Canvas canvas{240, 1024, 1};
    CFont font;
    CFont* previous = nullptr;
    int lineHeight = 0;
};

TEST_F(DrawTextTest, LineBreaksStartNewLinesOneFontHeightApart) {
    for (const CString& text : {CString(u"One\nTwo\nThree"), CString(u"One\r\nTwo\r\nThree"),
                                CString(u"One\rTwo\nThree")}) {
        canvas.Clear();
        CRect rect(10, 0, 221, 1024);
        const int height = canvas.dc.DrawText(text, -1, &rect, kMeasure);
        EXPECT_EQ(height, 3 * lineHeight) << text.ToUtf8();
        EXPECT_EQ(rect.bottom, 3 * lineHeight);
        EXPECT_EQ(rect.right, 10 + Width(u"Three")) << "the right edge moves to the longest line";

        canvas.dc.DrawText(text, -1, &rect, DT_WORDBREAK);
        const auto bands = canvas.InkBands();
        ASSERT_EQ(bands.size(), 3u) << text.ToUtf8();
        for (int i = 0; i < 3; ++i) {
            EXPECT_GE(bands[i].top, i * lineHeight) << "line " << i;
            EXPECT_LE(bands[i].bottom, (i + 1) * lineHeight) << "line " << i;
            EXPECT_LT(bands[i].left, 12) << "each line starts at the left edge";
        }
    }
}

TEST_F(DrawTextTest, TextAfterTheLastBreakAndEmptyTexts) {
    CRect rect(10, 0, 221, 1024);
    EXPECT_EQ(canvas.dc.DrawText(CString(u"a\n"), -1, &rect, kMeasure), 2 * lineHeight);
    rect = CRect(10, 0, 221, 1024);
    EXPECT_EQ(canvas.dc.DrawText(CString(u"a\n\nb"), -1, &rect, kMeasure), 3 * lineHeight);
    rect = CRect(10, 0, 221, 1024);
    EXPECT_EQ(canvas.dc.DrawText(CString(), -1, &rect, kMeasure), 0);
    EXPECT_EQ(rect, CRect(10, 0, 10, 0));
    canvas.dc.DrawText(CString(), -1, &rect, DT_WORDBREAK);
    EXPECT_TRUE(canvas.InkBounds().IsRectEmpty()) << "an empty text leaves the window colour";
}

TEST_F(DrawTextTest, WrapsAtBlanksWithinTheWidth) {
    // Just too narrow for the first three words, so the first line must be "The quick".
    const int width = Width(u"The quick brown") - 1;
    ASSERT_LE(Width(u"The quick"), width);
    const CString text(u"The quick brown fox jumps over the lazy dog and runs far away");
    const CRect measured = MeasureAndDraw(text, CRect(10, 0, 10 + width, 1024));
    const auto bands = canvas.InkBands();
    ASSERT_GT(bands.size(), 2u);
    EXPECT_EQ(measured.bottom, static_cast<int>(bands.size()) * lineHeight);
    EXPECT_LE(measured.right, 10 + width) << "no word is wider than the line";
    for (const CRect& band : bands) {
        EXPECT_GE(band.left, 10) << Show(band);
        EXPECT_LT(band.left, 10 + Width(u" ")) << "the blank at a wrap is dropped " << Show(band);
        EXPECT_LE(band.right, measured.right) << Show(band);
    }
    Canvas alone(240, 64, 1);
    alone.dc.SelectObject(&font);
    alone.dc.SetBkMode(TRANSPARENT);
    CRect first(10, 0, 240, 64);
    alone.dc.DrawText(CString(u"The quick"), -1, &first, DT_SINGLELINE);
    EXPECT_EQ(canvas.InkBounds(CRect(0, 0, 240, lineHeight)), alone.InkBounds())
        << "the first line is exactly \"The quick\"";
}

TEST_F(DrawTextTest, LongWordOverflowsUnbrokenAndWidensTheMeasuredRectangle) {
    const CString word(u"Supercalifragilisticexpialidocious");
    const int wordWidth = Width(word);
    ASSERT_GT(wordWidth, 100);
    const CRect measured = MeasureAndDraw(word + u" is long", CRect(10, 0, 110, 1024));
    EXPECT_EQ(measured.right, 10 + wordWidth);
    EXPECT_EQ(measured.bottom, 2 * lineHeight) << "the word alone, then \"is long\"";
    const auto bands = canvas.InkBands();
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_GT(bands[0].right, 110) << "drawn past the original right edge";
    EXPECT_LE(bands[1].right, 10 + Width(u"is long") + 1);
}

TEST_F(DrawTextTest, DoubleAmpersandShowsOneAmpersand) {
    const struct {
        const char16_t* prefixed;
        const char16_t* plain;
    } cases[] = {{u"&&", u"&"}, {u"Tom && Jerry", u"Tom & Jerry"}, {u"a&&&&b", u"a&&b"}};
    for (const auto& c : cases) {
        const auto withPrefix = Render(c.prefixed, DT_WORDBREAK);
        const auto literal = Render(c.plain, DT_WORDBREAK | DT_NOPREFIX);
        EXPECT_EQ(withPrefix, literal) << CString(c.prefixed).ToUtf8();
        EXPECT_FALSE(canvas.InkBounds().IsRectEmpty());
    }
}

TEST_F(DrawTextTest, SingleAmpersandUnderlinesTheNextCharacterAndIsHidden) {
    const auto plain = Render(u"ax", DT_WORDBREAK | DT_NOPREFIX);
    const auto marked = Render(u"a&x", DT_WORDBREAK);
    const int underlineLeft = 10 + Width(u"a"), underlineRight = underlineLeft + Width(u"x");
    // Every pixel of "ax" is in "a&x"; what differs is one solid bar under the x only.
    CRect extra;
    const platform::Surface& s = canvas.Surface();
    for (int y = 0; y < lineHeight; ++y) {
        for (int x = 0; x < 240; ++x) {
            const std::size_t byte =
                static_cast<std::size_t>(y) * s.Stride() + static_cast<std::size_t>(x / 8);
            const int bit = 7 - (x % 8);
            const bool inkPlain = ((plain[byte] >> bit) & 1) == 0;
            const bool inkMarked = ((marked[byte] >> bit) & 1) == 0;
            ASSERT_TRUE(!inkPlain || inkMarked) << "lost a pixel of the text at " << x << "," << y;
            if (inkMarked && !inkPlain)
                extra |= CRect(x, y, x + 1, y + 1);
        }
    }
    ASSERT_FALSE(extra.IsRectEmpty()) << "no underline";
    EXPECT_GT(extra.top, gditest::Metrics(canvas.dc).tmAscent - 1) << "below the baseline";
    EXPECT_LE(extra.bottom, lineHeight);
    EXPECT_GE(extra.left, underlineLeft);
    EXPECT_LE(extra.right, underlineRight);
    EXPECT_GE(extra.Width(), Width(u"x") - 1) << "spans the character";

    // With DT_NOPREFIX the ampersand is an ordinary character.
    canvas.Clear();
    CRect rect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"a&x"), -1, &rect, kMeasure | DT_NOPREFIX);
    EXPECT_EQ(rect.right, 10 + Width(u"a&x"));
}

TEST_F(DrawTextTest, TabIsOneBlankUnlessExpanded) {
    CRect rect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"a\tb"), -1, &rect, kMeasure);
    EXPECT_EQ(rect.Width(), Width(u"a b"));

    const int tabStop = 8 * gditest::Metrics(canvas.dc).tmAveCharWidth;
    rect = CRect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"a\tb"), -1, &rect, kMeasure | DT_EXPANDTABS);
    EXPECT_EQ(rect.Width(), tabStop + Width(u"b"));
    EXPECT_GT(tabStop, Width(u"a "));
}

TEST_F(DrawTextTest, TextTallerThanTheSurfaceIsClippedButMeasuredInFull) {
    CString text;
    for (int i = 0; i < 120; ++i)
        text += CString(u"Line of a long joke\n");
    CRect rect(10, 0, 221, 1024);
    const int height = canvas.dc.DrawText(text, -1, &rect, kMeasure);
    EXPECT_EQ(height, 121 * lineHeight);
    EXPECT_EQ(rect.bottom, 121 * lineHeight);
    ASSERT_GT(rect.bottom, 1024);

    canvas.dc.DrawText(text, -1, &rect, DT_WORDBREAK);
    const CRect ink = canvas.InkBounds();
    EXPECT_EQ(ink.top, canvas.InkBands().front().top);
    EXPECT_GT(ink.bottom, 1024 - lineHeight) << "drawn down to the last rows";
    EXPECT_LE(ink.bottom, 1024);
}

TEST_F(DrawTextTest, CalcRectDrawsNothing) {
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(RGB(0, 0, 0));
    CRect rect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"Nothing to see"), -1, &rect, kMeasure);
    EXPECT_TRUE(canvas.InkBounds().IsRectEmpty());
}

TEST_F(DrawTextTest, AlignsSingleLines) {
    const CString text(u"Mid");
    const int w = Width(text);
    const struct {
        UINT flags;
        int left;
        int top;
    } cases[] = {
        {DT_SINGLELINE, 20, 10},
        {DT_SINGLELINE | DT_CENTER, 20 + (200 - w) / 2, 10},
        {DT_SINGLELINE | DT_RIGHT, 220 - w, 10},
        {DT_SINGLELINE | DT_VCENTER, 20, 10 + (100 - lineHeight) / 2},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 220 - w, 110 - lineHeight},
    };
    for (const auto& c : cases) {
        canvas.Clear();
        CRect rect(20, 10, 220, 110);
        canvas.dc.DrawText(text, -1, &rect, c.flags);
        const CRect ink = canvas.InkBounds();
        // The ink lies within the text's cell at the expected place, a pixel of bearing aside.
        EXPECT_GE(ink.left, c.left) << "flags " << c.flags;
        EXPECT_LE(ink.left, c.left + 2) << "flags " << c.flags;
        EXPECT_GE(ink.top, c.top) << "flags " << c.flags;
        EXPECT_LE(ink.bottom, c.top + lineHeight) << "flags " << c.flags;
    }
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
    CRect rect(10, 0, 30, 1024);
    canvas.dc.DrawText(CString(u"Wide words"), -1, &rect, DT_SINGLELINE);
    EXPECT_LE(canvas.InkBounds().right, 30);
    canvas.Clear();
    canvas.dc.DrawText(CString(u"Wide words"), -1, &rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.InkBounds().right, 30);
}

TEST_F(DrawTextTest, CountLimitsTheText) {
    CRect rect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"abc\ndef"), 3, &rect, kMeasure);
    EXPECT_EQ(rect.bottom, lineHeight);
    EXPECT_EQ(rect.right, 10 + Width(u"abc"));
    rect = CRect(10, 0, 221, 1024);
    canvas.dc.DrawText(CString(u"abc"), 50, &rect, kMeasure);
    EXPECT_EQ(rect.right, 10 + Width(u"abc")) << "a count past the end takes the whole text";
}

TEST_F(DrawTextTest, TextOutAndExtentsAgree) {
    const CString text(u"Edit me");
    int fit = 0;
    int dx[7] = {};
    SIZE size{};
    ASSERT_TRUE(canvas.dc.GetTextExtentExPoint(text, 7, Width(u"Edit"), &fit, dx, &size));
    EXPECT_EQ(fit, 4);
    EXPECT_EQ(size.cx, Width(text));
    EXPECT_EQ(size.cy, lineHeight);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(dx[i], Width(text.Left(i + 1))) << i;

    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(RGB(0, 0, 0));
    canvas.dc.TextOut(20, 30, text);
    EXPECT_EQ(canvas.InkBounds(), CRect(20, 30, 20 + size.cx, 30 + lineHeight))
        << "the cell filled in the background colour";
}

// The background mode and colours on a colour target: OPAQUE fills each line's extent.
TEST(DrawTextColour, OpaqueBackgroundFillsTheTextExtentAndGlyphsAreAntiAliased) {
    Canvas canvas(120, 40, 32);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, u"Liberation Sans"));
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(RGB(0, 0, 255));
    canvas.dc.SetTextColor(RGB(255, 255, 0));
    CRect rect(5, 5, 115, 35);
    canvas.dc.DrawText(CString(u"Hi"), -1, &rect, DT_SINGLELINE);
    const int w = canvas.dc.GetTextExtent(CString(u"Hi")).cx;
    const int h = gditest::Metrics(canvas.dc).tmHeight;
    EXPECT_EQ(canvas.InkBounds(), CRect(5, 5, 5 + w, 5 + h));
    bool yellow = false, blended = false;
    for (int y = 5; y < 5 + h; ++y) {
        for (int x = 5; x < 5 + w; ++x) {
            const COLORREF c = canvas.dc.GetPixel(x, y);
            yellow |= c == RGB(255, 255, 0);
            blended |= c != RGB(255, 255, 0) && c != RGB(0, 0, 255);
        }
    }
    EXPECT_TRUE(yellow);
    EXPECT_TRUE(blended) << "anti-aliased edges on a colour target";

    canvas.Clear();
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.DrawText(CString(u"Hi"), -1, &rect, DT_SINGLELINE);
    EXPECT_NE(canvas.dc.GetPixel(5, 5), RGB(0, 0, 255)) << "no background in TRANSPARENT mode";
}

}  // namespace
