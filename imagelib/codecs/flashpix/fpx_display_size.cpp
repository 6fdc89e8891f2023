#include "imagelib/codecs/flashpix/fpx_display_size.h"

#include "imagelib/codecs/flashpix/fpx_layout.h"

#include <cmath>
#include <limits>

namespace lv::flashpix {
namespace {

constexpr double kMetresPerInch = 0.0254;

double metresPer(std::uint32_t unit)
{
    switch (unit) {
    case kInches:
        return kMetresPerInch;
    case kMetres:
        return 1.0;
    case kCentimetres:
        return 0.01;
    case kMillimetres:
        return 0.001;
    default:
        return 0.0;
    }
}

std::int32_t pixelsPerMetre(std::uint32_t pixels, std::optional<float> length, double metresPerUnit)
{
    if (!length || !std::isfinite(*length) || *length <= 0 || metresPerUnit <= 0)
        return 0;
    const double value = std::round(double(pixels) / (double(*length) * metresPerUnit));
    if (!(value >= 1 && value <= double(std::numeric_limits<std::int32_t>::max())))
        return 0;
    return std::int32_t(value);
}

}  // namespace

void AddDisplaySize(PropertySetWriter& contents, std::uint32_t width, std::uint32_t height, PixelsPerMetre resolution)
{
    if (resolution.x <= 0 || resolution.y <= 0)
        return;
    // Inches, the unit readers assume first.
    contents.addR4(kDisplayHeight, float(double(height) / (resolution.y * kMetresPerInch)));
    contents.addR4(kDisplayWidth, float(double(width) / (resolution.x * kMetresPerInch)));
    contents.addUI4(kDisplayUnits, kInches);
}

PixelsPerMetre ResolutionOf(const PropertySet& contents, std::uint32_t width, std::uint32_t height)
{
    const double unit = metresPer(contents.uint32(kDisplayUnits).value_or(kInches));
    return {pixelsPerMetre(width, contents.float32(kDisplayWidth), unit),
            pixelsPerMetre(height, contents.float32(kDisplayHeight), unit)};
}

}  // namespace lv::flashpix
