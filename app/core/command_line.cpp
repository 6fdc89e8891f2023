#include "app/core/command_line.h"

#include "imagelib/codecs/file_names.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace lv {
namespace {

// A picture's name: its file part ends in a dot and three letters, or in ".jpeg" or
// ".tiff" (in any case). Each argument is one whole name, so nothing else is needed to
// tell names apart.
bool hasPictureExtension(std::string_view name)
{
    const std::string_view file = name.substr(name.rfind('/') == std::string_view::npos ? 0 : name.rfind('/') + 1);
    const auto dot = file.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    std::string extension(file.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return extension.size() == 3 || extension == "jpeg" || extension == "tiff";
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
        if (argument.empty() || !hasPictureExtension(argument))
            continue;  // not a picture's name; the names after it still open
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
