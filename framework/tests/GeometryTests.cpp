#include "framework/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, RectanglesFollowThePlatformRules)
{
    Rect a(0, 0, 10, 10);
    Rect b(5, 5, 20, 15);
    Rect both;
    EXPECT_TRUE(both.Intersect(a, b));
    EXPECT_EQ(both, Rect(5, 5, 10, 10));
    Rect all;
    EXPECT_TRUE(all.Union(a, b));
    EXPECT_EQ(all, Rect(0, 0, 20, 15));

    Rect apart;
    EXPECT_FALSE(apart.Intersect(a, Rect(30, 30, 40, 40)));
    EXPECT_TRUE(apart.IsEmpty());

    // Right and bottom edges lie outside.
    EXPECT_TRUE(a.Contains(Point(0, 0)));
    EXPECT_TRUE(a.Contains(Point(9, 9)));
    EXPECT_FALSE(a.Contains(Point(10, 5)));
    EXPECT_FALSE(a.Contains(Point(5, 10)));
}

TEST(Geometry, OffsetInflateAndNormalize)
{
    Rect r(Point(10, 20), Size(30, 40));
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    r.Offset(Point(-10, -20));
    EXPECT_EQ(r, Rect(0, 0, 30, 40));
    r.Inflate(2, 3);
    EXPECT_EQ(r, Rect(-2, -3, 32, 43));
    r.Deflate(2, 3);
    EXPECT_EQ(r.GetSize(), Size(30, 40));
    EXPECT_EQ(r.CenterPoint(), Point(15, 20));

    Rect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsEmpty());
    flipped.Normalize();
    EXPECT_EQ(flipped, Rect(0, 0, 10, 10));
    EXPECT_FALSE(flipped.IsEmpty());
}

TEST(Geometry, PassesWhereWin32ExpectsItsOwnTypes)
{
    Rect r(1, 2, 3, 4);
    RECT* raw = &r;
    EXPECT_EQ(raw->bottom, 4);
    Point p(5, 6);
    POINT* rawPoint = &p;
    EXPECT_EQ(rawPoint->y, 6);
    EXPECT_EQ(Point(1, 2) + Point(3, 4), Point(4, 6));
    EXPECT_EQ(Size(5, 5) - Size(1, 2), Size(4, 3));
}

}  // namespace
