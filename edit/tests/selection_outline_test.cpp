#include "edit/selection/selection_outline.h"
#include "edit/tests/selection_test_support.h"
#include "edit/tests/tool_test_support.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lv::testing
