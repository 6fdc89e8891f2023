#pragma once
// A bitmap file of the program folder ("ui/Indicator.640") as an image for drawing.

#include <QImage>

#include <string_view>

namespace lv::app {

// A missing or unreadable file gives a null image, without a word: the picture is left out.
QImage ProgramPicture(std::string_view name);

}  // namespace lv::app
