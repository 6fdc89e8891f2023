// Importing an 8-layer 4000 x 3000 Photoshop document (written by ImageMagick from a
// photo-like picture) into a document, against ImageMagick reading every layer of the same
// file in the same run.

#include "bench_support.h"
#include "edit/psd/psd_import.h"

#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000, kLayers = 8;

struct LayeredFile {
    LayeredFile()
        : bmp(ScratchPath("psd-photo.bmp"))
        , psd(ScratchPath("psd-8-layers.psd"))
    {
        if (!HaveCommand("convert"))
            return;
        HDIB photo = MakePhoto(kWidth, kHeight);
        WriteBmp(bmp, photo);
        // Each layer the photo moved and, every other one, half transparent: RLE rows of both kinds.
        std::string command = "convert " + bmp;
        for (int i = 0; i < kLayers; ++i)
            command += " \\( -clone 0 -roll +" + std::to_string(i * 97) + "+" + std::to_string(i * 61) +
                       (i % 2 ? " -alpha set -channel A -evaluate set 50% +channel" : "") + " -set label Camada" +
                       std::to_string(i) + " \\)";
        ready = RunLimited(command + " -depth 8 " + psd) == 0;
    }
    ~LayeredFile()
    {
        std::remove(bmp.c_str());
        std::remove(psd.c_str());
    }
    std::string bmp, psd;
    bool ready = false;
};

LayeredFile& layeredFile()
{
    static LayeredFile file;
    return file;
}

void BM_ImportPsd(benchmark::State& state)
{
    const LayeredFile& file = layeredFile();
    if (!file.ready) {
        state.SkipWithError("ImageMagick could not make the file");
        return;
    }
    for (auto _ : state) {
        PsdOpened opened = OpenPsdFile(file.psd, PsdNotices::Quiet);
        if (!opened.stack || opened.stack->layerCount != kLayers) {
            state.SkipWithError("the import failed");
            break;
        }
        benchmark::DoNotOptimize(opened.stack);
    }
}

void BM_ImageMagickReadsAllLayers(benchmark::State& state)
{
    const LayeredFile& file = layeredFile();
    if (!file.ready) {
        state.SkipWithError("ImageMagick could not make the file");
        return;
    }
    RunShell(state, "convert", "convert " + file.psd + " null:");
}

BENCHMARK(BM_ImportPsd)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ImageMagickReadsAllLayers)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
LV_TARGET_RATIO("BM_ImportPsd", Wall, "BM_ImageMagickReadsAllLayers", Wall, 1.0, "ImageMagick");

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
