// Whole-picture turns, flips, spins and size changes: every layer together and exactly.

#include "common/string_table.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/picture_turns.h"
#include "edit/placement/resampler.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

namespace lv::testing {
namespace {

// Size, every layer's box, pixels and mask, and its placement, in one comparable string.
std::string State(const LayerStack& s)
{
    std::ostringstream out;
    out << s.width << 'x' << s.height << ' ' << s.layerCount;
    for (int i = 0; i < s.layerCount; ++i) {
        const LayerRecord& l = s.layers[std::size_t(i)];
        const Rect r = *GetLayerTopDownRect(s, i);
        out << " [" << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ' ';
        for (const HDIB* p : {&l.image.read(), &l.mask.read()})
            for (int y = 0; y < p->height(); ++y)
                out.write(reinterpret_cast<const char*>(p->row(y)), std::streamsize(p->width() * p->bitCount() / 8));
        for (const double m : l.textPlacement)  // to a millionth: sums of turns round in the last bits
            out << ',' << std::llround(m * 1e6);
        out << ']';
    }
    return out.str();
}

HDIB Numbered(int width, int height, int seed)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel24(dib, x, y, {std::uint8_t(seed + x), std::uint8_t(y * 3), std::uint8_t(seed * 7 + x * y)});
    return dib;
}

// A 50 × 30 document: the background "Fundo" and two smaller layers, one of them placed.
struct ThreeLayers {
    ThreeLayers()
        : stack(CreateLayerStackFromImage(Numbered(50, 30, 1)))
        , undo(*stack)
    {
        HDIB mask = MakeGreyFilled(12, 7, 200);
        AddLayer(*stack, 0, Numbered(12, 7, 40), std::move(mask), false, false);
        stack->layers[0].x = 5;
        stack->layers[0].y = 30 - 4 - 7;  // top row 4
        AddLayer(*stack, 0, Numbered(9, 16, 90), MakeGreyFilled(9, 16, 255), false, false);
        stack->layers[0].x = 33;
        stack->layers[0].y = 2;
        stack->currentLayer = 0;
        EXPECT_TRUE(RotateCurrentLayer(*stack, 90)) << "a placed layer, turned about its centre";
        undo.steps.clear();
        CompositeLayers(*stack);
    }
    std::unique_ptr<LayerStack> stack;
    RecordingUndo undo;
};

TEST(DocumentGeometry, TwoFlipsAndFourTurnsGiveTheDocumentBack)
{
    ThreeLayers d;
    const std::string before = State(*d.stack);
    ASSERT_TRUE(FlipDocument(*d.stack, true));
    EXPECT_NE(State(*d.stack), before);
    ASSERT_TRUE(FlipDocument(*d.stack, true));
    EXPECT_EQ(State(*d.stack), before);
    ASSERT_TRUE(FlipDocument(*d.stack, false));
    ASSERT_TRUE(FlipDocument(*d.stack, false));
    EXPECT_EQ(State(*d.stack), before);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(TurnDocument(*d.stack, true));
    EXPECT_EQ(State(*d.stack), before);
    ASSERT_TRUE(TurnDocument(*d.stack, true));
    ASSERT_TRUE(TurnDocument(*d.stack, false));
    EXPECT_EQ(State(*d.stack), before);
    const int across = kUndoFlipHorizontal, down = kUndoFlipVertical, right = kUndoTurnRight;
    EXPECT_EQ(d.undo.codes(), (std::vector<int>{across, across, down, down, right, right, right, right, right, kUndoTurnLeft}));
}

// Pictures large enough to be turned in bands on several threads, with sides that are not
// multiples of the tile or of four bytes: every pixel lands where a clockwise turn puts it.
TEST(DocumentGeometry, LargeQuarterTurnsPutEveryPixelInItsPlace)
{
    constexpr int w = 701, h = 523;
    HDIB grey = AllocatePicture(w, h, 8, 256);
    ASSERT_TRUE(grey);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x)
            grey.row(r)[x] = std::uint8_t(x * 7 + r * 13);
    const HDIB colour = Numbered(w, h, 9);
    for (const HDIB* picture : {static_cast<const HDIB*>(&grey), &colour}) {
        const int bytes = picture->bitCount() / 8;
        const HDIB right = TurnPicture(*picture, true);
        const HDIB left = TurnPicture(*picture, false);
        ASSERT_TRUE(right && left);
        ASSERT_EQ(std::pair(right.width(), right.height()), std::pair(h, w));
        int wrong = 0;
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                // Memory rows count from the bottom: (x, r) goes to (r, w-1-x) turning right
                // and to (h-1-r, x) turning left.
                const std::uint8_t* from = picture->row(r) + x * bytes;
                wrong += std::memcmp(right.row(w - 1 - x) + r * bytes, from, std::size_t(bytes)) != 0;
                wrong += std::memcmp(left.row(x) + (h - 1 - r) * bytes, from, std::size_t(bytes)) != 0;
            }
        EXPECT_EQ(wrong, 0) << picture->bitCount() << "-bit";
    }
}

TEST(DocumentGeometry, AQuarterTurnSwapsTheSidesAndCarriesEveryPixelAndPlacement)
{
    ThreeLayers d;
    d.stack->selectionActive = 1;
    const HDIB middle = CopyPicture(d.stack->layers[1].image.read());
    ASSERT_TRUE(TurnDocument(*d.stack, true));
    EXPECT_EQ(std::tuple(d.stack->width, d.stack->height, d.stack->selectionActive), std::tuple(30, 50, 0u));
    // The 12 × 7 layer at (5, 4): its top-left pixel is now its top-right, at column 30 - 4 - 1.
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 1), (Rect{30 - 11, 5, 30 - 4, 17}));
    const HDIB& turned = d.stack->layers[1].image.read();
    EXPECT_EQ(std::pair(Pixel24(turned, 6, 11), Pixel24(turned, 0, 0)), std::pair(Pixel24(middle, 0, 6), Pixel24(middle, 11, 0)));
    // The placed layer renders from its source to what the turn made of it.
    const LayerRecord& placed = d.stack->layers[0];
    Rect box;
    const HDIB again = ResamplePlaced(*placed.sourceImage, box, 0xFFFFFF, placed.textPlacement);
    EXPECT_EQ(box, *GetLayerTopDownRect(*d.stack, 0));
    ASSERT_EQ(again.size(), placed.image.read().size());
    EXPECT_EQ(std::memcmp(again.data(), placed.image.read().data(), again.size()), 0);
}

TEST(DocumentGeometry, CanvasSizeKeepsEveryLayerAtTheAnchoredPlace)
{
    ThreeLayers d;
    const HDIB background = CopyPicture(d.stack->layers[2].image.read());
    const Rect middle = *GetLayerTopDownRect(*d.stack, 1);
    // Bottom-right: everything moves by the whole growth, 20 columns and 10 rows.
    ASSERT_TRUE(ResizeCanvas(*d.stack, 70, 40, CanvasAnchor::BottomRight, 0x00FF0000));
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 1),
              (Rect{middle.left + 20, middle.top + 10, middle.right + 20, middle.bottom + 10}));
    const LayerRecord& fundo = d.stack->layers[2];
    // The new area in the background colour, opaque; the old top-left at (20, 10).
    EXPECT_EQ(std::tuple(fundo.image.width(), Pixel24(fundo.image.read(), 0, 39), int(fundo.mask.read().row(39)[0])),
              std::tuple(70, Rgb{0, 0, 255}, 255));
    EXPECT_EQ(std::pair(Pixel24(fundo.image.read(), 20, 29), Pixel24(fundo.image.read(), 69, 0)),
              std::pair(Pixel24(background, 0, 29), Pixel24(background, 49, 0)));
    // Centre, shrinking: the background is cut to the canvas, the others only move.
    ASSERT_TRUE(ResizeCanvas(*d.stack, 30, 20, CanvasAnchor::Centre, 0));
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 1), middle) << "back by half the 40 × 20 shrink";
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 2), (Rect{0, 0, 30, 20}));
    EXPECT_EQ(std::pair(Pixel24(d.stack->layers[2].image.read(), 0, 19), Pixel24(d.stack->layers[2].image.read(), 29, 0)),
              std::pair(Pixel24(background, 0, 29), Pixel24(background, 29, 10))) << "cut at (20, 10)";
}

TEST(DocumentGeometry, ImageSizeScalesEveryLayerAndRefusesTenThousandAndOne)
{
    ThreeLayers d;
    ASSERT_TRUE(ResizeDocument(*d.stack, 100, 15));
    EXPECT_EQ(std::tuple(d.stack->width, d.stack->height), std::tuple(100, 15));
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 2), (Rect{0, 0, 100, 15}));
    EXPECT_EQ(*GetLayerTopDownRect(*d.stack, 1), (Rect{10, 2, 34, 6})) << "(5, 4, 17, 11) doubled and halved";
    UiRecorder recorder;
    const ui::ScopedService scope(recorder);
    const std::string before = State(*d.stack);
    EXPECT_FALSE(ResizeDocument(*d.stack, 10001, 15));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, LoadString(kDocumentTooLargeString));
    EXPECT_FALSE(ResizeCanvas(*d.stack, 20, 10001, CanvasAnchor::Top, 0));
    EXPECT_EQ(State(*d.stack), before);
    EXPECT_EQ(d.undo.steps.size(), 1u) << "refusals record nothing";
}

TEST(DocumentGeometry, SpinningGrowsTheCanvasWithTransparentCorners)
{
    ThreeLayers d;
    ASSERT_TRUE(SpinDocument(*d.stack, 30));
    // 50 × 30 turned by 30 degrees: 50 cos + 30 sin by 50 sin + 30 cos.
    EXPECT_EQ(std::tuple(d.stack->width, d.stack->height), std::tuple(58, 51));
    const LayerRecord& fundo = d.stack->layers[2];
    EXPECT_EQ(std::pair(fundo.mask.read().row(0)[0], fundo.mask.read().row(fundo.mask.height() / 2)[fundo.mask.width() / 2]),
              std::pair(std::uint8_t(0), std::uint8_t(255)));
    EXPECT_TRUE(fundo.sourceImage) << "later transforms start from the source";
    // Spinning back leaves the middle of the background where it was, in a larger canvas.
    ASSERT_TRUE(SpinDocument(*d.stack, -30));
    EXPECT_GT(d.stack->width, 58);
}

// "Girar todas as camadas" turns the way the angle dial grows: anticlockwise for a positive
// angle (the image screen's own test turns the real document by 90 degrees).
// A 41 × 41 white document with a red dot right of the centre.
std::unique_ptr<LayerStack> DotRightOfCentre()
{
    auto stack = EmptyDocument(41, 41);
    HDIB picture = SolidPicture(41, 41, {255, 255, 255});
    SetPixel24(picture, 35, 20, {255, 0, 0});
    AppendLayer(*stack, std::move(picture));
    return stack;
}

// Where the reddest pixel of the only layer lies, rows counted from the top.
Point ReddestPixel(const LayerStack& stack)
{
    const LayerRecord& layer = stack.layers[0];
    const HDIB& image = layer.image.read();
    Point best{-1, -1};
    int most = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = Pixel24(image, x, y);
            const int redness = c.r - (c.g + c.b) / 2;
            if (redness > most) {
                most = redness;
                best = {layer.x + x, int(stack.height) - 1 - (layer.y + y)};
            }
        }
    return best;
}

TEST(SpinDirection, ASmallPositiveAngleLiftsTheRightSide)
{
    auto stack = DotRightOfCentre();
    ASSERT_TRUE(SpinDocument(*stack, 30));
    const Point p = ReddestPixel(*stack);
    // 15 pixels right of the centre, turned 30 degrees up: about 13 right and 7.5 up.
    EXPECT_NEAR(p.x - stack->width / 2.0, 13, 1.5);
    EXPECT_NEAR(stack->height / 2.0 - p.y, 7.5, 1.5);
}

}  // namespace
}  // namespace lv::testing
