#pragma once
// The mouse behaviour of one skin panel as a state machine without a toolkit: the panel's
// window feeds it press, move, release, timer and leave events in panel coordinates and
// carries out the effects it answers with, in order.

#include "app/skin/button_table.h"

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace lv::skin {

enum class ImageState { Normal = 0, Pressed = 1, Hover = 2 };

inline constexpr int kRepeatTimer = 101;
inline constexpr int kRepeatMilliseconds = 100;
inline constexpr int kTooltipTimer = 102;
inline constexpr int kTooltipMilliseconds = 1000;
inline constexpr int kSliderReleasedNotification = 1225;
inline constexpr int kDragBlockMessage = 100;
inline constexpr int kAboutControl = 145;
inline constexpr std::string_view kAreaClickSound = "Click1.wav";
inline constexpr std::string_view kClickSound = "Click2.wav";

namespace effect {
// Call the handler. `argument` is already combined: for a state other than −1 it is
// (argument & 0xFFFF) | state << 16. Drag blocks (kind 150) are delivered as message 100
// with the block {state, button, host window, panel, argument, point}.
struct Fire {
    int button;
    Handler handler;
    std::uint32_t argument;
    Point point;
    int state;  // −1 plain fire, 0 press, 1 drag, 2 release
    bool dragBlock;
};
struct Paint {
    int button;
    ImageState image;
};
struct Capture {
    bool on;
};
struct StartTimer {
    int id;
    int milliseconds;
};
struct StopTimer {
    int id;
};
struct PlaySound {
    std::string_view file;
};
struct ShowStatus {
    int stringId;  // −1 clears the status text
};
struct ShowTooltip {
    int stringId;
    Point at;
};
struct HideTooltip {};
struct Beep {};
// The thumb of a slider moved; repaint it at `thumb`.
struct MoveThumb {
    int button;
    int value;
    Rect thumb;
};
// Notification 1225 to the host window: a slider released outside its capture zone.
struct SliderReleased {
    int button;
    int value;
};
// A toggle changed: the same control on every other screen of this skin file follows.
struct MirrorToggle {
    int controlId;
    bool selected;
};
}  // namespace effect

using Effect = std::variant<effect::Fire, effect::Paint, effect::Capture, effect::StartTimer, effect::StopTimer,
                            effect::PlaySound, effect::ShowStatus, effect::ShowTooltip, effect::HideTooltip, effect::Beep,
                            effect::MoveThumb, effect::SliderReleased, effect::MirrorToggle>;
using Effects = std::vector<Effect>;

// What a panel asks of the rest of the program.
class ButtonEnvironment {
public:
    virtual ~ButtonEnvironment() = default;
    // An active image window exists and can scroll in at least one direction.
    virtual bool activeImageScrollable() const = 0;
};

// Whether a radio group refuses a choice: only group 7 refuses, argument 4 (a choice that
// needs a scrollable image) while no active image can scroll.
bool GroupRefuses(int group, std::uint32_t argument, const ButtonEnvironment& environment);

// A button as the panel holds it while the screen shows.
struct PanelControl {
    ButtonDefinition definition;
    Rect rect;
};

struct Slider {
    int minimum = 0;
    int maximum = 100;
    int value = 50;
    // A click on the track moves the thumb this far toward the click; 0 puts it there.
    int page = 0;
    Rect track;      // the span the thumb travels
    Rect thumb;      // where the thumb is drawn
};

struct PanelOptions {
    bool sounds = true;
    bool tooltips = true;
    bool keepPressedImage = false;  // panels of "SFT" skin files
};

class PanelInput {
public:
    PanelInput(std::vector<PanelControl> controls, PanelOptions options, const ButtonEnvironment& environment);

    Effects press(Point point);
    Effects move(Point point);
    Effects release(Point point);
    Effects tick(int timerId);
    // The pointer left the panel window.
    Effects leave();

    // The first button (table order) other than a region containing the point; a slider
    // track only when nothing else contains it. −1 for none. A slider is a track followed
    // by its thumb, so painting in table order draws the thumb on top.
    int buttonAt(Point point) const;
    // The picture a button shows at rest: pressed when selected.
    ImageState restingImage(int button) const;

    int pressed() const { return pressed_; }
    int hovered() const { return hovered_; }
    bool captured() const { return captured_; }
    std::size_t size() const { return controls_.size(); }
    const PanelControl& control(int button) const { return controls_[std::size_t(button)]; }
    bool selected(int button) const { return control(button).definition.selection == kSelected; }
    const std::optional<Slider>& slider(int button) const { return sliders_[std::size_t(button)]; }

    // A hidden button is neither drawn nor found under the pointer (a slider the screen's
    // current choice does not use).
    void setHidden(int button, bool hidden) { hidden_[std::size_t(button)] = hidden; }
    bool hidden(int button) const { return hidden_[std::size_t(button)]; }

    // Applies a mirrored toggle (or any outside change of a selection); answers the repaint.
    Effects setSelected(int button, bool selected);
    // Sets a slider's range, value (kept within the range) and page step (kept when not given);
    // `button` is its thumb. Answers the thumb's move; nothing for a button that is no slider thumb.
    Effects setSlider(int button, int minimum, int maximum, int value, std::optional<int> page = {});

private:
    void fire(Effects& out, int button, int state, Point point, std::optional<std::uint32_t> argument = {}) const;
    void setCapture(Effects& out, bool on);
    void releaseButton(Effects& out, int button, Point point);
    void releaseGroupMember(Effects& out, int button, Point point);
    void releaseThumb(Effects& out, int button, Point point);
    void clearHover(Effects& out);
    int thumbOfTrack(int track) const;
    int sliderValueAt(const Slider& slider, Point point) const;
    Rect thumbRect(const Slider& slider) const;
    Rect captureZone(const Slider& slider) const;

    std::vector<PanelControl> controls_;
    std::vector<std::optional<Slider>> sliders_;
    std::vector<bool> hidden_;
    PanelOptions options_;
    const ButtonEnvironment& environment_;
    int pressed_ = -1;
    int hovered_ = -1;
    int ticks_ = 0;
    bool captured_ = false;
    Point lastPoint_;
};

}  // namespace lv::skin
