#include "output/slide_show_settings.h"

#include <algorithm>
#include <climits>

namespace lv {

namespace {
constexpr unsigned kTimerUnitMs = 80;
}

std::string SlideShowSettings::workingName() const
{
    if (!transitionsOn)
        return std::string(kNoTransitionName);
    return transitionName.empty() ? std::string(kRandomTransitionName) : transitionName;
}

SlideShowSettings& CurrentSlideShowSettings()
{
    static SlideShowSettings settings;
    return settings;
}

int SlideShowSettings::timerPeriodMs() const
{
    const unsigned units = std::clamp(displayTime, 1u, unsigned(INT_MAX) / kTimerUnitMs);
    return int(units * kTimerUnitMs);
}

}  // namespace lv
