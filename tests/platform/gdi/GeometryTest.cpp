#include "platform/gdi/Geometry.h"

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, PtInRectHoldsLeftAndTopEdgesButNotRightAndBottom) {
    const CRect r(10, 20, 30, 40);
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {
        {10, 20, true},  {29, 39, true},  {30, 20, false}, {10, 40, false}, {9, 25, false},
        {15, 19, false}, {29, 40, false}, {30, 39, false}, {20, 30, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(r.PtInRect(CPoint(c.x, c.y)) != FALSE, c.inside) << c.x << "," << c.y;
        EXPECT_EQ(PtInRect(&r, POINT{c.x, c.y}) != FALSE, c.inside) << c.x << "," << c.y;
    }
    EXPECT_FALSE(CRect(5, 5, 5, 10).PtInRect(CPoint(5, 5))) << "an empty rectangle holds nothing";
}

TEST(Geometry, IntersectAndUnionTreatEmptyRectanglesAsNothing) {
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10))) << "touching edges";
    EXPECT_EQ(r, CRect(0, 0, 0, 0));

    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(50, 50, 50, 60)));
    EXPECT_EQ(r, CRect(0, 0, 10, 10)) << "the empty operand adds nothing";
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(-5, 2, 3, 30)));
    EXPECT_EQ(r, CRect(-5, 0, 10, 30));
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 3)));
    EXPECT_TRUE(r.IsRectEmpty());
}

TEST(Geometry, SizesMovesAndConversions) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(110, 70));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));

    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 17, 112, 73));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(9, 19, 109, 69));
    r.OffsetRect(-9, -19);
    EXPECT_EQ(r, CRect(0, 0, 100, 50));
    EXPECT_EQ(r + CPoint(1, 2), CRect(1, 2, 101, 52));

    EXPECT_TRUE(CRect(0, 0, 0, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty()) << "inverted rectangles are empty";
    EXPECT_TRUE(CRect().IsRectNull());

    // A point packed as in mouse messages keeps its sign.
    const CPoint p(MAKELPARAM(static_cast<WORD>(-3), 40));
    EXPECT_EQ(p, CPoint(-3, 40));
    EXPECT_EQ(CPoint(5, 7) - CPoint(2, 3), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 7) + CSize(1, 1), CPoint(6, 8));

    LPCRECT asPointer = r;
    EXPECT_EQ(asPointer->right, 100);
}

}  // namespace
