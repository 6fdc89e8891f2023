#pragma once
// Calibration curves made from three settings a person can judge on a print: brightness,
// contrast and gamma, per channel.

#include "imagelib/print_calibration.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv::print {

struct ToneSettings {
    int brightness = 0;  // -100 .. 100: the whole range moves by up to its full height
    int contrast = 0;    // -100 .. 100: the slope about the middle grey, 0 to twice
    int gamma = 100;     // gamma × 100, 20 .. 500: above 100 lightens the mid-tones
    bool operator==(const ToneSettings&) const = default;
};

// Entry i: i / 255 raised to 1 / gamma, stretched about 0.5 by the contrast, moved by the
// brightness, clamped and rounded. The neutral settings give the identity.
std::array<std::uint8_t, kCurveEntries> MakeToneCurve(const ToneSettings& settings);

// The settings of the four printing curves (red, green, blue, grey), as "b,c,g" joined by ";".
using ChannelTones = std::array<ToneSettings, 4>;
std::string FormatChannelTones(const ChannelTones& tones);
// Nothing when the text is not four such groups.
std::optional<ChannelTones> ParseChannelTones(std::string_view text);

// The curves for those settings (curve 0 the identity).
CalibrationCurves CurvesFromTones(const ChannelTones& tones);

}  // namespace lv::print
