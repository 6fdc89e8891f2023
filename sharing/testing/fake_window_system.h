#pragma once
// A window system in memory for the mail-client route's tests: windows in a tree with
// classes, titles and places; what the route sends is recorded, and a test scripts what a
// click or a command does (open a window, close one, nothing).

#include "sharing/mail/client_automation.h"
#include "sharing/mail/window_system.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lv::sharing::testing {

class FakeWindowSystem final : public WindowSystem {
public:
    struct Window {
        WindowHandle parent = 0;
        std::string className;
        std::string title;
        Rect rect;
        bool visible = true;
        std::vector<WindowHandle> children;
    };
    struct Sent {
        std::string what;  // "click", "char", "ime", "command", "show"
        WindowHandle window;
        std::uint32_t value;
        std::uint32_t argument = 0;
        bool operator==(const Sent&) const = default;
    };

    WindowHandle add(WindowHandle parent, std::string className, std::string title, Rect rect,
                     bool visible = true)
    {
        const WindowHandle handle = next_++;
        windows_[handle] = {parent, std::move(className), std::move(title), rect, visible, {}};
        (parent ? windows_[parent].children : roots_).push_back(handle);
        return handle;
    }
    void remove(WindowHandle handle)
    {
        const auto it = windows_.find(handle);
        if (it == windows_.end())
            return;
        for (const WindowHandle child : std::vector<WindowHandle>(it->second.children))
            remove(child);
        auto& siblings = it->second.parent ? windows_[it->second.parent].children : roots_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
        windows_.erase(handle);
    }

    // What happens when the window is clicked or sent a command.
    void onClick(WindowHandle handle, std::function<void()> action) { clicks_[handle] = std::move(action); }
    void onCommand(WindowHandle handle, std::function<void()> action) { commands_[handle] = std::move(action); }

    std::vector<WindowHandle> topLevelWindows() override { return roots_; }
    std::vector<WindowHandle> descendants(WindowHandle parent) override
    {
        std::vector<WindowHandle> out;
        const auto it = windows_.find(parent);
        if (it == windows_.end())
            return out;
        for (const WindowHandle child : it->second.children) {
            out.push_back(child);
            const std::vector<WindowHandle> below = descendants(child);
            out.insert(out.end(), below.begin(), below.end());
        }
        return out;
    }
    WindowHandle parentOf(WindowHandle w) override { return exists(w) ? windows_[w].parent : 0; }
    std::string className(WindowHandle w) override { return exists(w) ? windows_[w].className : ""; }
    std::string title(WindowHandle w) override { return exists(w) ? windows_[w].title : ""; }
    Rect rect(WindowHandle w) override { return exists(w) ? windows_[w].rect : Rect{}; }
    bool exists(WindowHandle w) override { return windows_.count(w) > 0; }
    bool visible(WindowHandle w) override { return exists(w) && windows_[w].visible; }
    void show(WindowHandle w, ShowCommand command) override
    {
        sent.push_back({"show", w, std::uint32_t(command)});
        if (exists(w))
            windows_[w].visible = command != ShowCommand::Hide;
    }
    void click(WindowHandle w, std::uint32_t value) override
    {
        sent.push_back({"click", w, value});
        if (const auto it = clicks_.find(w); it != clicks_.end() && it->second)
            it->second();
    }
    void sendChar(WindowHandle w, std::uint32_t code) override { sent.push_back({"char", w, code}); }
    void sendImeChar(WindowHandle w, std::uint32_t code) override { sent.push_back({"ime", w, code}); }
    void sendCommand(WindowHandle w, std::uint32_t command, std::uint32_t argument) override
    {
        sent.push_back({"command", w, command, argument});
        if (const auto it = commands_.find(w); it != commands_.end() && it->second)
            it->second();
    }
    int startProgram(const std::string& executable, ShowCommand show) override
    {
        started.push_back({executable, show});
        return startResult;
    }

    // The clicks sent, in order.
    std::vector<WindowHandle> clicked() const
    {
        std::vector<WindowHandle> out;
        for (const Sent& s : sent)
            if (s.what == "click")
                out.push_back(s.window);
        return out;
    }

    int clicksOn(WindowHandle window) const
    {
        const std::vector<WindowHandle> all = clicked();
        return int(std::count(all.begin(), all.end(), window));
    }

    std::vector<Sent> sent;
    std::vector<std::pair<std::string, ShowCommand>> started;
    int startResult = 33;

private:
    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> roots_;
    std::map<WindowHandle, std::function<void()>> clicks_;
    std::map<WindowHandle, std::function<void()>> commands_;
    WindowHandle next_ = 100;
};

class FakeTimer final : public AutomationTimer {
public:
    void start(int id, int milliseconds) override { running[id] = milliseconds; }
    void kill(int id) override { running.erase(id); }
    std::map<int, int> running;
};

class FakeClock final : public Clock {
public:
    std::int64_t milliseconds() override { return now; }
    void sleep(int ms) override
    {
        slept.push_back(ms);
        now += ms;
    }
    std::int64_t now = 1000;
    std::vector<int> slept;
};

}  // namespace lv::sharing::testing
