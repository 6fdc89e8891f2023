#pragma once
// lumivista-tool slideshow: the slide show's transitions from the command line.

#include "command.h"

namespace lv::tool {

// slideshow frames OLD NEW OUTDIR --transition NAME --variant N [--size WxH] [--every K]
//                  [--seed S] [--format EXT] [--json]
// slideshow list [--json]
int RunSlideshow(std::string_view name, Arguments args);
int RunSlideshowFrames(Arguments args);
int RunSlideshowList(Arguments args);

}  // namespace lv::tool
