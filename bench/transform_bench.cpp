// Rendering a 4000 × 3000 layer from its source: a 17-degree rotation and a resize to
// 3000 × 2250, in process and through lumivista-tool, beside ImageMagick and vips on one
// thread; and the whole-picture quarter turn of a five-layer document.

#include "bench_support.h"
#include "edit/layers.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/picture_spin.h"
#include "edit/placement/picture_turns.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "imagelib/shared_picture.h"

#include <memory>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

struct Files {
    Files()
    {
        HDIB photo = MakePhoto(kWidth, kHeight);
        WriteBmp(bmp, photo);
        if (HaveCommand("vips"))
            std::system(("vips copy " + bmp + " " + vipsFile + " >/dev/null 2>&1").c_str());
    }
    std::string bmp = ScratchPath("transform-in.bmp");
    std::string vipsFile = ScratchPath("transform-in.v");
    std::string out = ScratchPath("transform-out");
};

const Files& files()
{
    static const Files f;
    return f;
}

const HDIB& photo()
{
    static const HDIB p = MakePhoto(kWidth, kHeight);
    return p;
}

void BM_Rotate17InProcess(benchmark::State& state)
{
    const Placement m = RotatePlacement(kWidth / 2.0, kHeight / 2.0, 17 * kApplyRadiansPerDegree);
    for (auto _ : state) {
        Rect placed;
        HDIB out = ResamplePlaced(photo(), placed, 0xFFFFFF, m);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Rotate17InProcess)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ResizeTo3000x2250InProcess(benchmark::State& state)
{
    for (auto _ : state) {
        Placement m = IdentityPlacement();
        Rect placed;
        HDIB out = ResizeToRectangle(photo(), {0, 0, kWidth, kHeight}, {0, 0, 3000, 2250}, m, placed);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_ResizeTo3000x2250InProcess)->Unit(benchmark::kMillisecond)->Iterations(3);

// File to file, so that the three programs do the same work.
void BM_Rotate17LumivistaTool(benchmark::State& state)
{
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
             LV_PROGRAM_DIR "/lumivista-tool transform " + files().bmp + " " + files().out + ".bmp rotate=17");
}
BENCHMARK(BM_Rotate17LumivistaTool)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Rotate17ImageMagickOneThread(benchmark::State& state)
{
    RunShell(state, "convert",
             "convert -limit thread 1 " + files().bmp + " -rotate 17 " + files().out + "-im.bmp");
}
BENCHMARK(BM_Rotate17ImageMagickOneThread)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Rotate17VipsOneThread(benchmark::State& state)
{
    RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips rotate " + files().bmp + " " + files().out + "-vips.bmp 17");
}
BENCHMARK(BM_Rotate17VipsOneThread)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Rotate17VipsNativeOneThread(benchmark::State& state)
{
    RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips rotate " + files().vipsFile + " " + files().out + ".v 17");
}
BENCHMARK(BM_Rotate17VipsNativeOneThread)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ResizeLumivistaTool(benchmark::State& state)
{
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
             LV_PROGRAM_DIR "/lumivista-tool transform " + files().bmp + " " + files().out + ".bmp resize=0,0,3000,2250");
}
BENCHMARK(BM_ResizeLumivistaTool)->Unit(benchmark::kMillisecond)->Iterations(2);

// The whole picture spun by 17 degrees as `transform spin=17` does it, one thread and two;
// target (whole command, one thread): <= 0.7 x vips rotate, <= 0.1 x ImageMagick.
void BM_SpinPicture17(benchmark::State& state)
{
    for (auto _ : state) {
        HDIB out = SpinPicture(photo(), 17, int(state.range(0)));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel("target: whole command <= 0.7 x vips, <= 0.1 x ImageMagick (bench/compare_spin.sh)");
}
BENCHMARK(BM_SpinPicture17)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

struct SpinFiles {
    SpinFiles() { WriteJpeg(jpeg, MakePhoto(kWidth, kHeight), 90); }
    ~SpinFiles() { std::remove(jpeg.c_str()); }
    std::string jpeg = ScratchPath("spin-in.jpg");
    std::string out = ScratchPath("spin-out");
};

const SpinFiles& spinFiles()
{
    static const SpinFiles f;
    return f;
}

void BM_Spin17JpegLumivistaTool(benchmark::State& state)
{
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
             "timeout 120 " LV_PROGRAM_DIR "/lumivista-tool transform " + spinFiles().jpeg + " " + spinFiles().out
                 + ".jpg spin=17 --threads 1 --no-sync");
    state.SetLabel("target: <= 0.7 x BM_Spin17JpegVips, <= 0.1 x BM_Spin17JpegImageMagick");
}
BENCHMARK(BM_Spin17JpegLumivistaTool)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Spin17JpegVips(benchmark::State& state)
{
    RunShell(state, "vips",
             "VIPS_CONCURRENCY=1 timeout 120 vips rotate " + spinFiles().jpeg + " '" + spinFiles().out
                 + "-vips.jpg[Q=90]' --background '255 255 255' -- -17");
}
BENCHMARK(BM_Spin17JpegVips)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Spin17JpegImageMagick(benchmark::State& state)
{
    RunShell(state, "convert",
             "timeout 120 convert " + spinFiles().jpeg + " -limit thread 1 -background white -rotate 17 -quality 90 "
                 + spinFiles().out + "-im.jpg");
}
BENCHMARK(BM_Spin17JpegImageMagick)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The pieces of a turn: one layer's image and mask.
void BM_TurnOneLayerPictures(benchmark::State& state)
{
    const HDIB mask = AllocatePicture(kWidth, kHeight, 8, 256);
    for (auto _ : state) {
        HDIB image = TurnPicture(photo(), true);
        HDIB turnedMask = TurnPicture(mask, true);
        benchmark::DoNotOptimize(image.data());
        benchmark::DoNotOptimize(turnedMask.data());
    }
}
BENCHMARK(BM_TurnOneLayerPictures)->Unit(benchmark::kMillisecond)->Iterations(4);

// Five full-size layers turned a quarter; the figure per layer is the time over five.
void BM_TurnFiveLayerDocument(benchmark::State& state)
{
    auto stack = CreateLayerStackFromImage(MakePhoto(kWidth, kHeight));
    for (int i = 1; i < 5; ++i)
        AddLayer(*stack, 0, CopyPicture(photo()), {}, false, false);
    bool right = true;
    for (auto _ : state) {
        TurnDocument(*stack, right);
        right = !right;
    }
    state.counters["ms_per_layer"] = benchmark::Counter(double(state.iterations()) * 5 * 1e-3,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TurnFiveLayerDocument)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
