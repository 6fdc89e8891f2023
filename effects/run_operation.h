#pragma once
// What the whole-picture and the part-of-picture paths share: checking a call and running
// an operation on a raster.

#include "effects/operation.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <optional>

namespace lv::effects {

struct CheckedCall {
    const OperationSpec* spec = nullptr;
    Parameters parameters;
};

// The operation and its clamped parameters, or nothing when the call must fail.
std::optional<CheckedCall> CheckCall(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters,
                                     std::int32_t count);

// A top-down view of a picture block's rows.
ConstRaster ViewOf(const HDIB& picture);
Raster ViewOf(HDIB& picture);

// A fresh picture of the given size with `like`'s depth, colour table and resolution; null
// without a message when memory runs out.
HDIB NewPictureLike(const HDIB& like, int width, int height);

// Runs the operation from `in` into `out` (same size), widening grey for colour-only
// operations and copying when a neighbourhood operation meets a picture under 2 pixels.
void RunOperation(const CheckedCall& call, ConstRaster in, Raster out, const Context& ctx, int pictureWidth,
                  int pictureHeight);

int ResolveThreads(int requested);

}  // namespace lv::effects
