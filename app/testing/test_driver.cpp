#include "app/testing/test_driver.h"

#include "app/acquire/acquisition.h"
#include "app/acquire/screen_capture_page.h"
#include "app/acquire/video_capture_page.h"
#include "app/album/album_page.h"
#include "app/editing/document_windows.h"
#include "app/projects/orientation_tool.h"
#include "app/projects/project_screens.h"
#include "app/recovery/recovery_service.h"
#include "app/sharing/internet_pages.h"

namespace lv::app {

std::function<bool(const QString&)> TestCommandChain(TestCommandTakers takers)
{
    return [takers](const QString& command) {
        return takers.documents.handleTestCommand(command) || takers.acquisition.handleTestCommand(command) ||
               takers.video.handleTestCommand(command) || takers.screenShots.handleTestCommand(command) ||
               (takers.albumPage && takers.albumPage->handleTestCommand(command)) ||
               (takers.projects && takers.projects->handleTestCommand(command)) ||
               takers.recovery.handleTestCommand(command) ||
               (takers.internet && takers.internet->handleTestCommand(command)) ||
               (takers.orientation && takers.orientation->handleTestCommand(command));
    };
}

}  // namespace lv::app
