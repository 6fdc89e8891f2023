#pragma once
// What the main window does with files dropped on it, by screen.

#include <span>
#include <string>
#include <vector>

namespace lv::skin {

enum class DropAction {
    Ignore,         // nothing was dropped
    Refuse,         // a beep, nothing else
    AddToWebAlbum,  // every dropped name joins the album being built
    Open,           // the first file, if the open check accepts it, in a new image window
};

struct DropDecision {
    DropAction action = DropAction::Ignore;
    std::vector<std::string> files;
};

// Only the first file counts, except on the web album screen (30), which takes them all;
// screens whose second panel is 29 or 31 refuse drops. Names keep their case: Linux file
// names are case-sensitive.
DropDecision DecideDrop(int screen, std::span<const std::string> files);

}  // namespace lv::skin
