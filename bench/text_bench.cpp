// Lettering: a 200-pixel "Feliz Aniversário" with smooth edges (drawn at twice the size
// and halved) and with hard edges, with the font library opened beforehand as the text
// tool keeps it.

#include "bench_support.h"
#include "edit/text_render/text_renderer.h"

namespace lv::bench {
namespace {

FontLibrary& fonts()
{
    static auto library = FontLibrary::Open(std::string(LV_SOURCE_DIR) + "/app/fonts.conf");
    return *library;
}

void renderGreeting(benchmark::State& state, bool smooth)
{
    LogFont font;
    font.height = -200;
    font.weight = 400;
    font.faceName = "Arial";
    TextStyle style;
    style.smoothEdges = smooth;
    for (auto _ : state) {
        RenderedText rendered = RenderText(fonts(), "Feliz Aniversário", font, style);
        if (!rendered.coverage) {
            state.SkipWithError("nothing was drawn");
            break;
        }
        benchmark::DoNotOptimize(rendered.coverage);
    }
}

void BM_RenderGreetingSmooth(benchmark::State& state) { renderGreeting(state, true); }
void BM_RenderGreetingHard(benchmark::State& state) { renderGreeting(state, false); }

BENCHMARK(BM_RenderGreetingSmooth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderGreetingHard)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
