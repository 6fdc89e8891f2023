#pragma once
// Where the main window hands over to the code of the features behind its screens: each
// screen's own code (album, projects, sharing, ...) and the steps of a screen switch that
// close or keep other features' windows.

#include "app/skin/list_box.h"

#include <QEvent>
#include <QString>

#include <any>
#include <functional>
#include <string>
#include <vector>

namespace lv::app {

class MainSkin;

// Private requests to the main window, as events of the same numbers.
inline constexpr int kAcquiredPictureRequest = 1024;  // an acquired picture
inline constexpr int kRealisePaletteRequest = 1025;

class PrivateRequestEvent final : public QEvent {
public:
    PrivateRequestEvent(int request, std::any payload)
        : QEvent(QEvent::Type(request))
        , payload_(std::move(payload))
    {
    }
    int request() const { return int(type()); }
    const std::any& payload() const { return payload_; }

private:
    std::any payload_;
};

// A screen's own code. What it does not handle it leaves alone.
class ScreenCode {
public:
    virtual ~ScreenCode() = default;
    // The screen's panels were just shown (a screen switch, or a skin rebuilt).
    virtual void shown(MainSkin&) {}
    // Requests 1024 and 1025 that reach the main window while the screen shows.
    virtual void privateRequest(const PrivateRequestEvent&) {}
    // Notification 1225: a slider of one of the screen's panels was released outside its
    // capture zone, with the slider's value.
    virtual void sliderReleased(int /*panel*/, int /*button*/, int /*value*/) {}
    // One of the screen's text fields changed.
    virtual void fieldChanged(int /*controlId*/, const QString& /*text*/) {}
    // A pick in one of the screen's list boxes (notification 1124 for the list's first, then
    // 1126); the list tells the selection and its text.
    virtual void listPicked(const skin::ListNotification& /*notification*/, skin::ListBox& /*list*/) {}
    // Files dropped on a screen that collects them (the web album): true when taken.
    virtual bool filesDropped(const std::vector<std::string>& /*files*/) { return false; }
    // The screen's panels are in place; the screen is about to be left (another screen, or
    // the main window closes).
    virtual void shown(int /*screen*/) {}
    virtual void leaving(int /*screen*/) {}
};

// The steps of a screen switch that belong to other features. A step left empty has
// nothing to do: its feature has no window open.
struct ScreenSwitchFeatures {
    std::function<bool(int screen)> templateChanged;  // the template window is visible and changed
    std::function<void(int screen)> keepTemplate;
    std::function<void()> closeCapturePreview;
    std::function<void()> resetBrushSizeButtons;
    std::function<void(int screen)> closeAuxiliaryWindows;
    std::function<void()> resetSubMode;
};

}  // namespace lv::app
