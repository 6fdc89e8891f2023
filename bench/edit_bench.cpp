// Layer compositing, merging and the layered format on 4000 x 3000 documents, with the
// JPEG codec on the same pixels in the same run for the ratios.

#include "bench_support.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <unistd.h>
#include <memory>
#include <string>
#include <vector>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A feathered mask: opaque in the middle, falling off toward the borders, shifted per layer.
HDIB MakeSoftMask(int width, int height, int seed)
{
    HDIB mask = MakeGreyFilled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = mask.row(y);
        const int dy = std::abs(2 * y - height) * 255 / height;
        for (int x = 0; x < width; ++x) {
            const int dx = std::abs(2 * (x + seed * 37) % (2 * width) - width) * 255 / width;
            row[x] = std::uint8_t(std::clamp(400 - 2 * std::max(dx, dy), 0, 255));
        }
    }
    return mask;
}

const HDIB& photo()
{
    static const HDIB picture = MakePhoto(kWidth, kHeight);
    return picture;
}

// `layers` full-size layers at `opacity` percent, each with a feathered mask, composited.
std::unique_ptr<LayerStack> MakeDocument(int layers, std::uint32_t opacity, bool linked = false)
{
    auto stack = CreateLayerStackFromImage(DibDuplicate(photo()));
    for (int i = 1; i < layers; ++i) {
        HDIB image = DibDuplicate(photo());
        HDIB mask = MakeSoftMask(kWidth, kHeight, i);
        InsertLayer(*stack, image, mask, stack->layerCount, false, {}, LayerLimit::Lifted);
    }
    for (int i = 0; i < stack->layerCount; ++i) {
        LayerRecord& layer = stack->layers[std::size_t(i)];
        layer.opacity = opacity;
        layer.linked = linked;
        layer.y = 0;
    }
    CompositeLayers(*stack);
    return stack;
}

LayerStack& compositeDocument()
{
    static auto stack = MakeDocument(32, 50);
    return *stack;
}

void BM_CompositeWhole32(benchmark::State& state)
{
    LayerStack& stack = compositeDocument();
    for (auto _ : state)
        CompositeLayers(stack);
}

void BM_CompositeRepaint256(benchmark::State& state)
{
    LayerStack& stack = compositeDocument();
    const Rect rect = Rect::fromSize(1872, 1372, 256, 256);
    for (auto _ : state)
        CompositeLayers(stack, rect);
}

// The same 32 layers through another program on one thread: half-transparent RGBA layers
// over an opaque background, from and to its own uncompressed files in memory.
void BM_VipsComposite32(benchmark::State& state)
{
    if (!HaveCommand("vips")) {
        state.SkipWithError("vips is not installed");
        return;
    }
    const std::string layer = ScratchPath("layer.v"), grid = ScratchPath("grid.v"), out = ScratchPath("out.v");
    const std::string bmp = ScratchPath("layer.bmp");
    const std::string rgb = ScratchPath("rgb.v");
    const std::string prepare = "vips copy " + bmp + " " + rgb + " && vips bandjoin_const " + rgb + " " + layer +
                                " 128 && vips bandjoin_const " + rgb + " " + grid + " 255";
    HDIB picture = DibDuplicate(photo());
    WriteBmp(bmp, picture);
    if (RunLimited(prepare) != 0) {
        state.SkipWithError("could not prepare the vips layers");
        return;
    }
    std::string layers = grid;
    for (int i = 0; i < 32; ++i)
        layers += " " + layer;
    std::string modes;  // 2 is "over"
    for (int i = 0; i < 32; ++i)
        modes += i ? " 2" : "2";
    RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips composite \"" + layers + "\" " + out + " \"" + modes + "\"");
    for (const std::string& f : {layer, grid, out, bmp, rgb})
        std::remove(f.c_str());
}

void BM_MergeLinked10(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto stack = MakeDocument(10, 50, true);
        state.ResumeTiming();
        benchmark::DoNotOptimize(MergeLinkedLayers(*stack, true));
        state.PauseTiming();
        stack.reset();
        state.ResumeTiming();
    }
}

struct LayeredFiles {
    LayeredFiles()
        : document(MakeDocument(10, 100))
        , path(ScratchPath("doc.vlf"))
        , jpegPath(ScratchPath("layer.jpg"))
    {
        WriteLayeredFile(path, *document);
        WriteJpeg(jpegPath, photo(), kLayeredSaveQuality);
    }
    ~LayeredFiles()
    {
        std::remove(path.c_str());
        std::remove(jpegPath.c_str());
    }
    std::unique_ptr<LayerStack> document;
    std::string path;
    std::string jpegPath;
};

// Taken before each timed loop: building the document is not the work measured.
LayeredFiles& files()
{
    static LayeredFiles f;
    return f;
}

void BM_WriteLayered10(benchmark::State& state)
{
    const LayeredFiles& f = files();
    for (auto _ : state)
        WriteLayeredFile(f.path, *f.document);
}

// The same file read back and saved untouched: each layer's JPEG stream is written back as
// the file held it, so the save costs no encoding and loses nothing.
void BM_ResaveReadLayered10(benchmark::State& state)
{
    const LayeredFiles& f = files();
    auto read = ReadLayeredFile(f.path);
    CompositeLayers(*read);
    const std::string resaved = ScratchPath("resaved.vlf");
    for (auto _ : state)
        WriteLayeredFile(resaved, *read);
    std::remove(resaved.c_str());
}

void BM_ReadLayered10(benchmark::State& state)
{
    const LayeredFiles& f = files();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadLayeredFile(f.path));
}

// The same ten layer pictures through the JPEG codec alone, at the same quality.
void BM_JpegEncode10(benchmark::State& state)
{
    const LayeredFiles& f = files();
    for (auto _ : state)
        for (int i = 0; i < 10; ++i)
            WriteJpeg(f.jpegPath, f.document->layers[std::size_t(i)].image, kLayeredSaveQuality);
}

void BM_JpegDecode10(benchmark::State& state)
{
    const LayeredFiles& f = files();
    for (auto _ : state)
        for (int i = 0; i < 10; ++i)
            benchmark::DoNotOptimize(ReadJpeg(f.jpegPath));
}

std::int64_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The most memory resident while `work` runs, sampled every millisecond, less what was
// resident before.
template<typename Work>
std::int64_t PeakGrowth(Work work)
{
    const std::int64_t before = ResidentBytes();
    std::atomic<bool> running{true};
    std::atomic<std::int64_t> peak{before};
    std::thread sampler([&] {
        while (running) {
            peak = std::max(peak.load(), ResidentBytes());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    work();
    peak = std::max(peak.load(), ResidentBytes());
    running = false;
    sampler.join();
    return peak - before;
}

std::int64_t PictureBytes(const LayerStack& stack)
{
    std::int64_t bytes = std::int64_t(stack.composite.size());
    for (int i = 0; i < stack.layerCount; ++i)
        bytes += std::int64_t(stack.layers[std::size_t(i)].image.size() + stack.layers[std::size_t(i)].mask.size());
    return bytes;
}

// Peak resident growth while a 32-layer document is built and composited, and while it is
// read back from its file and composited, against the bytes of the document's pictures.
void BM_PeakMemory32(benchmark::State& state)
{
    photo();
    const std::string path = ScratchPath("memory.vlf");
    if (!WriteLayeredFile(path, *MakeDocument(32, 50))) {
        state.SkipWithError("the 32-layer document was not written");
        return;
    }
    double built = 0, read = 0;
    for (auto _ : state) {
        std::unique_ptr<LayerStack> stack;
        const std::int64_t buildPeak = PeakGrowth([&] { stack = MakeDocument(32, 50); });
        built = double(buildPeak) / double(PictureBytes(*stack));
        stack.reset();
        const std::int64_t readPeak = PeakGrowth([&] {
            stack = ReadLayeredFile(path);
            if (stack)
                CompositeLayers(*stack);
        });
        if (!stack) {
            state.SkipWithError("the 32-layer document it wrote did not open again");
            break;
        }
        read = double(readPeak) / double(PictureBytes(*stack));
    }
    state.counters["built_ratio"] = built;
    state.counters["read_ratio"] = read;
    std::remove(path.c_str());
}

BENCHMARK(BM_CompositeWhole32)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CompositeRepaint256)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VipsComposite32)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_MergeLinked10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WriteLayered10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ResaveReadLayered10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_JpegEncode10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReadLayered10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_JpegDecode10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PeakMemory32)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
