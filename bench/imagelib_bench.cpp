// The image buffer and bitmap codec on a 4000 x 3000 photo, with the same work done by
// other programs in the same run for the ratios.

#include "bench_support.h"
#include "imagelib/dib_convert.h"

#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

struct Photo {
    Photo()
        : rgb(MakePhoto(kWidth, kHeight))
        , pal8(DibMedianCut(rgb, 22))
        , bmpPath(ScratchPath("photo.bmp"))
        , outPath(ScratchPath("out.bmp"))
    {
        WriteBmp(bmpPath, rgb);
    }
    ~Photo()
    {
        std::remove(bmpPath.c_str());
        std::remove(outPath.c_str());
    }
    HDIB rgb;
    HDIB pal8;
    std::string bmpPath;
    std::string outPath;
};

Photo& photo()
{
    static Photo p;
    return p;
}

void BM_ReadBmp(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadBmp(photo().bmpPath));
}

void BM_WriteBmp(benchmark::State& state)
{
    for (auto _ : state)
        WriteBmp(photo().outPath, photo().rgb);
}

void BM_ReadAndWriteBmp(benchmark::State& state)
{
    for (auto _ : state) {
        ReadResult r = ReadBmp(photo().bmpPath);
        WriteBmp(photo().outPath, r.image());
    }
}

// The floor: one read and one write of the same bytes with nothing else done.
void BM_CopyFileFloor(benchmark::State& state)
{
    for (auto _ : state) {
        auto bytes = ReadWholeFile(photo().bmpPath);
        WriteWholeFile(photo().outPath, *bytes);
    }
}

void BM_PromoteTo24From8(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DibPromoteTo24(photo().pal8));
}

void BM_ReduceToWebPalette(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DibReduceToWebPalette(photo().rgb));
}

void BM_MedianCut(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DibMedianCut(photo().rgb, 22));
}

void BM_ToolConvertBmp(benchmark::State& state)
{
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
             LV_PROGRAM_DIR "/lumivista-tool convert " + photo().bmpPath + " " + photo().outPath);
}

void BM_GmConvertBmp(benchmark::State& state)
{
    RunShell(state, "gm", "gm convert " + photo().bmpPath + " " + photo().outPath);
}

void BM_ImMedianCut(benchmark::State& state)
{
    RunShell(state, "convert", "convert " + photo().bmpPath + " -dither FloydSteinberg -colors 256 " + photo().outPath);
}

void BM_ImWebPalette(benchmark::State& state)
{
    RunShell(state, "convert", "convert " + photo().bmpPath + " -dither FloydSteinberg -remap netscape: " + photo().outPath);
}

BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndWriteBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFileFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PromoteTo24From8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceToWebPalette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianCut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToolConvertBmp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GmConvertBmp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImMedianCut)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ImWebPalette)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

LV_TARGET_RATIO("BM_ToolConvertBmp", Wall, "BM_GmConvertBmp", Wall, 1.0, "gm convert");
LV_TARGET_RATIO("BM_MedianCut", Cpu, "BM_ImMedianCut", ChildCpu, 1.0, "convert -colors 256");
LV_TARGET_RATIO("BM_ReduceToWebPalette", Cpu, "BM_ImWebPalette", ChildCpu, 1.0, "convert -remap netscape:");

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
