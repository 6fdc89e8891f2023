#pragma once
// Toning and darkened corners, shared by the effects that age or frame a picture.

#include "effects/operation.h"
#include "effects/point_ops.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

// Channel `c` (0 blue, 1 green, 2 red) of a brown tone for a grey level; `depth` 0 gives
// plain grey, 1 a deep brown.
inline Curve SepiaCurve(int c, double depth)
{
    const double exponent[3] = {1.0 + 0.6 * depth, 1.0 - 0.02 * depth, 1.0 - 0.25 * depth};
    const double gain[3] = {1.0 - 0.2 * depth, 1.0 - 0.05 * depth, 1.0};
    return MakeCurve([e = exponent[c], g = gain[c]](double x) { return g * std::pow(x, e); });
}

// Darkening toward the corners of the whole picture: factor 1 in the middle, 1 − amount
// in the corners, smooth in between.
class Vignette {
public:
    Vignette(const Context& ctx, double amount)
        : ctx_(ctx), amount_(float(std::clamp(amount, 0.0, 1.0))),
          halfW_(std::max(1.0f, ctx.fullWidth / 2.0f)), halfH_(std::max(1.0f, ctx.fullHeight / 2.0f))
    {
    }
    float factor(int x, int y) const
    {
        const float nx = (ctx_.originX + x + 0.5f - halfW_) / halfW_;
        const float ny = (ctx_.originY + y + 0.5f - halfH_) / halfH_;
        const float r = std::sqrt(nx * nx + ny * ny);
        const float t = std::clamp((r - 0.45f) / (1.35f - 0.45f), 0.0f, 1.0f);
        return 1.0f - amount_ * t * t * (3.0f - 2.0f * t);
    }

private:
    const Context& ctx_;
    float amount_;
    float halfW_;
    float halfH_;
};

}  // namespace lv::effects
