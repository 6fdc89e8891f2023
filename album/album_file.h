#pragma once
// The album file (".abm"): a 144-byte header ("REZE", total length, count, thumbnail area
// offset, read-only flag at 142), one 288-byte record per photo, then the thumbnails in
// record order.

#include "album/album_entry.h"
#include "common/byte_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lv::album {

inline constexpr std::size_t kHeaderSize = 144;
inline constexpr std::size_t kReadOnlyOffset = 142;
inline constexpr std::size_t kMaxEntries = 1000;
inline constexpr char kMagic[4] = {'R', 'E', 'Z', 'E'};
inline constexpr int kAlbumWriteErrorString = 64468;  // the album could not be written, with its path

struct AlbumFileContents {
    bool recognised = false;  // the header was whole and began with "REZE"
    bool complete = false;    // every record (up to the cap) was read
    bool readOnly = false;
    std::vector<AlbumEntry> entries;  // those read before the first failure
};

// Reads records until the first short read; thumbnails whose bytes the file can't hold, that
// lie outside the thumbnail area or overlap another thumbnail count as failed reads, so the
// thumbnails together never take more than the file's size. Paths
// written with "\" come back with "/". Selected flags are cleared.
AlbumFileContents ReadAlbumContents(ByteSource& source);
// Memory running out while the file is read shows string 2004 with the path and gives
// nothing (not recognised).
AlbumFileContents ReadAlbumContents(const std::string& path);

// True when the file's header is an album's and carries the read-only flag (the system
// albums); only the header is read.
bool IsReadOnlyAlbumFile(const std::string& path);

// The whole file: the header (read-only flag written as 0), the records with thumbnail
// offsets as running sums, then the thumbnails.
std::vector<std::uint8_t> EncodeAlbum(const std::vector<AlbumEntry>& entries);

// Writes through a temporary file renamed over the old album, so the old one survives a
// failed write. Nothing is written for an empty album (false, no message). On failure shows
// string 64468 with the path.
bool WriteAlbumFile(const std::string& path, const std::vector<AlbumEntry>& entries);

}  // namespace lv::album
