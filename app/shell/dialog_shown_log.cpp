#include "app/shell/dialog_shown_log.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace lv::app {

DialogShownLog::DialogShownLog(const TestHooks& hooks)
    : hooks_(hooks)
{
    if (hooks_.dialogsManual())
        qApp->installEventFilter(this);  // taken off when the object goes
}

bool DialogShownLog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (const auto* dialog = qobject_cast<const QDialog*>(watched); dialog && dialog->isWindow())
            hooks_.log(QStringLiteral("dialog shown ") + dialog->windowTitle());
    return false;
}

}  // namespace lv::app
