#include "app/testing/dialog_rejecter.h"

#include "app/shell/test_hooks.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace lv::app {

DialogRejecter::DialogRejecter(const TestHooks& hooks)
    : hooks_(hooks)
{
    QApplication::instance()->installEventFilter(this);
}

bool DialogRejecter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->objectName() != QLatin1String("testdialog")) {
            hooks_.log(QStringLiteral("dialog ") + dialog->windowTitle());
            QTimer::singleShot(0, dialog, [d = QPointer<QDialog>(dialog)] {
                if (d)
                    d->reject();
            });
        }
    return false;
}

}  // namespace lv::app
