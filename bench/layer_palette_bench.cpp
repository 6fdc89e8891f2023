// Refreshing the layer palette of a 32-layer 4000 x 3000 document: names, flags and every
// thumbnail made again, as after each layer change.

#include "app/editing/layer_palette.h"
#include "bench_support.h"
#include "edit/layers.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace lv::bench {
namespace {

class Host final : public app::LayerPaletteHost {
public:
    Host()
        : doc(CreateEmptyLayerStack(4000, 3000, 24))
    {
        const HDIB photo = MakePhoto(4000, 3000);
        for (int i = 0; i < kMaxLayers; ++i) {
            HDIB image = DibDuplicate(photo);
            HDIB mask;
            InsertLayer(*doc, image, mask, doc->layerCount, false, {}, LayerLimit::Lifted);
        }
    }
    LayerStack* paletteDocument() override { return doc.get(); }
    void paletteChangedDocument() override {}
    void paletteCommand(int) override {}
    std::unique_ptr<LayerStack> doc;
};

void BM_RefreshPalette32Layers(benchmark::State& state)
{
    Host host;
    app::LayerPalette palette(host);
    palette.show();
    for (auto _ : state)
        palette.refresh();
    state.counters["layers"] = double(host.doc->layerCount);
}
BENCHMARK(BM_RefreshPalette32Layers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    ::lv::bench::RunBenchmarksWithTargets();
    benchmark::Shutdown();
    return 0;
}
