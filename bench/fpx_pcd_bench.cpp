// FlashPix reading and writing of a 4000 x 3000 photo beside the JPEG decode and encode
// of the same photo (the FlashPix file is JPEG tiles plus the smaller levels), and a
// Photo CD read at Base.

#include "bench_support.h"
#include "imagelib/fpx.h"
#include "imagelib/jpeg.h"
#include "imagelib/pcd.h"
#include "imagelib/photo_cd_options.h"

#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kQuality = 90;

struct Files {
    Files()
        : rgb(MakePhoto(kWidth, kHeight))
        , jpegPath(ScratchPath("fpxbench.jpg"))
        , fpxPath(ScratchPath("fpxbench.fpx"))
        , outJpeg(ScratchPath("fpxbench-out.jpg"))
        , outFpx(ScratchPath("fpxbench-out.fpx"))
    {
        WriteJpeg(jpegPath, rgb, kQuality);
        WriteFlashPix(fpxPath, rgb, kQuality);
    }
    ~Files()
    {
        for (const std::string& path : {jpegPath, fpxPath, outJpeg, outFpx})
            std::remove(path.c_str());
    }
    HDIB rgb;
    std::string jpegPath, fpxPath, outJpeg, outFpx;
};

Files& files()
{
    static Files f;
    return f;
}

void BM_ReadJpeg4000x3000(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJpeg(files().jpegPath));
}

void BM_ReadFlashPix4000x3000(benchmark::State& state)
{
    for (auto _ : state) {
        ReadResult read = ReadFlashPix(files().fpxPath);
        if (!read.ok())
            state.SkipWithError("the FlashPix file did not read");
        benchmark::DoNotOptimize(read);
    }
}

void BM_WriteJpeg4000x3000(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteJpeg(files().outJpeg, files().rgb, kQuality));
}

void BM_WriteFlashPix4000x3000(benchmark::State& state)
{
    for (auto _ : state)
        if (WriteFlashPix(files().outFpx, files().rgb, kQuality) != WriteResult::Written)
            state.SkipWithError("the FlashPix file was not written");
}

void BM_ReadPhotoCdBase(benchmark::State& state)
{
    const std::string pack = LV_SOURCE_DIR "/imagelib/tests/fixtures/pcd/gm.pcd";
    ScopedPhotoCdMode base(kPhotoCdBase);
    for (auto _ : state) {
        ReadResult read = ReadPhotoCd(pack);
        if (!read.ok())
            state.SkipWithError("the Photo CD did not read");
        benchmark::DoNotOptimize(read);
    }
}

// The FlashPix codec shares tiles out among the cores: real time, and the processor time
// of every thread.
BENCHMARK(BM_ReadJpeg4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ReadFlashPix4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_WriteJpeg4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_WriteFlashPix4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ReadPhotoCdBase)->Unit(benchmark::kMillisecond)->MinTime(1);

}  // namespace
}  // namespace lv::bench

BENCHMARK_MAIN();
