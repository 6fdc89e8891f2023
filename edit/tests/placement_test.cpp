// Placement matrices, the resampler and the layer transforms that render from a source.

#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "edit/tests/layer_test_support.h"
#include "imagelib/shared_picture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace lv::testing {
namespace {

// Every pixel distinct enough that a shifted or interpolated copy shows.
HDIB Pattern(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel24(dib, x, y, {std::uint8_t(x * 37 + y * 11), std::uint8_t(x * 5 + y * 91), std::uint8_t(x ^ (y * 7))});
    return dib;
}

HDIB GreyPattern(int width, int height)
{
    HDIB dib = MakeGreyPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.row(y)[x] = std::uint8_t(40 + (x * 13 + y * 29) % 200);
    return dib;
}

TEST(PlacementMatrix, BuildersComposeSoThatTheNewOperationActsLast)
{
    const auto map = [](const Placement& m, double row, double col) {
        return std::pair{m[0] * row + m[1] * col + m[2], m[3] * row + m[4] * col + m[5]};
    };
    // Scaling about (column 10, row 4) keeps that point.
    const Placement scale = ScalePlacement(10, 4, 3, 0.5);
    EXPECT_EQ(map(scale, 4, 10), (std::pair{4.0, 10.0}));
    EXPECT_EQ(map(scale, 6, 12), (std::pair{5.0, 16.0}));
    // T × M: scale first, then move by 5 columns and 2 rows.
    const Placement both = Compose(TranslatePlacement(5, 2), scale);
    EXPECT_EQ(map(both, 6, 12), (std::pair{7.0, 21.0}));
    // A quarter turn about (2, 2) sends the point to its right below it.
    const auto turned = map(RotatePlacement(2, 2, 3.141592653589793 / 2), 2, 5);
    EXPECT_TRUE(std::abs(turned.first - 5) < 1e-12 && std::abs(turned.second - 2) < 1e-12);
    EXPECT_EQ(std::pair(map(MirrorPlacement(false, 7.5), 3, 1), map(MirrorPlacement(true, 7.5), 3, 1)),
              std::pair(std::pair{3.0, 14.0}, std::pair{12.0, 1.0}));
    EXPECT_TRUE(IsUnplaced(Placement{}) && !IsUnplaced(IdentityPlacement()));
}

TEST(PlacementMatrix, BoundingBoxRoundsTheCornerAwayFromZeroAndTruncatesTheSpan)
{
    EXPECT_EQ(PlacedBoundingBox({0, 0, 10, 4}, TranslatePlacement(2.5, -2.5)), (Rect{3, -3, 13, 1}));
    EXPECT_EQ(PlacedBoundingBox({0, 0, 10, 4}, TranslatePlacement(-0.4, 0.4)), (Rect{0, 0, 10, 4}));
    // A span of 4.4 keeps 4 pixels; 4.5 makes 5.
    EXPECT_EQ(PlacedBoundingBox({0, 0, 10, 4}, ScalePlacement(0, 0, 0.44, 1.125)), (Rect{0, 0, 4, 5}));
    EXPECT_EQ(std::pair(RoundAway(-2.5), Truncate(-2.7)), std::pair(-3, -2));
}

TEST(Resampler, TheIdentityCopiesExactlyAndPlacesByTheTranslation)
{
    const HDIB source = Pattern(5, 3);
    Rect placed;
    const HDIB out = ResamplePlaced(source, placed, 0, TranslatePlacement(7, 4));
    ASSERT_TRUE(out);
    EXPECT_TRUE(SamePixels(out, source));
    EXPECT_EQ(std::tuple(placed, out.header().biSizeImage), std::tuple(Rect{7, 4, 12, 7}, 16u * 3u));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(out.row(y)[15], 0) << "row padding stays zero";
}

TEST(Resampler, AnExactQuarterTurnMovesEveryPixelWithoutInterpolation)
{
    const HDIB source = Pattern(4, 3);
    Rect placed;
    // Row' = column, column' = 3 - row: a right turn of a 4 × 3 picture.
    const HDIB out = ResamplePlaced(source, placed, 0, Placement{0, 1, 0, -1, 0, 3, 0, 0, 1});
    ASSERT_TRUE(out);
    ASSERT_EQ(std::pair(out.width(), out.height()), std::pair(3, 4));
    for (int r = 0; r < 3; ++r)      // source rows from the top
        for (int c = 0; c < 4; ++c)  // the pixel lands at column 2 - r, row c from the top
            EXPECT_EQ(Pixel24(out, 2 - r, 3 - c), Pixel24(source, c, 2 - r)) << r << "," << c;
}

TEST(Resampler, OutsideTheSourceTakesTheBackgroundAndFailuresGiveNothing)
{
    const HDIB source = Pattern(20, 20);
    Rect placed;
    const HDIB rotated = ResamplePlaced(source, placed, 0x0000FF00u | 0x10u | (0x80u << 16), RotatePlacement(10, 10, 0.6));
    ASSERT_TRUE(rotated);
    EXPECT_EQ(Pixel24(rotated, 0, 0), (Rgb{0x10, 0xFF, 0x80})) << "red low, blue third";

    const HDIB grey = GreyPattern(10, 10);
    const HDIB greyRotated = ResamplePlaced(grey, placed, 0x00AA0011u, RotatePlacement(5, 5, 0.6));
    ASSERT_TRUE(greyRotated);
    EXPECT_EQ(std::tuple(greyRotated.row(0)[0], greyRotated.clrUsed()), std::tuple(0xAA, 256u)) << "8-bit takes the blue byte";

    EXPECT_FALSE(ResamplePlaced(source, placed, 0, ScalePlacement(0, 0, 0, 1))) << "determinant 0";
    EXPECT_FALSE(ResamplePlaced(MakePicture(4, 4, 4, 16), placed, 0, IdentityPlacement())) << "4-bit";
    EXPECT_FALSE(ResamplePlaced(source, placed, 0, ScalePlacement(0, 0, 1e6, 1))) << "too wide";
}

TEST(Resampler, BilinearWeightsAreInSixtyFourths)
{
    // Doubling a black-and-white pair: the inner columns mix in eighths about the centres.
    HDIB source = AllocatePicture(2, 1, 24, 0);
    SetPixel24(source, 1, 0, {255, 255, 255});
    Rect placed;
    const HDIB out = ResamplePlaced(source, placed, 0x123456, ScalePlacement(0, 0, 2, 1));
    ASSERT_TRUE(out);
    ASSERT_EQ(out.width(), 4);
    // u = i - 1.5 gives 4u + 4 + 0.5 eighths: -1.5, 2.5, 6.5 and 10.5.
    EXPECT_EQ(Pixel24(out, 0, 0), (Rgb{0x56, 0x34, 0x12})) << "half a pixel beyond the left centre";
    // The last column repeats past the edge.
    EXPECT_EQ((std::vector<int>{Pixel24(out, 1, 0).r, Pixel24(out, 2, 0).r, Pixel24(out, 3, 0).r}),
              (std::vector<int>{(2 * 8 * 255 + 32) >> 6, (6 * 8 * 255 + 32) >> 6, 255}));
}

TEST(Resampler, AResizeKeepsTheEdgeThatDidNotMove)
{
    // Column: the left stays, else the right, else the midpoint on the side that moved less.
    // (50 + 51) / 2; halving truncates toward zero. Row: the bottom first.
    EXPECT_EQ((std::vector<int>{FixedResizeCoordinate(10, 50, 10, 90, false), FixedResizeCoordinate(10, 50, 0, 50, false),
                                FixedResizeCoordinate(10, 50, 5, 70, false), FixedResizeCoordinate(10, 50, -20, 51, false),
                                FixedResizeCoordinate(-9, 50, -2, 70, false), FixedResizeCoordinate(10, 50, 20, 50, true),
                                FixedResizeCoordinate(10, 50, 10, 30, true)}),
              (std::vector<int>{10, 50, 7, 50, -5, 50, 10}));
}

// A document with one pattern layer of 40 × 20 at column 30, row 10 from the top.
struct PlacedDocument {
    PlacedDocument()
        : stack(EmptyDocument(120, 80))
        , undo(*stack)
    {
        HDIB mask = MakeGreyFilled(40, 20, 255);
        mask.row(0)[0] = 77;
        AppendLayer(*stack, Pattern(40, 20), std::move(mask), 30, 80 - 10 - 20);
        stack->layers[0].aspect = 2;
        CompositeLayers(*stack);
    }
    LayerRecord& layer() { return stack->layers[0]; }
    std::unique_ptr<LayerStack> stack;
    RecordingUndo undo;
};

TEST(LayerPlacement, RotatedCornersAreWhiteUnderATransparentMask)
{
    PlacedDocument d;
    ASSERT_TRUE(RotateCurrentLayer(*d.stack, 30));
    const HDIB& image = d.layer().image.read();
    const HDIB& mask = d.layer().mask.read();
    EXPECT_EQ(Pixel24(image, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ((std::vector<int>{mask.row(0)[0], mask.row(mask.height() - 1)[mask.width() - 1], mask.row(mask.height() / 2)[mask.width() / 2]}),
              (std::vector<int>{0, 0, 255}));
    // The box grew about the same centre (50, 20).
    const Rect box = *CurrentLayerBox(*d.stack);
    EXPECT_TRUE(std::abs((box.left + box.right) / 2.0 - 50) <= 1 && std::abs((box.top + box.bottom) / 2.0 - 20) <= 1);
    EXPECT_NEAR(d.layer().aspect, double(box.right - box.left) / (box.bottom - box.top), 1e-12);
}

TEST(LayerPlacement, MovesNeverResampleAndResizesRenderOnceFromTheSource)
{
    PlacedDocument d;
    const HDIB original = CopyPicture(d.layer().image.read());
    ASSERT_TRUE(MoveCurrentLayer(*d.stack, {3, 5, 43, 25}));
    EXPECT_EQ(*CurrentLayerBox(*d.stack), (Rect{3, 5, 43, 25}));
    EXPECT_TRUE(SamePixels(d.layer().image.read(), original));
    ASSERT_TRUE(MoveCurrentLayer(*d.stack, {30, 10, 70, 30}));
    EXPECT_TRUE(SamePixels(d.layer().image.read(), original));
    EXPECT_EQ(d.layer().textPlacement, TranslatePlacement(30, 10));
    EXPECT_FALSE(MoveCurrentLayer(*d.stack, {30, 10, 70, 30})) << "already there";

    // Resize, rotate, resize: the same as rendering the source once through the product.
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {30, 10, 90, 40}));
    EXPECT_EQ(*CurrentLayerBox(*d.stack), (Rect{30, 10, 90, 40}));
    ASSERT_TRUE(RotateCurrentLayer(*d.stack, 17));
    const Rect turned = *CurrentLayerBox(*d.stack);
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {turned.left, turned.top, turned.right - 10, turned.bottom}));
    Rect placed;
    const HDIB once = ResamplePlaced(*d.layer().sourceImage, placed, 0, d.layer().textPlacement);  // resizes fill with 0
    EXPECT_TRUE(SamePixels(d.layer().image.read(), once)) << "the source stays untouched and renders once";
    EXPECT_TRUE(SamePixels(*d.layer().sourceImage, original));
}

TEST(LayerPlacement, ResizingSetsThePositionAspectAndMendsEmptyBoxes)
{
    PlacedDocument d;
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {30, 10, 50, 20}));
    EXPECT_EQ(std::tuple(d.layer().image.width(), d.layer().image.height(), d.layer().y, d.layer().aspect), std::tuple(20, 10, 80 - 20, 2.0));
    // A box of no height at the current top grows down by one; elsewhere its top moves up.
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {30, 10, 50, 10}));
    EXPECT_EQ(*CurrentLayerBox(*d.stack), (Rect{30, 10, 50, 11}));
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {30, 40, 50, 40}));
    EXPECT_EQ(*CurrentLayerBox(*d.stack), (Rect{30, 39, 50, 40}));
    EXPECT_FALSE(ResizeCurrentLayer(*d.stack, {30, 40, 20, 50})) << "right before left";
}

TEST(LayerPlacement, ATextLayerResizesItsLetteringAndRefillsItsColour)
{
    PlacedDocument d;
    LayerRecord& text = d.layer();
    text.kind = LAYER_TEXT;
    text.textObject = std::make_shared<TextObject>(MakeTextObject("Oi"));
    text.textObject->words[TextObject::kColourWord] = 0x00336699;  // red 0x99, blue 0x33
    ASSERT_TRUE(ResizeCurrentLayer(*d.stack, {30, 10, 110, 50}));
    EXPECT_EQ(std::tuple(text.mask.read().width(), Pixel24(text.image.read(), 7, 7), Pixel24(text.image.read(), 0, 39)),
              std::tuple(80, Rgb{0x99, 0x66, 0x33}, Rgb{0x99, 0x66, 0x33}));
    EXPECT_EQ(text.mask.read().row(20)[40], 255) << "the lettering scaled from its source";
    EXPECT_EQ(text.mask.read().row(1)[1], (36 * 77 + 12 * 255 + 12 * 255 + 4 * 255 + 32) >> 6)
        << "the source's odd corner pixel, mixed in sixty-fourths";
    EXPECT_EQ(text.kind, LAYER_TEXT);

    EXPECT_TRUE(ClearPlacement(*d.stack));
    EXPECT_EQ(std::tuple(text.kind, bool(text.textObject), bool(text.sourceImage), IsUnplaced(text.textPlacement), d.undo.steps.back().code),
              std::tuple(LAYER_IMAGE, false, false, true, kUndoClearPlacement));
    EXPECT_FALSE(ClearPlacement(*d.stack)) << "an image layer records nothing";
    EXPECT_EQ(d.undo.steps.back().code, kUndoClearPlacement);
}

// Turns of a layer add up: turned back to its start, a layer of any size is where it was
// and holds its own pixels again.
struct TurnCase {
    int width;
    int height;
    std::vector<double> turns;
};

void PrintTo(const TurnCase& c, std::ostream* out)
{
    *out << c.width << " x " << c.height << " turned";
    for (const double degrees : c.turns)
        *out << ' ' << degrees;
}

class QuarterTurns : public ::testing::TestWithParam<TurnCase> {};

TEST_P(QuarterTurns, TurnedBackTheLayerIsWhereItStartedAndEqualsItsSource)
{
    const TurnCase& c = GetParam();
    auto stack = EmptyDocument(100, 80);
    HDIB source = MakePhotoLike(c.width, c.height);
    AppendLayer(*stack, CopyPicture(source), {}, 0, 80 - c.height);
    CompositeLayers(*stack);
    const Rect start = *CurrentLayerBox(*stack);
    for (const double degrees : c.turns)
        ASSERT_TRUE(RotateCurrentLayer(*stack, degrees));
    EXPECT_EQ(*CurrentLayerBox(*stack), start);
    EXPECT_TRUE(SamePixels(stack->layers[0].image.read(), source));
}

INSTANTIATE_TEST_SUITE_P(OddEvenAndMixedSizes, QuarterTurns,
                         ::testing::Values(TurnCase{41, 29, {90, 90, 90, 90}}, TurnCase{41, 29, {180, 180}},
                                           TurnCase{41, 29, {-90, -90, -90, -90}}, TurnCase{40, 29, {90, 90, 90, 90}},
                                           TurnCase{41, 28, {180, 180}}, TurnCase{40, 28, {90, -90}},
                                           TurnCase{1, 7, {90, 90, 90, 90}}, TurnCase{41, 29, {90, 30, -30, -90}}));

TEST(QuarterTurns, AnOddLayerTurnsAboutItsOwnCentreWithoutDrift)
{
    auto stack = EmptyDocument(100, 80);
    AppendLayer(*stack, MakePhotoLike(41, 29), {}, 10, 80 - 29 - 20);  // top-left at 10, 20
    const Rect start = *CurrentLayerBox(*stack);
    ASSERT_TRUE(RotateCurrentLayer(*stack, 90));
    // The centre stays at 30.5, 34.5, so the turned box is 29 wide, 41 high about it.
    EXPECT_EQ(*CurrentLayerBox(*stack), (Rect{16, 14, 45, 55}));
    ASSERT_TRUE(RotateCurrentLayer(*stack, 90));
    EXPECT_EQ(*CurrentLayerBox(*stack), start);
}

}  // namespace
}  // namespace lv::testing
