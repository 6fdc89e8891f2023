#pragma once
// The mini tool bar ("Mini Toolbar"): small buttons that fire a command on release, with
// standard tooltips. The button under the pointer is hot (state 3); while one is hot a timer
// (id 100, every 100 ms) looks for the pointer and, once it has left the bar, returns every
// hot button to normal and stops.

#include "app/skin/geometry.h"

#include <optional>
#include <vector>

namespace lv::skin {

enum class BarState { Normal = 0, Pressed = 1, Disabled = 2, Hot = 3 };

inline constexpr int kBarHotTimer = 100;
inline constexpr int kBarHotMilliseconds = 100;
inline constexpr int kTooltipRelayMessage = 1031;  // a mouse message handed to the tooltip control

struct BarButton {
    int command = 0;
    int tooltip = -1;  // string id, −1 for none
    Rect rect;
};

struct BarChange {
    enum class Timer { Keep, Start, Stop };
    bool repaint = false;
    std::optional<int> command;  // the command of the button that fired
    Timer timer = Timer::Keep;
};

class ButtonBar {
public:
    explicit ButtonBar(std::vector<BarButton> buttons);

    BarChange move(Point point);
    BarChange press(Point point);
    BarChange release(Point point);
    // The hot timer: whether the pointer is over the bar now.
    BarChange tick(bool pointerInBar);

    // The enabled button under the point, −1 for none.
    int buttonAt(Point point) const;
    void setEnabled(int button, bool enabled);

    std::size_t size() const { return buttons_.size(); }
    const BarButton& button(int i) const { return buttons_[std::size_t(i)]; }
    BarState state(int i) const { return states_[std::size_t(i)]; }
    bool timerRunning() const { return timerRunning_; }

private:
    bool set(int button, BarState state);
    bool anyHot() const;
    void startTimerIfHot(BarChange& change);

    std::vector<BarButton> buttons_;
    std::vector<BarState> states_;
    int pressed_ = -1;
    bool timerRunning_ = false;
};

}  // namespace lv::skin
