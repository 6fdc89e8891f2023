#pragma once
// The labels over the panels' sliders: drawn by the program rather than baked into the skin's
// picture, so a panel can say what each slider does in its current mode, and a hidden slider
// takes its label along (`SkinPanelWidget::setSliderLabel`).

namespace lv::app {

class SkinPanelWidget;

// Labels each slider of the panel with its track's tooltip text (once per panel window).
void AttachSliderLabels(SkinPanelWidget& panel);

}  // namespace lv::app
