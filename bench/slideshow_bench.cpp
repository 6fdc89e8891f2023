// The drawing work of each slide-show transition on a 1920 x 1080 screen: making the
// transition and drawing its steps as a show does, at 60 screen refreshes a second over the
// 100 ms transition time. The target is at most 100 ms for each.

#include "bench_support.h"
#include "output/slide_blitter.h"
#include "output/transition_player.h"
#include "output/transitions.h"

#include <string>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

const lv::ScreenBitmap& Photo()
{
    static const lv::ScreenBitmap photo = lv::ScreenBitmapFromDib(lv::bench::MakePhoto(kWidth, kHeight));
    return photo;
}

void DrawTransition(benchmark::State& state, int index, int variant)
{
    lv::ScreenBitmap screen(kWidth, kHeight, lv::ScreenPixel(20, 40, 60));
    int steps = 0, refreshes = 0;
    for (auto _ : state) {
        lv::ShowRandom random(1);
        lv::TransitionPlayer player(lv::MakeTransition({index, variant}, kWidth, kHeight, random));
        lv::SlideBlitter blitter(screen, Photo(), 0, 0);
        refreshes = 0;
        while (!player.drawDue(refreshes * 1000L / 60, blitter))
            ++refreshes;
        steps = player.stepCount();
        benchmark::DoNotOptimize(screen.data());
    }
    state.counters["steps"] = steps;
    state.counters["refreshes"] = refreshes + 1;
}

// Every step drawn on its own, as the command line's pictures of every step are.
void DrawEveryStep(benchmark::State& state, int index, int variant)
{
    lv::ScreenBitmap screen(kWidth, kHeight, lv::ScreenPixel(20, 40, 60));
    for (auto _ : state) {
        lv::ShowRandom random(1);
        auto transition = lv::MakeTransition({index, variant}, kWidth, kHeight, random);
        lv::SlideBlitter blitter(screen, Photo(), 0, 0);
        for (int s = 0; s < transition->stepCount(); ++s)
            transition->draw(s, s, blitter);
        benchmark::DoNotOptimize(screen.data());
    }
}

int RegisterAll()
{
    for (int index = 1; index < lv::kTransitionCount; ++index) {
        const std::string name(lv::TransitionTable()[std::size_t(index)].name);
        for (int v = lv::LowestVariant(index); v <= lv::HighestVariant(index); ++v) {
            const std::string label = std::to_string(index) + " " + (name.empty() ? "(no name)" : name) + " v" + std::to_string(v);
            benchmark::RegisterBenchmark(("Transition/" + label).c_str(), DrawTransition, index, v)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
            lv::bench::AddTarget({"Transition/" + label, lv::bench::Figure::Cpu, {}, lv::bench::Figure::Cpu, 100, {}, {}});
        }
    }
    // The plain screen copy every transition's work compares with.
    benchmark::RegisterBenchmark("EveryStep/5 Cortina v3 (columns)", DrawEveryStep, int(lv::kCurtain), 3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("EveryStep/11 Move para dentro v0", DrawEveryStep, int(lv::kMoveIn), 0)
        ->Unit(benchmark::kMillisecond);
    return 0;
}

const int registered = RegisterAll();

}  // namespace

LV_BENCH_MAIN()
