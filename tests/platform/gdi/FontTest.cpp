#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/FontEngine.h"

namespace {

using gditest::Canvas;

TEST(Font, PointSizesBecomeEmHeightsAt96Dpi) {
    const struct {
        int tenths;
        int em;
    } cases[] = {{80, 11}, {90, 12}, {100, 13}, {120, 16}, {140, 19}, {720, 96}};
    Canvas canvas(8, 8, 1);
    for (const auto& c : cases) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(c.tenths, u"Arial")) << c.tenths;
        LOGFONT lf{};
        ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof(LOGFONT)));
        EXPECT_EQ(lf.lfHeight, -c.em) << c.tenths;
        EXPECT_EQ(std::u16string_view(lf.lfFaceName), u"Arial") << "the name as asked";
        CFont* old = canvas.dc.SelectObject(&font);
        const TEXTMETRIC tm = gditest::Metrics(canvas.dc);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, c.em) << c.tenths;
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        canvas.dc.SelectObject(old);
    }
}

TEST(Font, ArialIsLiberationSansAndUnknownNamesFallBack) {
    CFont arial, unknown, system;
    ASSERT_TRUE(arial.CreatePointFont(100, u"Arial"));
    EXPECT_EQ(arial.GetFaceFamily(), CString(u"Liberation Sans"));
    ASSERT_TRUE(unknown.CreatePointFont(100, u"No Such Face Anywhere"));
    EXPECT_FALSE(unknown.GetFaceFamily().IsEmpty()) << "fontconfig's default face";
    ASSERT_TRUE(system.CreatePointFont(80, u"System"));
    CFont tahoma;
    ASSERT_TRUE(tahoma.CreatePointFont(80, u"Tahoma"));
    EXPECT_EQ(system.GetFaceFamily(), tahoma.GetFaceFamily()) << "the system face is Tahoma's";
}

TEST(Font, CellHeightsAndEmHeightsFromLogFont) {
    Canvas canvas(8, 8, 32);
    CFont em, cell;
    LOGFONT lf{};
    std::u16string_view face = u"Liberation Sans";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    lf.lfHeight = -20;
    ASSERT_TRUE(em.CreateFontIndirect(&lf));
    canvas.dc.SelectObject(&em);
    const TEXTMETRIC byEm = gditest::Metrics(canvas.dc);
    EXPECT_EQ(byEm.tmHeight - byEm.tmInternalLeading, 20);

    lf.lfHeight = byEm.tmHeight;  // the same font asked for by its cell height
    ASSERT_TRUE(cell.CreateFontIndirect(&lf));
    canvas.dc.SelectObject(&cell);
    EXPECT_EQ(gditest::Metrics(canvas.dc).tmHeight, byEm.tmHeight);

    lf.lfHeight = -1000000;  // absurd sizes are capped, not allocated
    CFont huge;
    ASSERT_TRUE(huge.CreateFontIndirect(&lf));
    canvas.dc.SelectObject(&huge);
    EXPECT_LE(gditest::Metrics(canvas.dc).tmHeight, 2048);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Font, ContextsStartWithTheSystemFont) {
    Canvas canvas(8, 8, 1);
    const TEXTMETRIC tm = gditest::Metrics(canvas.dc);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11) << "8 points at 96 dpi";
    CFont* current = canvas.dc.GetCurrentFont();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetSafeHandle(), GetStockObject(SYSTEM_FONT));
}

// Glyphs are rendered once per face, size and mode; a font deleted and created again (the
// reader does so for every joke) finds them still there.
TEST(Font, GlyphsAreRenderedOnceAndReused) {
    const CString text(u"Glyph cache: the quick brown fox, 0123456789!");
    Canvas mono(240, 64, 1);
    auto draw = [&](Canvas& canvas, int size) {
        CFont font;
        EXPECT_TRUE(font.CreatePointFont(size, u"Liberation Serif"));
        CFont* old = canvas.dc.SelectObject(&font);
        CRect rect(0, 0, 240, 64);
        canvas.dc.DrawText(text, -1, &rect, DT_WORDBREAK | DT_CALCRECT);
        canvas.dc.DrawText(text, -1, &rect, DT_WORDBREAK);
        canvas.dc.SelectObject(old);
    };
    draw(mono, 110);
    const auto afterFirst = platform::FontEngine::RenderedGlyphCount();
    draw(mono, 110);
    EXPECT_EQ(platform::FontEngine::RenderedGlyphCount(), afterFirst)
        << "second draw rendered glyphs";

    Canvas colour(240, 64, 32);
    draw(colour, 110);
    const auto afterColour = platform::FontEngine::RenderedGlyphCount();
    EXPECT_GT(afterColour, afterFirst) << "anti-aliased glyphs are a separate set";
    draw(colour, 110);
    EXPECT_EQ(platform::FontEngine::RenderedGlyphCount(), afterColour);

    draw(mono, 130);
    EXPECT_GT(platform::FontEngine::RenderedGlyphCount(), afterColour)
        << "another size, other glyphs";
}

TEST(Font, EmptyFontIsNotSelected) {
    Canvas canvas(8, 8, 1);
    CFont empty;
    EXPECT_EQ(canvas.dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(canvas.dc.GetCurrentFont()->GetSafeHandle(), GetStockObject(SYSTEM_FONT));
    EXPECT_FALSE(empty.CreateFontIndirect(nullptr));
}

}  // namespace
