#include "imagelib/colour/colour_transform.h"

#include "imagelib/colour/lcms_handles.h"

#include <algorithm>

namespace lv {

struct ColourTransform::Handles {
    lcms::Context context;
    cmsHTRANSFORM transform = nullptr;
    ~Handles()
    {
        if (transform)
            cmsDeleteTransform(transform);
    }
};

ColourTransform::ColourTransform(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles))
{
}

ColourTransform::~ColourTransform() = default;

std::shared_ptr<const ColourTransform> ColourTransform::Create(std::span<const std::uint8_t> source,
                                                               std::span<const std::uint8_t> target)
{
    auto handles = std::make_unique<Handles>();
    handles->context = lcms::SilentContext();
    cmsContext context = handles->context.get();
    const lcms::Profile from = lcms::OpenProfile(context, source);
    const lcms::Profile to = target.empty() ? lcms::OpenSrgb(context) : lcms::OpenProfile(context, target);
    if (!lcms::IsRgb(from.get()) || !lcms::IsRgb(to.get()))
        return nullptr;
    // Perceptual first, as viewers do; a profile without that table falls back to colorimetric.
    for (const cmsUInt32Number intent : {INTENT_PERCEPTUAL, INTENT_RELATIVE_COLORIMETRIC}) {
        handles->transform = cmsCreateTransformTHR(context, from.get(), TYPE_BGR_8, to.get(), TYPE_BGR_8, intent, 0);
        if (handles->transform)
            break;
    }
    if (!handles->transform)
        return nullptr;
    return std::shared_ptr<const ColourTransform>(new ColourTransform(std::move(handles)));
}

void ColourTransform::applyToRow(std::uint8_t* row, int width) const
{
    if (width > 0)
        cmsDoTransform(handles_->transform, row, row, cmsUInt32Number(width));
}

void ColourTransform::applyToPicture(HDIB& picture) const
{
    if (!picture || picture.bitCount() != 24 || picture.width() <= 0)
        return;
    const int height = std::abs(picture.height());
    const auto stride = cmsUInt32Number(picture.stride());
    cmsDoTransformLineStride(handles_->transform, picture.pixels(), picture.pixels(), cmsUInt32Number(picture.width()),
                             cmsUInt32Number(height), stride, stride, 0, 0);
}

std::shared_ptr<const ColourTransform> ColourTransformCache::find(std::span<const std::uint8_t> source,
                                                                  std::span<const std::uint8_t> target)
{
    Key key{{source.begin(), source.end()}, {target.begin(), target.end()}};
    std::lock_guard lock(mutex_);
    if (const auto found = kept_.find(key); found != kept_.end())
        return found->second;
    // Refused profiles are kept too, so a damaged one is not parsed again on every paint.
    auto made = ColourTransform::Create(source, target);
    if (order_.size() >= kMaxKept) {
        kept_.erase(order_.front());
        order_.erase(order_.begin());
    }
    order_.push_back(key);
    kept_.emplace(std::move(key), made);
    return made;
}

}  // namespace lv
