#pragma once
// A request for help that reaches the main window from anywhere (a dialog's F1): the main
// window opens the page of the context, or the contents without one.

#include <QEvent>

#include <optional>

namespace lv::app {

inline constexpr QEvent::Type kHelpRequestEvent = QEvent::Type(QEvent::User + 220);

class HelpRequestEvent final : public QEvent {
public:
    explicit HelpRequestEvent(std::optional<int> context)
        : QEvent(kHelpRequestEvent)
        , context_(context)
    {
    }
    std::optional<int> context() const { return context_; }

private:
    std::optional<int> context_;
};

// Sends the request to the main window; false when there is none.
bool RequestHelp(std::optional<int> context);

}  // namespace lv::app
