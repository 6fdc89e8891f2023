#include "app/shell/open_album.h"

#include "app/core/shell_state.h"
#include "common/program_paths.h"

#include <filesystem>

namespace lv::app {

void OpenAlbum::publish(const std::string& path)
{
    if (path.empty() || path == Shell().config.albumName)
        return;
    Shell().config.albumName = path;
    for (const Listener& listener : listeners_)
        listener(path);
}

std::string OpenAlbum::name() const
{
    return Shell().config.albumName;
}

std::string OpenAlbum::file() const
{
    if (saver_)
        saver_();
    const std::string& name = Shell().config.albumName;
    if (std::filesystem::path(name).is_absolute())
        return name;
    const std::string relative = "albums/" + name;
    const std::filesystem::path user = ResolveWritableLocation(ProgramDir(), UserDataDir(), relative);
    std::error_code ec;
    return std::filesystem::exists(user, ec) ? user.string() : ProgramFile(relative).string();
}

}  // namespace lv::app
