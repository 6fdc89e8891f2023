#pragma once
// The text of an image window's caption strip: which picture it is, how large, at what zoom.

#include <string>
#include <string_view>

namespace lv {

// "praia.jpg — 800 × 600 — 33%": the file's name without its folder (an untitled name as it
// is), the document's size in pixels and the zoom percentage.
std::string WindowCaption(std::string_view title, int width, int height, int zoom);

}  // namespace lv
