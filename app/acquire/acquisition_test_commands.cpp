// The scanner feature's commands for the test driver (test builds only).

#include "app/acquire/acquisition.h"

#include "app/shell/main_window.h"

namespace lv::app {

bool Acquisition::handleTestCommand(const QString& command)
{
    if (command.startsWith(QLatin1String("page ")) && mainWindow_) {
        mainWindow_->switchScreen(command.mid(5).toInt());
        hooks_.log(QStringLiteral("page %1").arg(mainWindow_->screen()));
        return true;
    }
    if (command == QLatin1String("acquire")) {
        scanFromPage();
        return true;
    }
    if (command == QLatin1String("scan")) {
        scanCommand();
        return true;
    }
    return false;
}

}  // namespace lv::app
