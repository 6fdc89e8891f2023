// Painting on a 4000 x 3000 document of 10 layers: a 2000-pixel brush stroke of size 32 at
// speed 32 with each dab's composite rebuild, a bucket fill of a large region, a gradient
// over the whole layer and a pattern fill. In the same run, Pillow draws the same 32-pixel
// polyline on the same picture and ImageMagick flood-fills the same region (less its cost
// of reading and writing the file alone).

#include "bench_support.h"
#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/gradient_fill.h"
#include "edit/paint/paint_stroke.h"
#include "edit/paint/pattern_fill.h"
#include "edit/selection/selection.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000, kLayers = 10;
constexpr int kStrokeLength = 2000;
constexpr int kStrokeY = 1500, kStrokeLeft = 1000;
constexpr int kFillX = 2000, kFillY = 700;  // in the sky band

// The picture every layer starts from: a photo with a smooth, slightly noisy sky over the
// top third, the region a bucket fill takes in one click.
const HDIB& photo()
{
    static const HDIB picture = [] {
        HDIB dib = MakePhoto(kWidth, kHeight);
        std::uint32_t seed = 7;
        for (int top = 0; top < kHeight / 3; ++top) {
            std::uint8_t* p = dib.row(kHeight - 1 - top);
            for (int x = 0; x < kWidth; ++x, p += 3) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int((seed >> 20) & 7) - 4;
                p[0] = std::uint8_t(210 + noise);
                p[1] = std::uint8_t(150 + top * 20 / kHeight + noise);
                p[2] = std::uint8_t(100 + noise);
            }
        }
        return dib;
    }();
    return picture;
}

const std::string& photoFile()
{
    static const std::string path = [] {
        const std::string file = ScratchPath("paint-photo.bmp");
        HDIB copy = DibDuplicate(photo());
        WriteBmp(file, copy);
        return file;
    }();
    return path;
}

std::unique_ptr<LayerStack> document()
{
    auto stack = CreateEmptyLayerStack(kWidth, kHeight, 24);
    for (int i = 0; i < kLayers; ++i) {
        HDIB image = DibDuplicate(photo());
        HDIB mask;
        InsertLayer(*stack, image, mask, stack->layerCount, false);
        stack->layers[std::size_t(i)].opacity = i == kLayers - 1 ? 100 : 30;
    }
    stack->currentLayer = 0;
    CompositeLayers(*stack);
    return stack;
}

LayerStack& sharedDocument()
{
    static const auto stack = document();
    return *stack;
}

StrokeSetup brush()
{
    StrokeSetup setup;
    setup.kind = PaintKind::Brush;
    setup.colour = {250, 30, 60};
    setup.options.brush.size = 28;  // a dab of 32
    setup.options.brush.speed = 32;
    return setup;
}

// One stroke: the press and a move every 8 pixels, as a mouse reports a fast drag.
int paintStroke(LayerStack& stack, const StrokeSetup& setup)
{
    ui::SilentService ui;
    PaintStroke stroke;
    stroke.step(stack, ui, setup, {kStrokeLeft, kStrokeY}, true);
    for (int x = 8; x <= kStrokeLength; x += 8)
        stroke.step(stack, ui, setup, {kStrokeLeft + x, kStrokeY + (x / 8 % 5) - 2}, false);
    stroke.finish();
    return stroke.dabs();
}

void BM_BrushStroke(benchmark::State& state)
{
    LayerStack& stack = sharedDocument();
    const StrokeSetup setup = brush();
    int dabs = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        dabs += paintStroke(stack, setup);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["dabs_per_stroke"] = double(dabs) / double(state.iterations());
    state.counters["us_per_dab"] = seconds * 1e6 / dabs;
}
BENCHMARK(BM_BrushStroke)->Unit(benchmark::kMillisecond)->Iterations(5);

// Pillow draws the same polyline, 32 pixels wide, on the same picture; the script times the
// drawing alone and prints milliseconds per stroke.
std::string pillowScript()
{
    std::string points = "[(" + std::to_string(kStrokeLeft) + "," + std::to_string(kStrokeY) + ")";
    for (int x = 8; x <= kStrokeLength; x += 8)
        points += ",(" + std::to_string(kStrokeLeft + x) + "," + std::to_string(kStrokeY + (x / 8 % 5) - 2) + ")";
    points += "]";
    return "/usr/bin/python3 -c 'import time\nfrom PIL import Image, ImageDraw\nim = Image.open(\"" + photoFile() +
           "\").convert(\"RGB\")\nd = ImageDraw.Draw(im)\npts = " + points +
           "\nt = time.process_time()\nfor i in range(5): d.line(pts, fill=(250,30,60), width=32, joint=\"curve\")\n"
           "print((time.process_time() - t) * 1000 / 5)'";
}

double pillowStrokeMilliseconds()
{
    std::FILE* pipe = popen(("timeout -k 5 " + std::to_string(kCommandSecondsLimit) + " " + pillowScript() + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return -1;
    double ms = -1;
    if (std::fscanf(pipe, "%lf", &ms) != 1)
        ms = -1;
    pclose(pipe);
    return ms;
}

// The stroke against Pillow's polyline, processor time for both, in the same run.
void BM_StrokeAgainstPillow(benchmark::State& state)
{
    LayerStack& stack = sharedDocument();
    const StrokeSetup setup = brush();
    double ours = 0, pillow = 0;
    int rounds = 0, dabs = 0;
    for (auto _ : state) {
        const auto start = std::clock();
        dabs = paintStroke(stack, setup);
        ours += double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
        const double theirs = pillowStrokeMilliseconds();
        if (theirs < 0) {
            state.SkipWithError("Pillow (python3-pil) is not installed");
            return;
        }
        pillow += theirs;
        ++rounds;
    }
    state.counters["ours_ms"] = ours / rounds;
    state.counters["ours_us_per_dab"] = ours / rounds * 1000 / dabs;
    state.counters["pillow_ms"] = pillow / rounds;
    state.counters["ratio"] = ours / std::max(pillow, 1e-3);
}
BENCHMARK(BM_StrokeAgainstPillow)->Unit(benchmark::kMillisecond)->Iterations(3);
LV_TARGET_COUNTER("BM_StrokeAgainstPillow", "ratio", 1.0);

void BM_BucketFill(benchmark::State& state)
{
    LayerStack& stack = sharedDocument();
    ui::SilentService ui;
    PaintOptions options;
    for (auto _ : state) {
        const auto changed = BucketFill(stack, ui, {kFillX, kFillY}, {255, 255, 255}, options);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_BucketFill)->Unit(benchmark::kMillisecond)->Iterations(3);

std::string magick()
{
    return HaveCommand("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
}

// The bucket fill (its seed fill, the fill of the marked pixels, the composite) against
// ImageMagick's flood fill of the same tolerance, less its reading and writing alone.
void BM_BucketFillAgainstMagick(benchmark::State& state)
{
    const std::string program = magick();
    if (!HaveCommand(program)) {
        state.SkipWithError("ImageMagick is not installed");
        return;
    }
    const std::string out = ScratchPath("paint-magick.bmp");
    const std::uint8_t* p = photo().row(kHeight - 1 - kFillY) + 3 * kFillX;
    const std::string fill = program + " " + photoFile() + " -fuzz 12.55% -fill white -floodfill +" +
                             std::to_string(kFillX) + "+" + std::to_string(kFillY) + " 'rgb(" + std::to_string(p[2]) + "," +
                             std::to_string(p[1]) + "," + std::to_string(p[0]) + ")' " + out;
    const std::string plain = program + " " + photoFile() + " " + out;
    auto stack = document();
    ui::SilentService ui;
    double ours = 0, magickFill = 0, magickPlain = 0;
    int rounds = 0;
    for (auto _ : state) {
        const auto start = std::clock();
        BucketFill(*stack, ui, {kFillX, kFillY}, {255, 255, 255}, PaintOptions{});
        ours += double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
        if (!AddCommandCpu(fill, magickFill) || !AddCommandCpu(plain, magickPlain)) {
            state.SkipWithError("ImageMagick failed");
            return;
        }
        ++rounds;
    }
    state.counters["ours_ms"] = ours / rounds;
    state.counters["magick_fill_ms"] = magickFill / rounds;
    state.counters["magick_read_write_ms"] = magickPlain / rounds;
    state.counters["ratio"] = ours / std::max(1.0, magickFill - magickPlain);
}
BENCHMARK(BM_BucketFillAgainstMagick)->Unit(benchmark::kMillisecond)->Iterations(3);
LV_TARGET_COUNTER("BM_BucketFillAgainstMagick", "ratio", 1.0);

void BM_GradientFill(benchmark::State& state)
{
    LayerStack& stack = sharedDocument();
    ui::SilentService ui;
    for (auto _ : state) {
        const auto changed = GradientFill(stack, ui, {0, 0}, {kWidth - 1, kHeight - 1}, {255, 255, 0}, {0, 0, 255},
                                          GradientShape::Linear);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_GradientFill)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PatternFill(benchmark::State& state)
{
    LayerStack& stack = sharedDocument();
    ui::SilentService ui;
    const HDIB texture = MakePhoto(64, 64);
    ChangeSelection(stack, *RectangleRegion({0, 0, kWidth, kHeight}), CombineMode::New, kUndoShapeSelection);
    for (auto _ : state) {
        const auto changed = PatternFill(stack, ui, {10, 10}, texture, PaintOptions{});
        benchmark::DoNotOptimize(changed);
    }
    StoreSelection(stack, std::nullopt);
}
BENCHMARK(BM_PatternFill)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
