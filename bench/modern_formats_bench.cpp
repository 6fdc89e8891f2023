// Camera raw thumbnails from the embedded preview, on one worker: a 12-megapixel DNG with a
// 1024-pixel JPEG preview, made by the test's DNG maker. The whole-command comparisons with
// the reference tools are in modern_formats_bench.sh.

#include "bench_support.h"
#include "imagelib/codecs/raw/camera_raw.h"

#include <filesystem>

namespace lv::bench {
namespace {

void BM_RawThumbnailFromPreview(benchmark::State& state)
{
    const std::string& path = CameraRawWithPreview();
    for (auto _ : state) {
        const ReadResult preview = ReadCameraRawPreview(path);
        if (!preview.ok() || preview.image().width() != 1024) {
            state.SkipWithError("the preview was not read");
            break;
        }
        benchmark::DoNotOptimize(preview.image().pixels());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RawThumbnailFromPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RawDevelopment(benchmark::State& state)
{
    const std::string& path = CameraRawWithPreview();
    for (auto _ : state) {
        const ReadResult developed = ReadCameraRaw(path);
        if (!developed.ok()) {
            state.SkipWithError("the raw picture was not developed");
            break;
        }
        benchmark::DoNotOptimize(developed.image().pixels());
    }
}
BENCHMARK(BM_RawDevelopment)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace lv::bench

BENCHMARK_MAIN();
