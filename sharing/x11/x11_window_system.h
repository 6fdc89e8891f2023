#pragma once
// The window system of an X11 desktop for the mail-client route: windows by WM_CLASS (its
// class part) and title (_NET_WM_NAME, else WM_NAME), clicks and keys as synthetic events,
// and dialog commands as a client message "_LUMIVISTA_COMMAND" (command, argument). The
// path's bytes are put back together as UTF-8 characters before they become key presses.
// A client started hidden finds LUMIVISTA_SHOW_WINDOW=0 in its environment.

#include "sharing/mail/window_system.h"

#include <map>
#include <memory>
#include <string>

namespace lv::sharing {

inline constexpr char kCommandMessage[] = "_LUMIVISTA_COMMAND";
inline constexpr char kShowWindowVariable[] = "LUMIVISTA_SHOW_WINDOW";

class X11WindowSystem final : public WindowSystem {
public:
    // Null when there is no X display to talk to.
    static std::unique_ptr<X11WindowSystem> Open();
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::vector<WindowHandle> topLevelWindows() override;
    std::vector<WindowHandle> descendants(WindowHandle parent) override;
    WindowHandle parentOf(WindowHandle window) override;
    std::string className(WindowHandle window) override;
    std::string title(WindowHandle window) override;
    Rect rect(WindowHandle window) override;
    bool exists(WindowHandle window) override;
    bool visible(WindowHandle window) override;
    void show(WindowHandle window, ShowCommand command) override;
    void click(WindowHandle window, std::uint32_t value) override;
    void sendChar(WindowHandle window, std::uint32_t code) override;
    void sendImeChar(WindowHandle window, std::uint32_t code) override;
    void sendCommand(WindowHandle window, std::uint32_t command, std::uint32_t argument) override;
    int startProgram(const std::string& executable, ShowCommand show) override;

private:
    struct Connection;
    explicit X11WindowSystem(std::unique_ptr<Connection> connection);
    void typeByte(WindowHandle window, unsigned char byte);
    void typeCodePoint(WindowHandle window, char32_t codePoint);

    std::unique_ptr<Connection> x_;
    std::map<WindowHandle, std::string> pendingBytes_;  // an unfinished UTF-8 character per window
};

}  // namespace lv::sharing
