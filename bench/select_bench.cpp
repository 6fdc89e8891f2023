// Selections on a 4000 x 3000 photo: the contiguous and global colour fills, combining two
// full-size masks, building a wand selection's outline and drawing it for one frame. The
// contiguous fill is compared in the same run with ImageMagick's flood fill of the same
// tolerance, less ImageMagick's cost of reading and writing the file alone.

#include "app/core/view/pixel_surface.h"
#include "bench_support.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/select_similar.h"
#include "edit/selection/selection_mask.h"
#include "edit/selection/selection_outline.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kTolerance = 32;
constexpr int kSeedX = 2000, kSeedY = 900;  // in the sky: one large region
constexpr int kHorizon = 1800;

// A landscape: a smooth, slightly noisy sky over the top 60 % and a textured photo below,
// meeting along a ragged horizon, as the wand meets it on holiday pictures.
const HDIB& photo()
{
    static const HDIB picture = [] {
        HDIB dib = MakePhoto(kWidth, kHeight);
        std::uint32_t seed = 99;
        for (int y = 0; y < kHeight; ++y) {
            const int top = kHeight - 1 - y;  // rows from the top
            std::uint8_t* p = dib.row(y);
            for (int x = 0; x < kWidth; ++x, p += 3) {
                seed = seed * 1664525u + 1013904223u;
                const int ragged = int((seed >> 26) & 31) + (x / 7 % 13) * 3;
                if (top >= kHorizon + ragged - 30)
                    continue;
                const int noise = int((seed >> 20) & 7) - 4;
                p[0] = std::uint8_t(200 + top * 50 / kHorizon + noise);  // blue
                p[1] = std::uint8_t(140 + top * 40 / kHorizon + noise);
                p[2] = std::uint8_t(90 + top * 30 / kHorizon + noise);
            }
        }
        return dib;
    }();
    return picture;
}

const std::string& photoFile()
{
    static const std::string path = [] {
        const std::string file = ScratchPath("select-photo.bmp");
        HDIB copy = DibDuplicate(photo());
        WriteBmp(file, copy);
        return file;
    }();
    return path;
}

const HDIB& wandMask()
{
    static const HDIB mask = SelectSimilar(photo(), kSeedX, kSeedY, SimilarityMode::Tolerance,
                                           {kTolerance, kTolerance, kTolerance});
    return mask;
}

void BM_SelectSimilar(benchmark::State& state)
{
    for (auto _ : state) {
        HDIB mask = SelectSimilar(photo(), kSeedX, kSeedY, SimilarityMode::Tolerance, {kTolerance, kTolerance, kTolerance});
        benchmark::DoNotOptimize(mask.data());
    }
    state.counters["selected"] = double(CountSelectedPixels(wandMask()));
}
BENCHMARK(BM_SelectSimilar)->Unit(benchmark::kMillisecond);

void BM_SelectSimilarGlobal(benchmark::State& state)
{
    for (auto _ : state) {
        HDIB mask = SelectSimilarGlobal(photo(), kSeedX, kSeedY, SimilarityMode::Tolerance,
                                        {kTolerance, kTolerance, kTolerance});
        benchmark::DoNotOptimize(mask.data());
    }
}
BENCHMARK(BM_SelectSimilarGlobal)->Unit(benchmark::kMillisecond);

// ImageMagick's fuzz is a distance over the three channels; 32 of 255 on each is 12.55 %.
std::string magick()
{
    return HaveCommand("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
}

// Its flood fill takes the colour to match along with the seed point.
std::string magickFill(const std::string& out)
{
    const std::uint8_t* p = photo().row(kHeight - 1 - kSeedY) + 3 * kSeedX;
    return magick() + " " + photoFile() + " -fuzz 12.55% -fill white -floodfill +" + std::to_string(kSeedX) + "+" +
           std::to_string(kSeedY) + " 'rgb(" + std::to_string(p[2]) + "," + std::to_string(p[1]) + "," +
           std::to_string(p[0]) + ")' " + out;
}

void BM_MagickFloodFill(benchmark::State& state)
{
    const std::string out = ScratchPath("select-magick.bmp");
    RunShell(state, magick(), magickFill(out));
}
BENCHMARK(BM_MagickFloodFill)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_MagickReadWriteOnly(benchmark::State& state)
{
    RunShell(state, magick(), magick() + " " + photoFile() + " " + ScratchPath("select-magick.bmp"));
}
BENCHMARK(BM_MagickReadWriteOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The target as one figure: our fill's processor time over ImageMagick's fill alone (its
// whole run less a run that only reads and writes), processor time for both.
void BM_FloodFillRatio(benchmark::State& state)
{
    const std::string program = magick();
    if (!HaveCommand(program)) {
        state.SkipWithError("ImageMagick is not installed");
        return;
    }
    const std::string out = ScratchPath("select-magick.bmp");
    const std::string fill = magickFill(out) + " >/dev/null 2>&1";
    const std::string plain = program + " " + photoFile() + " " + out + " >/dev/null 2>&1";
    double ours = 0, magickFill = 0, magickPlain = 0;
    int rounds = 0;
    for (auto _ : state) {
        const auto start = std::clock();
        for (int i = 0; i < 5; ++i) {
            HDIB mask = SelectSimilar(photo(), kSeedX, kSeedY, SimilarityMode::Tolerance,
                                      {kTolerance, kTolerance, kTolerance});
            benchmark::DoNotOptimize(mask.data());
        }
        ours += double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC / 5;
        double before = ChildCpuMilliseconds();
        if (RunLimited(fill) != 0) {
            state.SkipWithError("the flood fill failed");
            return;
        }
        magickFill += ChildCpuMilliseconds() - before;
        before = ChildCpuMilliseconds();
        if (RunLimited(plain) != 0) {
            state.SkipWithError("the plain run failed");
            return;
        }
        magickPlain += ChildCpuMilliseconds() - before;
        ++rounds;
    }
    state.counters["ours_ms"] = ours / rounds;
    state.counters["magick_fill_ms"] = magickFill / rounds;
    state.counters["magick_read_write_ms"] = magickPlain / rounds;
    state.counters["ratio"] = ours / std::max(1.0, magickFill - magickPlain);
}
BENCHMARK(BM_FloodFillRatio)->Unit(benchmark::kMillisecond)->Iterations(3);
LV_TARGET_COUNTER("BM_FloodFillRatio", "ratio", 1.0);

void BM_CombineMasks(benchmark::State& state)
{
    HDIB shifted = SelectSimilarGlobal(photo(), 100, 100, SimilarityMode::Tolerance, {40, 40, 40});
    const MaskOp op = MaskOp(state.range(0));
    for (auto _ : state) {
        // Off by a few pixels both ways, so the rows do not line up on bytes.
        CombinedMask result = CombineMasks(wandMask(), shifted, 3, -2, op);
        benchmark::DoNotOptimize(result.mask.data());
    }
}
BENCHMARK(BM_CombineMasks)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_BuildOutline(benchmark::State& state)
{
    std::size_t edges = 0;
    for (auto _ : state) {
        const SelectionOutline outline = SelectionOutline::FromMask(wandMask(), {0, 0, kWidth, kHeight});
        edges = outline.horizontal().size() + outline.vertical().size();
        benchmark::DoNotOptimize(edges);
    }
    state.counters["edges"] = double(edges);
}
BENCHMARK(BM_BuildOutline)->Unit(benchmark::kMillisecond);

// One frame of the outline in a 1000 x 700 window: fitted (1:6, the whole photo in view)
// and at 100 % over the middle.
void BM_DrawOutline(benchmark::State& state)
{
    static const SelectionOutline outline = SelectionOutline::FromMask(wandMask(), {0, 0, kWidth, kHeight});
    std::vector<std::uint32_t> pixels(1000 * 700, 0xFF808080u);
    const PixelBuffer buffer{pixels.data(), 1000, {0, 0, 1000, 700}};
    PixelSurface surface(buffer);
    ViewMapping view;
    view.zoom = int(state.range(0));
    view.clip = {0, 0, 1000, 700};
    if (view.zoom == 0) {  // over the horizon, where the edges are
        view.scrollX = kSeedX - 500;
        view.scrollY = kHorizon - 350;
    }
    int phase = 0;
    for (auto _ : state) {
        outline.draw(surface, view, phase ^= 1);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DrawOutline)->Arg(-5)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
