#include "app/shell/help_request.h"

#include "app/shell/main_window.h"

#include <QApplication>

namespace lv::app {

bool RequestHelp(std::optional<int> context)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(kMainWindowClass)) {
            HelpRequestEvent request(context);
            QApplication::sendEvent(window, &request);
            return true;
        }
    return false;
}

}  // namespace lv::app
