#pragma once
// The windows of an X display, through a connection of our own: which window stands under
// a point (its frame and its client window), their rectangles on the screen, picking one
// with the cross-hair pointer, and minimising it after the shot.

#include "acquire/screen/screen_capture.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace lv::screen {

using WindowId = std::uint32_t;

// What a point or an id names: a window (its top-level frame and the client window the
// application drew), the desktop, or nothing.
struct WindowTarget {
    PickedTarget kind = PickedTarget::Nothing;
    WindowId frame = 0;
    WindowId client = 0;
};

class X11Windows {
public:
    // Connects to $DISPLAY; available() tells whether that worked.
    X11Windows();
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    bool available() const;
    int screenWidth() const;
    int screenHeight() const;

    WindowTarget windowAt(Point point) const;
    WindowTarget windowById(WindowId id) const;
    // The frame with its border, or the client window's inside, in screen coordinates
    // (which may lie partly off the screen).
    std::optional<Rect> frameRect(const WindowTarget& target) const;
    std::optional<Rect> clientRect(const WindowTarget& target) const;

    // Holds the pointer with the cross-hair until the left button is released and returns
    // where; with a limit, the pointer's place when it runs out first. Nothing when another
    // button ends the pick or the pointer can't be held.
    // `held` runs once the pointer is held.
    std::optional<Point> pickPoint(std::optional<std::chrono::milliseconds> limit,
                                         const std::function<void()>& held = {}) const;

    // Asks the window manager to minimise the client window's top-level window.
    void minimise(const WindowTarget& target) const;

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace lv::screen
