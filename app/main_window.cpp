#include "app/main_window.h"

#include "app/core/screen_mode.h"
#include "app/core/settings_keys.h"
#include "app/core/shell_state.h"
#include "common/string_table.h"
#include "common/ui_service.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace lv::app {
namespace {

// The first dropped local file, if any: only that one is used.
QString firstLocalFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

}  // namespace

MainWindow::MainWindow(DocumentOpener& opener, DestroyHandler onDestroy)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , opener_(opener)
    , onDestroy_(std::move(onDestroy))
{
    setObjectName(kMainWindowClass);
    setWindowTitle(kMainWindowClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

bool MainWindow::create()
{
    ShellState& shell = Shell();
    for (const int message : DisplayMessages(shell.displayBitsPerPixel, shell.screenMode.mode))
        ui::Current().showMessage(LoadString(message), ui::kWarningTitle, ui::Icon::Exclamation);
    if (ModeRefused(shell.screenMode.mode))
        return false;
    show();
    return true;
}

void MainWindow::setCommandHandler(int command, CommandHandler handler)
{
    commands_[command] = std::move(handler);
}

bool MainWindow::runCommand(int command)
{
    const auto it = commands_.find(command);
    if (it == commands_.end())
        return false;
    it->second();
    return true;
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (onDestroy_)
        std::exchange(onDestroy_, nullptr)();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!firstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::string path = firstLocalFile(event->mimeData()).toStdString();
    if (path.empty())
        return;
    event->acceptProposedAction();
    if (!opener_.acceptsFile(path)) {
        ui::Current().beep();
        return;
    }
    opener_.openDocument(path);
}

}  // namespace lv::app
