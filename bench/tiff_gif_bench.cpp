// The TIFF and GIF codecs on a 4000 x 3000 photo and a flat 25-colour graphic of the same
// size, with whole conversions by other programs in the same run for the ratios.

#include "bench_support.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff.h"

#include <array>
#include <cstdio>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr const char* kTool = LV_PROGRAM_DIR "/lumivista-tool";

// Rectangles and discs of 25 flat colours, as in a chart or a drawing.
HDIB MakeGraphic(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    std::array<std::array<std::uint8_t, 3>, 25> colours{};
    for (int i = 0; i < 25; ++i)
        colours[std::size_t(i)] = {std::uint8_t(i * 47 % 256), std::uint8_t(i * 91 % 256), std::uint8_t(255 - i * 10)};
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = dib.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            int c = (x / 400 + y / 300 * 3) % 20;
            const int dx = x % 400 - 200, dy = y % 300 - 150;
            if (dx * dx + dy * dy < 100 * 100)
                c = 20 + (x / 400 + y / 300) % 5;
            const auto& rgb = colours[std::size_t(c)];
            p[0] = rgb[2], p[1] = rgb[1], p[2] = rgb[0];
        }
    }
    return dib;
}

struct Subject {
    Subject(const std::string& name, HDIB picture)
        : rgb(std::move(picture))
        , pal8(DibMedianCut(rgb, 22))
        , plainTif(ScratchPath(name + "-plain.tif"))
        , lzwTif(ScratchPath(name + "-lzw.tif"))
        , gif(ScratchPath(name + ".gif"))
        , out(ScratchPath(name + "-out"))
    {
        CurrentSaveOptions().compress = false;
        WriteTiff(plainTif, rgb);
        CurrentSaveOptions().compress = true;
        WriteTiff(lzwTif, rgb);
        CurrentSaveOptions().compress = false;
        WriteGif(gif, pal8);
    }
    ~Subject()
    {
        for (const std::string& path : {plainTif, lzwTif, gif, out + ".tif", out + ".gif"})
            std::remove(path.c_str());
    }
    HDIB rgb;
    HDIB pal8;
    std::string plainTif, lzwTif, gif, out;
};

Subject& subject(benchmark::State& state)
{
    static Subject photo("photo", MakePhoto(kWidth, kHeight));
    static Subject graphic("graphic", MakeGraphic(kWidth, kHeight));
    state.SetLabel(state.range(0) == 0 ? "photo" : "graphic");
    return state.range(0) == 0 ? photo : graphic;
}

void BM_WriteTiff(benchmark::State& state)
{
    Subject& s = subject(state);
    CurrentSaveOptions().compress = state.range(1) != 0;
    for (auto _ : state)
        WriteTiff(s.out + ".tif", s.rgb);
    CurrentSaveOptions().compress = false;
}

void BM_ReadTiff(benchmark::State& state)
{
    Subject& s = subject(state);
    const std::string& path = state.range(1) ? s.lzwTif : s.plainTif;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTiff(path));
}

void BM_WriteGif(benchmark::State& state)
{
    Subject& s = subject(state);
    for (auto _ : state)
        WriteGif(s.out + ".gif", s.pal8);
}

void BM_ReadGif(benchmark::State& state)
{
    Subject& s = subject(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadGif(s.gif));
}

void BM_ReadGifStream(benchmark::State& state)
{
    Subject& s = subject(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadGifStream(s.gif));
}

// Whole commands: an uncompressed TIFF to an LZW one, and an 8-bit GIF rewritten.
void BM_ToolTiffToLzw(benchmark::State& state)
{
    Subject& s = subject(state);
    // One thread: the promise is kept without the pieces coded on other processors.
    RunShell(state, kTool, std::string(kTool) + " convert " + s.plainTif + " " + s.out + ".tif --compress --threads 1");
}

void BM_TiffcpLzw(benchmark::State& state)
{
    Subject& s = subject(state);
    RunShell(state, "tiffcp", "tiffcp -c lzw " + s.plainTif + " " + s.out + ".tif");
}

void BM_ToolGif(benchmark::State& state)
{
    Subject& s = subject(state);
    RunShell(state, kTool, std::string(kTool) + " convert " + s.gif + " " + s.out + ".gif");
}

void BM_GmGif(benchmark::State& state)
{
    Subject& s = subject(state);
    RunShell(state, "gm", "gm convert " + s.gif + " " + s.out + ".gif");
}

void PicturesAndCompression(benchmark::internal::Benchmark* b)
{
    b->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"graphic", "lzw"})->Unit(benchmark::kMillisecond);
}

void Pictures(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(1)->ArgName("graphic")->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_WriteTiff)->Apply(PicturesAndCompression);
BENCHMARK(BM_ReadTiff)->Apply(PicturesAndCompression);
BENCHMARK(BM_WriteGif)->Apply(Pictures);
BENCHMARK(BM_ReadGif)->Apply(Pictures);
BENCHMARK(BM_ReadGifStream)->Apply(Pictures);
BENCHMARK(BM_ToolTiffToLzw)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_TiffcpLzw)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_ToolGif)->Apply(Pictures)->UseRealTime();
BENCHMARK(BM_GmGif)->Apply(Pictures)->UseRealTime();

LV_TARGET_RATIO("BM_ToolTiffToLzw/graphic:0", Wall, "BM_TiffcpLzw/graphic:0", Wall, 0.5, "tiffcp -c lzw");
LV_TARGET_RATIO("BM_ToolTiffToLzw/graphic:1", Wall, "BM_TiffcpLzw/graphic:1", Wall, 0.5, "tiffcp -c lzw");
LV_TARGET_RATIO("BM_ToolTiffToLzw/graphic:0", ChildCpu, "BM_TiffcpLzw/graphic:0", ChildCpu, 0.5, "tiffcp -c lzw");
LV_TARGET_RATIO("BM_ToolTiffToLzw/graphic:1", ChildCpu, "BM_TiffcpLzw/graphic:1", ChildCpu, 0.5, "tiffcp -c lzw");
LV_TARGET_RATIO("BM_ToolGif/graphic:0", Wall, "BM_GmGif/graphic:0", Wall, 1.0, "gm convert");
LV_TARGET_RATIO("BM_ToolGif/graphic:1", Wall, "BM_GmGif/graphic:1", Wall, 1.0, "gm convert");

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
