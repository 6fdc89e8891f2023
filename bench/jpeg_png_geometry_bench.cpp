// The JPEG and PNG adapters and the geometric operations on a 4000 x 3000 photo, with the
// same work done by other programs in the same run for the ratios.

#include "bench_support.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png.h"

#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kQuality = 90;

struct Photo {
    Photo()
        : rgb(MakePhoto(kWidth, kHeight))
        , jpegPath(ScratchPath("photo.jpg"))
        , pngPath(ScratchPath("photo.png"))
        , outJpeg(ScratchPath("out.jpg"))
        , outPng(ScratchPath("out.png"))
    {
        WriteJpeg(jpegPath, rgb, kQuality);
        WritePng(pngPath, rgb);
        decoded = ReadJpeg(jpegPath).take();
    }
    ~Photo()
    {
        for (const std::string& path : {jpegPath, pngPath, outJpeg, outPng})
            std::remove(path.c_str());
    }
    HDIB rgb;
    HDIB decoded;
    std::string jpegPath;
    std::string pngPath;
    std::string outJpeg;
    std::string outPng;
};

}  // namespace

Photo& photo()
{
    static Photo p;
    return p;
}

namespace {

const std::string kTool = LV_PROGRAM_DIR "/lumivista-tool";

void BM_ReadJpeg(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJpeg(photo().jpegPath));
}

void BM_WriteJpeg(benchmark::State& state)
{
    for (auto _ : state)
        WriteJpeg(photo().outJpeg, photo().rgb, kQuality);
}

void BM_ReadAndWriteJpeg(benchmark::State& state)
{
    for (auto _ : state) {
        ReadResult r = ReadJpeg(photo().jpegPath);
        WriteJpeg(photo().outJpeg, r.image(), kQuality);
    }
}

void BM_DjpegCjpeg(benchmark::State& state)
{
    RunShell(state, "cjpeg", "djpeg " + photo().jpegPath + " | cjpeg -quality 90 > " + photo().outJpeg);
}

// The same pair on one processor, as our single-threaded decode and encode run: the two
// programs of the pipe can't then overlap.
void BM_DjpegCjpegOneProcessor(benchmark::State& state)
{
    RunShell(state, "cjpeg", "taskset -c 0 sh -c 'djpeg " + photo().jpegPath + " | cjpeg -quality 90 > " + photo().outJpeg + "'");
}

void BM_ToolConvertJpeg(benchmark::State& state)
{
    RunShell(state, kTool, kTool + " convert " + photo().jpegPath + " " + photo().outJpeg);
}

void BM_ReadPng(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPng(photo().pngPath));
}

void BM_WritePng(benchmark::State& state)
{
    for (auto _ : state)
        WritePng(photo().outPng, photo().rgb);
}

void BM_ReadAndWritePng(benchmark::State& state)
{
    for (auto _ : state) {
        ReadResult r = ReadPng(photo().pngPath);
        WritePng(photo().outPng, r.image());
    }
}

void BM_VipsCopyPng(benchmark::State& state)
{
    RunShell(state, "vips", "vips copy " + photo().pngPath + " " + photo().outPng);
}

void BM_DibResize(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DibResize(photo().rgb, 1000, 750));
}

void BM_DibScaledCopy(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DibScaledCopy(photo().decoded, 160, 120, true));
}

void BM_ToolResize(benchmark::State& state)
{
    RunShell(state, kTool, kTool + " resize " + photo().jpegPath + " " + photo().outJpeg + " 1000 750");
}

void BM_VipsResize(benchmark::State& state)
{
    RunShell(state, "vips",
             "VIPS_CONCURRENCY=1 vips resize " + photo().jpegPath + " '" + photo().outJpeg + "[Q=90]' 0.25");
}

// The fair peer: it shrinks while decoding, as our resize does (vips resize decodes the whole picture).
void BM_VipsThumbnail(benchmark::State& state)
{
    RunShell(state, "vipsthumbnail",
             "VIPS_CONCURRENCY=1 vipsthumbnail " + photo().jpegPath + " -s 1000x750 -o '" + photo().outJpeg + "[Q=90]'");
}

BENCHMARK(BM_ReadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndWriteJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegCjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegCjpegOneProcessor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToolConvertJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndWritePng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VipsCopyPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DibResize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DibScaledCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ToolResize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VipsResize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VipsThumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

LV_TARGET_RATIO("BM_ReadAndWriteJpeg", Cpu, "BM_DjpegCjpeg", ChildCpu, 1.0, "djpeg | cjpeg");
LV_TARGET_RATIO("BM_ReadAndWriteJpeg", Wall, "BM_DjpegCjpegOneProcessor", Wall, 1.0, "djpeg | cjpeg, 1 cpu");
LV_TARGET_RATIO("BM_ToolConvertJpeg", ChildCpu, "BM_DjpegCjpeg", ChildCpu, 1.0, "djpeg | cjpeg");
LV_TARGET_RATIO("BM_ToolConvertJpeg", Wall, "BM_DjpegCjpegOneProcessor", Wall, 1.0, "djpeg | cjpeg, 1 cpu");
LV_TARGET_RATIO("BM_ReadAndWritePng", Wall, "BM_VipsCopyPng", Wall, 1.0, "vips copy");
LV_TARGET_RATIO("BM_ToolResize", Wall, "BM_VipsResize", Wall, 0.5, "vips resize, 1 thread");
LV_TARGET_RATIO("BM_ToolResize", Wall, "BM_VipsThumbnail", Wall, 1.0, "vipsthumbnail, 1 thread");

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    lv::bench::photo();  // made and written before any timing starts
    ::lv::bench::RunBenchmarksWithTargets();
    benchmark::Shutdown();
    return 0;
}
