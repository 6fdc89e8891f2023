// The screen capture page's commands for the test driver (test builds only).

#include "app/acquire/screen_capture_page.h"

#include "app/shell/main_window.h"

#include <QTimer>

namespace lv::app {

bool ScreenCapturePage::handleTestCommand(const QString& command)
{
    if (!command.startsWith(QLatin1String("capture ")))
        return false;
    const QString what = command.mid(8);
    if (what.startsWith(QLatin1String("hide "))) {
        hide_ = what.mid(5).toInt() != 0;
        return true;
    }
    const int value = what.toInt();
    QTimer::singleShot(0, mainWindow_, [this, value] { capture(value); });
    return true;
}

}  // namespace lv::app
