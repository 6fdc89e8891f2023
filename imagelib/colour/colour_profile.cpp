#include "imagelib/colour/colour_profile.h"

#include "imagelib/colour/lcms_handles.h"

#include <array>

namespace lv {

std::optional<std::string> ColourProfileDescription(std::span<const std::uint8_t> profile)
{
    const lcms::Context context = lcms::SilentContext();
    const lcms::Profile opened = lcms::OpenProfile(context.get(), profile);
    if (!opened)
        return std::nullopt;
    std::array<char, 256> text{};
    const cmsUInt32Number length
        = cmsGetProfileInfoASCII(opened.get(), cmsInfoDescription, "en", "US", text.data(), cmsUInt32Number(text.size()));
    if (length == 0)
        return std::string();
    text.back() = '\0';
    return std::string(text.data());
}

bool IsUsableRgbProfile(std::span<const std::uint8_t> profile)
{
    const lcms::Context context = lcms::SilentContext();
    return lcms::IsRgb(lcms::OpenProfile(context.get(), profile).get());
}

std::vector<std::uint8_t> SrgbProfileBytes()
{
    const lcms::Context context = lcms::SilentContext();
    const lcms::Profile srgb = lcms::OpenSrgb(context.get());
    cmsUInt32Number size = 0;
    if (!srgb || !cmsSaveProfileToMem(srgb.get(), nullptr, &size) || size == 0)
        return {};
    std::vector<std::uint8_t> bytes(size);
    if (!cmsSaveProfileToMem(srgb.get(), bytes.data(), &size))
        return {};
    bytes.resize(size);
    return bytes;
}

}  // namespace lv
