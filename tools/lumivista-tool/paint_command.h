#pragma once
#include "command.h"

#include "common/geometry.h"
#include "imagelib/rgb_triple.h"

#include <optional>
#include <string>
#include <vector>

namespace lv::tool {

// "paint IN OUT --tool NAME [options] (--stroke ... [--rest N] | --click X,Y | --drag ...)":
// one stroke, click or drag of a painting or fill tool on a document.
int RunPaint(std::string_view name, Arguments args);

// "X,Y;X,Y;..." (at least one point), "R,G,B" (each 0..255) and "L,T,R,B" (right > left,
// bottom > top); nothing for anything else.
std::optional<std::vector<Point>> ParsePointList(const std::string& text);
std::optional<RgbTriple> ParseColour(const std::string& text);
std::optional<Rect> ParseRectangle(const std::string& text);

}  // namespace lv::tool
