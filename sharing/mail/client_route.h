#pragma once
// The first way out for a picture: the mail client installed on the machine, started hidden
// and then driven by its windows. The user picks this route or the mail layer once in the
// route dialog, or for good with its check box.

#include "sharing/mail/client_automation.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lv::sharing {

// What the route dialog (169) answers.
struct RouteDialogAnswer {
    bool confirmed = false;  // 1661; false for 1662 or closing the dialog
    bool clientChosen = true;  // 1663 selected rather than 1664
    bool doNotShowAgain = false;  // check box 1000
};

// The user's settings the route reads and writes.
class RouteSettings {
public:
    virtual ~RouteSettings() = default;
    // The client's executable, when one is configured.
    virtual std::optional<std::string> clientExecutable() = 0;
    // "LastbStart" in section "USER": the dialog is not shown while it is above 0.
    virtual bool dialogSuppressed() = 0;
    virtual void setDialogSuppressed(bool suppressed) = 0;
};

enum class ClientRouteResult { NotHandled = 0, Handled = 1, Cancelled = -1, ClientMissing = -2 };

// The client's major version: the character three places before the end of its folder's
// path ("…/5.0" gives 5); 5 when that is not a decimal digit.
int ClientMajorVersion(std::string_view clientFolder);

class MailClientRoute {
public:
    using RouteDialog = std::function<RouteDialogAnswer()>;

    MailClientRoute(WindowSystem& windows, AutomationTimer& timer, Clock& clock, RouteSettings& settings,
                    RouteDialog dialog);

    ClientRouteResult run(const std::string& path);
    // Timer 205 of the main window.
    void tick(int timerId) { automation_.tick(timerId); }
    const MailClientAutomation& automation() const { return automation_; }

private:
    WindowSystem& windows_;
    Clock& clock_;
    RouteSettings& settings_;
    RouteDialog dialog_;
    MailClientAutomation automation_;
    // Both set when the program starts and again before the dialog shows.
    bool useClient_ = true;
    bool proceed_ = true;
    bool startedBefore_ = false;
};

}  // namespace lv::sharing
