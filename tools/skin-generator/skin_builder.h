#pragma once
// Writes every picture and sound file of the skin into a program folder.

#include <string>

namespace lv::skingen {

// "ui/button.800", "ui/button.640", the screen backgrounds, the splash pictures, the
// indicator lamps and the click sounds. False (with a reason on stderr) on any failure.
bool WriteSkinFiles(const std::string& programDir);

}  // namespace lv::skingen
