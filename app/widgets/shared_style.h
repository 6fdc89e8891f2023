#pragma once
// The main window's shared look: the brush colour (red 155, green 158, blue 162) and the
// "Arial" font of height 15 that its fields and texts use.

#include <QColor>
#include <QFont>

namespace lv::app {

inline constexpr int kSharedRed = 155;
inline constexpr int kSharedGreen = 158;
inline constexpr int kSharedBlue = 162;
inline constexpr int kSharedFontHeight = 15;

QColor SharedBrushColour();
QFont SharedFont();

// A font whose character cell (ascent plus descent) is at most `height` pixels: the
// program's font heights count the whole cell, not the em square.
QFont FontOfHeight(const QString& family, int height);

}  // namespace lv::app
