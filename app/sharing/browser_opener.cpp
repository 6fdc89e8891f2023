#include "app/sharing/browser_opener.h"

#include "common/ui_service.h"

#include <QProcess>
#include <QStandardPaths>

namespace lv::app {

bool OpenInBrowser(const QString& target)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && QProcess::startDetached(opener, {target}))
        return true;
    ui::Current().showMessage("Não foi possível abrir \"" + target.toStdString() +
                                  "\": nenhum navegador está configurado nesta área de trabalho (o programa xdg-open "
                                  "não foi encontrado).",
                              ui::kWarningTitle, ui::Icon::Exclamation);
    return false;
}

}  // namespace lv::app
