#pragma once
// The protocol's pixel types in terms of a device's scan modes: colour, grey, and black and
// white (a line-art mode, or grey at one bit per sample where the device has no such mode).

#include "acquire/source_manager/sane_device.h"
#include "acquire/twain_protocol.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::twain {

// The pixel type a mode's name stands for, or nothing for modes this source doesn't offer.
std::optional<TW_UINT16> PixelTypeOfMode(std::string_view mode);

struct ModeSetting {
    TW_UINT16 pixelType = TWPT_RGB;
    std::string mode;  // empty: the device has no mode option
    int depth = 0;     // 0: the device's depth option is left alone
};

// Every pixel type the device can give, in the order TWPT_BW, TWPT_GRAY, TWPT_RGB.
std::vector<ModeSetting> PixelTypeSettings(const SaneDevice& device);
std::optional<ModeSetting> SettingForPixelType(const SaneDevice& device, TW_UINT16 pixelType);
bool ApplyPixelType(SaneDevice& device, TW_UINT16 pixelType);
// The pixel type of the device's current mode and depth.
std::optional<TW_UINT16> CurrentPixelType(const SaneDevice& device);

}  // namespace lv::twain
