#pragma once
// Draws a skin button in its three states over the panel background beneath it.

#include "app/skin/button_table.h"
#include "app/skin/panel_input.h"

#include <QColor>
#include <QImage>

namespace lv::skingen {

// The picture of `button` in `state`, the size of its rectangle, painted over the part of
// `panelBackground` it covers. `accent` is the colour of the panel's area.
QImage PaintButton(const skin::ButtonDefinition& button, const QRect& rect, const QImage& panelBackground,
                   skin::ImageState state, const QColor& accent);

}  // namespace lv::skingen
