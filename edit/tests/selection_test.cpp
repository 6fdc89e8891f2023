#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/layer_test_support.h"
#include "edit/tests/selection_test_support.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(SelectionRows(*doc), (std::vector<std::string>{
                                       "###.......",
                                       "#..##.....",
                                       "#..##.....",
                                       "###.......",
                                   }));
    ChangeSelection(*doc, Rectangle({0, 0, 10, 4}), CombineMode::NewNotExisting, kUndoShapeSelection);
    EXPECT_EQ(SelectionRows(*doc), (std::vector<std::string>{
                                       "...#######",
                                       ".##..#####",
                                       ".##..#####",
                                       "...#######",
                                   }));
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
    EXPECT_FALSE(ChangeSelection(*doc, Rectangle({20, 20, 30, 30}), CombineMode::New, kUndoShapeSelection) &&
                 doc->selectionActive)
        << "a rectangle wholly outside leaves no selection";
    EXPECT_EQ(doc->selectionActive, 0u);
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
    HDIB image = SolidPicture(5, 4, {1, 2, 3});
    AppendLayer(*stack, std::move(image), {}, 7, 20 - 4 - 3);  // left 7, top 3
    WandSettings settings;
    ASSERT_TRUE(MagicWandClick(*stack, {0, 0}, settings)) << "a click outside is clamped into the layer";
    EXPECT_EQ(stack->selectionRect, (Rect{7, 3, 12, 7}));

    auto empty = EmptyDocument(5, 5);
    EXPECT_FALSE(MagicWandClick(*empty, {1, 1}, settings));
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
    EXPECT_EQ(std::pair(stack->layers[0].image.width(), stack->layers[0].image.height()), std::pair(10, 6));
    EXPECT_EQ(GetLayerTopDownRect(*stack, 0), (Rect{0, 0, 10, 6}));
    const LayerRecord& outside = stack->layers[1];
    EXPECT_EQ(outside.image.width(), 4) << "a layer outside keeps its size";
    EXPECT_EQ(GetLayerTopDownRect(*stack, 1), (Rect{23, 13, 27, 17})) << "and its place";
    EXPECT_EQ(std::tuple(Pixel24(outside.image.read(), 1, 1), int(outside.mask.read().row(1)[1])), std::tuple(Rgb{0, 0, 0}, 0))
        << "fully transparent";
    EXPECT_EQ(undo.steps.back().code, kUndoCrop);
    EXPECT_FALSE(CropToSelection(*stack)) << "no selection, nothing to crop to";
}

}  // namespace
}  // namespace lv::testing
