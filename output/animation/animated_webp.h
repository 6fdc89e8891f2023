#pragma once
// Animated WebP through libwebp's animation encoder (libwebpmux): lossy frames of the given
// quality, each frame's time and the loop count in the file's animation header.

#include "output/animation/animation.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv::animation {

// `loop`: plays, 0 forever. Nothing when the encoder refused or memory ran out.
std::optional<std::vector<std::uint8_t>> EncodeAnimatedWebp(std::span<const Frame> frames, int loop, int quality);

}  // namespace lv::animation
