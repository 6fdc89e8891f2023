// What colour profiles cost: opening a 12-megapixel JPEG tagged with a wide-gamut profile
// against the same JPEG untagged, and converting the whole picture to sRGB (done once per
// document for the display). Run with --benchmark_enable_random_interleaving=true.

#include "bench_support.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/colour/colour_transform.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

std::vector<std::uint8_t> wideGamut()
{
    std::ifstream in("/usr/share/color/icc/colord/ECI-RGBv2.icc", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Files {
    Files()
        : photo(MakePhoto(kWidth, kHeight))
        , profile(wideGamut())
        , plain(ScratchPath("plain.jpg"))
        , tagged(ScratchPath("tagged.jpg"))
    {
        WriteJpeg(plain, photo, 90);
        WriteJpeg(tagged, photo, 90, profile);
    }
    ~Files()
    {
        std::remove(plain.c_str());
        std::remove(tagged.c_str());
    }
    HDIB photo;
    std::vector<std::uint8_t> profile;
    std::string plain, tagged;
};

Files& files()
{
    static Files f;
    return f;
}

void BM_OpenUntaggedJpeg(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJpeg(files().plain));
}

void BM_OpenTaggedJpeg(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJpeg(files().tagged));
}

void BM_ConvertPictureToSrgb(benchmark::State& state)
{
    const auto transform = ColourTransform::Create(files().profile);
    HDIB picture = ReadJpeg(files().tagged).take();
    for (auto _ : state)
        transform->applyToPicture(picture);
}

BENCHMARK(BM_OpenUntaggedJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTaggedJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertPictureToSrgb)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lv::bench

BENCHMARK_MAIN();
