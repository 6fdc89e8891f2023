#include "effects/slider_mapping.h"

#include "effects/operation_codes.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

namespace {

struct ModeRow {
    int sliders;
    int operation;
};
constexpr ModeRow kModes[kEnhancementModeCount] = {
    {1, kOpBrightness}, {2, kOpBrightnessContrast}, {2, kOpHueSaturation}, {3, kOpColourBalance},
    {1, kOpSharpen},    {1, kOpSoften},             {0, kOpAutoFix},       {0, kOpAutoBalance},
};

}  // namespace

int EnhancementSliderCount(int mode)
{
    return mode >= 0 && mode < kEnhancementModeCount ? kModes[mode].sliders : -1;
}

std::optional<OperationCall> EnhancementCall(int mode, std::span<const int> sliders)
{
    if (mode < 0 || mode >= kEnhancementModeCount)
        return std::nullopt;
    OperationCall call{kModes[mode].operation, {}};
    if (kModes[mode].sliders == 0) {
        call.parameters.push_back(0);
        return call;
    }
    for (int i = 0; i < kModes[mode].sliders; ++i)
        call.parameters.push_back(std::size_t(i) < sliders.size() ? std::clamp(sliders[std::size_t(i)], 0, kSliderMax)
                                                                  : kSliderNeutral);
    return call;
}

OperationCall EffectCall(int operation, int slider)
{
    const int value = std::clamp(slider, 0, kSliderMax);
    return {operation, {operation == kOpEmboss ? kSliderMax - value : value}};
}

DetailSettings DetailForParameter(int operation, int parameter)
{
    const double k = (std::clamp(parameter, 0, kSliderMax) - kSliderNeutral) / double(kSliderNeutral);
    if (k == 0)
        return {};
    if (operation == kOpSharpen)
        return k > 0 ? DetailSettings{0.8 + 0.6 * k, 1.6 * k} : DetailSettings{1.5, k};
    // Soften: the radius grows slowly at first, so small moves stay subtle.
    return k > 0 ? DetailSettings{8.0 * std::pow(k, 1.5), -1.0} : DetailSettings{1.0, -1.2 * k};
}

}  // namespace lv::effects
