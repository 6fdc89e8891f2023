#pragma once
// Animated GIF: GIF89a with the looping application block ("NETSCAPE2.0") and a graphic
// control before each image carrying its delay; each frame written whole (disposal "leave
// in place"). One median-cut palette for all frames, or one per frame.

#include "common/byte_sink.h"
#include "output/animation/animation.h"

namespace lv::animation {

// `loop`: plays, 0 forever (one play writes no looping block). False when the sink failed,
// memory ran out, or the frames differ in size.
bool WriteAnimatedGif(ByteSink& sink, std::span<const Frame> frames, int loop, bool sharedPalette);

}  // namespace lv::animation
