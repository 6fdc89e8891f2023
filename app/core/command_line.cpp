#include "app/core/command_line.h"

#include "imagelib/file_names.h"

#include <algorithm>
#include <string_view>

namespace lv {
namespace {

bool hasThreeLetterExtension(std::string_view name)
{
    return name.size() >= 4 && name[name.size() - 4] == '.';
}

bool openOne(const std::string& path, DocumentOpener& opener, const AlbumFileOpener& openAlbum)
{
    if (openAlbum && IsAlbumFileName(path))
        return openAlbum(path);
    return opener.acceptsFile(path) && opener.openDocument(path);
}

}  // namespace

bool IsAlbumFileName(std::string_view path)
{
    return DispatchExtension(path) == "ABM";
}

int OpenCommandLineFiles(std::span<const std::string> arguments, DocumentOpener& opener,
                         const AlbumFileOpener& openAlbum)
{
    std::size_t next = 0;
    while (next < arguments.size() && arguments[next].starts_with('-'))
        ++next;

    int counter = 0;
    int opened = 0;
    for (; next < arguments.size() && counter <= 2; ++next) {
        std::string_view argument = arguments[next];
        argument.remove_prefix(std::min(argument.find_first_not_of(' '), argument.size()));
        if (argument.empty() || !hasThreeLetterExtension(argument))
            break;
        ++counter;
        const std::string path(argument);
        if (openOne(path, opener, openAlbum)) {
            ++counter;
            ++opened;
        }
    }
    return opened;
}

}  // namespace lv
