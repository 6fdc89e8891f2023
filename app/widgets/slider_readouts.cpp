#include "app/widgets/slider_readouts.h"

#include "app/widgets/readout.h"
#include "app/widgets/skin_geometry.h"
#include "app/widgets/skin_panel_widget.h"

#include <QPointer>

#include <map>

namespace lv::app {
namespace {

constexpr int kGap = 4;         // between the track and the readout
constexpr int kEdge = 6;        // between the readout and the panel's edge
constexpr int kMinimumWidth = 24;

}  // namespace

void AttachSliderReadouts(SkinPanelWidget& panel)
{
    std::map<int, QPointer<Readout>> readouts;
    const int panelWidth = panel.backgroundSize().width();
    const skin::PanelInput& input = panel.input();
    for (int i = 0; i < int(input.size()); ++i) {
        const auto& slider = input.slider(i);
        if (!slider)
            continue;
        const skin::Rect& track = slider->track;
        const int width = panelWidth - track.right() - kGap - kEdge;
        if (width < kMinimumWidth)
            continue;
        auto* readout = new Readout(panel);  // owned by the panel window
        readout->setGeometry(track.right() + kGap, track.y, width, track.height);
        readout->setText(QString::number(slider->value));
        readout->show();
        readouts[i] = readout;
    }
    if (readouts.empty())
        return;
    panel.setSliderObserver([readouts](int button, int value) {
        if (const auto it = readouts.find(button); it != readouts.end() && it->second)
            it->second->setText(QString::number(value));
    });
}

}  // namespace lv::app
