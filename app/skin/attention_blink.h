#pragma once
// The attention blink of the main window: every 400 ms a button alternates between its
// hover and normal pictures to invite a first click. Control 155 of the base panel blinks
// from the start (timer 203) until the first release on one of the five area buttons;
// control 192 of the first nested panel blinks on timer 202.

#include "app/skin/panel_input.h"

namespace lv::skin {

inline constexpr int kAreaBlinkTimer = 203;
inline constexpr int kPageBlinkTimer = 202;
inline constexpr int kBlinkMilliseconds = 400;
inline constexpr int kAreaBlinkControl = 155;
inline constexpr int kPageBlinkControl = 192;

class AttentionBlink {
public:
    explicit AttentionBlink(int control)
        : control_(control)
    {
    }

    int control() const { return control_; }
    bool running() const { return running_; }
    // The picture to show now; nothing once stopped.
    std::optional<ImageState> tick();
    // A left-button release on `releasedControl` of the base panel. A release on one of the
    // five area buttons stops the blink for good and answers the picture the blinking button
    // keeps: normal, unless the release was on that button itself (then it is left alone).
    std::optional<ImageState> released(int releasedControl);

private:
    int control_;
    bool running_ = true;
    bool lit_ = false;
};

}  // namespace lv::skin
