#pragma once
// Long operations run on the UI thread without returning to the event loop. When they ask
// whether Esc is held, or report progress, pending events are processed with all user input
// and timers held back, so windows repaint but no command can start in the middle of another.

#include <QElapsedTimer>
#include <QObject>

namespace lv::app {

class EventPump final : public QObject {
public:
    // Processes pending events if the last pass was long enough ago.
    void pumpIfDue();
    // Whether Esc is down, or went down since the last question.
    bool escapeHeld();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer sinceLastPump_;
    bool pumping_ = false;
    bool escapeDown_ = false;
    bool escapePressedSinceAsked_ = false;
};

}  // namespace lv::app
