#pragma once
// Readouts of the panels' sliders: a slider whose track leaves room before the panel's right
// edge, with no other control there, shows its value in a "SuperStatic" readout there,
// following the thumb.

namespace lv::app {

class SkinPanelWidget;

// Gives the panel's sliders their readouts (once per panel window).
void AttachSliderReadouts(SkinPanelWidget& panel);

}  // namespace lv::app
