#include "app/start/album_argument.h"

#include "app/core/shell_state.h"
#include "app/album/album_page.h"

#include <filesystem>

namespace lv::app {

bool OpenAlbumFromCommandLine(MainWindow& window, OpenAlbum* openAlbum, const std::string& path,
                              const TestHooks& hooks)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string name = ec ? path : absolute.string();
    if (openAlbum)
        openAlbum->publish(name);
    else
        Shell().config.albumName = name;
    if (auto* page = dynamic_cast<AlbumPage*>(window.screenCodeOf(kAlbumScreen)))
        page->showFileNext(Shell().config.albumName);
    const bool shown = window.switchScreen(kAlbumScreen);
    LV_TEST_LOG(hooks, QStringLiteral("album %1 %2")
                           .arg(QString::fromStdString(Shell().config.albumName), shown ? "ok" : "failed"));
    return shown;
}

}  // namespace lv::app
