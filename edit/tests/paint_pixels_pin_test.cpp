// Every pixel a stroke or a fill leaves, pinned by a checksum of the layers and the composite,
// so the faster paths paint exactly what the plain ones did.

#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/paint_stroke.h"
#include "edit/selection/selection.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace lv {
namespace {

constexpr int kWidth = 97, kHeight = 64;

HDIB pattern(int seed)
{
    HDIB dib = AllocatePicture(kWidth, kHeight, 24, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < 3 * kWidth; ++x)
            dib.row(y)[x] = std::uint8_t((x * 7 + y * 13 + seed) % 251 / (x < 120 ? 8 : 1));
    return dib;
}

// A photo layer under a 60 % layer whose mask fades from clear to full across the picture.
std::unique_ptr<LayerStack> document()
{
    auto stack = CreateEmptyLayerStack(kWidth, kHeight, 24);
    for (int i = 0; i < 2; ++i) {
        HDIB image = pattern(i * 40), mask;
        InsertLayer(*stack, image, mask, stack->layerCount, false);
    }
    stack->layers[1].opacity = 60;
    HDIB& mask = stack->layers[1].mask.write();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            mask.row(y)[x] = std::uint8_t(x < 20 ? 0 : std::min(255, x * 3));
    stack->currentLayer = 1;
    CompositeLayers(*stack);
    return stack;
}

std::uint32_t checksum(const LayerStack& stack)
{
    std::uint32_t h = 2166136261u;
    const auto add = [&](const HDIB& dib) {
        for (std::size_t i = 0; i < dib.size(); ++i)
            h = (h ^ dib.data()[i]) * 16777619u;
    };
    for (int i = 0; i < stack.layerCount; ++i) {
        add(stack.layers[std::size_t(i)].image.read());
        add(stack.layers[std::size_t(i)].mask.read());
    }
    add(stack.composite);
    return h;
}

// A stroke across the layer (part of it off the left edge) and back, with a rest.
std::uint32_t stroke(PaintKind kind, int transparency, int speed, bool selection)
{
    auto stack = document();
    if (selection)
        ChangeSelection(*stack, *RectangleRegion({10, 5, 70, 50}), CombineMode::New, kUndoShapeSelection);
    StrokeSetup setup;
    setup.kind = kind;
    setup.colour = {250, 30, 60};
    setup.options.brush.size = 12;
    setup.options.brush.speed = speed;
    setup.options.brushTransparency = setup.options.airbrushTransparency = setup.options.penTransparency = transparency;
    setup.cloneOffset = Point{9, -5};
    ui::SilentService ui;
    PaintStroke paint;
    paint.step(*stack, ui, setup, {-4, 30}, true);
    for (const Point p : {Point{30, 33}, Point{30, 33}, Point{90, 20}, Point{50, 60}, Point{5, 2}})
        paint.step(*stack, ui, setup, p, false);
    paint.finish();
    return checksum(*stack);
}

TEST(PaintPixels, StrokesStayAsPinned)
{
    EXPECT_EQ(stroke(PaintKind::Brush, 0, 32, false), 2601679935u);
    EXPECT_EQ(stroke(PaintKind::Brush, 40, 20, false), 3226568151u);
    EXPECT_EQ(stroke(PaintKind::Brush, 0, 32, true), 89259285u);
    EXPECT_EQ(stroke(PaintKind::Airbrush, 0, 25, false), 3682732729u);
    EXPECT_EQ(stroke(PaintKind::Pen, 30, 32, true), 946678549u);
    EXPECT_EQ(stroke(PaintKind::Clone, 0, 32, false), 2538223075u);
}

TEST(PaintPixels, FillsStayAsPinned)
{
    const auto fill = [](Point at, int transparency, int layer) {
        auto stack = document();
        stack->currentLayer = layer;
        PaintOptions options;
        options.fillTransparency = transparency;
        ui::SilentService ui;
        EXPECT_TRUE(BucketFill(*stack, ui, at, {255, 255, 255}, options));
        return checksum(*stack);
    };
    EXPECT_EQ(std::tuple(fill({50, 30}, 0, 0), fill({50, 30}, 35, 1)), std::tuple(4291927898u, 481772349u));
    EXPECT_EQ(fill({5, 30}, 0, 1), 1598042223u) << "a clear pixel: the mask is set too";
}

}  // namespace
}  // namespace lv
