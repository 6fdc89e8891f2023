#include "app/core/effect_thumbnails.h"

#include "effects/enhance_and_effect.h"
#include "effects/region_preview.h"
#include "effects/run_operation.h"
#include "effects/slider_mapping.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// The whole picture averaged down to fit the box.
HDIB ScaledToFit(const HDIB& picture, int boxWidth, int boxHeight)
{
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0 || !picture.hasValidLayout() || (picture.bitCount() != 24 && picture.bitCount() != 8))
        return {};
    const double fit = std::min({1.0, double(boxWidth) / w, double(boxHeight) / h});
    const int tw = std::clamp(int(w * fit + 0.5), 1, w), th = std::clamp(int(h * fit + 0.5), 1, h);
    const effects::OwnedRaster small = effects::ScaledPart(picture, tw, th, {0, 0, tw, th}, 1);
    HDIB thumbnail = effects::NewPictureLike(picture, tw, th);
    if (!thumbnail)
        return {};
    const effects::ConstRaster from = small.view();
    const effects::Raster to = effects::ViewOf(thumbnail);
    for (int y = 0; y < th; ++y)
        std::memcpy(to.row(y), from.row(y), to.rowSamples());
    return thumbnail;
}

}  // namespace

EffectThumbnails::EffectThumbnails(int width, int height)
    : width_(std::max(1, width))
    , height_(std::max(1, height))
{
}

bool EffectThumbnails::follows(const SharedPicture& picture) const
{
    return picture ? hasPicture_ && picture.matches(stamp_) : !hasPicture_;
}

void EffectThumbnails::setPicture(const SharedPicture& picture)
{
    if (follows(picture))
        return;
    done_.clear();
    base_ = picture ? ScaledToFit(picture.read(), width_, height_) : HDIB();
    hasPicture_ = bool(picture);
    stamp_ = picture ? picture.stamp() : PictureStamp();
}

void EffectThumbnails::setStrength(int strength)
{
    strength_ = std::clamp(strength, 0, effects::kSliderMax);
}

const HDIB* EffectThumbnails::find(int code) const
{
    const auto it = done_.find({strength_, code});
    return it == done_.end() ? nullptr : &it->second;
}

std::optional<int> EffectThumbnails::computeNext(std::span<const int> codes)
{
    if (!base_)
        return std::nullopt;
    const auto missing = std::find_if(codes.begin(), codes.end(), [this](int code) { return !find(code); });
    if (missing == codes.end())
        return std::nullopt;
    const effects::OperationCall call = effects::EffectCall(*missing, strength_);
    // One thread: the pictures are tiny and this runs between the user's events.
    HDIB result = effects::DoEnhanceAndEffect(base_, call.operation, call.parameters.data(), std::int32_t(call.parameters.size()),
                                              nullptr, effects::EffectOptions{1});
    done_[{strength_, *missing}] = result ? std::move(result) : CopyPicture(base_);
    return *missing;
}

}  // namespace lv
