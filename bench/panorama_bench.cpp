// Panorama: three 12-megapixel photos (4000 × 3000, about 60° across, a third overlapping)
// stitched into one picture, reading aside. Goal: 15 s on the 2-core machine. The library
// works on several threads, so the figure to read is the real time; process CPU time
// beside it.

#include "bench_support.h"
#include "projects/panorama/panorama_stitch.h"
#include "projects/panorama/tests/panorama_scene.h"

#include <benchmark/benchmark.h>

namespace lv::bench {
namespace {

struct TwelveMegapixelViews {
    TwelveMegapixelViews()
    {
        constexpr double kFocal = 3464;  // 60° across 4000 pixels
        const cv::Mat scene = panorama::testing::Scene(3, 8800, 3300);
        for (const double centre : {2100.0, 4400.0, 6700.0})
            pictures.push_back(panorama::testing::ToPicture(
                panorama::testing::View(scene, centre, 1.0, {4000, 3000}, kFocal)));
    }
    std::vector<HDIB> pictures;
};

void BM_PanoramaThreeTwelveMegapixelPhotos(benchmark::State& state)
{
    static const TwelveMegapixelViews views;
    std::vector<const HDIB*> photos;
    for (const HDIB& picture : views.pictures)
        photos.push_back(&picture);
    for (auto _ : state) {
        panorama::Panorama result = panorama::StitchPhotos(photos);
        if (!result.ok())
            state.SkipWithError(result.failure.c_str());
        state.counters["megapixels"] = double(result.picture.width()) * result.picture.height() / 1e6;
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_PanoramaThreeTwelveMegapixelPhotos)->Unit(benchmark::kSecond)->MeasureProcessCPUTime()->UseRealTime();
LV_TARGET_MS("BM_PanoramaThreeTwelveMegapixelPhotos", Wall, 15000);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
