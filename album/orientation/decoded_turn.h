#pragma once
// The turn of the formats whose blocks can't be moved: decode, turn, save again.

#include "album/orientation/photo_turn.h"

#include <cstdint>
#include <span>

namespace lv::orientation {

// `head` is the start of the file (for what the decoder does not tell: a PNG's sample depth,
// a WebP's lossless coding).
TurnOutcome TurnDecodedPhoto(const std::string& path, std::span<const std::uint8_t> head, const TurnRequest& request);

}  // namespace lv::orientation
