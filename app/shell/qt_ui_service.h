#pragma once
// The UI service of the running program: Qt message boxes with the program's titles and
// Portuguese buttons, the system beep, the hourglass and a progress window.

#include "app/shell/event_pump.h"
#include "app/shell/test_hooks.h"
#include "common/beep.h"
#include "common/ui_service.h"

#include <QPointer>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace lv::app {

class QtUiService final : public ui::Service, public ui::ReasonedBeeps {
public:
    explicit QtUiService(const TestHooks& hooks);
    ~QtUiService() override;

    void showMessage(std::string_view text, std::string_view title, ui::Icon icon) override;
    ui::Answer ask(std::string_view text, std::string_view title, ui::Buttons buttons, ui::Icon icon) override;
    // A beep without a reason is logged as "beep unexplained", which the beep test refuses.
    void beep() override;
    void beepBecause(std::string_view reason) override;
    void setBusy(bool busy) override;
    void reportProgress(std::string_view caption, int percent) override;
    bool escapeHeld() override;

#ifdef LV_TEST_DRIVER
    // Under the test hooks: the next question is answered with the button of this label
    // ("Não") instead of the first.
    void answerNextWith(const QString& label) { scriptedAnswers_.push_back(label); }
#endif

private:
    ui::Answer run(std::string_view text, std::string_view title, ui::Buttons buttons, ui::Icon icon);
    void closeProgressAfterWork();

    const TestHooks& hooks_;
    EventPump pump_;
    int busyDepth_ = 0;
    // Shown over the active window, which may go first (a scanner's dialog) and take it along.
    QPointer<QProgressDialog> progress_;
    // Work that reports progress runs without returning to the event loop (the pump holds
    // timers back), so the first timer event after it means the work ended, whatever way.
    QTimer closeAfterWork_;
#ifdef LV_TEST_DRIVER
    QStringList scriptedAnswers_;
#endif
};

}  // namespace lv::app
