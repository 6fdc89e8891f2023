#include "app/projects/orientation_tool.h"

#include "album/orientation/album_follow.h"
#include "album/orientation/album_turns.h"
#include "album/photo_loader.h"
#include "app/projects/orientation_dialog.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/skin/handlers.h"
#include "album/album.h"
#include "common/ui_service.h"

#include <filesystem>

namespace lv::app {

OrientationTool::OrientationTool(MainWindow& window, OpenAlbum& album, album::Album& shown, const TestHooks& hooks)
    : window_(window)
    , album_(album)
    , shown_(shown)
    , hooks_(hooks)
{
    window_.handlers().set(skin::Handler::OrientationTool, [this](const HandlerCall&) { open(); });
}

OrientationTool::~OrientationTool()
{
    delete dialog_.data();
}

std::vector<std::string> OrientationTool::selection() const
{
    // The page's own album while it shows; what it had selected when it was left otherwise.
    return shown_.empty() ? album_.selectedFiles() : orientation::SelectedPhotos(shown_);
}

void OrientationTool::open()
{
    // The album page writes its selection and changes first, so the dialog sees them.
    const std::string albumPath = album_.file();
    if (albumPath.empty() || orientation::AlbumPhotos(albumPath).empty()) {
        ui::Current().showMessage("Abra na página do álbum um álbum com fotos: a orientação gira as fotos do álbum aberto.",
                                  ui::kProductTitle, ui::Icon::Information);
        return;
    }
    delete dialog_.data();  // a dialog left open shows the album as it was
    dialog_ = new OrientationDialog(&window_, albumPath, std::filesystem::path(album_.name()).stem().string(), selection(), hooks_);
    dialog_->onTurned([this](const std::vector<std::string>& turned) {
        const int rebuilt = orientation::FollowTurnsInMemory(shown_, turned, album::AlbumPhotoReaders());
        LV_TEST_LOG(hooks_, QStringLiteral("orientation page records %1").arg(rebuilt));
    });
    dialog_->show();
    LV_TEST_LOG(hooks_, QStringLiteral("orientation open"));
}

#ifdef LV_TEST_DRIVER
bool OrientationTool::handleTestCommand(const QString& command)
{
    if (!command.startsWith(QLatin1String("orientation ")))
        return false;
    const QString verb = command.section(QLatin1Char(' '), 1, 1);
    if (verb == QLatin1String("open"))
        open();
    else if (!dialog_)
        hooks_.log(QStringLiteral("orientation closed"));
    else if (verb == QLatin1String("trim"))
        dialog_->setTrim(true);
    else if (verb == QLatin1String("all"))
        dialog_->chooseNone();
    else if (verb == QLatin1String("left") || verb == QLatin1String("right") || verb == QLatin1String("auto"))
        dialog_->turn(verb == QLatin1String("left")    ? orientation::Turn::Left
                      : verb == QLatin1String("right") ? orientation::Turn::Right
                                                       : orientation::Turn::Upright);
    else
        return false;
    return true;
}
#endif

}  // namespace lv::app
