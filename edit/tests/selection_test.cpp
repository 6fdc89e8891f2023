// Selections: the combine modes, the magic wand, moving and cropping the content, and the masks
// beneath (outline, algebra, shapes, similar colours); their results on random input pinned.

#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/select_similar.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/selection_mask.h"
#include "edit/selection/selection_outline.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/layer_test_support.h"
#include "edit/tests/tool_test_support.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/progress.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace lv::testing {
namespace {

// '#' selected, '.' not, one string per row from the top.
std::vector<std::string> MaskRows(const HDIB& mask)
{
    std::vector<std::string> rows;
    for (int y = 0; y < mask.height(); ++y) {
        std::string row;
        for (int x = 0; x < mask.width(); ++x)
            row += MaskSelects(mask, x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

HDIB MaskFromRows(const std::vector<std::string>& rows)
{
    HDIB mask = AllocateSelectionMask(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[std::size_t(y)].size()); ++x)
            if (rows[std::size_t(y)][std::size_t(x)] == '#')
                SetMaskBitAt(MaskRowFromTop(mask, y), x);
    return mask;
}

// A 24-bit picture from rows of letters: each letter a colour.
HDIB PictureFromRows(const std::vector<std::string>& rows)
{
    const auto colour = [](char c) -> Rgb {
        switch (c) {
        case 'a': return {200, 10, 10};
        case 'A': return {210, 20, 5};  // within 10 of 'a' on every channel
        case 'b': return {10, 200, 10};
        default: return {0, 0, 0};
        }
    };
    const int height = int(rows.size());
    HDIB dib = AllocatePicture(int(rows[0].size()), height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < int(rows[0].size()); ++x)
            SetPixel24(dib, x, height - 1 - y, colour(rows[std::size_t(y)][std::size_t(x)]));
    return dib;
}

HDIB RandomMask(std::mt19937& random, int width, int height, int percent)
{
    HDIB mask = AllocateSelectionMask(width, height);
    std::uniform_int_distribution<int> roll(0, 99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (roll(random) < percent)
                SetMaskBitAt(MaskRowFromTop(mask, y), x);
    return mask;
}

// A 24-bit document of one opaque layer painted by the rows' letters (a red, b green,
// other black; see PictureFromRows), and a recorder of its undo steps.
struct Doc {
    explicit Doc(const std::vector<std::string>& rows)
        : stack(EmptyDocument(int(rows[0].size()), int(rows.size())))
    {
        AppendLayer(*stack, PictureFromRows(rows));
        CompositeLayers(*stack);
        undo.emplace(*stack);
    }
    Doc(int width, int height)
        : Doc(std::vector<std::string>(std::size_t(height), std::string(std::size_t(width), 'a')))
    {
    }
    LayerStack& operator*() { return *stack; }
    LayerStack* operator->() { return stack.get(); }
    std::unique_ptr<LayerStack> stack;
    std::optional<RecordingUndo> undo;
};

SelectionRegion Rectangle(Rect r)
{
    return *RectangleRegion(r);
}

std::vector<std::string> SelectionRows(const LayerStack& s)
{
    std::vector<std::string> rows;
    for (int y = 0; y < s.height; ++y) {
        std::string row;
        for (int x = 0; x < s.width; ++x)
            row += SelectionContains(s, {x, y}) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(SelectionModes, SubtractTrimsToWhatIsLeftAndTakingFromNothingRecordsNothing)
{
    Doc doc(10, 4);
    ChangeSelection(*doc, Rectangle({0, 0, 6, 4}), CombineMode::New, kUndoShapeSelection);
    ChangeSelection(*doc, Rectangle({3, 0, 10, 4}), CombineMode::Subtract, kUndoShapeSelection);
    EXPECT_EQ(std::tuple(doc->selectionRect, doc->selectionActive), std::tuple(Rect{0, 0, 3, 4}, 1u)) << "trimmed to the pixels left";
    EXPECT_EQ(doc.undo->codes(), (std::vector<int>(2, kUndoShapeSelection))) << "each change records first";

    ChangeSelection(*doc, Rectangle({0, 0, 10, 4}), CombineMode::Subtract, kUndoShapeSelection);
    EXPECT_EQ(doc->selectionActive, 0u);
    const std::size_t steps = doc.undo->steps.size();
    EXPECT_FALSE(ChangeSelection(*doc, Rectangle({0, 0, 3, 3}), CombineMode::Subtract, kUndoShapeSelection));
    EXPECT_EQ(doc.undo->steps.size(), steps) << "taking from no selection changes nothing and records nothing";
}

TEST(SelectionModes, ASelectionIsClippedToTheDocument)
{
    Doc doc(8, 6);
    HDIB ellipse = MakeShapeMask(10, 10, SelectionShape::Ellipse);
    ChangeSelection(*doc, {std::move(ellipse), {-5, -5, 5, 5}}, CombineMode::New, kUndoShapeSelection);
    EXPECT_EQ(std::pair(doc->selectionRect.left, doc->selectionRect.top), std::pair(0, 0));
    EXPECT_EQ(doc->selectionMask.width(), doc->selectionRect.right);
    ChangeSelection(*doc, Rectangle({20, 20, 30, 30}), CombineMode::New, kUndoShapeSelection);
    EXPECT_EQ(doc->selectionActive, 0u) << "a rectangle wholly outside leaves no selection";
}

TEST(MagicWand, SelectsTheClickedColourAndCombinesByMode)
{
    Doc doc({
        "aab..",
        "aab..",
        "bbbaa",
    });
    WandSettings settings;
    settings.tolerance = {0, 0, 0};
    ASSERT_TRUE(MagicWandClick(*doc, {0, 0}, settings));
    EXPECT_EQ(std::tuple(doc->selectionRect, doc->selectionActive), std::tuple(Rect{0, 0, 2, 2}, 1u));
    settings.combine = CombineMode::Add;
    ASSERT_TRUE(MagicWandClick(*doc, {4, 2}, settings));
    EXPECT_EQ(SelectionRows(*doc), (std::vector<std::string>{"##...", "##...", "...##"}));
    settings.contiguous = false;
    settings.combine = CombineMode::Subtract;
    ASSERT_TRUE(MagicWandClick(*doc, {1, 1}, settings));
    EXPECT_EQ(doc->selectionActive, 0u) << "every red pixel taken away";
    EXPECT_EQ(doc.undo->codes(), (std::vector<int>{7077, 7077, 7077}));
}

TEST(MagicWand, WorksInTheLayersPlaceAndRefusesWithoutLayers)
{
    auto stack = EmptyDocument(20, 20);
    AppendLayer(*stack, SolidPicture(5, 4, {1, 2, 3}), {}, 7, 20 - 4 - 3);  // left 7, top 3
    WandSettings settings;
    ASSERT_TRUE(MagicWandClick(*stack, {0, 0}, settings)) << "a click outside is clamped into the layer";
    EXPECT_EQ(stack->selectionRect, (Rect{7, 3, 12, 7}));

    EXPECT_FALSE(MagicWandClick(*EmptyDocument(5, 5), {1, 1}, settings));
}

TEST(SelectionContent, AMoveLiftsThePixelsAndLeavesTransparencyUnlessTheSourceIsKept)
{
    for (const bool keep : {false, true}) {
        Doc doc({
            "ab...",
            ".....",
        });
        ChangeSelection(*doc, Rectangle({0, 0, 2, 1}), CombineMode::New, kUndoShapeSelection);
        const auto changed = MoveSelectionContent(*doc, 2, 1, keep);
        ASSERT_TRUE(changed);
        EXPECT_EQ(std::tuple(*changed, doc->selectionRect, doc.undo->codes().back()), std::tuple(Rect{0, 0, 4, 2}, Rect{2, 1, 4, 2}, 6076));
        const HDIB& image = doc->layers[0].image.read();
        const HDIB& mask = doc->layers[0].mask.read();
        // Moved to the bottom row; the old place transparent unless kept.
        EXPECT_EQ(std::pair(Pixel24(image, 2, 0), Pixel24(image, 3, 0)), std::pair(Rgb{200, 10, 10}, Rgb{10, 200, 10}));
        const int old = keep ? 255 : 0;
        EXPECT_EQ(std::tuple(int(mask.row(1)[0]), int(mask.row(1)[1]), int(mask.row(0)[2])), std::tuple(old, old, 255));
        EXPECT_TRUE(doc->selectionAux && doc->floatingMask);
    }
}

TEST(SelectionContent, MovingLiftedContentAgainPutsBackWhatItCoveredAndDoesNotLiftAgain)
{
    Doc doc({
        "a....",
        "bbbbb",
    });
    ChangeSelection(*doc, Rectangle({0, 0, 1, 1}), CombineMode::New, kUndoShapeSelection);
    MoveSelectionContent(*doc, 2, 1, false);  // the red pixel now covers a green one
    MoveSelectionContent(*doc, 1, -1, false);  // and moves on to the top row
    const HDIB& image = doc->layers[0].image.read();
    const HDIB& mask = doc->layers[0].mask.read();
    EXPECT_EQ(std::tuple(Pixel24(image, 2, 0), int(mask.row(0)[2])), std::tuple(Rgb{10, 200, 10}, 255)) << "the green pixel is back";
    EXPECT_EQ(Pixel24(image, 3, 1), (Rgb{200, 10, 10}));
    EXPECT_EQ(std::tuple(int(mask.row(1)[0]), doc->selectionRect), std::tuple(0, Rect{3, 0, 4, 1})) << "the lifted place stays transparent";

    // Moving only the outline drops the lifted content where it lies.
    ASSERT_TRUE(MoveSelectionOutline(*doc, 1, 0));
    EXPECT_FALSE(doc->selectionAux || doc->floatingUnderImage);
    EXPECT_EQ(Pixel24(doc->layers[0].image.read(), 3, 1), (Rgb{200, 10, 10}));
    EXPECT_FALSE(MoveSelectionOutline(*doc, 0, 0));
    EXPECT_EQ(doc.undo->codes(), (std::vector<int>{7078, 6076, 6076, 5075}));
}

TEST(SelectionContent, OnlyTheLayersOwnPixelsMoveWhenTheSelectionReachesBeyondIt)
{
    auto stack = EmptyDocument(20, 10);
    RecordingUndo undo(*stack);
    AppendLayer(*stack, SolidPicture(10, 10, {9, 9, 9}));  // the left half of the document
    ChangeSelection(*stack, Rectangle({6, 2, 16, 5}), CombineMode::New, kUndoShapeSelection);
    ASSERT_TRUE(MoveSelectionContent(*stack, -5, 0, false));
    EXPECT_EQ(stack->selectionRect, (Rect{1, 2, 5, 5})) << "the selection keeps to what moved";
    const std::uint8_t* row = stack->layers[0].mask.read().row(9 - 3);
    // Nothing from beyond the layer lands on it; the lifted place is transparent.
    EXPECT_EQ((std::vector<int>{row[0], row[1], row[5], row[6]}), (std::vector<int>{255, 255, 255, 0}));
    EXPECT_FALSE(MoveSelectionContent(*stack, 0, 0, false));
    ChangeSelection(*stack, Rectangle({12, 0, 20, 10}), CombineMode::New, kUndoShapeSelection);
    const std::size_t steps = undo.steps.size();
    EXPECT_FALSE(MoveSelectionContent(*stack, -3, 0, false)) << "nothing of the layer is selected";
    EXPECT_EQ(undo.steps.size(), steps);
}

TEST(SelectionContent, CropCutsEveryLayerAndEmptiesOnesOutside)
{
    auto stack = EmptyDocument(30, 20);
    RecordingUndo undo(*stack);
    AppendLayer(*stack, SolidPicture(30, 20, {10, 20, 30}));
    AppendLayer(*stack, SolidPicture(4, 4, {200, 0, 0}), {}, 25, 0);  // bottom-right corner, outside the crop
    stack->currentLayer = 0;
    ChangeSelection(*stack, Rectangle({2, 3, 12, 9}), CombineMode::New, kUndoShapeSelection);
    ASSERT_TRUE(CropToSelection(*stack));
    EXPECT_EQ(std::tuple(stack->width, stack->height, stack->composite.width(), stack->selectionActive), std::tuple(10, 6, 10, 0u));
    EXPECT_EQ(std::tuple(stack->layers[0].image.width(), stack->layers[0].image.height(), *GetLayerTopDownRect(*stack, 0)),
              std::tuple(10, 6, Rect{0, 0, 10, 6}));
    const LayerRecord& outside = stack->layers[1];
    EXPECT_EQ(outside.image.width(), 4) << "a layer outside keeps its size";
    EXPECT_EQ(GetLayerTopDownRect(*stack, 1), (Rect{23, 13, 27, 17})) << "and its place";
    EXPECT_EQ(std::tuple(Pixel24(outside.image.read(), 1, 1), int(outside.mask.read().row(1)[1])), std::tuple(Rgb{0, 0, 0}, 0))
        << "fully transparent";
    EXPECT_EQ(undo.steps.back().code, kUndoCrop);
    EXPECT_FALSE(CropToSelection(*stack)) << "no selection, nothing to crop to";
}

// Selection masks: their outline, two combined, the shapes, and the similar-colour fill; on random
// masks and pictures the results are pinned (checked against references written out when pinned).
using Edge = SelectionOutline::Edge;

TEST(SelectionOutline, RandomMasksAtAnyOffsetStayAsPinned)
{
    std::mt19937 random(5);
    std::uint32_t pinned = 2166136261u;
    for (int round = 0; round < 80; ++round) {
        const int width = 1 + int(random() % 45), height = 1 + int(random() % 20);
        const HDIB mask = RandomMask(random, width, height, round % 3 == 0 ? 85 : 45);
        const int left = int(random() % 20) - 10, top = int(random() % 20) - 10;
        const SelectionOutline outline = SelectionOutline::FromMask(mask, {left, top, left + width, top + height});
        for (const auto* edges : {&outline.horizontal(), &outline.vertical()})
            for (const Edge& e : *edges)
                pinned = FoldValues(pinned, {e.fixed, e.from, e.to, e.selectedAfter});
    }
    EXPECT_EQ(pinned, 4002938894u);
}

// Pieces join into runs only while the side they select stays the same.
TEST(SelectionOutline, APlainRectangleIsFourEdgesAndADiagonalPairEight)
{
    const SelectionOutline r = SelectionOutline::FromRectangle({2, 3, 9, 5});
    EXPECT_EQ(r.horizontal(), (std::vector<Edge>{{3, 2, 9, true}, {5, 2, 9, false}}));
    EXPECT_EQ(r.vertical(), (std::vector<Edge>{{2, 3, 5, true}, {9, 3, 5, false}}));
    const SelectionOutline m = SelectionOutline::FromMask(MaskFromRows({"#######", "#######"}), {2, 3, 9, 5});
    EXPECT_EQ(std::pair(m.horizontal(), m.vertical()), std::pair(r.horizontal(), r.vertical()));
    const SelectionOutline d = SelectionOutline::FromMask(MaskFromRows({"#.", ".#"}), {0, 0, 2, 2});
    const std::vector<Edge> steps{{0, 0, 1, true}, {1, 0, 1, false}, {1, 1, 2, true}, {2, 1, 2, false}};
    EXPECT_EQ(std::pair(d.horizontal(), d.vertical()), std::pair(steps, steps));
}

TEST(SelectionOutline, IsDrawnOnThePixelsJustInsideAtEveryZoom)
{
    const SelectionOutline outline = SelectionOutline::FromRectangle({2, 3, 6, 5});
    ViewMapping view;
    view.clip = {0, 0, 100, 100};
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

TEST(CombineMasks, RandomMasksAtAnyOffsetStayAsPinned)
{
    std::mt19937 random(11);
    std::uint32_t pinned = 2166136261u;
    for (int round = 0; round < 200; ++round) {
        const HDIB a = RandomMask(random, 1 + int(random() % 40), 1 + int(random() % 12), 50);
        const HDIB b = RandomMask(random, 1 + int(random() % 40), 1 + int(random() % 12), 50);
        const int dx = int(random() % 60) - 30, dy = int(random() % 20) - 10;
        for (const MaskOp op : {MaskOp::Union, MaskOp::Intersection, MaskOp::Difference, MaskOp::Subtract}) {
            const CombinedMask result = CombineMasks(a, b, dx, dy, op);
            const Rect r = result.rect;
            pinned = FoldValues(pinned, {r.left, r.top, r.right, r.bottom, bool(result.mask)});
            // Over whole bytes: bits after each row's last pixel stay clear, so counts and outlines hold.
            if (result.mask)
                pinned = PixelChecksum(result.mask, pinned);
        }
    }
    EXPECT_EQ(pinned, 2094359903u);
}

// A 2 × 2 square and a 2 × 1 bar placed at (1, 1): each op's rectangle and pixels.
TEST(CombineMasks, EachOpOnASquareAndABarOverItsCorner)
{
    const HDIB square = MaskFromRows({"##", "##"});
    const HDIB bar = MaskFromRows({"##"});
    const auto combined = [&](MaskOp op) {
        const CombinedMask result = CombineMasks(square, bar, 1, 1, op);
        return std::pair(result.rect, MaskRows(result.mask));
    };
    using Rows = std::vector<std::string>;
    EXPECT_EQ(combined(MaskOp::Union), std::pair(Rect{0, 0, 3, 2}, Rows{"##.", "###"}));
    EXPECT_EQ(combined(MaskOp::Intersection), std::pair(Rect{1, 1, 2, 2}, Rows{"#"}));
    EXPECT_EQ(combined(MaskOp::Difference), std::pair(Rect{0, 0, 3, 2}, Rows{"##.", "#.#"}));
    EXPECT_EQ(combined(MaskOp::Subtract), std::pair(Rect{0, 0, 2, 2}, Rows{"##", "#."}));
}

TEST(CombineMasks, NullsAndTouchingRectanglesGiveNoMask)
{
    const HDIB a = AllocateSelectionMask(3, 3);
    EXPECT_FALSE(CombineMasks(HDIB{}, a, 0, 0, MaskOp::Union).mask);
    EXPECT_FALSE(CombineMasks(a, a, 3, 0, MaskOp::Intersection).mask) << "touching rectangles do not overlap";
}

TEST(ShapeMasks, RectangleEllipseAndPolygonCoverTheirOutlines)
{
    EXPECT_EQ(CountSelectedPixels(MakeShapeMask(13, 7, SelectionShape::Rectangle)), 13 * 7);
    EXPECT_FALSE(MakeShapeMask(0, 5, SelectionShape::Rectangle));

    EXPECT_EQ(MaskRows(MakeShapeMask(7, 5, SelectionShape::Ellipse)),
              (std::vector<std::string>{"..###..", "#######", "#######", "#######", "..###.."}));
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
    // From the top right the fill runs down, up, down again and left; from the bottom left the
    // walls keep it out.
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 8, 0, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{"#########", "........#", "....###.#", "....#.#.#", "..###.###", ".........",
                                        "........."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 6, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{".........", ".........", "###......", "#........", "#........", "#........",
                                        "########."}));
}

TEST(SelectSimilar, RandomPicturesStayAsPinnedInBothModesContiguousAndGlobal)
{
    std::mt19937 random(7);
    std::uint32_t pinned = 2166136261u;
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
        const HDIB mask = SelectSimilar(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        const HDIB global = SelectSimilarGlobal(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        ASSERT_TRUE(mask && global);
        pinned = PixelChecksum(global, PixelChecksum(mask, pinned));
    }
    EXPECT_EQ(pinned, 2971456721u);
}

TEST(SelectSimilar, ToleranceIsPerChannelThresholdsHoldTheirValueAndFullToleranceTakesEverything)
{
    const std::vector<std::string> picture = {"aAb", "AAb", "bbb"};
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 5})),
              (std::vector<std::string>{"##.", "##.", "..."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 4})),
              (std::vector<std::string>{"#..", "...", "..."})) << "blue differs by 5";
    // Threshold mode: a channel at its threshold is on the seed's side, one above it is not.
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Threshold, {210, 100, 255})),
              (std::vector<std::string>{"##.", "##.", "..."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Threshold, {209, 100, 255})),
              (std::vector<std::string>{"#..", "...", "..."}));
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
