// The joke view's rendering, in the test process: the text as written (ampersands included),
// lines that never run past the surface, texts taller than the surface, and paints with and
// without a text. Each reads the off-screen surface or the screen's pixels.

#include "platform/gdi/Gdi.h"
#include "platform/ui/CView.h"
#include "tests/reader/ui/InProcessReader.h"

namespace readertest {
namespace {

constexpr std::uint32_t kWhite = 1;  // on the one-bit surface
constexpr std::uint32_t kScreenWhite = 0xFFFFFF;

const platform::Surface& SurfaceOf(const CJokeView& view) {
    const CDC* dc = view.GetSurfaceDC();
    if (dc == nullptr || dc->GetSurface() == nullptr)
        throw std::runtime_error("the view has no surface");
    return *dc->GetSurface();
}

// The leftmost column at or right of x0 that holds ink in any row, or -1.
int InkFrom(const platform::Surface& surface, int x0) {
    for (int x = x0; x < surface.Width(); ++x) {
        for (int y = 0; y < surface.Height(); ++y) {
            if (surface.GetPixel(x, y) != kWhite)
                return x;
        }
    }
    return -1;
}

bool HasInkInRow(const platform::Surface& surface, int y) {
    for (int x = 0; x < surface.Width(); ++x) {
        if (surface.GetPixel(x, y) != kWhite)
            return true;
    }
    return false;
}

// The text on a surface like the view's, in the view's font, by TextOut: each character as
// it stands, with no prefix or tab processing.
struct Literal {
    explicit Literal(const CString& text, UINT drawTextFlags = 0) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, 240, 1024);
        dc.SelectObject(&bitmap);
        const CRect all(0, 0, 240, 1024);
        dc.FillRect(&all, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW)));
        dc.SetBkMode(TRANSPARENT);
        font.CreatePointFont(100, u"Arial");
        dc.SelectObject(&font);
        if (drawTextFlags == 0) {
            dc.TextOut(10, 0, text);
        } else {
            CRect r(10, 0, 221, 1024);
            dc.DrawText(text, -1, &r, drawTextFlags);
        }
    }
    const platform::Surface& Surface() const { return *dc.GetSurface(); }
    CDC dc;
    CBitmap bitmap;
    CFont font;
};

bool SameBytes(const platform::Surface& a, const platform::Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Data().begin(), a.Data().end(), b.Data().begin(), b.Data().end());
}

class JokeViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reader.Start()); }
    CJokeView& View() { return reader.View().m_jokeView; }

    InProcessReader reader{{"A joke."}};
};

TEST_F(JokeViewTest, AJokeIsDrawnAsWrittenAmpersandsIncluded) {
    for (const char16_t* text : {u"Q&A", u"salt & pepper", u"&&", u"Rock & roll & more&"}) {
        View().SetText(text);
        EXPECT_TRUE(SameBytes(SurfaceOf(View()), Literal(text).Surface()))
            << CString(text).ToUtf8();
    }
    // The comparison sees the difference the prefix would make.
    EXPECT_FALSE(SameBytes(Literal(u"Q&A").Surface(), Literal(u"Q&A", DT_WORDBREAK).Surface()));
}

TEST_F(JokeViewTest, AWordWiderThanTheLineKeepsTheOtherLinesInside) {
    const CString text(
        u"Short words come first, then a word too wide for any line: "
        u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW and after it more short "
        u"words that wrap over several lines of the view.");
    View().SetText(text);
    // Measuring alone widens the rectangle to the long word.
    CDC& dc = const_cast<CDC&>(*View().GetSurfaceDC());
    CFont font;
    font.CreatePointFont(100, u"Arial");
    CFont* old = dc.SelectObject(&font);
    CRect measured(10, 0, 221, 1024);
    dc.DrawText(text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(old);
    ASSERT_GT(measured.right, 240) << "the case needs a word wider than the surface";

    EXPECT_EQ(View().GetTextRect(), CRect(10, 0, 221, measured.bottom));
    EXPECT_EQ(InkFrom(SurfaceOf(View()), 221), -1) << "nothing drawn right of the text";
    EXPECT_EQ(View().GetTotalSize(), CSize(221, measured.bottom));
    EXPECT_TRUE(HasInkInRow(SurfaceOf(View()), measured.bottom - 3)) << "down to the last line";
}

TEST_F(JokeViewTest, ATextTallerThanTheSurfaceScrollsToItsFullHeight) {
    std::u16string text;
    for (int i = 1; i <= 120; ++i)
        text += u"A line of a very long joke.\n";
    View().SetText(CString(text));
    const platform::Surface& surface = SurfaceOf(View());
    EXPECT_EQ(surface.Height(), 1024);
    EXPECT_EQ(surface.BitsPerPixel(), 1);
    EXPECT_GT(View().GetTextRect().bottom, 1024);
    EXPECT_EQ(View().GetTotalSize().cy, View().GetTextRect().bottom);
    EXPECT_TRUE(HasInkInRow(surface, 1020) || HasInkInRow(surface, 1015))
        << "lines down to the surface's last rows";

    // Past the surface the view shows the window colour.
    CRect client;
    View().GetClientRect(&client);
    View().ScrollToPosition(CPoint(0, View().GetTotalSize().cy - client.Height()));
    platform::RunUntilIdle();
    CRect onScreen = client;
    View().ClientToScreen(&onScreen);
    for (int y = onScreen.top; y < onScreen.bottom; ++y) {
        for (int x = onScreen.left; x < onScreen.right; ++x)
            ASSERT_EQ(platform::Screen::Instance().PixelAt(x, y), kScreenWhite) << x << ", " << y;
    }
}

TEST_F(JokeViewTest, LineBreaksStartLinesAndTabsAreNotExpanded) {
    View().SetText(u"one\ntwo\r\nthree");
    const int line = View().GetTextRect().Height() / 3;
    EXPECT_EQ(View().GetTextRect().Height(), 3 * line);
    View().SetText(u"a\tb");
    EXPECT_TRUE(SameBytes(SurfaceOf(View()), Literal(u"a b").Surface())) << "a tab is one blank";
}

TEST_F(JokeViewTest, AnEmptyTextLeavesOnlyTheWindowColour) {
    View().SetText(CString());
    EXPECT_EQ(InkFrom(SurfaceOf(View()), 0), -1);
    EXPECT_FALSE(View().GetStyle() & WS_VSCROLL);
}

TEST(JokeViewPaint, BeforeAnyTextTheViewShowsTheWindowColour) {
    InProcessReader reader({"A joke."});
    ASSERT_TRUE(reader.Start());
    // A view of its own over a placeholder control, like a dialog's before it sets a text.
    CWnd& form = reader.View();
    const HWND placeholder =
        ::CreateWindowEx(0, u"STATIC", u"Static", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 40, 200,
                         100, form.m_hWnd, 4242);
    CJokeView view;
    ASSERT_TRUE(view.SubclassWindow(placeholder));
    view.Invalidate(TRUE);
    platform::RunUntilIdle();
    CRect client;
    view.GetClientRect(&client);
    view.ClientToScreen(&client);
    for (int y = client.top; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x)
            ASSERT_EQ(platform::Screen::Instance().PixelAt(x, y), kScreenWhite) << x << ", " << y;
    }
    view.DestroyWindow();
}

}  // namespace
}  // namespace readertest
