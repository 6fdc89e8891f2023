#include "album/orientation/album_follow.h"

#include "album/album_update.h"
#include "album/entry_builder.h"
#include "album/large_thumbnails.h"
#include "common/program_paths.h"

#include <filesystem>
#include <set>

namespace lv::orientation {
namespace {

std::string SameFile(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

int RebuildEntries(album::Album& album, const std::vector<std::string>& turned, const DocumentReaders& readers)
{
    std::set<std::string> wanted;
    for (const std::string& path : turned)
        wanted.insert(SameFile(path));
    const std::filesystem::path programDir = ProgramDir();
    int rebuilt = 0;
    for (std::size_t i = 0; i < album.count(); ++i) {
        const album::AlbumEntry& old = *album.entry(int(i));
        const std::string path = album.absolutePath(int(i), programDir);
        if (!wanted.contains(SameFile(path)))
            continue;
        album::EntryLabel label{path, old.caption(), {old.itemValue(0), old.itemValue(1), old.itemValue(2)}};
        album::BuiltEntry built = album::BuildPhotoEntry(label, readers);
        if (!built.entry)
            continue;  // unreadable now: its old record is better than none
        built.entry->setPath(old.path());
        built.entry->setRelative(old.relative());
        built.entry->setSelected(old.selected());
        album.replace(i, std::move(*built.entry));
        ++rebuilt;
    }
    return rebuilt;
}

}  // namespace

album::AlbumUpdate FollowTurnsInAlbum(const std::string& albumPath, const std::vector<std::string>& turned,
                                      const DocumentReaders& readers)
{
    return album::ModifyAlbum(albumPath, [&](album::Album& album) { return RebuildEntries(album, turned, readers) > 0; });
}

int FollowTurnsInMemory(album::Album& album, const std::vector<std::string>& turned, const DocumentReaders& readers)
{
    // The file already holds these records: the page need not write them again for them.
    return RebuildEntries(album, turned, readers);
}

void RefreshLargeThumbnails(const std::vector<std::string>& turned, const DocumentReaders& readers)
{
    for (const std::string& path : turned) {
        const std::filesystem::path absolute = std::filesystem::absolute(path);
        if (std::filesystem::exists(album::LargeThumbnailFolder() / album::ThumbnailFileName(album::FileUri(absolute))))
            album::MakeLargeThumbnail(absolute, readers);
    }
}

}  // namespace lv::orientation
