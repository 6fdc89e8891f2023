#include "app/widgets/slider_readouts.h"

#include "app/widgets/qt_geometry.h"
#include "app/widgets/readout.h"
#include "app/widgets/skin_panel_widget.h"

#include <QPointer>

#include <map>

namespace lv::app {
namespace {

constexpr int kGap = 4;         // between the track and the readout
constexpr int kEdge = 6;        // between the readout and the panel's edge
constexpr int kMinimumWidth = 24;

// Whether a readout there would cover another of the panel's controls (a field or a button
// of the slider's own that shows the value already).
bool Covers(const skin::PanelInput& input, const skin::Rect& place)
{
    for (int i = 0; i < int(input.size()); ++i)
        if (input.control(i).rect.intersects(place))
            return true;
    return false;
}

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
        const skin::Rect place = skin::Rect::fromSize(track.right + kGap, track.top, panelWidth - track.right - kGap - kEdge,
                                                     track.height());
        if (place.width() < kMinimumWidth || Covers(input, place))
            continue;
        auto* readout = new Readout(panel);  // owned by the panel window
        readout->setGeometry(ToQRect(place));
        readout->setProperty(kSliderOfReadout, i + 1);
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
