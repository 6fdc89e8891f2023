// Repainting an image window, switching between two open photos, opening a 24-megapixel
// JPEG to its fitted picture, and recording and undoing steps on a full-size document.

#include "app/core/undo/undo_table.h"
#include "app/core/view/view_painter.h"
#include "app/core/view/zoom.h"
#include "bench_support.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace lv::bench {
namespace {

constexpr int kDocumentWidth = 4000;
constexpr int kDocumentHeight = 3000;
constexpr int kWorkspaceWidth = 1024;
constexpr int kWorkspaceHeight = 768;

const HDIB& LargeComposite()
{
    static const HDIB picture = MakePhoto(kDocumentWidth, kDocumentHeight);
    return picture;
}

// The window's paint: the whole 1024 x 768 client exposed, drawn into the backing image.
void BM_RepaintWorkspace(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    const HDIB& composite = LargeComposite();
    ImageView view({kDocumentWidth, kDocumentHeight}, zoom);
    view.setClient({kWorkspaceWidth, kWorkspaceHeight});
    // Somewhere in the middle of the document, as after scrolling.
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, view.scroll(Axis::Horizontal).maximum / 2);
    view.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, view.scroll(Axis::Vertical).maximum / 2);
    // The backing image's rows of 32-bit pixels, as the window keeps them.
    std::vector<std::uint32_t> backing(std::size_t(kWorkspaceWidth) * kWorkspaceHeight);
    const PixelBuffer buffer{backing.data(), kWorkspaceWidth, {0, 0, kWorkspaceWidth, kWorkspaceHeight}};
    const DisplayContext display;
    for (auto _ : state) {
        PaintView(composite, view, {0, 0, kWorkspaceWidth, kWorkspaceHeight}, buffer, display);
        benchmark::DoNotOptimize(backing.data());
    }
}
BENCHMARK(BM_RepaintWorkspace)->Arg(-6)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

// Switching between two open 24-megapixel photos, each fitted in its window: what the
// window brought forward paints. The Qt side of raising a window is not in this figure.
void BM_SwitchBetweenTwo24MpPictures(benchmark::State& state)
{
    static const HDIB first = MakePhoto(6000, 4000);
    static const HDIB second = DibDuplicate(first);  // a second block: no cache shared with the first
    const Size document{6000, 4000};
    ImageView view(document, InitialZoom(document, {kWorkspaceWidth, kWorkspaceHeight}, true));
    view.setClient({kWorkspaceWidth, kWorkspaceHeight});
    std::vector<std::uint32_t> backing(std::size_t(kWorkspaceWidth) * kWorkspaceHeight);
    const PixelBuffer buffer{backing.data(), kWorkspaceWidth, {0, 0, kWorkspaceWidth, kWorkspaceHeight}};
    const DisplayContext display;
    bool toSecond = true;
    for (auto _ : state) {
        PaintView(toSecond ? second : first, view, {0, 0, kWorkspaceWidth, kWorkspaceHeight}, buffer, display);
        benchmark::DoNotOptimize(backing.data());
        toSecond = !toSecond;
    }
}
BENCHMARK(BM_SwitchBetweenTwo24MpPictures)->Unit(benchmark::kMillisecond);
LV_TARGET_MS("BM_SwitchBetweenTwo24MpPictures", Wall, 16);

// Opening a 24-megapixel JPEG to its fitted picture on screen: the whole decode (the
// document keeps every pixel) and the fitted paint, against a thumbnailer that decodes at a
// reduced scale straight to the window's size, followed by our paint of that picture.
const std::string& Jpeg24Mp()
{
    static const std::string path = [] {
        const std::string p = ScratchPath("open-24mp.jpg");
        WriteJpeg(p, MakePhoto(6000, 4000), 90);
        return p;
    }();
    return path;
}

void PaintFitted(const HDIB& picture)
{
    const Size document{picture.width(), picture.height()};
    ImageView view(document, InitialZoom(document, {kWorkspaceWidth, kWorkspaceHeight}, true));
    view.setClient({kWorkspaceWidth, kWorkspaceHeight});
    std::vector<std::uint32_t> backing(std::size_t(kWorkspaceWidth) * kWorkspaceHeight);
    const PixelBuffer buffer{backing.data(), kWorkspaceWidth, {0, 0, kWorkspaceWidth, kWorkspaceHeight}};
    PaintView(picture, view, {0, 0, kWorkspaceWidth, kWorkspaceHeight}, buffer, DisplayContext{});
    benchmark::DoNotOptimize(backing.data());
}

void BM_Open24MpJpegFitted(benchmark::State& state)
{
    const std::string& path = Jpeg24Mp();
    for (auto _ : state)
        PaintFitted(ReadJpeg(path).image());
}
BENCHMARK(BM_Open24MpJpegFitted)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VipsthumbnailThenOurPaint(benchmark::State& state)
{
    const std::string& path = Jpeg24Mp();
    const std::string out = ScratchPath("open-24mp-thumb.bmp");
    if (!HaveCommand("vipsthumbnail")) {
        state.SkipWithError("vipsthumbnail is not installed");
        return;
    }
    for (auto _ : state) {
        if (const int status = RunLimited("vipsthumbnail -s 1024x768 -o " + out + " " + path); status != 0) {
            state.SkipWithError(CommandFailure("vipsthumbnail", status).c_str());
            break;
        }
        PaintFitted(ReadBmp(out).image());
    }
    std::remove(out.c_str());
}
BENCHMARK(BM_VipsthumbnailThenOurPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
LV_TARGET_RATIO("BM_Open24MpJpegFitted", Wall, "BM_VipsthumbnailThenOurPaint", Wall, 0.8, "vipsthumbnail + our paint");

std::unique_ptr<LayerStack> FullSizeDocument()
{
    auto stack = CreateLayerStackFromImage(CopyPicture(LargeComposite()));
    HDIB second = CopyPicture(LargeComposite());
    HDIB mask;
    InsertLayer(*stack, second, mask, 1, false);
    return stack;
}

// Two full-size layers in window 1 of a table of 64 steps.
struct RecordedDocument {
    RecordedDocument()
        : stack(FullSizeDocument())
    {
        stack->undo = &recorder;
    }
    void undoAll()
    {
        while (table.undo(*stack, 1)) {
        }
        table.purge(1);
    }
    std::unique_ptr<LayerStack> stack;
    UndoTable table{64};
    WindowUndoRecorder recorder{table, 1};
    LayerRecord& layer = stack->layers[0];
};

// 64 layer operations (opacity, reorder, add and delete) on two full-size layers, recorded
// then undone: none of them copies a picture.
void BM_RecordAndUndo64LayerSteps(benchmark::State& state)
{
    RecordedDocument d;
    LayerStack& stack = *d.stack;
    for (auto _ : state) {
        for (int i = 0; i < 16; ++i) {
            SetLayerOpacity(stack, 0, 40 + i, true);
            MoveLayer(stack, 0, 1, true);
            AddLayer(stack, 0, AllocatePicture(16, 16, 24, 0), {}, true, false);
            DeleteLayer(stack, 0, true);
        }
        d.undoAll();
    }
}
BENCHMARK(BM_RecordAndUndo64LayerSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

// Recording a paint step on the full-size current layer: the step shares the layer's
// pictures, so it costs the same whatever the layer's size.
void BM_RecordPixelStep(benchmark::State& state)
{
    RecordedDocument d;
    for (auto _ : state) {
        RecordUndoStep(*d.stack, 1001);
        if (d.table.count() == d.table.level()) {
            state.PauseTiming();
            d.table.purge(1);
            state.ResumeTiming();
        }
    }
    state.counters["layer_bytes"] = double(d.layer.image.size() + d.layer.mask.size());
}
BENCHMARK(BM_RecordPixelStep)->Unit(benchmark::kMicrosecond);

// The brush's first dab after recording: the layer's image and mask are copied once, as
// the step keeps the pictures they were.
void BM_FirstWriteAfterRecording(benchmark::State& state)
{
    RecordedDocument d;
    for (auto _ : state) {
        state.PauseTiming();
        RecordUndoStep(*d.stack, 1001);
        state.ResumeTiming();
        d.layer.image.write().row(0)[0] ^= 1;
        d.layer.mask.write().row(0)[0] ^= 1;
        state.PauseTiming();
        d.table.purge(1);
        state.ResumeTiming();
    }
    state.counters["layer_bytes"] = double(d.layer.image.size() + d.layer.mask.size());
}
BENCHMARK(BM_FirstWriteAfterRecording)->Unit(benchmark::kMillisecond);

// Every dab after the first writes in place.
void BM_LaterWrite(benchmark::State& state)
{
    RecordedDocument d;
    for (auto _ : state) {
        d.layer.image.write().row(0)[0] ^= 1;
        d.layer.mask.write().row(0)[0] ^= 1;
    }
}
BENCHMARK(BM_LaterWrite)->Unit(benchmark::kMicrosecond);

// 64 paint steps recorded, each followed by a dab, then all undone.
void BM_RecordAndUndo64PixelSteps(benchmark::State& state)
{
    RecordedDocument d;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) {
            RecordUndoStep(*d.stack, 1001);
            d.layer.image.write().row(i)[0] = std::uint8_t(i);
        }
        d.undoAll();
    }
}
BENCHMARK(BM_RecordAndUndo64PixelSteps)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
