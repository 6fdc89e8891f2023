#pragma once
// Accelerator table 501: keys pressed anywhere in the main window become its commands.

#include "app/event_filter_chain.h"

#include <QPointer>
#include <Qt>

#include <optional>
#include <span>

namespace lv::app {

class MainWindow;

enum Command : int {
    kCommandHelp = 220,         // F1
    kCommandEscape = 128,       // Esc
    kCommandNextField = 256,    // Tab
    kCommandQuit = 502,         // Ctrl+Q
    kCommandUndo = 503,         // Ctrl+Z
    kCommandRedo = 504,         // Ctrl+Y
    kCommandCut = 505,          // Ctrl+X
    kCommandCopy = 506,         // Ctrl+C
    kCommandPaste = 507,        // Ctrl+V
};

struct Accelerator {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

std::span<const Accelerator> AcceleratorTable();

// The command for a key with exactly these Shift, Ctrl and Alt modifiers.
std::optional<int> TranslateAccelerator(int key, Qt::KeyboardModifiers modifiers);

class AcceleratorFilter final : public MessageFilter {
public:
    explicit AcceleratorFilter(MainWindow& mainWindow);
    bool filterEvent(QObject* receiver, QEvent* event) override;

private:
    QPointer<MainWindow> mainWindow_;
};

}  // namespace lv::app
