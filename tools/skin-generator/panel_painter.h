#pragma once
// Draws the background picture of each panel, and the product's other pictures: the splash
// shown in an empty workspace, the indicator lamps and the logo.

#include "app/skin/screen_table.h"

#include <QImage>
#include <QPainter>

namespace lv::skingen {

// The panel's background: the main window's size for panels 0 and 28, the table's for the others.
QImage PaintPanelBackground(int panel, skin::SkinVariant variant);

QImage PaintSplash(skin::SkinVariant variant);
QImage PaintIndicator(bool lit);

// The program's mark: a six-bladed aperture in the colours of the areas.
void DrawLogoMark(QPainter& painter, const QRectF& box);

}  // namespace lv::skingen
