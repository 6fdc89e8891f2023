// Copy and paste of a 4000 x 3000 layer with its mask: what the program does between the
// user's key and the clipboard (the record, the picture other programs take, the private
// bytes), and back (reading the bytes, inserting the layer with its undo step).

#include "app/core/undo/undo_table.h"
#include "bench_support.h"
#include "edit/clipboard_layer.h"
#include "edit/compositing.h"
#include "edit/layers.h"

#include <memory>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A one-layer photo document whose mask is a ramp, so neither picture is uniform.
std::unique_ptr<LayerStack> MaskedDocument()
{
    auto stack = CreateLayerStackFromImage(MakePhoto(kWidth, kHeight));
    HDIB& mask = stack->layers[0].mask.write();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            mask.row(y)[x] = std::uint8_t((x + y) & 0xFF);
    return stack;
}

void BM_CopyLayerWithMask(benchmark::State& state)
{
    const auto stack = MaskedDocument();
    for (auto _ : state) {
        const auto piece = CopyCurrentLayer(*stack);
        HDIB flat = FlattenedForClipboard(*piece);
        const auto bytes = SerializeClipboardLayer(*piece);
        benchmark::DoNotOptimize(flat.data());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_CopyLayerWithMask)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PasteLayerWithMask(benchmark::State& state)
{
    const auto source = MaskedDocument();
    const auto bytes = SerializeClipboardLayer(*CopyCurrentLayer(*source));
    auto target = CreateLayerStackFromImage(MakePhoto(kWidth, kHeight));
    UndoTable table(UndoTable::kSlots);
    WindowUndoRecorder recorder(table, 1);
    target->undo = &recorder;
    for (auto _ : state) {
        auto piece = ParseClipboardLayer(bytes);
        if (!piece || !PasteLayer(*target, std::move(*piece)))
            state.SkipWithError("paste failed");
        state.PauseTiming();
        table.undo(*target, 1);  // the stack stays at one layer for the next round
        state.ResumeTiming();
    }
    target->undo = nullptr;
}
BENCHMARK(BM_PasteLayerWithMask)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
