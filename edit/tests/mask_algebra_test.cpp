#include "edit/selection/combine_masks.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/selection_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace lv::testing {
namespace {

TEST(CombineMasks, EveryOpAgreesWithPixelByPixelAlgebraAtAnyOffset)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const HDIB a = RandomMask(random, 1 + int(random() % 40), 1 + int(random() % 12), 50);
        const HDIB b = RandomMask(random, 1 + int(random() % 40), 1 + int(random() % 12), 50);
        const int dx = int(random() % 60) - 30, dy = int(random() % 20) - 10;
        const Rect ra{0, 0, a.width(), a.height()};
        const Rect rb{dx, dy, dx + b.width(), dy + b.height()};
        for (const MaskOp op : {MaskOp::Union, MaskOp::Intersection, MaskOp::Difference, MaskOp::Subtract}) {
            Rect expected;
            if (op == MaskOp::Union || op == MaskOp::Difference)
                expected = {std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                            std::max(ra.bottom, rb.bottom)};
            else if (op == MaskOp::Intersection)
                expected = {std::max(ra.left, rb.left), std::max(ra.top, rb.top), std::min(ra.right, rb.right),
                            std::min(ra.bottom, rb.bottom)};
            else
                expected = ra;
            const CombinedMask result = CombineMasks(a, b, dx, dy, op);
            if (expected.right <= expected.left || expected.bottom <= expected.top) {
                EXPECT_FALSE(result.mask) << "an empty rectangle gives no mask";
                continue;
            }
            ASSERT_TRUE(result.mask);
            ASSERT_EQ(result.rect, expected);
            for (int y = expected.top; y < expected.bottom; ++y)
                for (int x = expected.left; x < expected.right; ++x) {
                    const bool inA = MaskSelects(a, x, y), inB = MaskSelects(b, x - dx, y - dy);
                    const bool want = op == MaskOp::Union          ? inA || inB
                                      : op == MaskOp::Intersection ? inA && inB
                                      : op == MaskOp::Difference   ? inA != inB
                                                                   : inA && !inB;
                    ASSERT_EQ(MaskSelects(result.mask, x - expected.left, y - expected.top), want)
                        << "round " << round << " op " << int(op) << " at " << x << "," << y;
                }
            // Bits after each row's last pixel stay clear, so counts and outlines hold.
            std::int64_t shown = 0;
            for (const std::string& row : MaskRows(result.mask))
                shown += std::count(row.begin(), row.end(), '#');
            EXPECT_EQ(CountSelectedPixels(result.mask), shown);
        }
    }
}

TEST(CombineMasks, TheResultCarriesTheFirstMasksTableAndNullsAreRefused)
{
    HDIB a = AllocateSelectionMask(3, 3);
    a.colors()[1] = {1, 2, 3, 0};
    const CombinedMask result = CombineMasks(a, AllocateSelectionMask(2, 2), 1, 1, MaskOp::Union);
    ASSERT_TRUE(result.mask);
    EXPECT_EQ(std::tuple(int(result.mask.colors()[1].rgbRed), result.mask.bitCount()), std::tuple(3, 1));
    EXPECT_FALSE(CombineMasks(HDIB{}, a, 0, 0, MaskOp::Union).mask);
    EXPECT_FALSE(CombineMasks(a, a, 3, 0, MaskOp::Intersection).mask) << "touching rectangles do not overlap";
}

TEST(ShapeMasks, RectangleEllipseAndPolygonCoverTheirOutlines)
{
    EXPECT_EQ(CountSelectedPixels(MakeShapeMask(13, 7, SelectionShape::Rectangle)), 13 * 7);
    EXPECT_FALSE(MakeShapeMask(0, 5, SelectionShape::Rectangle));

    EXPECT_EQ(MaskRows(MakeShapeMask(7, 5, SelectionShape::Ellipse)), (std::vector<std::string>{
                                                                           "..###..",
                                                                           "#######",
                                                                           "#######",
                                                                           "#######",
                                                                           "..###..",
                                                                       }));
    for (const auto& [w, h] : {std::pair{1, 1}, {1, 9}, {9, 1}, {2, 2}, {40, 17}, {101, 101}}) {
        const auto rows = MaskRows(MakeShapeMask(w, h, SelectionShape::Ellipse));
        // The inscribed ellipse touches all four sides and is symmetric both ways.
        bool left = false, right = false;
        for (int y = 0; y < h; ++y) {
            const std::string& row = rows[std::size_t(y)];
            EXPECT_EQ(std::pair(row, row), std::pair(std::string(row.rbegin(), row.rend()), rows[std::size_t(h - 1 - y)]));
            left |= row.front() == '#', right |= row.back() == '#';
        }
        EXPECT_TRUE(left && right && rows.front().find('#') != std::string::npos && rows.back().find('#') != std::string::npos)
            << w << "x" << h;
    }

    const Point triangle[] = {{0, 0}, {9, 0}, {0, 9}};
    const auto rows = MaskRows(MakeShapeMask(10, 10, SelectionShape::Polygon, triangle));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(rows[std::size_t(y)], std::string(std::size_t(10 - y), '#') + std::string(std::size_t(y), '.'));

    // A freehand stroke that doubles back on itself still covers the line it drew.
    const Point line[] = {{1, 2}, {6, 2}, {1, 2}};
    EXPECT_EQ(MaskRows(MakeShapeMask(8, 4, SelectionShape::Polygon, line)),
              (std::vector<std::string>{"........", "........", ".######.", "........"}));
    const Point outside[] = {{-5, -5}, {20, -5}, {20, 20}, {-5, 20}};
    EXPECT_EQ(CountSelectedPixels(MakeShapeMask(6, 6, SelectionShape::Polygon, outside)), 36);
}

}  // namespace
}  // namespace lv::testing
