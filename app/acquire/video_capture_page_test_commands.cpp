// The video capture page's commands for the test driver (test builds only).

#include "app/acquire/video_capture_page.h"

#include "app/acquire/video_preview.h"

namespace lv::app {

bool VideoCapturePage::handleTestCommand(const QString& command)
{
    if (!command.startsWith(QLatin1String("video ")))
        return false;
    const QString what = command.mid(6);
    if (what == QLatin1String("grab"))
        grab(false);
    else if (what == QLatin1String("album"))
        grab(true);
    else if (what == QLatin1String("live"))
        startLive();
    else if (what == QLatin1String("stop"))
        closePreview();
    else if (what == QLatin1String("preview"))
        hooks_.log(QStringLiteral("preview %1").arg(preview_ && preview_->isVisible() ? preview_->framesShown() : -1));
    else
        return false;
    return true;
}

}  // namespace lv::app
