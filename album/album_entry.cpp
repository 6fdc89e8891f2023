#include "album/album_entry.h"

#include "common/little_endian.h"
#include "common/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace lv::album {

AlbumEntry::AlbumEntry(std::size_t thumbnailBytes)
    : bytes_(kRecordSize + thumbnailBytes, 0)
{
}

HDIB AlbumEntry::thumbnailCopy() const
{
    const auto thumb = thumbnail();
    if (thumb.size() < kDibHeaderSize)
        return nullptr;
    HDIB copy = HDIB::AllocateZeroed(thumb.size() + kDibSpareBytes);
    if (copy)
        std::memcpy(copy.data(), thumb.data(), thumb.size());
    return copy;
}

std::uint16_t AlbumEntry::u16(std::size_t at) const
{
    return LoadLE16(bytes_.data() + at);
}

std::uint32_t AlbumEntry::u32(std::size_t at) const
{
    return LoadLE32(bytes_.data() + at);
}

void AlbumEntry::setU16(std::size_t at, std::uint16_t v)
{
    StoreLE16(bytes_.data() + at, v);
}

void AlbumEntry::setU32(std::size_t at, std::uint32_t v)
{
    StoreLE32(bytes_.data() + at, v);
}

std::string AlbumEntry::text(std::size_t at, std::size_t capacity) const
{
    const auto* start = reinterpret_cast<const char*>(bytes_.data() + at);
    return std::string(start, ::strnlen(start, capacity));
}

void AlbumEntry::setText(std::size_t at, std::size_t capacity, std::string_view text)
{
    const std::string_view kept = TruncateUtf8(text, capacity - 1);
    std::fill_n(bytes_.data() + at, capacity, std::uint8_t(0));
    std::memcpy(bytes_.data() + at, kept.data(), kept.size());
}

}  // namespace lv::album
