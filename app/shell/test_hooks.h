#pragma once
// Hooks that let the test suite drive the running program without waiting on timers:
//   LUMIVISTA_TEST_LOG=<file>  append what the program does (start-up geometry, files handed
//                              to the opener, message boxes, requests to come forward) to the
//                              file; message boxes are answered at once with their first button,
//                              and the single-instance socket also takes test commands
//   LUMIVISTA_TEST_QUIT=1      close the main window as soon as start-up is done
//   LUMIVISTA_TEST_SEND=<cmd>  as a second copy, send this command instead of "forward"

#include <QString>

#include <optional>

namespace lv::app {

class TestHooks {
public:
    static TestHooks FromEnvironment();

    bool enabled() const { return !logPath_.isEmpty(); }
    void log(const QString& line) const;
    bool quitAfterStart() const { return quitAfterStart_; }
    std::optional<QString> commandToSend() const { return commandToSend_; }

private:
    QString logPath_;
    bool quitAfterStart_ = false;
    std::optional<QString> commandToSend_;
};

}  // namespace lv::app
