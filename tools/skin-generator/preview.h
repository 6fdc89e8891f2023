#pragma once
// Pictures of whole screens composed from the files of a program folder, the way the main
// window shows them when no document is open.

#include "app/skin/screen_table.h"

#include <QImage>
#include <string>

namespace lv::skingen {

// Null when a panel of the screen could not be loaded. `hoverControl`, when not 0, is drawn
// with its hover picture.
QImage RenderScreen(const std::string& programDir, int screen, skin::SkinVariant variant, int hoverControl = 0);

}  // namespace lv::skingen
