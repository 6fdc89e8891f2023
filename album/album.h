#pragma once
// The open album in memory: up to 1000 entries in album order, the read-only flag from
// its header and a modified flag for changes not yet written. One album can be parked
// while another is read for a single operation.

#include "album/album_entry.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lv::album {

class Album {
public:
    // Closes this album, then reads the file. True only when every record was read; the
    // entries read before a break are kept either way. The file's folder is remembered.
    bool read(const std::string& path);
    // Writes every entry (see WriteAlbumFile); the modified flag is left to the caller.
    bool write(const std::string& path) const;
    void close();

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // The folder of the file last read, with a trailing "/"; empty before any read.
    const std::string& folder() const { return folder_; }
    // The photos the file held when it was last read or written: what tells the user's
    // removals from another writer's additions when the album is saved.
    const std::vector<std::string>& pathsOnDisk() const { return pathsOnDisk_; }
    void setPathsOnDisk(std::vector<std::string> paths) { pathsOnDisk_ = std::move(paths); }

    // False (the entry dropped) when the album already holds 1000 entries.
    bool append(AlbumEntry entry);
    // Indexes outside the table are clamped to the first or last entry.
    void remove(int index);
    void move(int from, int to);
    // Puts `entry` in place of the entry at `index` (which must exist).
    void replace(std::size_t index, AlbumEntry entry);

    const AlbumEntry* entry(int index) const;
    AlbumEntry* entry(int index);
    const std::vector<AlbumEntry>& entries() const { return entries_; }

    HDIB thumbnailCopy(int index) const;
    // Empty for an index outside the table.
    std::string path(int index) const;
    std::string caption(int index) const;
    // The path joined to the program folder when the entry's relative-path flag is set.
    std::string absolutePath(int index, const std::filesystem::path& programDir) const;
    // Removes the first entry whose absolute path equals `path` ignoring case; false when none.
    bool removeWithPath(const std::string& path, const std::filesystem::path& programDir);

    // Sets this album aside (this becomes empty) until restoreParked. One at a time.
    void park();
    void restoreParked();
    bool hasParked() const { return parked_.has_value(); }

private:
    struct State {
        std::vector<AlbumEntry> entries;
        bool readOnly = false;
        bool modified = false;
        std::string folder;
        std::vector<std::string> pathsOnDisk;
    };
    std::size_t clampIndex(int index) const;

    std::vector<AlbumEntry> entries_;
    bool readOnly_ = false;
    bool modified_ = false;
    std::string folder_;
    std::vector<std::string> pathsOnDisk_;
    std::optional<State> parked_;
};

// A photo path joined to the program folder ("/" paths; a stray "\" counts as "/").
std::string JoinProgramPath(const std::filesystem::path& programDir, std::string_view relative);

// Case-insensitive comparison the album uses for paths (ASCII and Latin-1 letters).
bool SamePathIgnoringCase(std::string_view a, std::string_view b);

}  // namespace lv::album
