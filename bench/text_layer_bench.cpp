// Text layers at a greeting card's size: a 200-pixel "Feliz Aniversário" with smooth
// edges becoming a text layer on a 1600 × 400 photo-sized document, and the drop shadow
// (radius 8, the blur and the merge) added to it. Both figures in one run, so their
// ratio holds on a loaded machine.

#include "bench_support.h"
#include "edit/layers.h"
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "imagelib/dib_geometry.h"

namespace lv::bench {
namespace {

FontLibrary& fonts()
{
    static auto library = FontLibrary::Open(std::string(LV_SOURCE_DIR) + "/app/fonts.conf");
    return *library;
}

TextLayerSettings greeting()
{
    TextLayerSettings settings;
    settings.text = "Feliz Aniversário";
    settings.font.height = -200;
    settings.font.faceName = "Arial";
    settings.style.smoothEdges = true;
    settings.colour = 0x2020C0;
    settings.left = 20;
    settings.top = 60;
    return settings;
}

std::unique_ptr<LayerStack> document()
{
    return CreateLayerStackFromImage(DibCreate(1600, 400, 0xD0E0F0, false));
}

void BM_CreateGreetingTextLayer(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto stack = document();
        state.ResumeTiming();
        if (CreateOrUpdateTextLayer(stack.get(), fonts(), greeting(), false) != kTextLayerOk) {
            state.SkipWithError("no text layer");
            break;
        }
        benchmark::DoNotOptimize(stack->composite);
    }
}

void BM_DropShadowOnGreeting(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto stack = document();
        const bool made = CreateOrUpdateTextLayer(stack.get(), fonts(), greeting(), false) == kTextLayerOk;
        state.ResumeTiming();
        if (!made || !AddDropShadow(*stack, {8, 60, 6, 6})) {
            state.SkipWithError("no shadow");
            break;
        }
        benchmark::DoNotOptimize(stack->composite);
    }
}

BENCHMARK(BM_CreateGreetingTextLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropShadowOnGreeting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
