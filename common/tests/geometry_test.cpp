#include "common/geometry.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(Geometry, RightAndBottomAreExclusive)
{
    constexpr Rect r = Rect::fromSize(2, 3, 4, 5);
    static_assert(r == Rect{2, 3, 6, 8});
    static_assert(r.width() == 4 && r.height() == 5 && r.size() == Size{4, 5} && r.topLeft() == Point{2, 3});
    EXPECT_TRUE(r.contains({2, 3})) << "top-left pixel";
    EXPECT_TRUE(r.contains({5, 7})) << "bottom-right pixel";
    for (const Point outside : {Point{6, 7}, Point{5, 8}, Point{1, 3}, Point{2, 2}})
        EXPECT_FALSE(r.contains(outside)) << outside.x << ',' << outside.y;
}

TEST(Geometry, EmptyRectanglesCoverNothing)
{
    for (const Rect r : {Rect{}, Rect{4, 4, 4, 9}, Rect{4, 4, 9, 4}, Rect{5, 5, 2, 9}, Rect{5, 5, 9, 2}}) {
        EXPECT_TRUE(r.empty()) << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
        EXPECT_FALSE(r.contains({r.left, r.top}));
        EXPECT_FALSE(r.intersects(Rect{-100, -100, 100, 100}) || Rect({-100, -100, 100, 100}).intersects(r));
    }
    EXPECT_FALSE(Rect({0, 0, 1, 1}).empty()) << "a single pixel";
    EXPECT_TRUE(Size({0, 5}).empty() && Size({5, -1}).empty());
    EXPECT_FALSE(Size({1, 1}).empty());
}

TEST(Geometry, TouchingRectanglesShareNoPixel)
{
    const Rect a{0, 0, 10, 10};
    for (const Rect b : {Rect{10, 0, 20, 10}, Rect{0, 10, 10, 20}, Rect{-10, 0, 0, 10}, Rect{0, -10, 10, 0}, Rect{10, 10, 20, 20}}) {
        EXPECT_FALSE(a.intersects(b) || b.intersects(a));
        EXPECT_TRUE(a.intersected(b).empty());
    }
    EXPECT_TRUE(a.intersects(Rect{9, 9, 20, 20})) << "one pixel in common";
    EXPECT_EQ(a.intersected(Rect{9, 9, 20, 20}), (Rect{9, 9, 10, 10}));
}

TEST(Geometry, NegativeCoordinatesBehaveLikePositiveOnes)
{
    const Rect r = Rect::fromSize(-5, -3, 4, 2);
    EXPECT_EQ(r, (Rect{-5, -3, -1, -1}));
    EXPECT_EQ(r.width(), 4);
    EXPECT_TRUE(r.contains({-5, -3}) && r.contains({-2, -2}));
    EXPECT_FALSE(r.contains({-1, -2}) || r.contains({0, 0}));
    EXPECT_EQ(r.translated(5, 3), (Rect{0, 0, 4, 2}));
    EXPECT_EQ(Rect({0, 0, 4, 2}).widened(1, 2), (Rect{-1, -2, 5, 4}));
    EXPECT_EQ(Rect({-1, -2, 5, 4}).widened(-1, -2), (Rect{0, 0, 4, 2}));
    EXPECT_EQ(Point({-1, 2}).translated(-3, -4), (Point{-4, -2}));
}

TEST(Geometry, IntersectAndUnite)
{
    const Rect a{0, 0, 10, 6};
    const Rect b{4, -2, 14, 3};
    EXPECT_EQ(a.intersected(b), (Rect{4, 0, 10, 3}));
    EXPECT_EQ(b.intersected(a), a.intersected(b));
    EXPECT_EQ(a.intersected(Rect{2, 2, 4, 4}), (Rect{2, 2, 4, 4})) << "inside";
    EXPECT_TRUE(a.intersected(Rect{20, 20, 30, 30}).empty()) << "apart";
    EXPECT_EQ(a.united(b), (Rect{0, -2, 14, 6}));
    EXPECT_EQ(a.united(Rect{50, 50, 50, 60}), a) << "an empty rectangle adds nothing, wherever it lies";
    EXPECT_EQ(Rect({50, 50, 40, 60}).united(a), a);
    EXPECT_TRUE(Rect{}.united(Rect{}).empty());
}

}  // namespace
}  // namespace lv
