#include "album/album_merge.h"

#include "album/album.h"
#include "album/album_file.h"

#include <algorithm>

namespace lv::album {
namespace {

bool listed(const std::vector<std::string>& paths, const std::string& path)
{
    return std::any_of(paths.begin(), paths.end(), [&](const std::string& p) { return SamePathIgnoringCase(p, path); });
}

}  // namespace

std::vector<std::string> EntryPaths(const std::vector<AlbumEntry>& entries)
{
    std::vector<std::string> paths;
    paths.reserve(entries.size());
    for (const AlbumEntry& entry : entries)
        paths.push_back(entry.path());
    return paths;
}

std::vector<std::size_t> AddedByOthers(const std::vector<std::string>& basePaths, const std::vector<AlbumEntry>& mine,
                                       const std::vector<AlbumEntry>& theirs)
{
    std::vector<std::string> known = EntryPaths(mine);
    known.insert(known.end(), basePaths.begin(), basePaths.end());
    std::vector<std::size_t> added;
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        const std::string path = theirs[i].path();
        if (listed(known, path))
            continue;
        added.push_back(i);
        known.push_back(path);  // an album lists a photo once
    }
    return added;
}

std::vector<AlbumEntry> MergeAlbumChanges(const std::vector<std::string>& basePaths, std::vector<AlbumEntry> mine,
                                          const std::vector<AlbumEntry>& theirs)
{
    for (const std::size_t i : AddedByOthers(basePaths, mine, theirs)) {
        if (mine.size() >= kMaxEntries)
            break;
        mine.push_back(theirs[i]);
    }
    return mine;
}

}  // namespace lv::album
