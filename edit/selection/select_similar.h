#pragma once
// Selecting the pixels whose colour is like a seed pixel's: contiguously from the seed
// (4-connected: a diagonal step alone does not connect) or anywhere in the picture.

#include "common/geometry.h"
#include "edit/selection/colour_match.h"
#include "imagelib/dib.h"

namespace lv {

// A mask the size of the picture with the matching pixels 4-connected to pixel (x, y)
// (rows from the top; clamped into the picture). Null for a picture that is not 1-, 4-,
// 8- or 24-bit, when memory runs out, or when the cancel test stopped the fill.
// `bounds`, when given, receives the rectangle of the marked pixels.
HDIB SelectSimilar(const HDIB& picture, int x, int y, SimilarityMode mode, ChannelLimits limits,
                   Rect* bounds = nullptr);

// The same test applied to every pixel of the picture.
HDIB SelectSimilarGlobal(const HDIB& picture, int x, int y, SimilarityMode mode, ChannelLimits limits,
                         Rect* bounds = nullptr);

}  // namespace lv
