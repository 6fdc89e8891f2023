// The project screens' commands for the test driver (test builds only): "project pick N" double
// clicks a photo of the picker that shows; any other "project ..." logs the screens' state.

#include "app/projects/project_screens.h"

#include "app/album/album_pick_dialog.h"

#include <QApplication>

namespace lv::app {

bool ProjectScreens::handleTestCommand(const QString& command)
{
    const QStringList words = command.split(' ');
    if (words.value(0) != QLatin1String("project"))
        return false;
    const QString verb = words.value(1);
    if (verb == QLatin1String("pick")) {
        auto* picker = dynamic_cast<AlbumPickDialog*>(QApplication::activeModalWidget());
        if (!picker || !picker->pick(words.value(2).toInt()))
            hooks_.log(QStringLiteral("project pick refused"));
        return true;
    }
    logState();
    return true;
}

}  // namespace lv::app
