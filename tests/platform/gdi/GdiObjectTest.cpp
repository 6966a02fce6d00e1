#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using gditest::Canvas;

TEST(GdiObjects, SelectObjectReturnsWhatWasSelectedBefore) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, u"Arial"));
    CFont* stock = dc.SelectObject(&font);
    ASSERT_NE(stock, nullptr) << "a stock font when the caller selected none";
    EXPECT_EQ(stock->GetSafeHandle(), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc.SelectObject(stock), &font);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 1, nullptr));
    CBitmap* initial = dc.SelectObject(&bitmap);
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(initial->GetSize(), CSize(1, 1)) << "the initial monochrome bitmap";
    EXPECT_EQ(dc.SelectObject(initial), &bitmap);

    CBrush brush(RGB(1, 2, 3));
    CPen pen(PS_SOLID, 1, RGB(4, 5, 6));
    EXPECT_EQ(dc.SelectObject(&brush)->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectObject(&pen)->GetSafeHandle(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(CBrush::FromHandle(brush.GetSafeHandle()), &brush);
    EXPECT_EQ(CFont::FromHandle(brush.GetSafeHandle()), nullptr) << "a brush is no font";
}

// The text view deletes its bitmap while it is still selected, then the context. The context
// must go on drawing into a live bitmap in between, and nothing may be left behind.
TEST(GdiObjects, DeletingASelectedObjectLeavesTheContextWorking) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* stockFont = nullptr;
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
        dc.SelectObject(&bitmap);
        CFont font;
        font.CreatePointFont(100, u"Arial");
        stockFont = dc.SelectObject(&font);
        EXPECT_TRUE(bitmap.DeleteObject());
        EXPECT_FALSE(bitmap.DeleteObject()) << "nothing left to delete";
    }
    dc.FillSolidRect(0, 0, 8, 8, RGB(9, 9, 9));
    EXPECT_EQ(dc.GetPixel(7, 7), RGB(9, 9, 9));
    CRect rect(0, 0, 8, 8);
    dc.DrawText(CString(u"x"), -1, &rect, DT_SINGLELINE);
    // What comes back for objects that are gone is a stand-in that still works.
    CFont* gone = dc.SelectObject(stockFont);
    ASSERT_NE(gone, nullptr);
    LOGFONT lf{};
    EXPECT_GT(gone->GetLogFont(&lf), 0);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_FALSE(dc.DeleteDC());
}

TEST(GdiObjects, SaveAndRestoreBringBackAttributesAndObjects) {
    Canvas canvas(10, 10, 32);
    CDC& dc = canvas.dc;
    CBrush brush(RGB(0, 255, 0));
    const int saved = dc.SaveDC();
    EXPECT_EQ(saved, 1);
    dc.SelectObject(&brush);
    dc.SetTextColor(RGB(1, 1, 1));
    dc.SetViewportOrg(3, 3);
    dc.IntersectClipRect(0, 0, 2, 2);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetCurrentBrush()->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    EXPECT_FALSE(dc.RestoreDC(-1)) << "nothing saved any more";
}

TEST(GdiObjects, ShapesLinesAndPixels) {
    Canvas canvas(10, 10, 32);
    CDC& dc = canvas.dc;
    CBrush green(RGB(0, 255, 0));
    CBrush* oldBrush = dc.SelectObject(&green);
    dc.Rectangle(1, 1, 6, 6);
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 0)) << "outline in the black pen";
    EXPECT_EQ(dc.GetPixel(5, 3), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 255, 0)) << "inside in the brush";
    EXPECT_EQ(dc.GetPixel(6, 3), RGB(255, 255, 255)) << "the right edge is outside";
    dc.SelectObject(oldBrush);

    canvas.Clear();
    dc.MoveTo(0, 8);
    dc.LineTo(5, 8);
    EXPECT_EQ(dc.GetPixel(4, 8), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 8), RGB(255, 255, 255)) << "the end point is left out";
    dc.LineTo(5, 3);
    EXPECT_EQ(dc.GetPixel(5, 4), RGB(0, 0, 0));

    canvas.Clear();
    dc.Draw3dRect(0, 0, 4, 4, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(3, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));

    EXPECT_EQ(dc.SetPixel(20, 20, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);
    CRect focus(2, 2, 8, 8);
    const auto before = canvas.Pixels();
    dc.DrawFocusRect(&focus);
    EXPECT_NE(canvas.Pixels(), before);
    dc.DrawFocusRect(&focus);
    EXPECT_EQ(canvas.Pixels(), before) << "a second focus frame removes the first";
}

TEST(GdiObjects, LightColoursAreWhiteOnMonochrome) {
    Canvas canvas(4, 1, 1);
    const struct {
        COLORREF colour;
        COLORREF shown;
    } cases[] = {{RGB(0, 0, 0), RGB(0, 0, 0)},
                 {RGB(255, 255, 255), RGB(255, 255, 255)},
                 {RGB(192, 192, 192), RGB(255, 255, 255)},
                 {RGB(0, 0, 153), RGB(0, 0, 0)}};
    for (const auto& c : cases) {
        EXPECT_EQ(canvas.dc.SetPixel(0, 0, c.colour), c.shown);
        EXPECT_EQ(canvas.dc.GetPixel(0, 0), c.shown);
    }
}

TEST(SystemValues, ColoursAndMetricsOfTheHandheld) {
    const struct {
        int index;
        COLORREF colour;
    } colours[] = {
        {COLOR_WINDOW, RGB(255, 255, 255)},        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_BTNFACE, RGB(192, 192, 192)},       {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},  {COLOR_ACTIVECAPTION, RGB(0, 0, 153)},
        {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},   {COLOR_HIGHLIGHT, RGB(0, 0, 153)},
        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)}, {COLOR_GRAYTEXT, RGB(128, 128, 128)},
        {COLOR_3DDKSHADOW, RGB(0, 0, 0)},          {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_SCROLLBAR, RGB(192, 192, 192)},
    };
    for (const auto& c : colours) {
        EXPECT_EQ(GetSysColor(c.index), c.colour) << c.index;
        EXPECT_EQ(GetSysColor(c.index & ~SYS_COLOR_INDEX_FLAG), c.colour) << "without the flag";
        LOGBRUSH lb{};
        CBrush* brush = CBrush::FromHandle(GetSysColorBrush(c.index));
        ASSERT_NE(brush, nullptr);
        brush->GetLogBrush(&lb);
        EXPECT_EQ(lb.lbColor, c.colour);
    }
    EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW))
        << "one brush per colour";
    EXPECT_EQ(GetSysColorBrush(999), nullptr);

    const struct {
        int index;
        int value;
    } metrics[] = {{SM_CXSCREEN, 240}, {SM_CYSCREEN, 320}, {SM_CXHSCROLL, 13}, {SM_CYVSCROLL, 13},
                   {SM_CXVSCROLL, 13}, {SM_CYHSCROLL, 13}, {SM_CYCAPTION, 26}, {SM_CYMENU, 26},
                   {SM_CXBORDER, 1},   {SM_CXEDGE, 2},     {9999, 0}};
    for (const auto& m : metrics)
        EXPECT_EQ(GetSystemMetrics(m.index), m.value) << m.index;
    EXPECT_EQ(SM_CXHSCROLL, 21);
}

}  // namespace
