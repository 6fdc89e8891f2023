#include "app/widgets/slider_labels.h"

#include "app/widgets/qt_text.h"
#include "app/widgets/skin_panel_widget.h"

namespace lv::app {

void AttachSliderLabels(SkinPanelWidget& panel)
{
    const skin::PanelInput& input = panel.input();
    for (int i = 1; i < int(input.size()); ++i) {
        const skin::ButtonDefinition& track = input.control(i - 1).definition;
        if (input.slider(i) && track.kind == skin::ButtonKind::SliderTrack && track.tooltip >= 0)
            panel.setSliderLabel(i, StringText(track.tooltip));
    }
}

}  // namespace lv::app
