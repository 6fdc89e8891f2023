// Selection masks: their outline, two combined, the shapes, and the similar-colour fill, each
// against an obviously right reference on random masks and pictures.

#include "common/testing/ui_recorder.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/select_similar.h"
#include "edit/selection/selection_outline.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/selection_test_support.h"
#include "edit/tests/tool_test_support.h"
#include "imagelib/progress.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>

namespace lv::testing {
namespace {

using Edge = SelectionOutline::Edge;
// (fixed, along, selected after) of one pixel-long piece of edge.
using Unit = std::tuple<int, int, bool>;

std::set<Unit> units(const std::vector<Edge>& edges)
{
    std::set<Unit> out;
    for (const Edge& e : edges) {
        EXPECT_LT(e.from, e.to);
        for (int i = e.from; i < e.to; ++i)
            EXPECT_TRUE(out.insert({e.fixed, i, e.selectedAfter}).second) << "each piece once";
    }
    return out;
}

TEST(SelectionOutline, EveryBoundaryBetweenSelectedAndUnselectedPixelsIsOneEdgePiece)
{
    std::mt19937 random(5);
    for (int round = 0; round < 80; ++round) {
        const int width = 1 + int(random() % 45), height = 1 + int(random() % 20);
        const HDIB mask = RandomMask(random, width, height, round % 3 == 0 ? 85 : 45);
        const int left = int(random() % 20) - 10, top = int(random() % 20) - 10;
        const SelectionOutline outline = SelectionOutline::FromMask(mask, {left, top, left + width, top + height});
        std::set<Unit> wantH, wantV;
        for (int y = 0; y <= height; ++y)
            for (int x = 0; x <= width; ++x) {
                const bool here = MaskSelects(mask, x, y);
                if (here != MaskSelects(mask, x, y - 1) && x < width)
                    wantH.insert({top + y, left + x, here});
                if (here != MaskSelects(mask, x - 1, y) && y < height)
                    wantV.insert({left + x, top + y, here});
            }
        ASSERT_EQ(units(outline.horizontal()), wantH) << "round " << round;
        ASSERT_EQ(units(outline.vertical()), wantV) << "round " << round;
        // Runs are as long as they can be: no two pieces that could join are apart.
        for (const auto* edges : {&outline.horizontal(), &outline.vertical()})
            for (std::size_t i = 1; i < edges->size(); ++i) {
                const Edge& a = (*edges)[i - 1];
                const Edge& b = (*edges)[i];
                ASSERT_FALSE(a.fixed == b.fixed && a.to == b.from && a.selectedAfter == b.selectedAfter);
                ASSERT_TRUE(a.fixed < b.fixed || (a.fixed == b.fixed && a.from < b.from)) << "sorted";
            }
    }
}

TEST(SelectionOutline, APlainRectangleIsFourEdges)
{
    const SelectionOutline r = SelectionOutline::FromRectangle({2, 3, 9, 5});
    EXPECT_EQ(r.horizontal(), (std::vector<Edge>{{3, 2, 9, true}, {5, 2, 9, false}}));
    EXPECT_EQ(r.vertical(), (std::vector<Edge>{{2, 3, 5, true}, {9, 3, 5, false}}));
    const SelectionOutline m = SelectionOutline::FromMask(MaskFromRows({"#######", "#######"}), {2, 3, 9, 5});
    EXPECT_EQ(std::pair(m.horizontal(), m.vertical()), std::pair(r.horizontal(), r.vertical()));
}

TEST(SelectionOutline, IsDrawnOnThePixelsJustInsideAtEveryZoom)
{
    const SelectionOutline outline = SelectionOutline::FromRectangle({2, 3, 6, 5});
    ViewMapping view;
    view.clip = {0, 0, 100, 100};
    RecordingSurface plain;
    outline.draw(plain, view, 1);
    EXPECT_EQ(plain.lines, (std::vector<SurfaceLine>{{{2, 3}, {5, 3}}, {{2, 4}, {5, 4}}, {{2, 3}, {2, 4}}, {{5, 3}, {5, 4}}}));
    EXPECT_EQ(std::tuple(plain.pens.back().phase, plain.pens.back().style), std::tuple(1, PenStyle::Dotted));

    view.zoom = 2;  // 3x, scrolled by 1 pixel, rulers of 10
    view.scrollX = 1;
    view.originX = view.originY = 10;
    RecordingSurface zoomed;
    outline.draw(zoomed, view, 0);
    // The top edge along the top of row 3, the bottom one along the bottom of row 4.
    EXPECT_EQ(std::tuple(zoomed.lines[0], zoomed.lines[1], zoomed.lines[3]),
              std::tuple(SurfaceLine{{15, 19}, {26, 19}}, SurfaceLine{{15, 24}, {26, 24}}, SurfaceLine{{26, 19}, {26, 24}}));

    view = {};
    view.zoom = -3;  // 1:4
    view.clip = {0, 0, 100, 100};
    RecordingSurface small;
    SelectionOutline::FromRectangle({0, 0, 40, 8}).draw(small, view, 0);
    EXPECT_EQ(std::pair(small.lines[0], small.lines[1]), std::pair(SurfaceLine{{0, 0}, {9, 0}}, SurfaceLine{{0, 1}, {9, 1}}));

    view.clip = {0, 0, 5, 5};
    RecordingSurface clipped;
    SelectionOutline::FromRectangle({0, 0, 400, 400}).draw(clipped, view, 0);
    EXPECT_EQ(clipped.lines, (std::vector<SurfaceLine>{{{0, 0}, {4, 0}}, {{0, 0}, {0, 4}}})) << "only what shows";
}

TEST(SelectionOutline, TheCacheBuildsAgainOnlyWhenTheSelectionChanged)
{
    LayerStack stack;
    stack.width = stack.height = 10;
    stack.selectionActive = 2;
    stack.selectionRect = {0, 0, 3, 2};
    stack.selectionMask = SharedPicture(MaskFromRows({"#..", "###"}));
    SelectionOutlineCache cache;
    const SelectionOutline* first = &cache.outlineOf(stack);
    EXPECT_EQ(std::tuple(first->horizontal().size(), &cache.outlineOf(stack)), std::tuple(3u, first));
    const std::vector<Edge> before = first->horizontal();
    SetMaskBitAt(MaskRowFromTop(stack.selectionMask.write(), 0), 2);
    EXPECT_NE(cache.outlineOf(stack).horizontal(), before) << "a written mask is a new outline";
    stack.selectionActive = 0;
    EXPECT_TRUE(cache.outlineOf(stack).empty());
}

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

TEST(SelectSimilar, TheFillFollowsSpiralsAndPocketsBothWays)
{
    // Corridors that turn back up and down force segments to leak both ways.
    const std::vector<std::string> picture = {
        "aaaaaaaaa",
        "b.b.b.b.a",
        "aaa.aaa.a",
        "a.b.a.a.a",
        "a.aaa.aaa",
        "a.b.b.b.b",
        "aaaaaaaab",
    };
    const HDIB mask = SelectSimilar(PictureFromRows(picture), 0, 6, SimilarityMode::Tolerance, {0, 0, 0});
    const auto expected = ReferenceFlood(9, 7, 0, 6, [&](int x, int y) { return picture[std::size_t(y)][std::size_t(x)] == 'a'; });
    EXPECT_EQ(MaskRows(mask), expected);
}

TEST(SelectSimilar, AgreesWithAPlainFloodOnRandomPicturesInBothModes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const int width = 1 + int(random() % 70), height = 1 + int(random() % 40);
        HDIB picture = AllocatePicture(width, height, 24, 0);
        std::uniform_int_distribution<int> level(0, 3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel24(picture, x, y, {std::uint8_t(level(random) * 60), std::uint8_t(level(random) * 60), 90});
        const int seedX = int(random() % unsigned(width)), seedY = int(random() % unsigned(height));
        const int tolerance = int(random() % 130);
        const SimilarityMode mode = round % 2 ? SimilarityMode::Threshold : SimilarityMode::Tolerance;
        const Rgb seed = Pixel24(picture, seedX, height - 1 - seedY);
        const auto alike = [&](int x, int y) {
            const Rgb p = Pixel24(picture, x, height - 1 - y);
            const auto channel = [&](int value, int s) {
                return mode == SimilarityMode::Tolerance ? std::abs(value - s) <= tolerance
                                                         : (value <= tolerance) == (s <= tolerance);
            };
            return channel(p.r, seed.r) && channel(p.g, seed.g) && channel(p.b, seed.b);
        };
        const HDIB mask = SelectSimilar(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        ASSERT_TRUE(mask);
        ASSERT_EQ(MaskRows(mask), ReferenceFlood(width, height, seedX, seedY, alike)) << "round " << round;

        const HDIB global = SelectSimilarGlobal(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(MaskSelects(global, x, y), alike(x, y)) << "round " << round;
    }
}

TEST(SelectSimilar, ToleranceIsPerChannelAndFullToleranceTakesEverything)
{
    const std::vector<std::string> picture = {"aAb", "AAb", "bbb"};
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 5})),
              (std::vector<std::string>{"##.", "##.", "..."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 4})),
              (std::vector<std::string>{"#..", "...", "..."}))
        << "blue differs by 5";
    const HDIB photo = MakePhotoLike(300, 200);
    Rect bounds;
    const HDIB all = SelectSimilar(photo, 150, 100, SimilarityMode::Tolerance, {255, 255, 255}, &bounds);
    EXPECT_EQ(std::tuple(CountSelectedPixels(all), bounds), std::tuple(300 * 200, Rect{0, 0, 300, 200}));
}

TEST(SelectSimilar, PalettePicturesCompareTheirTableColoursNotTheirIndexes)
{
    for (const int bits : {1, 4, 8}) {
        HDIB picture = MakePicture(5, 1, unsigned(bits), 2);
        picture.colors()[0] = {9, 9, 9, 0};
        picture.colors()[1] = {9, 9, 9, 0};  // a second index of the same colour
        if (bits == 8)
            picture.row(0)[1] = picture.row(0)[3] = 1;
        else if (bits == 4)
            picture.row(0)[0] = 0x01, picture.row(0)[1] = 0x01;
        else
            picture.row(0)[0] = 0x50;
        EXPECT_EQ(CountSelectedPixels(SelectSimilar(picture, 0, 0, SimilarityMode::Tolerance, {0, 0, 0})), 5)
            << bits << "-bit";
        picture.colors()[1] = {9, 9, 200, 0};
        EXPECT_EQ(MaskRows(SelectSimilarGlobal(picture, 0, 0, SimilarityMode::Tolerance, {0, 0, 0}))[0], "#.#.#")
            << bits << "-bit";
    }
}

TEST(SelectSimilar, BadInputIsRefusedAndTheSeedIsClamped)
{
    // Nothing, 16 and 32 bits, and an 8-bit picture without its table.
    EXPECT_FALSE(SelectSimilar(HDIB{}, 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilar(MakePicture(4, 4, 16), 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilarGlobal(MakePicture(4, 4, 32), 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilar(AllocatePicture(4, 4, 8, 0), 0, 0, SimilarityMode::Tolerance, {}));
    const std::vector<std::string> picture = {"ab", "bb"};
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), -50, -9, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{"#.", ".."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 99, 99, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{".#", "##"}));
}

TEST(SelectSimilar, TheCancelTestStopsTheFill)
{
    UiRecorder ui;
    ui.escapeAfterPolls = 3;
    SetCancellationEnabled(true);
    const HDIB mask = SelectSimilar(MakePhotoLike(200, 200), 100, 100, SimilarityMode::Tolerance, {255, 255, 255});
    SetCancellationEnabled(false);
    EXPECT_TRUE(!mask && ui.escapePolls > 3);
}

}  // namespace
}  // namespace lv::testing
