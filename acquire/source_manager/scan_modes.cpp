#include "acquire/source_manager/scan_modes.h"

#include <algorithm>
#include <cctype>

namespace lv::twain {
namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

bool OffersDepth(const SaneDevice& device, int depth)
{
    const NumberChoices choices = device.numberChoices("depth");
    if (choices.isRange)
        return depth >= choices.min && depth <= choices.max;
    return std::find(choices.values.begin(), choices.values.end(), double(depth)) != choices.values.end();
}

}  // namespace

std::optional<TW_UINT16> PixelTypeOfMode(std::string_view mode)
{
    const std::string m = Lower(mode);
    const auto has = [&m](std::string_view part) { return m.find(part) != std::string::npos; };
    if (has("color") || has("colour"))
        return TWPT_RGB;
    if (has("lineart") || has("binary") || has("halftone") || has("black"))
        return TWPT_BW;
    if (has("gray") || has("grey"))
        return TWPT_GRAY;
    return std::nullopt;
}

std::vector<ModeSetting> PixelTypeSettings(const SaneDevice& device)
{
    std::vector<ModeSetting> found;
    const auto add = [&found](ModeSetting setting) {
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const ModeSetting& s) { return s.pixelType == setting.pixelType; });
        if (!known)
            found.push_back(std::move(setting));
    };
    const bool hasDepth = device.settable("depth");
    for (const std::string& mode : device.textChoices("mode")) {
        const auto type = PixelTypeOfMode(mode);
        if (!type)
            continue;
        // A plain line-art mode ("Lineart") is preferred over a halftone for black and white.
        if (*type == TWPT_BW && Lower(mode).find("halftone") != std::string::npos)
            continue;
        add({*type, mode, (*type != TWPT_BW && hasDepth && OffersDepth(device, 8)) ? 8 : 0});
        if (*type == TWPT_GRAY && hasDepth && OffersDepth(device, 1))
            add({TWPT_BW, mode, 1});
    }
    if (found.empty()) {
        // Devices without a usable mode list scan in whatever they scan in.
        if (const auto type = CurrentPixelType(device))
            found.push_back({*type, {}, 0});
    }
    std::sort(found.begin(), found.end(), [](const ModeSetting& a, const ModeSetting& b) { return a.pixelType < b.pixelType; });
    return found;
}

std::optional<ModeSetting> SettingForPixelType(const SaneDevice& device, TW_UINT16 pixelType)
{
    for (ModeSetting& setting : PixelTypeSettings(device))
        if (setting.pixelType == pixelType)
            return setting;
    return std::nullopt;
}

bool ApplyPixelType(SaneDevice& device, TW_UINT16 pixelType)
{
    const auto setting = SettingForPixelType(device, pixelType);
    if (!setting)
        return false;
    if (!setting->mode.empty() && !device.setText("mode", setting->mode))
        return false;
    if (setting->depth != 0 && !device.setNumber("depth", setting->depth))
        return false;
    return true;
}

std::optional<TW_UINT16> CurrentPixelType(const SaneDevice& device)
{
    if (const auto mode = device.text("mode")) {
        auto type = PixelTypeOfMode(*mode);
        if (type && *type == TWPT_GRAY && device.number("depth").value_or(8) == 1)
            type = TWPT_BW;
        if (type)
            return type;
    }
    SANE_Parameters p{};
    if (sane_get_parameters(device.handle(), &p) != SANE_STATUS_GOOD)
        return std::nullopt;
    if (p.format == SANE_FRAME_GRAY)
        return p.depth == 1 ? TWPT_BW : TWPT_GRAY;
    return TWPT_RGB;
}

}  // namespace lv::twain
