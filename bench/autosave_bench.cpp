// Recovery copies of a 10-layer 4000 x 3000 document: the pause the user-interface thread
// sees when a copy is due (the snapshot and the hand-over to the writing thread), the first
// change of a layer while the copy is being written, and the writing itself.

#include "app/core/recovery/recovery_autosave.h"
#include "app/core/recovery/recovery_session.h"
#include "app/core/recovery/recovery_snapshot.h"
#include "app/core/recovery/recovery_writer.h"
#include "app/core/undo/undo_table.h"
#include "bench_support.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <ctime>

namespace lv::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kLayers = 10;

// Ten full-size photo layers with opaque masks, as after pasting ten photos into a card.
LayerStack& CardDocument()
{
    static const std::unique_ptr<LayerStack> document = [] {
        auto stack = CreateEmptyLayerStack(kWidth, kHeight, 24);
        const HDIB photo = MakePhoto(kWidth, kHeight);
        for (int i = 0; i < kLayers; ++i) {
            HDIB image = CopyPicture(photo);
            image.pixels()[i] = std::uint8_t(i);  // no two layers alike
            HDIB mask = MakeGreyFilled(kWidth, kHeight, 255);
            InsertLayer(*stack, image, mask, stack->layerCount, false);
        }
        CompositeLayers(*stack);
        stack->modified = 1;
        return stack;
    }();
    return *document;
}

// A folder on the disk, where the configuration folder usually is.
std::filesystem::path RecoveryFolder()
{
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lvbench-recovery-" + std::to_string(::getpid()));
    return folder;
}

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// What the user-interface thread does when a copy is due: the snapshot and the hand-over.
// The writing thread then writes the copy, outside the timing. "ui_cpu_us" is the
// processor time of the user-interface thread alone, which the machine's load doesn't stretch.
void BM_AutoSaveUiPause(benchmark::State& state)
{
    LayerStack& document = CardDocument();
    auto session = RecoverySession::Start(RecoveryFolder());
    RecoveryWriter writer(*session);
    AutoSaver saver(*session, writer);
    saver.setInterval(120);
    const std::vector<AutoSaveDocument> open = {{1, &document, "/fotos/cartão.vlf"}};
    double cpu = 0;
    for (auto _ : state) {
        saver.stepTaken(1);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuSeconds();
        benchmark::DoNotOptimize(saver.writeChanged(open, 0));
        cpu += ThreadCpuSeconds() - cpuStart;
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        writer.waitIdle();
    }
    state.counters["ui_cpu_us"] = cpu * 1e6 / double(state.iterations());
}

// A brush stroke's start on a layer: its undo step and its first change of the layer's
// pixels, without (0) and with (1) a recovery copy of the document being written. The undo
// step already holds the layer, so the change copies it either way; the copy being written
// adds no second one.
void BM_StrokeStart(benchmark::State& state)
{
    LayerStack& document = CardDocument();
    UndoTable table(32);
    double cpu = 0;
    for (auto _ : state) {
        const auto snapshot = state.range(0) ? TakeRecoverySnapshot(document) : nullptr;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuSeconds();
        table.record(document, 1, 1001);
        document.layers[0].image.write().pixels()[0] ^= 1;
        cpu += ThreadCpuSeconds() - cpuStart;
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["ui_cpu_ms"] = cpu * 1e3 / double(state.iterations());
    table.purge(1);
}

// The writing thread's work: the layers as uncompressed bitmaps, the masks run-length
// encoded, the thumbnail and the side file, each flushed to the disk and renamed into place.
void BM_WriteRecoveryCopy(benchmark::State& state)
{
    LayerStack& document = CardDocument();
    auto session = RecoverySession::Start(RecoveryFolder());
    const std::atomic<bool> never{false};
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        RecoveryJob job{"doc-1", TakeRecoverySnapshot(document), {}};
        job.info.title = "/fotos/cartão.vlf";
        job.info.width = kWidth;
        job.info.height = kHeight;
        const RecoveryWriteResult result = WriteRecoveryCopy(session->files("doc-1"), std::move(job), never);
        if (result.kind != RecoveryWriteResult::Kind::Written)
            state.SkipWithError("the copy was not written");
        bytes = result.bytes;
    }
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
    state.counters["MB"] = double(bytes) / 1e6;
}

// The thumbnail alone (part of the writing).
void BM_RecoveryThumbnail(benchmark::State& state)
{
    LayerStack& document = CardDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeRecoveryThumbnail(document, kRecoveryThumbnailSide));
}

BENCHMARK(BM_AutoSaveUiPause)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_StrokeStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10)->Arg(0)->Arg(1);
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RecoveryThumbnail)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    ::lv::bench::RunBenchmarksWithTargets();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(lv::bench::RecoveryFolder(), ec);
    return 0;
}
