#pragma once
// Accelerator table 501: keys pressed anywhere in the main window become its commands. The
// table itself is the skin's (lv::skin::TranslateAccelerator); this maps Qt's keys onto it.

#include "app/shell/event_filter_chain.h"
#include "app/skin/keyboard.h"

#include <QPointer>
#include <Qt>

#include <optional>

namespace lv::app {

class MainWindow;

// The table's key for a Qt key, if the table has it.
std::optional<skin::Key> TableKey(int qtKey);

// The command for a key; Shift and Alt must not be held, Control exactly as the table says.
// Control with the numeric pad's plus or minus gives the zoom steps 548 and 549 wherever
// the focus is, so they work as soon as an image window is active.
std::optional<int> TranslateAccelerator(int qtKey, Qt::KeyboardModifiers modifiers);

class AcceleratorFilter final : public MessageFilter {
public:
    explicit AcceleratorFilter(MainWindow& mainWindow);
    bool filterEvent(QObject* receiver, QEvent* event) override;

private:
    QPointer<MainWindow> mainWindow_;
};

}  // namespace lv::app
