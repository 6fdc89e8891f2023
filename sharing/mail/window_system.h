#pragma once
// What the mail-client route needs of the window system: finding windows by class and
// title, their places, showing them, and handing them clicks, characters and commands the
// way the client's own windows expect them. The X11 implementation drives a real client;
// tests use a scripted one.

#include "common/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lv::sharing {

// A window of the system; 0 is no window.
using WindowHandle = std::uint64_t;

// The show commands the route uses, with their numbers.
enum class ShowCommand { Hide = 0, ShowNormal = 1, Show = 5 };

// A result of `startProgram` below this means the program did not start.
inline constexpr int kProgramStarted = 32;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Top-level windows, shown or not, in the system's order.
    virtual std::vector<WindowHandle> topLevelWindows() = 0;
    // Every window below `parent`, each before its own children, siblings in the system's order.
    virtual std::vector<WindowHandle> descendants(WindowHandle parent) = 0;
    virtual WindowHandle parentOf(WindowHandle window) = 0;
    virtual std::string className(WindowHandle window) = 0;
    virtual std::string title(WindowHandle window) = 0;
    virtual Rect rect(WindowHandle window) = 0;
    virtual bool exists(WindowHandle window) = 0;
    virtual bool visible(WindowHandle window) = 0;
    virtual void show(WindowHandle window, ShowCommand command) = 0;

    // A left button going down and up, `value` carried as both message parameters: the low
    // word is the point's x and the high word its y inside the window, and the key flags
    // (shift 4, control 8) hold the modifiers.
    virtual void click(WindowHandle window, std::uint32_t value) = 0;
    // One typed character (a byte of the path).
    virtual void sendChar(WindowHandle window, std::uint32_t code) = 0;
    // One double-byte character: the first byte in the high half, the second in the low.
    virtual void sendImeChar(WindowHandle window, std::uint32_t code) = 0;
    // A dialog command (1 is OK).
    virtual void sendCommand(WindowHandle window, std::uint32_t command, std::uint32_t argument) = 0;

    // Starts a program; `kProgramStarted` or more when it started.
    virtual int startProgram(const std::string& executable, ShowCommand show) = 0;
};

}  // namespace lv::sharing
