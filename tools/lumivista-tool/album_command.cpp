#include "album_command.h"

#include <string>

namespace lv::tool {

namespace {
constexpr std::string_view kUsage =
    "usage: album make OUT.abm FILE... [--jobs N] | add ALBUM FILE... [--jobs N] | refresh ALBUM [--jobs N] | "
    "info ALBUM [--json] | thumbs ALBUM DIR | list [--category N] [--json] | search FOLDER [--name TEXT] [--caption TEXT] "
    "[--after DATE] [--before DATE] [--type EXT] [--min-size WxH] [--photos DIR] [--json]";
}

int RunAlbum(std::string_view, Arguments args)
{
    if (args.empty())
        return Fail(kExitUsage, kUsage);
    const std::string& sub = args[0];
    const Arguments rest = args.subspan(1);
    if (sub == "make")
        return RunAlbumMake(rest);
    if (sub == "add")
        return RunAlbumAdd(rest);
    if (sub == "refresh")
        return RunAlbumRefresh(rest);
    if (sub == "info")
        return RunAlbumInfo(rest);
    if (sub == "thumbs")
        return RunAlbumThumbs(rest);
    if (sub == "list")
        return RunAlbumList(rest);
    if (sub == "search")
        return RunAlbumSearch(rest);
    return Fail(kExitUsage, "unknown album command " + sub + " (" + std::string(kUsage) + ")");
}

}  // namespace lv::tool
