// Paintbrush (24-bit) and run-length Targa files of a 4000 x 3000 photo and of a flat
// 25-colour graphic: our codecs in process, and whole conversions by lumivista-tool and by
// GraphicsMagick in the same run for the ratios.

#include "bench_support.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/targa/targa.h"

#include <array>
#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A flat graphic: bands, a grid and two discs in 25 colours, as a chart or a logo would be.
HDIB MakeFlatGraphic(int width, int height)
{
    std::array<std::array<std::uint8_t, 3>, 25> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = {std::uint8_t(i * 37 % 256), std::uint8_t(255 - i * 10), std::uint8_t(i * 90 % 256)};
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = dib.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const std::int64_t dx = x - width / 3, dy = y - height / 2, ex = x - 3 * width / 4, ey = y - height / 3;
            std::size_t index = std::size_t(x / 500 + y / 375 * 3) % 20;
            if (dx * dx + dy * dy < std::int64_t(height) * height / 9)
                index = 20 + std::size_t(y / 200) % 3;
            else if (ex * ex + ey * ey < std::int64_t(height) * height / 25)
                index = 23;
            else if (x % 400 < 3 || y % 300 < 3)
                index = 24;
            std::copy(colours[index].begin(), colours[index].end(), p);
        }
    }
    dib.header().biXPelsPerMeter = dib.header().biYPelsPerMeter = 2835;
    return dib;
}

struct Subject {
    Subject(const std::string& name, HDIB picture)
        : image(std::move(picture))
        , pcx(ScratchPath(name + ".pcx"))
        , tga(ScratchPath(name + ".tga"))
        , outPcx(ScratchPath(name + "-out.pcx"))
        , outTga(ScratchPath(name + "-out.tga"))
    {
        WritePcx(pcx, image);
        auto sink = FileSink::Create(tga);
        WriteTarga(*sink, image, true);
        sink->close();
    }
    ~Subject()
    {
        for (const std::string* path : {&pcx, &tga, &outPcx, &outTga})
            std::remove(path->c_str());
    }
    HDIB image;
    std::string pcx, tga, outPcx, outTga;
};

Subject& photo()
{
    static Subject s("photo", MakePhoto(kWidth, kHeight));
    return s;
}

Subject& flat()
{
    static Subject s("flat", MakeFlatGraphic(kWidth, kHeight));
    return s;
}

Subject& subject(const benchmark::State& state)
{
    return state.range(0) == 0 ? photo() : flat();
}

// Each benchmark takes its subject before timing starts: making the pictures isn't timed.
void BM_ReadPcx(benchmark::State& state)
{
    const Subject& s = subject(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPcx(s.pcx));
}

void BM_ReadPcxWhole(benchmark::State& state)
{
    const Subject& s = subject(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPcxWhole(s.pcx));
}

void BM_WritePcx(benchmark::State& state)
{
    const Subject& s = subject(state);
    for (auto _ : state)
        WritePcx(s.outPcx, s.image);
}

void BM_ReadTargaRle(benchmark::State& state)
{
    const Subject& s = subject(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTarga(s.tga));
}

void BM_WriteTargaRle(benchmark::State& state)
{
    const Subject& s = subject(state);
    for (auto _ : state) {
        auto sink = FileSink::Create(s.outTga);
        WriteTarga(*sink, s.image, true);
        sink->close();
    }
}

// Whole conversions: read the file and write it again in the same format, 24 bits.
void BM_ToolConvertPcx(benchmark::State& state)
{
    const Subject& s = subject(state);
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool", LV_PROGRAM_DIR "/lumivista-tool convert " + s.pcx + " " + s.outPcx);
}

void BM_GmConvertPcx(benchmark::State& state)
{
    const Subject& s = subject(state);
    RunShell(state, "gm", "gm convert " + s.pcx + " -type TrueColor " + s.outPcx);
}

void BM_ToolConvertTargaRle(benchmark::State& state)
{
    const Subject& s = subject(state);
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
               LV_PROGRAM_DIR "/lumivista-tool convert --compress " + s.tga + " " + s.outTga);
}

void BM_GmConvertTargaRle(benchmark::State& state)
{
    const Subject& s = subject(state);
    RunShell(state, "gm", "gm convert " + s.tga + " -type TrueColor -compress RLE " + s.outTga);
}

// Argument 0 is the photo, 1 the flat graphic.
void Pictures(benchmark::internal::Benchmark* b)
{
    b->ArgName("flat")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadPcx)->Apply(Pictures);
BENCHMARK(BM_ReadPcxWhole)->Apply(Pictures);
BENCHMARK(BM_WritePcx)->Apply(Pictures);
BENCHMARK(BM_ReadTargaRle)->Apply(Pictures);
BENCHMARK(BM_WriteTargaRle)->Apply(Pictures);
BENCHMARK(BM_ToolConvertPcx)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_GmConvertPcx)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_ToolConvertTargaRle)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_GmConvertTargaRle)->Apply(Pictures)->UseRealTime();

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
