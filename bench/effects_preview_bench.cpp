// The adjustments screens' live preview on a 4000 x 3000 photo fitted into an 800 x 600
// window: what one slider move costs, from the preview composite through the window's paint,
// by the same calls the screens make (the shown part and scale of the view, PreviewComposite,
// PaintView), for every enhancement mode and every effect of the catalogue. A moving
// slider's frame is the one the window shows while the thumb moves (coarser for the
// slowest effects); "settled" is the exact frame those show once it stops. The first move
// after opening the screen is measured apart ("open").

#include "app/core/effects_bridge.h"
#include "app/core/view/view_painter.h"
#include "bench_support.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "effects/catalogue.h"
#include "effects/slider_mapping.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kClientWidth = 800, kClientHeight = 600;
constexpr int kFittedZoom = -4;  // a fifth: 800 x 600

struct FittedDocument {
    FittedDocument()
        : stack(CreateLayerStackFromImage(MakePhoto(kWidth, kHeight)))
        , view({kWidth, kHeight}, kFittedZoom)
        , backing(std::size_t(kClientWidth) * kClientHeight)
    {
        CompositeLayers(*stack);
        view.setClient({kClientWidth, kClientHeight});
    }

    // One update as the screen makes it after a slider moved; `kept` false makes it as the
    // screens did before they kept anything (every row, the picture scaled again).
    void update(const AdjustmentChoice& choice, bool kept = true, PreviewPass pass = PreviewPass::Final)
    {
        const ShownPart part = ShownPartOf(view);
        if (!(kept ? PreviewComposite(*stack, choice, part, cache, pass) : PreviewComposite(*stack, choice, part.rect, part.scale)))
            std::abort();
        const PixelBuffer buffer{backing.data(), kClientWidth, {0, 0, kClientWidth, kClientHeight}};
        PaintView(stack->composite, view, {0, 0, kClientWidth, kClientHeight}, buffer, DisplayContext{});
        benchmark::DoNotOptimize(backing.data());
    }

    std::unique_ptr<LayerStack> stack;
    ImageView view;
    PreviewCache cache;
    std::vector<std::uint32_t> backing;
};

FittedDocument& Document()
{
    static FittedDocument document;
    return document;
}

AdjustmentChoice Enhancement(int mode)
{
    AdjustmentChoice choice;
    choice.kind = AdjustmentChoice::Kind::Enhancement;
    choice.mode = mode;
    return choice;
}

AdjustmentChoice Effect(int operation)
{
    AdjustmentChoice choice;
    choice.kind = AdjustmentChoice::Kind::Effect;
    choice.operation = operation;
    return choice;
}

// Slider 1 (or the strength) moved back and forth by 5 around 60, each frame as the window
// shows it while the thumb moves (coarser for the slowest effects) or as it settles.
void SliderMove(benchmark::State& state, AdjustmentChoice choice, bool kept, PreviewPass pass)
{
    FittedDocument& document = Document();
    int step = 0;
    for (auto _ : state) {
        const int value = ++step % 2 ? 65 : 55;
        if (choice.kind == AdjustmentChoice::Kind::Effect)
            choice.strength = value;
        else
            choice.sliders[0] = value;
        document.update(choice, kept, pass);
    }
}

// The first preview of a screen just opened, with nothing kept from before.
void Open(benchmark::State& state, AdjustmentChoice choice)
{
    FittedDocument& document = Document();
    for (auto _ : state) {
        state.PauseTiming();
        document.cache.clear();
        state.ResumeTiming();
        document.update(choice);
    }
}

// Every enhancement mode and every effect of the catalogue, each step held to 30 ms.
void Register()
{
    constexpr double kStepTargetMs = 30;
    std::vector<std::pair<std::string, AdjustmentChoice>> choices;
    for (int mode = 0; mode < effects::kEnhancementModeCount; ++mode)
        choices.emplace_back("enhance/" + std::to_string(mode), Enhancement(mode));
    for (const effects::EffectEntry& entry : effects::EffectCatalogue())
        choices.emplace_back("effect/" + std::to_string(entry.code), Effect(entry.code));
    for (const auto& [name, choice] : choices) {
        const std::string move = "PreviewSliderMove/" + name;
        // The process's processor time beside the wall time: on a shared machine it is the
        // steadier figure (the wall time of a quiet machine lies between it and its half).
        benchmark::RegisterBenchmark(move.c_str(), SliderMove, choice, true, PreviewPass::Moving)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MeasureProcessCPUTime()
            ->MinTime(0.5);
        AddTarget({move, Figure::Wall, {}, Figure::Wall, kStepTargetMs, {}, {}});
        if (MovingPreviewIsCoarser(choice))
            benchmark::RegisterBenchmark((std::string("PreviewSliderSettled/") + name).c_str(), SliderMove, choice, true,
                                         PreviewPass::Final)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->MinTime(0.5);
        benchmark::RegisterBenchmark((std::string("PreviewSliderMoveNothingKept/") + name).c_str(), SliderMove, choice, false,
                                     PreviewPass::Final)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(0.5);
        benchmark::RegisterBenchmark((std::string("PreviewOpen/") + name).c_str(), Open, choice)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(5);
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
