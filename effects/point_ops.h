#pragma once
// Pixel-by-pixel operations through lookup tables: cost per pixel is a few table reads
// whatever the curve.

#include "effects/raster.h"

#include <array>
#include <cstdint>
#include <functional>

namespace lv::effects {

using Curve = std::array<std::uint8_t, 256>;
using ColourMatrix = std::array<std::array<double, 3>, 3>;  // rows and columns in blue, green, red order

// A curve from a function on 0–1, rounded and clamped.
Curve MakeCurve(const std::function<double(double)>& f);
Curve IdentityCurve();

// The same curve on every sample.
void ApplyCurve(ConstRaster in, Raster out, const Curve& curve, int threads);
// One curve per channel (blue, green, red) of a colour raster.
void ApplyCurves(ConstRaster in, Raster out, const std::array<Curve, 3>& curves, int threads);
// out_i = Σ_j m[i][j] · curve_j(in_j) for a colour raster, in one pass of table reads.
void ApplyMatrix(ConstRaster in, Raster out, const std::array<Curve, 3>& curves, const ColourMatrix& m, int threads);

// The curve on every sample, then saturation scaled by `factor` keeping luma: six table
// reads a pixel instead of the nine of a general matrix.
void ApplySaturation(ConstRaster in, Raster out, const Curve& curve, double factor, int threads);

ColourMatrix IdentityMatrix();
ColourMatrix Multiply(const ColourMatrix& a, const ColourMatrix& b);
// Scales saturation by `factor` (0 grey, 1 unchanged) keeping luma.
ColourMatrix SaturationMatrix(double factor);
// Turns hues by `radians` around the grey axis.
ColourMatrix HueRotationMatrix(double radians);

}  // namespace lv::effects
