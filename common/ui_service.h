#pragma once
// The one door from core code to the user: message boxes, questions, beeps, the busy
// cursor and progress. The application installs a Qt implementation; tests install a
// recorder; the command-line tool writes to stderr. Core code never talks to a toolkit.

#include <string>
#include <string_view>

namespace lv::ui {

enum class Icon { None, Information, Exclamation, Question, Error };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Service {
public:
    virtual ~Service() = default;
    virtual void showMessage(std::string_view text, std::string_view title, Icon icon) = 0;
    virtual Answer ask(std::string_view text, std::string_view title, Buttons buttons, Icon icon) = 0;
    virtual void beep() = 0;
    // Nested calls balance: the cursor is busy while the count is above zero.
    virtual void setBusy(bool busy) = 0;
    virtual void reportProgress(std::string_view caption, int percent) = 0;
    // Whether the Escape key is held down at this moment (polled by long work).
    virtual bool escapeHeld() = 0;
};

// Writes messages to stderr and answers every question with its first affirmative button.
class ConsoleService final : public Service {
public:
    void showMessage(std::string_view text, std::string_view title, Icon icon) override;
    Answer ask(std::string_view text, std::string_view title, Buttons buttons, Icon icon) override;
    void beep() override {}
    void setBusy(bool) override {}
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }
};

// Shows nothing, answers every question "Não" and never cancels: for work the user did not
// ask for and must not hear of (a file dialog's preview, a recovery copy's writing thread, the
// fuzz targets).
class SilentService final : public Service {
public:
    void showMessage(std::string_view, std::string_view, Icon) override {}
    Answer ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::No; }
    void beep() override {}
    void setBusy(bool) override {}
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }
};

// The process-wide service; a ConsoleService until something else is installed.
Service& Current();

// Installs a service for the lifetime of the guard and restores the previous one after.
class ScopedService {
public:
    explicit ScopedService(Service& service);
    ~ScopedService();
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* previous_;
};

// Installs a service for the calling thread only, for worker threads that must not reach
// the process-wide one (a toolkit's service belongs to its own thread). While it lives,
// Current() on this thread returns it.
class ScopedThreadService {
public:
    explicit ScopedThreadService(Service& service);
    ~ScopedThreadService();
    ScopedThreadService(const ScopedThreadService&) = delete;
    ScopedThreadService& operator=(const ScopedThreadService&) = delete;

private:
    Service* previous_;
};

// The hourglass for the lifetime of the guard.
class BusyCursor {
public:
    BusyCursor() { Current().setBusy(true); }
    ~BusyCursor() { Current().setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The current service's progress and Escape key, for long work that is handed no service.
void ReportProgress(std::string_view caption, int percent);
bool EscapeHeld();

// Titles every message box uses.
inline constexpr std::string_view kWarningTitle = "Atenção";
inline constexpr std::string_view kProductTitle = "Lumivista 2000";
inline constexpr std::string_view kSystemMessageTitle = "Mensagem do sistema";

}  // namespace lv::ui
