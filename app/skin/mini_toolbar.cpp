#include "app/skin/mini_toolbar.h"

#include <algorithm>
#include <utility>

namespace lv::skin {

ButtonBar::ButtonBar(std::vector<BarButton> buttons)
    : buttons_(std::move(buttons))
    , states_(buttons_.size(), BarState::Normal)
{
}

int ButtonBar::buttonAt(Point point) const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (states_[i] != BarState::Disabled && buttons_[i].rect.contains(point))
            return int(i);
    return -1;
}

void ButtonBar::setEnabled(int button, bool enabled)
{
    if (button < 0 || button >= int(buttons_.size()))
        return;
    if (!enabled && pressed_ == button)
        pressed_ = -1;
    states_[std::size_t(button)] = enabled ? BarState::Normal : BarState::Disabled;
}

bool ButtonBar::set(int button, BarState state)
{
    BarState& current = states_[std::size_t(button)];
    if (current == state || current == BarState::Disabled)
        return false;
    current = state;
    return true;
}

bool ButtonBar::anyHot() const
{
    return std::find(states_.begin(), states_.end(), BarState::Hot) != states_.end();
}

void ButtonBar::startTimerIfHot(BarChange& change)
{
    if (!timerRunning_ && anyHot()) {
        timerRunning_ = true;
        change.timer = BarChange::Timer::Start;
    }
}

BarChange ButtonBar::move(Point point)
{
    BarChange change;
    const int under = buttonAt(point);
    if (pressed_ >= 0) {
        // Held down, the pressed button shows whether a release would fire it.
        change.repaint = set(pressed_, under == pressed_ ? BarState::Pressed : BarState::Normal);
        return change;
    }
    for (int i = 0; i < int(buttons_.size()); ++i) {
        if (i == under)
            change.repaint |= set(i, BarState::Hot);
        else if (states_[std::size_t(i)] == BarState::Hot)
            change.repaint |= set(i, BarState::Normal);
    }
    startTimerIfHot(change);
    return change;
}

BarChange ButtonBar::press(Point point)
{
    BarChange change;
    const int under = buttonAt(point);
    if (under < 0)
        return change;
    pressed_ = under;
    change.repaint = set(under, BarState::Pressed);
    return change;
}

BarChange ButtonBar::release(Point point)
{
    BarChange change;
    const int button = std::exchange(pressed_, -1);
    if (button < 0)
        return change;
    const bool fired = buttonAt(point) == button;
    if (fired)
        change.command = buttons_[std::size_t(button)].command;
    change.repaint = set(button, fired ? BarState::Hot : BarState::Normal);
    startTimerIfHot(change);
    return change;
}

BarChange ButtonBar::tick(bool pointerInBar)
{
    BarChange change;
    if (!timerRunning_)
        return change;
    if (anyHot() && pointerInBar)
        return change;
    for (int i = 0; i < int(buttons_.size()); ++i)
        if (states_[std::size_t(i)] == BarState::Hot)
            change.repaint |= set(i, BarState::Normal);
    timerRunning_ = false;
    change.timer = BarChange::Timer::Stop;
    return change;
}

}  // namespace lv::skin
