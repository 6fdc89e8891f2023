#include "app/skin/attention_blink.h"

#include <algorithm>
#include <array>

namespace lv::skin {

std::optional<ImageState> AttentionBlink::tick()
{
    if (!running_)
        return std::nullopt;
    lit_ = !lit_;
    return lit_ ? ImageState::Hover : ImageState::Normal;
}

std::optional<ImageState> AttentionBlink::released(int releasedControl)
{
    constexpr std::array kAreaButtons = {155, 147, 148, 154, 151};
    if (!running_ || std::find(kAreaButtons.begin(), kAreaButtons.end(), releasedControl) == kAreaButtons.end())
        return std::nullopt;
    running_ = false;
    if (releasedControl == control_)
        return std::nullopt;
    return ImageState::Normal;
}

}  // namespace lv::skin
