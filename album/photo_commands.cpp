#include "album/photo_commands.h"

#include "common/warning_messages.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

namespace lv::album {
namespace {

namespace fs = std::filesystem;

struct PathParts {
    std::string folder;  // up to and including the last "/"
    std::string name;
    std::string extension;  // without the dot; empty when there is none
};

PathParts splitPath(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    PathParts parts;
    parts.folder = std::string(slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1));
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.find_last_of('.');
    parts.name = std::string(dot == std::string_view::npos ? file : file.substr(0, dot));
    if (dot != std::string_view::npos)
        parts.extension = std::string(file.substr(dot + 1));
    return parts;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

}  // namespace

DeleteCheck CheckDelete(const Album& album, const AlbumView& view)
{
    if (album.readOnly() || view.selectedCount() == 0)
        return DeleteCheck::Nothing;
    return view.validSelected() ? DeleteCheck::Ask : DeleteCheck::Beep;
}

int DeleteSelectedPhotos(Album& album, AlbumView& view, DeleteChoice choice, const fs::path& programDir)
{
    const std::vector<int> selected = view.selectedPhotos();
    // From the end, so the indexes still to come stay valid.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (choice == DeleteChoice::ThumbnailsAndFiles) {
            const std::string path = album.absolutePath(*it, programDir);
            std::error_code error;
            if (!fs::remove(path, error) || error)
                ShowDetailedStringMessage(kCannotDeleteFileString, path);
        }
        album.remove(*it);
    }
    if (!selected.empty())
        album.setModified(true);
    view.afterRemoval();
    return int(selected.size());
}

std::string FormatFileSize(std::uint32_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f KB", double(bytes) / 1024.0);
    return text;
}

std::string FormatLastWrite(const std::tm& t)
{
    char text[160];  // room for any value the fields can hold
    std::snprintf(text, sizeof text, "%d%d:%d%d:%d%d    %d%d/%d%d/%d", t.tm_hour / 10, t.tm_hour % 10, t.tm_min / 10,
                  t.tm_min % 10, t.tm_sec / 10, t.tm_sec % 10, (t.tm_mon + 1) / 10, (t.tm_mon + 1) % 10,
                  t.tm_mday / 10, t.tm_mday % 10, t.tm_year + 1900);
    return text;
}

std::string FormatDimensions(int width, int height, int bits)
{
    char text[64];
    std::snprintf(text, sizeof text, "  %d x %d\n  %d Bits", width, height, bits);
    return text;
}

PhotoProperties DescribePhoto(const AlbumEntry& entry, const std::string& absolutePath)
{
    const PathParts parts = splitPath(absolutePath);
    PhotoProperties p;
    p.name = parts.name;
    p.folder = parts.folder;
    p.extension = upper(parts.extension);
    p.fileSize = FormatFileSize(entry.fileSize());
    struct stat info {};
    if (::stat(absolutePath.c_str(), &info) == 0) {
        std::tm local{};
        const std::time_t when = info.st_mtime;
        if (::localtime_r(&when, &local))
            p.lastWrite = FormatLastWrite(local);
    }
    p.dimensions = FormatDimensions(entry.width(), entry.height(), entry.bitCount());
    return p;
}

std::string RenamedPhotoPath(std::string_view path, std::string_view newName)
{
    const PathParts parts = splitPath(path);
    std::string renamed = parts.folder + std::string(newName);
    if (!parts.extension.empty())
        renamed += "." + upper(parts.extension);
    return renamed;
}

RenameResult RenamePhoto(Album& album, int index, std::string_view newName, AlbumClipboard& clipboard,
                         const fs::path& programDir)
{
    AlbumEntry* entry = album.entry(index);
    const std::string oldPath = entry ? album.absolutePath(index, programDir) : std::string();
    if (!entry || newName.empty() || newName == splitPath(oldPath).name)
        return RenameResult::Unchanged;
    const std::string newPath = RenamedPhotoPath(oldPath, newName);
    if (newPath == oldPath)
        return RenameResult::Unchanged;
    std::error_code error;
    if (fs::exists(fs::symlink_status(newPath, error)))
        return RenameResult::Exists;
    fs::rename(oldPath, newPath, error);
    if (error)
        return RenameResult::Failed;
    entry->setPath(newPath);
    entry->setRelative(false);
    if (clipboard.path == oldPath) {
        clipboard.path = newPath;
        if (clipboard.entry)
            clipboard.entry->setPath(newPath);
    }
    album.setModified(true);
    return RenameResult::Renamed;
}

}  // namespace lv::album
