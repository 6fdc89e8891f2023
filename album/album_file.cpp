#include "album/album_file.h"

#include "common/byte_sink.h"
#include "common/little_endian.h"
#include "common/out_of_memory.h"
#include "common/ui_service.h"
#include "common/warning_messages.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace lv::album {
namespace {

void turnBackslashes(AlbumEntry& entry)
{
    const auto record = entry.record();
    auto* path = record.data() + offset::kPath;
    std::replace(path, path + kPathBytes, std::uint8_t('\\'), std::uint8_t('/'));
}

// The thumbnails' places in the file. One block named by many records would give each record
// its own copy of it, so a thumbnail must lie in the thumbnail area without touching any
// other: what the thumbnails take in memory is then bounded by the file's size.
class ThumbnailExtents {
public:
    ThumbnailExtents(std::uint64_t areaStart, std::uint64_t fileSize) : areaStart_(areaStart), fileSize_(fileSize) {}

    bool claim(std::uint64_t start, std::uint64_t size)
    {
        if (start < areaStart_ || start > fileSize_ || size > fileSize_ - start || size > fileSize_ - claimed_)
            return false;
        if (size == 0)
            return true;
        const auto next = taken_.lower_bound(start);
        if (next != taken_.end() && next->first < start + size)
            return false;
        if (next != taken_.begin() && std::prev(next)->second > start)
            return false;
        taken_.emplace(start, start + size);
        claimed_ += size;
        return true;
    }

private:
    std::uint64_t areaStart_;
    std::uint64_t fileSize_;
    std::uint64_t claimed_ = 0;
    std::map<std::uint64_t, std::uint64_t> taken_;  // start -> end of each thumbnail
};

}  // namespace

AlbumFileContents ReadAlbumContents(ByteSource& source)
{
    AlbumFileContents contents;
    std::uint8_t header[kHeaderSize];
    if (!source.readExact(header, sizeof header) || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return contents;
    contents.recognised = true;
    contents.readOnly = LoadLE16(header + kReadOnlyOffset) != 0;
    const std::size_t count = std::min<std::size_t>(LoadLE32(header + 8), kMaxEntries);
    const std::uint64_t thumbnailArea = kHeaderSize + kRecordSize * std::uint64_t(count);

    // The record table in one read (as much of it as the file holds), then the thumbnails
    // in order: a well-formed file is read front to back without going back and forth.
    std::vector<std::uint8_t> table(std::size_t(std::min<std::uint64_t>(
        kRecordSize * std::uint64_t(count), source.size() > kHeaderSize ? source.size() - kHeaderSize : 0)));
    const std::size_t tableBytes = source.read(table.data(), table.size());
    contents.entries.reserve(count);
    ThumbnailExtents extents(thumbnailArea, source.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (kRecordSize * (i + 1) > tableBytes)
            break;
        const std::uint8_t* record = table.data() + kRecordSize * i;
        const std::uint32_t thumbSize = LoadLE32(record + offset::kThumbSize);
        const std::uint64_t thumbStart = thumbnailArea + LoadLE32(record + offset::kThumbOffset);
        // A thumbnail the file can't hold, or one sharing its bytes, is a failed thumbnail
        // read: refuse it before allocating.
        if (!extents.claim(thumbStart, thumbSize))
            break;
        AlbumEntry entry(thumbSize);
        std::memcpy(entry.record().data(), record, kRecordSize);
        entry.setSelected(false);
        if (!source.seek(thumbStart) || !source.readExact(entry.thumbnail().data(), thumbSize))
            break;
        turnBackslashes(entry);
        contents.entries.push_back(std::move(entry));
    }
    contents.complete = contents.entries.size() == count;
    return contents;
}

AlbumFileContents ReadAlbumContents(const std::string& path)
{
    auto source = FileSource::Open(path);
    if (!source)
        return {};
    return ReadWithinMemory(path, [&] { return ReadAlbumContents(*source); }, [] { return AlbumFileContents{}; });
}

bool IsReadOnlyAlbumFile(const std::string& path)
{
    auto source = FileSource::Open(path);
    std::uint8_t header[kHeaderSize];
    return source && source->readExact(header, sizeof header) && std::memcmp(header, kMagic, sizeof kMagic) == 0 &&
           LoadLE16(header + kReadOnlyOffset) != 0;
}

std::vector<std::uint8_t> EncodeAlbum(const std::vector<AlbumEntry>& entries)
{
    std::uint64_t thumbnails = 0;
    for (const AlbumEntry& entry : entries)
        thumbnails += entry.thumbnail().size();
    const std::size_t recordsEnd = kHeaderSize + kRecordSize * entries.size();
    std::vector<std::uint8_t> bytes(recordsEnd + thumbnails, 0);

    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    StoreLE32(bytes.data() + 4, std::uint32_t(bytes.size()));
    StoreLE32(bytes.data() + 8, std::uint32_t(entries.size()));
    StoreLE32(bytes.data() + 12, std::uint32_t(recordsEnd));

    std::uint32_t runningOffset = 0;
    std::size_t thumbAt = recordsEnd;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::uint8_t* record = bytes.data() + kHeaderSize + kRecordSize * i;
        std::memcpy(record, entries[i].record().data(), kRecordSize);
        StoreLE32(record + offset::kThumbOffset, runningOffset);
        const auto thumb = entries[i].thumbnail();
        std::memcpy(bytes.data() + thumbAt, thumb.data(), thumb.size());
        thumbAt += thumb.size();
        runningOffset += std::uint32_t(thumb.size());
    }
    return bytes;
}

bool WriteAlbumFile(const std::string& path, const std::vector<AlbumEntry>& entries)
{
    if (entries.empty())
        return false;
    ui::BusyCursor busy;
    if (WriteWholeFile(path, EncodeAlbum(entries)))
        return true;
    ShowDetailedStringMessage(kAlbumWriteErrorString, path);
    return false;
}

}  // namespace lv::album
