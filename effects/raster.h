#pragma once
// Views of 8-bit pixel rows, counted from the top, and rasters that own their samples.
// Pixels hold one sample (grey) or three (blue, green, red, as in the picture block).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace lv::effects {

template<typename Sample>
struct RasterView {
    Sample* top = nullptr;       // first sample of the top row
    std::ptrdiff_t stride = 0;   // from one row to the one below; negative for bottom-up blocks
    int width = 0;
    int height = 0;
    int channels = 0;

    Sample* row(int y) const { return top + std::ptrdiff_t(y) * stride; }
    std::size_t rowSamples() const { return std::size_t(width) * std::size_t(channels); }

    // A writable view reads as a read-only one.
    operator RasterView<const Sample>() const
        requires(!std::is_const_v<Sample>)
    {
        return {top, stride, width, height, channels};
    }
};

using Raster = RasterView<std::uint8_t>;
using ConstRaster = RasterView<const std::uint8_t>;

// A raster with its own zeroed, tightly packed rows.
class OwnedRaster {
public:
    OwnedRaster() = default;
    OwnedRaster(int width, int height, int channels)
        : samples_(std::size_t(width) * std::size_t(height) * std::size_t(channels)),
          width_(width), height_(height), channels_(channels)
    {
    }
    Raster view()
    {
        return {samples_.data(), std::ptrdiff_t(width_) * channels_, width_, height_, channels_};
    }
    ConstRaster view() const
    {
        return {samples_.data(), std::ptrdiff_t(width_) * channels_, width_, height_, channels_};
    }
    int width() const { return width_; }
    int height() const { return height_; }
    int channels() const { return channels_; }

private:
    std::vector<std::uint8_t> samples_;
    int width_ = 0;
    int height_ = 0;
    int channels_ = 0;
};

inline std::uint8_t ClampByte(int v)
{
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}
// Branch-free so loops around it vectorise.
inline std::uint8_t ClampByte(float v)
{
    v += 0.5f;
    v = v < 0.0f ? 0.0f : v;
    v = v > 255.0f ? 255.0f : v;
    return std::uint8_t(int(v));
}

// Rec. 601 luma of a blue-green-red pixel, 0–255.
inline int Luma(const std::uint8_t* bgr)
{
    return (29 * bgr[0] + 150 * bgr[1] + 77 * bgr[2] + 128) >> 8;
}

// Copies every row of `from` into `to` (same size and channels).
void CopyRaster(ConstRaster from, Raster to);

// A grey raster widened to three equal channels, and back by luma.
OwnedRaster WidenToColour(ConstRaster grey);
void NarrowToGrey(ConstRaster colour, Raster grey);

}  // namespace lv::effects
