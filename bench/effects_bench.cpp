// The effects library on a 4000 x 3000 photo: every enhancement and every effect on one
// thread, the nearest ImageMagick and libvips operations in the same run, and region
// previews as the adjustments screen would ask for them.
//
// Method for the other programs: each works on its own memory-mapped format in /dev/shm
// (.mpc for ImageMagick, .v for libvips), single-threaded (MAGICK_THREAD_LIMIT=1,
// VIPS_CONCURRENCY=1). The same program is also run with no operation (a plain copy);
// the counter op_cpu_ms is the processor time of a run minus that of the copy, i.e. the
// operation's own cost, comparable with the CPU column of our in-process figures (which
// include making the result picture).

#include "bench_support.h"
#include "common/byte_sink.h"
#include "effects/catalogue.h"
#include "effects/enhance_and_effect.h"
#include "effects/operation_codes.h"
#include "effects/region_preview.h"
#include "effects/slider_mapping.h"
#include "imagelib/codecs/png/png.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

struct Files {
    Files() : picture(MakePhoto(kWidth, kHeight))
    {
        const std::string png = ScratchPath("effects.png");
        WritePng(png, picture);
        if (HaveCommand("convert"))
            std::system(("/usr/bin/convert " + png + " " + mpc + " >/dev/null 2>&1").c_str());
        if (HaveCommand("vips"))
            std::system(("vips copy " + png + " " + v + " >/dev/null 2>&1").c_str());
        std::remove(png.c_str());
        const std::string matrix = "3 3 1 128\n-1 -1 0\n-1 0 1\n0 1 1\n";  // the relief as a libvips mask
        WriteWholeFile(emboss, std::vector<std::uint8_t>(matrix.begin(), matrix.end()));
    }
    ~Files()
    {
        for (const std::string& f : {mpc, ScratchPath("effects.cache"), v, ScratchPath("out.mpc"), ScratchPath("out.cache"),
                                     ScratchPath("out.v"), emboss})
            std::remove(f.c_str());
    }
    HDIB picture;
    std::string mpc = ScratchPath("effects.mpc");
    std::string v = ScratchPath("effects.v");
    std::string emboss = ScratchPath("emboss.mat");
};

Files& files()
{
    static Files f;
    return f;
}

// Processor time of the copy-only run of each program, subtracted from its operations.
std::map<std::string, double>& baselines()
{
    static std::map<std::string, double> b;
    return b;
}

double& oursBaseline()
{
    static double ms = 0;
    return ms;
}

// Processor time of the calling thread so far, in milliseconds.
double ThreadCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Our operations, timed with the result picture's making included; op_cpu_ms takes off
// what making and filling a copy costs, as the other programs' figures take off a copy.
void RunOurs(benchmark::State& state, effects::OperationCall call, int threads)
{
    const HDIB& picture = files().picture;
    const double before = ThreadCpuMilliseconds();
    for (auto _ : state) {
        HDIB result = effects::DoEnhanceAndEffect(picture, call.operation, call.parameters.data(),
                                                  std::int32_t(call.parameters.size()), nullptr, effects::EffectOptions{threads});
        benchmark::DoNotOptimize(result.data());
    }
    if (threads == 1 && state.iterations() > 0)
        state.counters["op_cpu_ms"] = (ThreadCpuMilliseconds() - before) / double(state.iterations()) - oursBaseline();
}

void BM_OursCopy(benchmark::State& state)
{
    const HDIB& picture = files().picture;
    const double before = ThreadCpuMilliseconds();
    for (auto _ : state) {
        HDIB copy = HDIB::AllocateZeroed(picture.size());
        std::memcpy(copy.data(), picture.data(), picture.size());
        benchmark::DoNotOptimize(copy.data());
    }
    oursBaseline() = (ThreadCpuMilliseconds() - before) / double(state.iterations());
    state.counters["cpu_ms"] = oursBaseline();
}

void RunMagick(benchmark::State& state, const std::string& operation)
{
    files();
    RunShell(state, "convert", "MAGICK_THREAD_LIMIT=1 /usr/bin/convert " + files().mpc + " " + operation + " " + ScratchPath("out.mpc"));
    if (state.iterations() > 0 && state.counters.count("child_cpu_ms"))
        state.counters["op_cpu_ms"] = state.counters["child_cpu_ms"] - baselines()["magick"];
}

void RunVips(benchmark::State& state, const std::string& operation, const std::string& arguments)
{
    files();
    RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips " + operation + " " + files().v + " " + ScratchPath("out.v") + " " + arguments);
    if (state.iterations() > 0 && state.counters.count("child_cpu_ms"))
        state.counters["op_cpu_ms"] = state.counters["child_cpu_ms"] - baselines()["vips"];
}

void BM_MagickCopy(benchmark::State& state)
{
    RunMagick(state, "");
    baselines()["magick"] = state.counters.count("child_cpu_ms") ? double(state.counters["child_cpu_ms"]) : 0;
}

void BM_VipsCopy(benchmark::State& state)
{
    files();
    RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips copy " + files().v + " " + ScratchPath("out.v"));
    baselines()["vips"] = state.counters.count("child_cpu_ms") ? double(state.counters["child_cpu_ms"]) : 0;
}

effects::OperationCall Mode(int mode, std::vector<int> sliders)
{
    return *effects::EnhancementCall(mode, sliders);
}

// A preview of the whole picture fitted into an 800 x 600 view. "Cold" builds the scaled
// copy as opening the screen does; "move" is one more slider position on a warm preview.
void PreviewCold(benchmark::State& state, effects::OperationCall call)
{
    const HDIB& picture = files().picture;
    for (auto _ : state) {
        effects::RegionPreview preview(picture, {0, 0, kWidth, kHeight}, 0.2);
        benchmark::DoNotOptimize(preview.compute(call.operation, call.parameters.data(), std::int32_t(call.parameters.size())));
    }
}

void PreviewMove(benchmark::State& state, effects::OperationCall call)
{
    const HDIB& picture = files().picture;
    effects::RegionPreview preview(picture, {0, 0, kWidth, kHeight}, 0.2);
    preview.compute(call.operation, call.parameters.data(), std::int32_t(call.parameters.size()));
    int step = 0;
    for (auto _ : state) {
        auto parameters = call.parameters;
        parameters[0] = std::clamp(parameters[0] + (++step % 2 ? 5 : -5), 0, 100);
        benchmark::DoNotOptimize(preview.compute(call.operation, parameters.data(), std::int32_t(parameters.size())));
    }
}

void Register()
{
    const auto ms = [](benchmark::internal::Benchmark* b) { return b->Unit(benchmark::kMillisecond)->UseRealTime(); };
    ms(benchmark::RegisterBenchmark("Magick/copy", BM_MagickCopy))->Iterations(3);
    ms(benchmark::RegisterBenchmark("Vips/copy", BM_VipsCopy))->Iterations(3);
    benchmark::RegisterBenchmark("Ours/copy", BM_OursCopy)->Unit(benchmark::kMillisecond)->Iterations(5);

    // Enhancements at typical slider positions, each beside the nearest operations elsewhere.
    // Slider → setting: brightness 70 → gamma exponent 2^(−1.3·0.4) = 0.697 (ImageMagick
    // -gamma 1.43); contrast 70 → sigmoid slope 3.2 around 50 %; hue 60, saturation 70 →
    // +36°, ×1.4; sharpen 100 → σ 1.4, amount 1.6, threshold 2 levels; soften 80 → σ 3.72,
    // soften 100 → σ 8.
    struct Row {
        const char* name;
        effects::OperationCall call;
        const char* magick;
        const char* vipsOperation;
        const char* vipsArguments;
    };
    const Row rows[] = {
        {"enhance/0-brightness70", Mode(0, {70}), "-gamma 1.43", "gamma", "--exponent 1.43"},
        {"enhance/1-contrast70", Mode(1, {70, 70}), "-sigmoidal-contrast 3.2x50% -gamma 1.43", "linear", "1.3 \" -38\" --uchar"},
        {"enhance/2-hue60-sat70", Mode(2, {60, 70}), "-modulate 100,140,120", nullptr, nullptr},
        {"enhance/3-rgb60,50,40", Mode(3, {60, 50, 40}), "-gamma 1.12,1,0.9", "linear", "\"1.1 1 0.9\" \"0 0 0\" --uchar"},
        {"enhance/6-auto", Mode(6, {}), "-auto-level", "hist_equal", ""},
        {"enhance/7-balance", Mode(7, {}), "-contrast-stretch 0.5%x0.5%", nullptr, nullptr},
        {"enhance/4-sharpen100", Mode(4, {100}), "-unsharp 0x1.4+1.6+0.008", "sharpen", "--sigma 1.4"},
        {"enhance/5-soften80", Mode(5, {80}), "-blur 0x3.72", "gaussblur", "3.72"},
        {"enhance/5-soften100", Mode(5, {100}), "-blur 0x8", "gaussblur", "8"},
    };
    for (const Row& r : rows) {
        ms(benchmark::RegisterBenchmark((std::string("Ours/") + r.name).c_str(), RunOurs, r.call, 1))->Iterations(5);
        ms(benchmark::RegisterBenchmark((std::string("Ours2threads/") + r.name).c_str(), RunOurs, r.call, 2))->Iterations(5);
        ms(benchmark::RegisterBenchmark((std::string("Magick/") + r.name).c_str(), RunMagick, std::string(r.magick)))->Iterations(5);
        if (r.vipsOperation)
            ms(benchmark::RegisterBenchmark((std::string("Vips/") + r.name).c_str(), RunVips, std::string(r.vipsOperation),
                                            std::string(r.vipsArguments)))
                ->Iterations(5);
        if (std::string(r.name) == "enhance/0-brightness70")
            ms(benchmark::RegisterBenchmark("Magick/enhance/0-brightness70-modulate", RunMagick, std::string("-modulate 120")))
                ->Iterations(5);
    }

    // Every effect at the slider's default position; the nearest operation elsewhere where
    // there is one (sizes in effect units: one unit is 5 pixels on a 4000-pixel photo).
    const std::map<int, std::pair<std::string, std::pair<std::string, std::string>>> nearest = {
        {15, {"-paint 10", {"", ""}}},
        {88, {"-emboss 1", {"conv", files().emboss}}},
        {594, {"-sketch 0x10+120", {"", ""}}},
        {596, {"-charcoal 5", {"", ""}}},
        {89, {"-edge 2", {"sobel", ""}}},
        {23, {"-posterize 7", {"", ""}}},
        {24, {"-solarize 50%", {"", ""}}},
        {21, {"-sepia-tone 80%", {"", ""}}},
        {25, {"-threshold 50%", {"", ""}}},
        {27, {"-vignette 0x200", {"", ""}}},
        {401, {"-swirl 288", {"", ""}}},
        {400, {"-implode 0.45", {"", ""}}},
        {402, {"-wave 25x225", {"", ""}}},
        {404, {"-spread 15", {"", ""}}},
        {450, {"-motion-blur 0x30", {"", ""}}},
        {500, {"+noise Gaussian", {"", ""}}},
        {502, {"-despeckle", {"rank", "3 3 4"}}},
        {452, {"-blur 0x30", {"gaussblur", "30"}}},
    };
    // `vips sobel` alone is a bare 3 x 3 gradient; our edges first soften by a Gaussian of
    // half an effect unit (2.5 pixels here), so the fair anchor runs both, as two commands
    // through memory-mapped files, two copies' processor time taken off.
    ms(benchmark::RegisterBenchmark("Ours/effect/89-edges", RunOurs, effects::EffectCall(effects::kOpEdges, 50), 1))->Iterations(5);
    ms(benchmark::RegisterBenchmark("Vips/effect/89-gaussblur+sobel", [](benchmark::State& state) {
        files();
        const std::string blurred = ScratchPath("blurred.v");
        RunShell(state, "vips", "VIPS_CONCURRENCY=1 vips gaussblur " + files().v + " " + blurred + " 2.5 && VIPS_CONCURRENCY=1 vips sobel " +
                                    blurred + " " + ScratchPath("out.v"));
        std::remove(blurred.c_str());
        if (state.iterations() > 0 && state.counters.count("child_cpu_ms"))
            state.counters["op_cpu_ms"] = state.counters["child_cpu_ms"] - 2 * baselines()["vips"];
    }))->Iterations(5);
    for (const effects::EffectEntry& e : effects::EffectCatalogue()) {
        const std::string name = "effect/" + std::to_string(e.code);
        ms(benchmark::RegisterBenchmark(("Ours/" + name).c_str(), RunOurs, effects::EffectCall(e.code, 50), 1))->Iterations(1);
        if (const auto it = nearest.find(e.code); it != nearest.end()) {
            ms(benchmark::RegisterBenchmark(("Magick/" + name).c_str(), RunMagick, it->second.first))->Iterations(1);
            if (!it->second.second.first.empty())
                ms(benchmark::RegisterBenchmark(("Vips/" + name).c_str(), RunVips, it->second.second.first, it->second.second.second))
                    ->Iterations(1);
        }
    }

    // Region previews for an 800 x 600 view of the whole picture (scale 0.2), all threads.
    const std::pair<const char*, effects::OperationCall> previews[] = {
        {"brightness", Mode(0, {60})},   {"contrast", Mode(1, {60, 60})}, {"hue", Mode(2, {60, 60})},
        {"rgb", Mode(3, {60, 50, 50})},  {"sharpen", Mode(4, {80})},      {"soften", Mode(5, {90})},
        {"auto", Mode(6, {})},           {"balance", Mode(7, {})},        {"oil", effects::EffectCall(15, 60)},
        {"sketch", effects::EffectCall(594, 60)}, {"halftone", effects::EffectCall(340, 60)},
        {"zoomblur", effects::EffectCall(451, 60)},
    };
    for (const auto& [name, call] : previews) {
        ms(benchmark::RegisterBenchmark((std::string("PreviewMove/") + name).c_str(), PreviewMove, call))->MinTime(0.3);
        ms(benchmark::RegisterBenchmark((std::string("PreviewCold/") + name).c_str(), PreviewCold, call))->Iterations(3);
    }
}

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    lv::bench::Register();
    ::lv::bench::RunBenchmarksWithTargets();
    benchmark::Shutdown();
    return 0;
}
