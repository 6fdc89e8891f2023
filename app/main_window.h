#pragma once
// The top-level window "Lumivista 2000": frameless and black, the mode's size. Commands
// (from the accelerators and, later, the skin's buttons) run through its command table.

#include "app/core/document_opener.h"

#include <QWidget>

#include <functional>
#include <map>

namespace lv::app {

inline constexpr char kMainWindowClass[] = "Lumivista 2000";

class MainWindow final : public QWidget {
public:
    using CommandHandler = std::function<void()>;
    using DestroyHandler = std::function<void()>;

    MainWindow(DocumentOpener& opener, DestroyHandler onDestroy);

    // The creation handler: the display checks, then the window shows itself. False when
    // the display is refused (the window is then not shown).
    bool create();

    void setCommandHandler(int command, CommandHandler handler);
    // Runs the command's handler; false when the command has none.
    bool runCommand(int command);

    void acceptDroppedFiles() { setAcceptDrops(true); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DocumentOpener& opener_;
    DestroyHandler onDestroy_;
    std::map<int, CommandHandler> commands_;
};

}  // namespace lv::app
