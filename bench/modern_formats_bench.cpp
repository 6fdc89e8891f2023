// Camera raw thumbnails from the embedded preview, on one worker, and raw development into a
// picture against rows into a reused band: a 12-megapixel DNG with a 1024-pixel JPEG preview,
// made by the test's DNG maker. The whole-command comparisons with the reference tools are in
// modern_formats_bench.sh.

#include "bench_support.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/raw/libraw_session.h"
#include "imagelib/codecs/raw/raw_rows.h"

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

// The last step alone, LibRaw's development left out of the timing: its 8-bit copy into a
// fresh picture against our rows into a reused band.
std::unique_ptr<LibRawSession> developedOutsideTheTiming(benchmark::State& state, ByteSource& file)
{
    state.PauseTiming();
    auto session = std::make_unique<LibRawSession>(file);
    if (!session->ok() || DevelopInWorkingPicture(*session, false) != LIBRAW_SUCCESS)
        session.reset();
    state.ResumeTiming();
    return session;
}

void BM_RawCopyIntoPicture(benchmark::State& state)
{
    const auto file = FileSource::Open(CameraRawWithPreview());
    for (auto _ : state) {
        const std::unique_ptr<LibRawSession> session = file ? developedOutsideTheTiming(state, *file) : nullptr;
        int code = LIBRAW_SUCCESS;
        const ProcessedImage picture(session ? session->processor().dcraw_make_mem_image(&code) : nullptr);
        if (!picture) {
            state.SkipWithError("the raw picture was not developed");
            break;
        }
        benchmark::DoNotOptimize(picture->data);
    }
}
BENCHMARK(BM_RawCopyIntoPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RawRowsIntoBand(benchmark::State& state)
{
    constexpr int kBandRows = 64;
    const auto file = FileSource::Open(CameraRawWithPreview());
    std::vector<std::uint8_t> band;
    for (auto _ : state) {
        std::unique_ptr<LibRawSession> session = file ? developedOutsideTheTiming(state, *file) : nullptr;
        if (!session) {
            state.SkipWithError("the raw picture was not developed");
            break;
        }
        RawRowSource rows(std::move(session));
        const std::size_t rowBytes = std::size_t(rows.width()) * 3;
        band.resize(rowBytes * kBandRows);
        for (int top = 0; top < rows.height(); top += kBandRows) {
            const std::size_t count = std::size_t(std::min(kBandRows, rows.height() - top));
            if (!rows.nextRows(std::span(band).first(count * rowBytes)))
                state.SkipWithError("the rows stopped");
        }
        benchmark::DoNotOptimize(band.data());
    }
}
BENCHMARK(BM_RawRowsIntoBand)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lv::bench

BENCHMARK_MAIN();
