#include "layer_art.h"

#include "edit/layer_pictures.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cmath>

namespace lv::artwork {
namespace {

constexpr std::int32_t kPixelsPerMetre = 3937;  // 100 pixels an inch

float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

std::uint8_t toByte(float v)
{
    return std::uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f);
}

}  // namespace

Rect Around(Point centre, float halfWidth, float halfHeight)
{
    return {int(std::floor(centre.x - halfWidth)) - 1, int(std::floor(centre.y - halfHeight)) - 1,
            int(std::ceil(centre.x + halfWidth)) + 2, int(std::ceil(centre.y + halfHeight)) + 2};
}

LayerArt::LayerArt(int width, int height, Colour matte, float alpha)
    : width_(width)
    , height_(height)
    , colour_(std::size_t(width) * std::size_t(height), matte)
    , alpha_(std::size_t(width) * std::size_t(height), alpha)
{
}

LayerArt::LayerArt(int width, int height, Colour matte)
    : LayerArt(width, height, matte, 0)
{
}

LayerArt LayerArt::Opaque(int width, int height, const Fill& fill)
{
    LayerArt art(width, height, Colour{}, 1);
    art.each(fill);
    return art;
}

Rect LayerArt::clip(std::optional<Rect> within) const
{
    const Rect b = within.value_or(Rect{0, 0, width_, height_});
    return {std::max(0, b.left), std::max(0, b.top), std::min(width_, b.right), std::min(height_, b.bottom)};
}

// Paints over what is there: where the layer was transparent the new colour shows whole,
// so edges never mix with the matte.
void LayerArt::blend(int x, int y, float a, Colour c)
{
    if (a <= 0)
        return;
    a = std::min(a, 1.0f);
    const std::size_t i = index(x, y);
    const float old = alpha_[i];
    const float now = old + a * (1 - old);
    const float keep = old * (1 - a) / now;
    Colour& out = colour_[i];
    out = {out.r * keep + c.r * (1 - keep), out.g * keep + c.g * (1 - keep), out.b * keep + c.b * (1 - keep)};
    alpha_[i] = now;
}

void LayerArt::paint(const Shape& shape, const Fill& fill, float opacity, std::optional<Rect> within)
{
    const Rect b = clip(within);
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) {
            const Point p{float(x) + 0.5f, float(y) + 0.5f};
            const float a = clamp01(0.5f - shape(p)) * opacity;
            if (a > 0)
                blend(x, y, a, fill(p));
        }
}

void LayerArt::outline(const Shape& shape, Colour colour, float width, float opacity, std::optional<Rect> within)
{
    const Rect b = clip(within);
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) {
            const Point p{float(x) + 0.5f, float(y) + 0.5f};
            blend(x, y, clamp01(width / 2 + 0.5f - std::fabs(shape(p))) * opacity, colour);
        }
}

void LayerArt::shadow(const Shape& shape, float dx, float dy, float softness, float opacity, std::optional<Rect> within)
{
    const Rect b = clip(within);
    const Colour dark = Rgb(30, 30, 40);
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) {
            const Point p{float(x) + 0.5f - dx, float(y) + 0.5f - dy};
            blend(x, y, clamp01(0.5f - shape(p) / (2 * softness)) * opacity, dark);
        }
}

void LayerArt::erase(const Shape& shape, float softness, std::optional<Rect> within)
{
    const Rect b = clip(within);
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x) {
            const Point p{float(x) + 0.5f, float(y) + 0.5f};
            alpha_[index(x, y)] *= 1 - clamp01(0.5f - shape(p) / softness);
        }
}

void LayerArt::stamp(const HDIB& coverage, int left, int top, const Fill& fill, float opacity)
{
    if (!coverage)
        return;
    const Rect b = clip(Rect{left, top, left + coverage.width(), top + coverage.height()});
    for (int y = b.top; y < b.bottom; ++y) {
        const std::uint8_t* row = coverage.row(coverage.height() - 1 - (y - top));
        for (int x = b.left; x < b.right; ++x)
            if (const std::uint8_t c = row[x - left])
                blend(x, y, float(c) / 255 * opacity, fill({float(x) + 0.5f, float(y) + 0.5f}));
    }
}

void LayerArt::each(const Fill& colourAt)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            colour_[index(x, y)] = colourAt({float(x) + 0.5f, float(y) + 0.5f});
}

HDIB LayerArt::image() const
{
    HDIB out = AllocatePicture(width_, height_, 24, 0);
    if (!out)
        return out;
    out.header().biXPelsPerMeter = out.header().biYPelsPerMeter = kPixelsPerMetre;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = out.row(height_ - 1 - y);
        for (int x = 0; x < width_; ++x, row += 3) {
            const Colour c = colour_[index(x, y)];
            row[0] = toByte(c.b), row[1] = toByte(c.g), row[2] = toByte(c.r);
        }
    }
    return out;
}

HDIB LayerArt::mask() const
{
    HDIB out = MakeGreyFilled(width_, height_, 0);
    if (!out)
        return out;
    out.header().biXPelsPerMeter = out.header().biYPelsPerMeter = kPixelsPerMetre;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = out.row(height_ - 1 - y);
        for (int x = 0; x < width_; ++x)
            row[x] = toByte(alpha_[index(x, y)] * 255);
    }
    return out;
}

}  // namespace lv::artwork
