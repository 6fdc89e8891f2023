#pragma once
// The placement block of the layered stream: a placed layer's matrix and the offsets of
// the blocks holding its untouched source image and mask, so that a reopened document
// transforms on from the same source. Named by table word 40, which older readers skip.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/layer_stack.h"

#include <cstdint>
#include <optional>

namespace lv {

// Block header, nine little-endian doubles, two offsets.
inline constexpr std::size_t kPlacementBlockSize = 16 + 9 * 8 + 8;

struct PlacementBlock {
    Placement matrix{};
    std::uint32_t sourceImageOffset = 0;  // stream offsets of two picture blocks
    std::uint32_t sourceMaskOffset = 0;
};

bool WritePlacementBlock(ByteSink& sink, const PlacementBlock& block);

// The block at `position`; nothing when its header is not a placement block's, the
// source offsets are 0 or the matrix is not finite with a third row of (0, 0, 1).
std::optional<PlacementBlock> ReadPlacementBlock(ByteSource& source, std::uint64_t position);

// Whether a stored matrix could have placed a source of this size as the layer stands:
// not degenerate, and mapping the source onto a box within half to twice the layer's
// size, so that later renders from it stay the layer's size however the file was made.
bool PlacementFitsLayer(const Placement& m, int sourceWidth, int sourceHeight, int layerWidth, int layerHeight);

}  // namespace lv
