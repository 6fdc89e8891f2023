#include "album/album_clipboard.h"

#include "album/album_file.h"
#include "common/warning_messages.h"

namespace lv::album {

bool CopyPhoto(const Album& album, const AlbumView& view, AlbumClipboard& clipboard,
               const std::filesystem::path& programDir)
{
    const AlbumEntry* e = view.validSelected() ? album.entry(view.selected()) : nullptr;
    if (!e)
        return false;
    clipboard.entry = *e;
    clipboard.entry->setSelected(false);
    clipboard.path = album.absolutePath(view.selected(), programDir);
    return true;
}

bool CutPhoto(Album& album, AlbumView& view, AlbumClipboard& clipboard, const std::filesystem::path& programDir)
{
    if (!CopyPhoto(album, view, clipboard, programDir))
        return false;
    album.remove(view.selected());
    album.setModified(true);
    view.afterRemoval();
    return true;
}

bool PastePhoto(Album& album, AlbumView& view, const AlbumClipboard& clipboard, const std::filesystem::path& programDir)
{
    if (clipboard.empty())
        return false;
    AlbumEntry copy = *clipboard.entry;
    const std::string path = copy.relative() ? JoinProgramPath(programDir, copy.path()) : copy.path();
    // Pasting a photo the album already holds moves it to the end.
    const bool removed = album.removeWithPath(path, programDir);
    if (album.count() >= kMaxEntries) {
        if (removed)
            album.setModified(true);
        view.afterRemoval();
        ShowStringMessage(kAlbumFullString);
        return false;
    }
    album.append(std::move(copy));
    album.setModified(true);
    view.appended();
    return true;
}

}  // namespace lv::album
