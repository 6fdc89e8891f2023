#pragma once
// lumivista-tool panorama: one picture stitched from overlapping photos taken in a row.

#include "command.h"

namespace lv::tool {

// panorama OUT IN1 IN2 ... [--crop] [--json]
int RunPanorama(std::string_view name, Arguments args);

}  // namespace lv::tool
