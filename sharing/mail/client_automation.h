#pragma once
// Driving the mail client to a new message with the picture attached: on every tick of
// timer 205 one step of six stages (open "Write Mail" from the tool bar, open its
// "Attachments", open "Attach", type the path and confirm, close "Attachments", wait for
// it to go), looking again and clicking again when a window is slow to come.

#include "sharing/mail/window_system.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace lv::sharing {

inline constexpr int kAutomationTimer = 205;
inline constexpr int kAutomationMilliseconds = 30;
// After this long the client's main window is shown if it is still hidden.
inline constexpr std::int64_t kShowHiddenClientAfterMs = 20000;
inline constexpr std::size_t kMaxPathBytes = 260;

// The main window's timers, as the automation starts and stops them.
class AutomationTimer {
public:
    virtual ~AutomationTimer() = default;
    virtual void start(int id, int milliseconds) = 0;
    virtual void kill(int id) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t milliseconds() = 0;
    virtual void sleep(int milliseconds) = 0;
};

// The process's monotonic clock.
Clock& SystemClock();

class MailClientAutomation {
public:
    MailClientAutomation(WindowSystem& windows, AutomationTimer& timer, Clock& clock);

    // Starts from stage 0 with every count cleared and every window forgotten.
    void start(const std::string& path, int clientVersion);
    // One step; other timers are not ours.
    void tick(int timerId);

    bool running() const { return running_; }
    int stage() const { return stage_; }
    int attempts(int stage) const { return counts_[std::size_t(stage)]; }
    int limit(int stage) const { return limits_[std::size_t(stage)]; }
    const std::string& path() const { return path_; }

private:
    void firstLook();
    void stageToolbar();
    void stageWriteMail();
    void stageAttachments();
    void stageAttach();
    void stageCloseAttachments();
    void stageWaitForClose();
    // Stages 1-3: one attempt at finding the stage's window, unless it is known; a window
    // that does not come in time sends the stage back to repeat the click before it.
    bool lookFor(WindowHandle& window, const std::function<WindowHandle()>& look);
    void typePath(WindowHandle edit);

    WindowSystem& windows_;
    AutomationTimer& timer_;
    Clock& clock_;
    bool running_ = false;
    bool firstTick_ = false;
    int stage_ = 0;
    std::array<int, 6> counts_{};
    std::array<int, 6> limits_{};
    std::int64_t lookTime_ = 0;
    int version_ = 5;
    std::string path_;
    WindowHandle main_ = 0;
    WindowHandle writeMail_ = 0;
    WindowHandle attachments_ = 0;
    WindowHandle attach_ = 0;
    WindowHandle toolbarIcon_ = 0;
    WindowHandle writeMailButton_ = 0;
};

}  // namespace lv::sharing
