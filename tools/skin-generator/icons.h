#pragma once
// The program's icon set: simple line drawings on a 24-unit grid, drawn in any colour.

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <string_view>

namespace lv::skingen {

// Draws the icon scaled into `box` (keeping its square shape) in `colour`.
void DrawIcon(QPainter& painter, std::string_view name, const QRectF& box, const QColor& colour);

}  // namespace lv::skingen
