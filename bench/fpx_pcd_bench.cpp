// FlashPix reading and writing of a 4000 x 3000 photo beside the JPEG decode and encode
// of the same photo (the FlashPix file is JPEG tiles plus the smaller levels), and a
// Photo CD read at Base.

#include "bench_support.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sched.h>

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

// The same photo halved (2 x 2 means) down to one tile, as the FlashPix file holds it.
HDIB halved(const HDIB& picture)
{
    const int w = (picture.width() + 1) / 2, h = (picture.height() + 1) / 2;
    HDIB out = AllocatePicture(w, h, 24, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        sum += picture.row(std::min(2 * y + dy, picture.height() - 1))[3 * std::min(2 * x + dx, picture.width() - 1) + c];
                out.row(y)[3 * x + c] = std::uint8_t((sum + 2) / 4);
            }
    return out;
}

const std::vector<HDIB>& smallerLevels()
{
    static const std::vector<HDIB> levels = [] {
        std::vector<HDIB> out;
        for (const HDIB* p = &files().rgb; p->width() > 64 || p->height() > 64; p = &out.back())
            out.push_back(halved(*p));
        return out;
    }();
    return levels;
}

// Keeps the process on one processor while it lives, so the FlashPix codec works on one
// thread: its processor time is then the work alone. Two busy processors of a virtual
// machine can slow each other, which the processor time of the threaded runs includes.
class OnOneProcessor {
public:
    OnOneProcessor()
    {
        sched_getaffinity(0, sizeof saved_, &saved_);
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &saved_)) {
                CPU_SET(cpu, &one);
                break;
            }
        sched_setaffinity(0, sizeof one, &one);
    }
    ~OnOneProcessor() { sched_setaffinity(0, sizeof saved_, &saved_); }
    OnOneProcessor(const OnOneProcessor&) = delete;
    OnOneProcessor& operator=(const OnOneProcessor&) = delete;

private:
    cpu_set_t saved_;
};

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

// The fair yardstick for the FlashPix write: a FlashPix file codes every level, a third
// more pixels than the photo alone, so our JPEG writer codes the same levels here.
void BM_WriteJpegEveryLevelOneProcessor(benchmark::State& state)
{
    const std::vector<HDIB>& levels = smallerLevels();
    const OnOneProcessor pinned;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteJpeg(files().outJpeg, files().rgb, kQuality));
        for (const HDIB& level : levels)
            benchmark::DoNotOptimize(WriteJpeg(files().outJpeg, level, kQuality));
    }
}

void BM_WriteJpeg4000x3000OneProcessor(benchmark::State& state)
{
    files();
    const OnOneProcessor pinned;
    BM_WriteJpeg4000x3000(state);
}

void BM_WriteFlashPix4000x3000OneProcessor(benchmark::State& state)
{
    files();
    const OnOneProcessor pinned;
    BM_WriteFlashPix4000x3000(state);
}

void BM_ReadJpeg4000x3000OneProcessor(benchmark::State& state)
{
    files();
    const OnOneProcessor pinned;
    BM_ReadJpeg4000x3000(state);
}

void BM_ReadFlashPix4000x3000OneProcessor(benchmark::State& state)
{
    files();
    const OnOneProcessor pinned;
    BM_ReadFlashPix4000x3000(state);
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
BENCHMARK(BM_ReadJpeg4000x3000OneProcessor)->Unit(benchmark::kMillisecond)->MinTime(2)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadFlashPix4000x3000OneProcessor)->Unit(benchmark::kMillisecond)->MinTime(2)->MeasureProcessCPUTime();
BENCHMARK(BM_WriteJpeg4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_WriteFlashPix4000x3000)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_WriteJpeg4000x3000OneProcessor)->Unit(benchmark::kMillisecond)->MinTime(2)->MeasureProcessCPUTime();
BENCHMARK(BM_WriteFlashPix4000x3000OneProcessor)->Unit(benchmark::kMillisecond)->MinTime(2)->MeasureProcessCPUTime();
BENCHMARK(BM_WriteJpegEveryLevelOneProcessor)->Unit(benchmark::kMillisecond)->MinTime(2)->MeasureProcessCPUTime();
BENCHMARK(BM_ReadPhotoCdBase)->Unit(benchmark::kMillisecond)->MinTime(1);

LV_TARGET_RATIO("BM_ReadFlashPix4000x3000", Wall, "BM_ReadJpeg4000x3000", Wall, 1.2, "our JPEG read");
LV_TARGET_RATIO("BM_ReadFlashPix4000x3000", Cpu, "BM_ReadJpeg4000x3000", Cpu, 1.2, "our JPEG read");
LV_TARGET_RATIO("BM_ReadFlashPix4000x3000OneProcessor", Cpu, "BM_ReadJpeg4000x3000OneProcessor", Cpu, 1.2,
                "our JPEG read, 1 cpu");
LV_TARGET_RATIO("BM_WriteFlashPix4000x3000", Wall, "BM_WriteJpeg4000x3000", Wall, 1.2, "our JPEG write");
LV_TARGET_RATIO("BM_WriteFlashPix4000x3000OneProcessor", Cpu, "BM_WriteJpeg4000x3000OneProcessor", Cpu, 1.2,
                "our JPEG write, 1 cpu");
LV_TARGET_RATIO("BM_WriteFlashPix4000x3000OneProcessor", Cpu, "BM_WriteJpegEveryLevelOneProcessor", Cpu, 1.2,
                "our JPEG write of every level, 1 cpu");

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
