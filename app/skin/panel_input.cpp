#include "app/skin/panel_input.h"

#include <algorithm>

namespace lv::skin {
namespace {

bool IsSliderKind(ButtonKind kind)
{
    return kind == ButtonKind::SliderThumb || kind == ButtonKind::SliderTrack;
}

bool IsDragKind(ButtonKind kind)
{
    return kind == ButtonKind::Drag || kind == ButtonKind::DragBlock;
}

bool Horizontal(const Rect& track)
{
    return track.width() >= track.height();
}

}  // namespace

bool GroupRefuses(int group, std::uint32_t argument, const ButtonEnvironment& environment)
{
    return group == kGroupTransformTool && (argument & 0xFFFF) == 4 && !environment.activeImageScrollable();
}

PanelInput::PanelInput(std::vector<PanelControl> controls, PanelOptions options, const ButtonEnvironment& environment)
    : controls_(std::move(controls))
    , sliders_(controls_.size())
    , hidden_(controls_.size())
    , options_(options)
    , environment_(environment)
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].definition.kind != ButtonKind::SliderThumb)
            continue;
        Slider slider;
        // A thumb's track is the button just before it.
        const bool hasTrack = i > 0 && controls_[i - 1].definition.kind == ButtonKind::SliderTrack;
        slider.track = hasTrack ? controls_[i - 1].rect : controls_[i].rect;
        slider.thumb = controls_[i].rect;
        slider.thumb = thumbRect(slider);
        sliders_[i] = slider;
    }
}

int PanelInput::buttonAt(Point point) const
{
    int track = -1;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ButtonKind kind = controls_[i].definition.kind;
        if (kind == ButtonKind::Region || hidden_[i])
            continue;
        const Rect rect = sliders_[i] ? sliders_[i]->thumb : controls_[i].rect;
        if (!rect.contains(point))
            continue;
        if (kind == ButtonKind::SliderTrack) {
            if (track < 0)
                track = int(i);
            continue;
        }
        return int(i);
    }
    return track;
}

ImageState PanelInput::restingImage(int button) const
{
    return selected(button) ? ImageState::Pressed : ImageState::Normal;
}

int PanelInput::thumbOfTrack(int track) const
{
    const std::size_t thumb = std::size_t(track) + 1;
    return thumb < controls_.size() && sliders_[thumb] ? int(thumb) : -1;
}

Rect PanelInput::thumbRect(const Slider& slider) const
{
    const Rect& track = slider.track;
    const Size thumb = slider.thumb.size();
    const int span = slider.maximum - slider.minimum;
    const int offset = span <= 0 ? 0 : slider.value - slider.minimum;
    if (Horizontal(track)) {
        const int travel = std::max(0, track.width() - thumb.width);
        return Rect::fromSize({track.left + (span <= 0 ? 0 : offset * travel / span), track.top + (track.height() - thumb.height) / 2},
                              thumb);
    }
    const int travel = std::max(0, track.height() - thumb.height);
    return Rect::fromSize({track.left + (track.width() - thumb.width) / 2, track.top + (span <= 0 ? 0 : offset * travel / span)},
                          thumb);
}

int PanelInput::sliderValueAt(const Slider& slider, Point point) const
{
    const bool horizontal = Horizontal(slider.track);
    const int travel = horizontal ? slider.track.width() - slider.thumb.width() : slider.track.height() - slider.thumb.height();
    if (travel <= 0)
        return slider.value;
    const int along = horizontal ? point.x - slider.track.left - slider.thumb.width() / 2
                                 : point.y - slider.track.top - slider.thumb.height() / 2;
    const int span = slider.maximum - slider.minimum;
    return slider.minimum + std::clamp(along, 0, travel) * span / travel;
}

Rect PanelInput::captureZone(const Slider& slider) const
{
    const Rect& r = slider.track;
    return r.widened(std::max(r.width() / 2, 50), std::max(r.height() / 2, 50));
}

void PanelInput::fire(Effects& out, int button, int state, Point point, std::optional<std::uint32_t> argument) const
{
    const ButtonDefinition& d = control(button).definition;
    std::uint32_t value = argument.value_or(d.argument);
    if (state != -1)
        value = (value & 0xFFFF) | std::uint32_t(state) << 16;
    out.push_back(effect::Fire{button, d.handler, value, point, state, d.kind == ButtonKind::DragBlock});
}

void PanelInput::setCapture(Effects& out, bool on)
{
    if (captured_ == on)
        return;
    captured_ = on;
    out.push_back(effect::Capture{on});
}

void PanelInput::clearHover(Effects& out)
{
    if (hovered_ >= 0 && hovered_ != pressed_)
        out.push_back(effect::Paint{hovered_, restingImage(hovered_)});
    hovered_ = -1;
    out.push_back(effect::StopTimer{kTooltipTimer});
    out.push_back(effect::HideTooltip{});
}

Effects PanelInput::press(Point point)
{
    Effects out;
    lastPoint_ = point;
    const int button = buttonAt(point);
    if (button < 0)
        return out;
    clearHover(out);
    out.push_back(effect::Paint{button, ImageState::Pressed});
    setCapture(out, true);
    pressed_ = button;
    hovered_ = button;
    ticks_ = 0;
    out.push_back(effect::StartTimer{kRepeatTimer, kRepeatMilliseconds});
    const ButtonDefinition& d = control(button).definition;
    if (options_.sounds && !IsSliderKind(d.kind) && d.controlId != kAboutControl)
        out.push_back(effect::PlaySound{d.group == kGroupScreenArea ? kAreaClickSound : kClickSound});
    if (IsDragKind(d.kind))
        fire(out, button, 0, point);
    return out;
}

Effects PanelInput::move(Point point)
{
    Effects out;
    lastPoint_ = point;
    if (pressed_ >= 0 && control(pressed_).definition.kind == ButtonKind::Drag) {
        fire(out, pressed_, 1, point);
        return out;
    }
    const int button = buttonAt(point);
    if (button >= 0 && control(button).definition.kind == ButtonKind::DragBlock) {
        fire(out, button, 1, point);
        return out;
    }
    if (pressed_ >= 0 && sliders_[std::size_t(pressed_)]) {
        Slider& slider = *sliders_[std::size_t(pressed_)];
        if (captureZone(slider).contains(point)) {
            const int value = sliderValueAt(slider, point);
            if (value != slider.value) {
                slider.value = value;
                slider.thumb = thumbRect(slider);
                out.push_back(effect::MoveThumb{pressed_, value, slider.thumb});
            }
        }
        return out;
    }
    if (button == hovered_)
        return out;
    if (hovered_ >= 0)
        out.push_back(effect::Paint{hovered_, restingImage(hovered_)});
    hovered_ = button;
    out.push_back(effect::HideTooltip{});
    if (button < 0) {
        out.push_back(effect::ShowStatus{-1});
        out.push_back(effect::StopTimer{kTooltipTimer});
        if (pressed_ < 0)
            setCapture(out, false);
        return out;
    }
    out.push_back(effect::ShowStatus{control(button).definition.tooltip});
    out.push_back(effect::StartTimer{kTooltipTimer, kTooltipMilliseconds});
    if (button == pressed_)
        out.push_back(effect::Paint{button, ImageState::Pressed});
    else if (!selected(button))
        out.push_back(effect::Paint{button, ImageState::Hover});
    setCapture(out, true);
    return out;
}

Effects PanelInput::release(Point point)
{
    Effects out;
    lastPoint_ = point;
    out.push_back(effect::StopTimer{kRepeatTimer});
    const int button = pressed_;
    pressed_ = -1;
    if (button >= 0)
        releaseButton(out, button, point);
    // The next move shows the hover picture again over whatever button is there.
    hovered_ = -1;
    setCapture(out, false);
    return out;
}

void PanelInput::releaseButton(Effects& out, int button, Point point)
{
    ButtonDefinition& d = controls_[std::size_t(button)].definition;
    if (IsDragKind(d.kind)) {
        fire(out, button, 2, point);
        return;
    }
    if (d.kind == ButtonKind::SliderThumb) {
        releaseThumb(out, button, point);
        return;
    }
    if (buttonAt(point) != button) {
        out.push_back(effect::Paint{button, restingImage(button)});
        return;
    }
    switch (d.kind) {
    case ButtonKind::SliderTrack: {
        const int thumb = thumbOfTrack(button);
        if (thumb < 0)
            return;
        Slider& slider = *sliders_[std::size_t(thumb)];
        const int target = sliderValueAt(slider, point);
        if (slider.page > 0 && target != slider.value)
            slider.value = target > slider.value ? std::min(slider.value + slider.page, slider.maximum)
                                                 : std::max(slider.value - slider.page, slider.minimum);
        else
            slider.value = target;
        slider.thumb = thumbRect(slider);
        out.push_back(effect::MoveThumb{thumb, slider.value, slider.thumb});
        fire(out, thumb, -1, point, std::uint32_t(slider.value));
        return;
    }
    case ButtonKind::Check:
        d.selection = selected(button) ? 0 : kSelected;
        out.push_back(effect::Paint{button, restingImage(button)});
        break;
    case ButtonKind::Toggle:
        d.selection = selected(button) ? 0 : kSelected;
        out.push_back(effect::Paint{button, restingImage(button)});
        out.push_back(effect::MirrorToggle{d.controlId, selected(button)});
        break;
    default:
        if (d.group == 0 || d.selection == kNeverSelected) {
            out.push_back(effect::Paint{button, options_.keepPressedImage ? ImageState::Pressed : ImageState::Normal});
            break;
        }
        releaseGroupMember(out, button, point);
        return;
    }
    fire(out, button, -1, point);
}

void PanelInput::releaseGroupMember(Effects& out, int button, Point point)
{
    ButtonDefinition& d = controls_[std::size_t(button)].definition;
    const auto members = std::count_if(controls_.begin(), controls_.end(),
                                       [&](const PanelControl& c) { return c.definition.group == d.group; });
    if (members == 1) {
        d.selection = selected(button) ? 0 : kSelected;
        out.push_back(effect::Paint{button, restingImage(button)});
        fire(out, button, -1, point, std::uint32_t(selected(button) ? 1 : 0));
        return;
    }
    if (GroupRefuses(d.group, d.argument, environment_)) {
        out.push_back(effect::Paint{button, restingImage(button)});
        out.push_back(effect::Beep{});
        return;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        ButtonDefinition& member = controls_[i].definition;
        if (member.group != d.group)
            continue;
        if (member.argument == d.argument) {
            member.selection = kSelected;
            out.push_back(effect::Paint{int(i), ImageState::Pressed});
        } else if (member.selection == kSelected) {
            member.selection = 0;
            out.push_back(effect::Paint{int(i), ImageState::Normal});
        }
    }
    fire(out, button, -1, point);
}

void PanelInput::releaseThumb(Effects& out, int button, Point point)
{
    Slider& slider = *sliders_[std::size_t(button)];
    out.push_back(effect::Paint{button, ImageState::Normal});
    if (!captureZone(slider).contains(point)) {
        out.push_back(effect::SliderReleased{button, slider.value});
        return;
    }
    slider.value = sliderValueAt(slider, point);
    slider.thumb = thumbRect(slider);
    out.push_back(effect::MoveThumb{button, slider.value, slider.thumb});
    fire(out, button, -1, point, std::uint32_t(slider.value));
}

Effects PanelInput::tick(int timerId)
{
    Effects out;
    if (timerId == kRepeatTimer) {
        if (ticks_ > 2 && pressed_ >= 0 && hovered_ == pressed_
            && control(pressed_).definition.kind == ButtonKind::AutoRepeat)
            fire(out, pressed_, -1, lastPoint_);
        ++ticks_;
    } else if (timerId == kTooltipTimer) {
        out.push_back(effect::StopTimer{kTooltipTimer});
        if (options_.tooltips && hovered_ >= 0 && control(hovered_).definition.tooltip >= 0)
            out.push_back(effect::ShowTooltip{control(hovered_).definition.tooltip, lastPoint_});
    }
    return out;
}

Effects PanelInput::leave()
{
    Effects out;
    if (pressed_ >= 0)
        return out;
    clearHover(out);
    out.push_back(effect::ShowStatus{-1});
    setCapture(out, false);
    return out;
}

Effects PanelInput::setSlider(int button, int minimum, int maximum, int value, std::optional<int> page)
{
    Effects out;
    if (button < 0 || std::size_t(button) >= controls_.size() || !sliders_[std::size_t(button)])
        return out;
    Slider& slider = *sliders_[std::size_t(button)];
    slider.minimum = minimum;
    slider.maximum = std::max(minimum, maximum);
    slider.value = std::clamp(value, slider.minimum, slider.maximum);
    if (page)
        slider.page = std::max(*page, 0);
    slider.thumb = thumbRect(slider);
    out.push_back(effect::MoveThumb{button, slider.value, slider.thumb});
    return out;
}

Effects PanelInput::setSelected(int button, bool on)
{
    Effects out;
    controls_[std::size_t(button)].definition.selection = on ? kSelected : 0;
    out.push_back(effect::Paint{button, restingImage(button)});
    return out;
}

}  // namespace lv::skin
