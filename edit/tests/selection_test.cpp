// Selections: the combine modes, the magic wand, moving and cropping the content, and the masks
// beneath (outline, algebra, shapes, similar colours), each against an obviously right reference.

#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/select_similar.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/selection_outline.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/layer_test_support.h"
#include "edit/tests/selection_test_support.h"
#include "edit/tests/tool_test_support.h"
#include "imagelib/dib_geometry.h"
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

TEST(SelectionModes, SubtractXorAndNewNotExistingTrimToWhatIsLeft)
{
    Doc doc(10, 4);
    ChangeSelection(*doc, Rectangle({0, 0, 6, 4}), CombineMode::New, kUndoShapeSelection);
    ChangeSelection(*doc, Rectangle({3, 0, 10, 4}), CombineMode::Subtract, kUndoShapeSelection);
    EXPECT_EQ(std::tuple(doc->selectionRect, doc->selectionActive), std::tuple(Rect{0, 0, 3, 4}, 1u)) << "trimmed to the pixels left";
    EXPECT_EQ(doc.undo->codes(), (std::vector<int>(2, kUndoShapeSelection))) << "each change records first";

    ChangeSelection(*doc, Rectangle({1, 1, 5, 3}), CombineMode::Xor, kUndoShapeSelection);
    EXPECT_EQ(SelectionRows(*doc), (std::vector<std::string>{"###.......", "#..##.....", "#..##.....", "###......."}));
    ChangeSelection(*doc, Rectangle({0, 0, 10, 4}), CombineMode::NewNotExisting, kUndoShapeSelection);
    EXPECT_EQ(SelectionRows(*doc), (std::vector<std::string>{"...#######", ".##..#####", ".##..#####", "...#######"}));
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

    settings = {};
    settings.tolerance = {255, 255, 255};
    ASSERT_TRUE(MagicWandClick(*doc, {3, 0}, settings));
    EXPECT_EQ(SelectedPixelCount(*doc), 15) << "full tolerance takes the whole layer";
}

TEST(MagicWand, OnATransparentPartItSelectsTheTransparentRegion)
{
    Doc doc(6, 4);
    HDIB& mask = doc->layers[0].mask.write();
    // Columns 0-2 transparent, 3-5 opaque.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            mask.row(y)[x] = 0;
    WandSettings settings;
    settings.tolerance = {0, 0, 0};
    ASSERT_TRUE(MagicWandClick(*doc, {1, 1}, settings));
    EXPECT_EQ(doc->selectionRect, (Rect{0, 0, 3, 4}));
    ASSERT_TRUE(MagicWandClick(*doc, {4, 1}, settings));
    EXPECT_EQ(doc->selectionRect, (Rect{3, 0, 6, 4})) << "opaque: where image and mask both match";
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

TEST(SelectionContent, DeletingMakesTheSelectedPixelsTransparent)
{
    Doc doc(4, 3);
    HDIB ellipse = MakeShapeMask(3, 3, SelectionShape::Polygon, std::vector<Point>{{0, 0}, {2, 0}, {0, 2}});
    ChangeSelection(*doc, {std::move(ellipse), {1, 0, 4, 3}}, CombineMode::New, kUndoShapeSelection);
    ASSERT_TRUE(DeleteSelectionContent(*doc));
    const HDIB& mask = doc->layers[0].mask.read();
    std::vector<std::string> rows;
    for (int y = 0; y < 3; ++y) {
        std::string row;
        for (int x = 0; x < 4; ++x)
            row += mask.row(2 - y)[x] ? 'o' : '_';
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"o___", "o__o", "o_oo"}));
    EXPECT_EQ(doc->selectionActive, 2u) << "the selection stays";
    EXPECT_EQ(doc.undo->codes().back(), kUndoDeleteSelectionContent);
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

// Selection masks: their outline, two combined, the shapes, and the similar-colour fill, each
// against an obviously right reference on random masks and pictures.
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
            const Rect expected = op == MaskOp::Subtract       ? ra
                                  : op == MaskOp::Intersection ? ra.intersected(rb)
                                                               : ra.united(rb);
            const CombinedMask result = CombineMasks(a, b, dx, dy, op);
            if (expected.empty()) {
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
              (std::vector<std::string>{"#..", "...", "..."})) << "blue differs by 5";
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
