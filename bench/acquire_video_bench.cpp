// Video capture: turning one 1280 × 720 camera frame into picture rows, for each coding a
// camera sends, and a test-pattern frame. A camera at 30 frames a second leaves 33 ms.

#include "acquire/video/frame_conversion.h"
#include "acquire/video/test_pattern_driver.h"
#include "bench_support.h"
#include "common/byte_sink.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <vector>

namespace {

using namespace lv;

constexpr int kWidth = 1280, kHeight = 720;

std::vector<std::uint8_t> Rows()
{
    return std::vector<std::uint8_t>(std::size_t(DibStride(kWidth, 24)) * kHeight);
}

void BM_Yuyv720p(benchmark::State& state)
{
    std::vector<std::uint8_t> frame(std::size_t(kWidth) * 2 * kHeight);
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = std::uint8_t(i * 2654435761u >> 24);
    auto rows = Rows();
    for (auto _ : state)
        benchmark::DoNotOptimize(video::ConvertFrame({video::PixelCoding::Yuyv, kWidth, kHeight, 0}, frame, rows));
}
BENCHMARK(BM_Yuyv720p)->Unit(benchmark::kMillisecond);
LV_TARGET_MS("BM_Yuyv720p", Wall, 33);

void BM_MotionJpeg720p(benchmark::State& state)
{
    MemorySink sink;
    WriteJpeg(sink, bench::MakePhoto(kWidth, kHeight), 85);
    const std::vector<std::uint8_t> frame = sink.take();
    auto rows = Rows();
    for (auto _ : state)
        benchmark::DoNotOptimize(video::ConvertFrame({video::PixelCoding::Mjpeg, kWidth, kHeight, 0}, frame, rows));
}
BENCHMARK(BM_MotionJpeg720p)->Unit(benchmark::kMillisecond);
LV_TARGET_MS("BM_MotionJpeg720p", Wall, 33);

void BM_TestPattern720p(benchmark::State& state)
{
    video::TestPatternDriver driver;
    driver.setFormat(video::PixelCoding::Bgr24, {kWidth, kHeight});
    driver.connect();
    for (auto _ : state)
        benchmark::DoNotOptimize(driver.nextFrame(std::chrono::milliseconds(0)));
}
BENCHMARK(BM_TestPattern720p)->Unit(benchmark::kMillisecond);

}  // namespace

LV_BENCH_MAIN()
