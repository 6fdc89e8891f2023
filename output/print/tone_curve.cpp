#include "output/print/tone_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lv::print {

std::array<std::uint8_t, kCurveEntries> MakeToneCurve(const ToneSettings& s)
{
    const double gamma = std::clamp(s.gamma, 20, 500) / 100.0;
    const double slope = (100 + std::clamp(s.contrast, -100, 100)) / 100.0;
    const double shift = std::clamp(s.brightness, -100, 100) / 100.0;
    std::array<std::uint8_t, kCurveEntries> curve{};
    for (std::size_t i = 0; i < kCurveEntries; ++i) {
        double v = std::pow(double(i) / 255.0, 1.0 / gamma);
        v = (v - 0.5) * slope + 0.5 + shift;
        curve[i] = std::uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    }
    return curve;
}

std::string FormatChannelTones(const ChannelTones& tones)
{
    std::string text;
    for (const ToneSettings& t : tones) {
        char group[48];
        std::snprintf(group, sizeof group, "%s%d,%d,%d", text.empty() ? "" : ";", t.brightness, t.contrast, t.gamma);
        text += group;
    }
    return text;
}

std::optional<ChannelTones> ParseChannelTones(std::string_view text)
{
    ChannelTones tones;
    for (std::size_t channel = 0; channel < tones.size(); ++channel) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string group(text.substr(0, end));
        ToneSettings t;
        int used = 0;
        if (std::sscanf(group.c_str(), "%d,%d,%d%n", &t.brightness, &t.contrast, &t.gamma, &used) != 3 ||
            used != int(group.size()))
            return std::nullopt;
        t.brightness = std::clamp(t.brightness, -100, 100);
        t.contrast = std::clamp(t.contrast, -100, 100);
        t.gamma = std::clamp(t.gamma, 20, 500);
        tones[channel] = t;
        if ((channel + 1 < tones.size()) != (end < text.size()))
            return std::nullopt;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return tones;
}

CalibrationCurves CurvesFromTones(const ChannelTones& tones)
{
    CalibrationCurves curves = IdentityCurves();
    const int targets[4] = {kCurveRed, kCurveGreen, kCurveBlue, kCurveGrey};
    for (std::size_t c = 0; c < 4; ++c) {
        const auto curve = MakeToneCurve(tones[c]);
        std::copy(curve.begin(), curve.end(), curves.curve(targets[c]).begin());
    }
    return curves;
}

}  // namespace lv::print
