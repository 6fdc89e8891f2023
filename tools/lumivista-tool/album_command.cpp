#include "album_command.h"

#include "option_table.h"

#include <string>

namespace lv::tool {

namespace {
std::string usageText()
{
    return CommandUsage("album");
}
}

int RunAlbum(std::string_view, Arguments args)
{
    if (args.empty())
        return Fail(kExitUsage, usageText());
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
    return Fail(kExitUsage, "unknown album command " + sub + " (" + usageText() + ")");
}

}  // namespace lv::tool
