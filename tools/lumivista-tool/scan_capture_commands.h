#pragma once
// Bringing pictures in from the command line: scanners, video capture and the screen.

#include "command.h"

namespace lv::tool {

int RunScan(std::string_view name, Arguments args);
int RunCapture(std::string_view name, Arguments args);
int CaptureVideo(Arguments args);
int CaptureScreen(Arguments args);

}  // namespace lv::tool
