#pragma once
// Hooks that let the test suite drive the running program without waiting on timers. Only a
// test build (LV_TEST_DRIVER, set when the build makes the tests) has them:
//   LUMIVISTA_TEST_LOG=<file>  append what the program does (start-up geometry, files handed
//                              to the opener, message boxes, requests to come forward) to the
//                              file; message boxes are answered at once with their first button,
//                              and the single-instance socket also takes test commands
//   LUMIVISTA_TEST_QUIT=1      close the main window as soon as start-up is done
//   LUMIVISTA_TEST_SEND=<cmd>  as a second copy, send this command instead of "forward"
//   LUMIVISTA_TEST_RECOVERY=discard|later  the answer to the recovery dialog ("recover" unless
//                              set)
//   LUMIVISTA_TEST_DIALOGS=manual  no dialog is answered for the user: each stays up until
//                              pointer or keys answer it, and the log says "dialog shown <title>"
// In a release build TestHooks is empty: it reads no variable, enabled() is a constant false
// the compiler drops the guarded code for, and LV_TEST_LOG compiles neither the call nor its
// line, so no log text ships.

#include <QString>

#include <optional>

namespace lv::app {

#ifdef LV_TEST_DRIVER

class TestHooks {
public:
    static TestHooks FromEnvironment();

    bool enabled() const { return !logPath_.isEmpty(); }
    void log(const QString& line) const;
    bool quitAfterStart() const { return quitAfterStart_; }
    std::optional<QString> commandToSend() const { return commandToSend_; }
    const QString& recoveryAnswer() const { return recoveryAnswer_; }
    // Whether dialogs wait for the user (LUMIVISTA_TEST_DIALOGS=manual), as in the release.
    bool dialogsManual() const { return enabled() && dialogsManual_; }
    // Whether the program answers its own dialogs at once for the tests.
    bool answersDialogs() const { return enabled() && !dialogsManual_; }

private:
    QString logPath_;
    bool quitAfterStart_ = false;
    bool dialogsManual_ = false;
    std::optional<QString> commandToSend_;
    QString recoveryAnswer_;
};

#define LV_TEST_LOG(hooks, ...) (hooks).log(__VA_ARGS__)

#else

class TestHooks {
public:
    static TestHooks FromEnvironment() { return {}; }

    static constexpr bool enabled() { return false; }
    void log(const QString&) const {}
    static constexpr bool quitAfterStart() { return false; }
    static constexpr bool dialogsManual() { return false; }
    static constexpr bool answersDialogs() { return false; }
    static std::optional<QString> commandToSend() { return std::nullopt; }
};

// Still type-checked, so a release build sees the same mistakes a test build does.
#define LV_TEST_LOG(hooks, ...)          \
    do {                                 \
        if constexpr (false)             \
            (hooks).log(__VA_ARGS__);    \
    } while (false)

#endif

}  // namespace lv::app
