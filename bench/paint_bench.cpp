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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

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

std::unique_ptr<LayerStack> document(int layers = kLayers)
{
    auto stack = CreateEmptyLayerStack(kWidth, kHeight, 24);
    for (int i = 0; i < layers; ++i) {
        HDIB image = DibDuplicate(photo());
        HDIB mask;
        InsertLayer(*stack, image, mask, stack->layerCount, false);
        stack->layers[std::size_t(i)].opacity = i == layers - 1 ? 100 : 30;
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

// Where the stroke lays its dabs, as PaintStroke walks them from move to move.
std::vector<Point> dabCentres(const StrokeSetup& setup)
{
    const int size = DabSize(setup.kind, setup.options);
    std::vector<Point> centres{{kStrokeLeft, kStrokeY}};
    Point previous = centres.front();
    for (int x = 8; x <= kStrokeLength; x += 8) {
        const Point next{kStrokeLeft + x, kStrokeY + (x / 8 % 5) - 2};
        const int n = DabCount(previous, next, setup.options.brush.speed, size);
        for (int i = 1; i <= n; ++i)
            centres.push_back(DabCentre(previous, next, i, n));
        previous = next;
    }
    return centres;
}

// Pillow lays the same soft stamp (the weights our brush uses, 64 scaled to 255) at the same
// dab centres in the same colour: a plain polyline would be hard-edged, drawn once and not
// built up dab over dab, a fraction of the work. The script times the dabs alone.
std::string pillowScript(const StrokeSetup& setup)
{
    const BrushStamp stamp = BuildBrushStamp(StampKeyFor(setup.kind, setup.options));
    const std::string maskFile = ScratchPath("paint-stamp.pgm");
    if (std::FILE* out = std::fopen(maskFile.c_str(), "wb")) {
        std::fprintf(out, "P5 %d %d 255\n", stamp.size, stamp.size);
        for (const std::uint8_t a : stamp.alpha)
            std::fputc(std::min(int(a), 64) * 255 / 64, out);
        std::fclose(out);
    }
    std::string centres;
    for (const Point& c : dabCentres(setup))
        centres += "(" + std::to_string(c.x - stamp.size / 2) + "," + std::to_string(c.y - stamp.size / 2) + "),";
    const std::string script = ScratchPath("paint-dabs.py");
    if (std::FILE* out = std::fopen(script.c_str(), "w")) {
        std::fprintf(out,
                     "import time\nfrom PIL import Image\nim = Image.open('%s').convert('RGB')\n"
                     "stamp = Image.open('%s')\npts = [%s]\nt = time.process_time()\nfor i in range(5):\n"
                     "    for p in pts: im.paste((%d, %d, %d), p, stamp)\nprint((time.process_time() - t) * 1000 / 5)\n",
                     photoFile().c_str(), maskFile.c_str(), centres.c_str(), setup.colour.red, setup.colour.green,
                     setup.colour.blue);
        std::fclose(out);
    }
    return "/usr/bin/python3 " + script;
}

double pillowStrokeMilliseconds(const StrokeSetup& setup)
{
    std::FILE* pipe = popen(("timeout -k 5 " + std::to_string(kCommandSecondsLimit) + " " + pillowScript(setup) + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return -1;
    double ms = -1;
    if (std::fscanf(pipe, "%lf", &ms) != 1)
        ms = -1;
    pclose(pipe);
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The stroke against Pillow's dabs, processor time for both, interleaved in the same run.
// Pillow paints one picture, so ours paints a document of one layer.
void BM_StrokeAgainstPillow(benchmark::State& state)
{
    const auto document1 = document(1);
    LayerStack& stack = *document1;
    const StrokeSetup setup = brush();
    std::vector<double> ours, pillow;
    int dabs = 0;
    for (auto _ : state) {
        const auto start = std::clock();
        dabs = paintStroke(stack, setup);
        ours.push_back(double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
        const double theirs = pillowStrokeMilliseconds(setup);
        if (theirs < 0) {
            state.SkipWithError("Pillow (python3-pil) is not installed");
            return;
        }
        pillow.push_back(theirs);
    }
    state.counters["ours_ms"] = median(ours);
    state.counters["ours_us_per_dab"] = median(ours) * 1000 / dabs;
    state.counters["pillow_ms"] = median(pillow);
    state.counters["ratio"] = median(ours) / std::max(median(pillow), 1e-3);
}
BENCHMARK(BM_StrokeAgainstPillow)->Unit(benchmark::kMillisecond)->Iterations(5);
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
// ImageMagick fills one picture, so ours fills a document of one layer.
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
    ui::SilentService ui;
    std::vector<double> ours, magickFill, magickPlain;
    for (auto _ : state) {
        auto stack = document(1);
        const auto start = std::clock();
        BucketFill(*stack, ui, {kFillX, kFillY}, {255, 255, 255}, PaintOptions{});
        ours.push_back(double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
        double fillMs = 0, plainMs = 0;
        if (!AddCommandCpu(fill, fillMs) || !AddCommandCpu(plain, plainMs)) {
            state.SkipWithError("ImageMagick failed");
            return;
        }
        magickFill.push_back(fillMs);
        magickPlain.push_back(plainMs);
    }
    state.counters["ours_ms"] = median(ours);
    state.counters["magick_fill_ms"] = median(magickFill);
    state.counters["magick_read_write_ms"] = median(magickPlain);
    state.counters["ratio"] = median(ours) / std::max(1.0, median(magickFill) - median(magickPlain));
}
BENCHMARK(BM_BucketFillAgainstMagick)->Unit(benchmark::kMillisecond)->Iterations(5);
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
