#pragma once
// One photo of an album: the 288-byte record as it lies in the file, followed by the
// thumbnail (a packed 24-bit picture without colour table).

#include "imagelib/dib.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

inline constexpr std::size_t kRecordSize = 288;
inline constexpr std::size_t kPathBytes = 128;     // at offset 8, NUL-terminated
inline constexpr std::size_t kCaptionBytes = 128;  // at offset 136, shares bytes with the item values

namespace offset {
inline constexpr std::size_t kFileSize = 0;
inline constexpr std::size_t kCreated = 4;
inline constexpr std::size_t kPath = 8;
inline constexpr std::size_t kCaption = 136;
inline constexpr std::size_t kItemValues = 152;  // three u16 inside the caption field
inline constexpr std::size_t kRelative = 264;
inline constexpr std::size_t kBitCount = 266;
inline constexpr std::size_t kWidth = 268;
inline constexpr std::size_t kHeight = 270;
inline constexpr std::size_t kThumbOffset = 272;
inline constexpr std::size_t kThumbWidth = 276;
inline constexpr std::size_t kThumbHeight = 278;
inline constexpr std::size_t kThumbSize = 280;
inline constexpr std::size_t kSelected = 284;
}  // namespace offset

class AlbumEntry {
public:
    // A zeroed record followed by a zeroed thumbnail area of `thumbnailBytes`.
    explicit AlbumEntry(std::size_t thumbnailBytes = 0);

    std::span<std::uint8_t> record() { return {bytes_.data(), kRecordSize}; }
    std::span<const std::uint8_t> record() const { return {bytes_.data(), kRecordSize}; }
    // Everything after the record.
    std::span<std::uint8_t> thumbnail() { return std::span(bytes_).subspan(kRecordSize); }
    std::span<const std::uint8_t> thumbnail() const { return std::span(bytes_).subspan(kRecordSize); }
    // A new picture holding the thumbnail; null when the entry has none.
    HDIB thumbnailCopy() const;

    std::uint32_t fileSize() const { return u32(offset::kFileSize); }
    std::uint32_t created() const { return u32(offset::kCreated); }
    std::string path() const { return text(offset::kPath, kPathBytes); }
    std::string caption() const { return text(offset::kCaption, kCaptionBytes); }
    std::uint16_t itemValue(int index) const { return u16(offset::kItemValues + 2 * std::size_t(index)); }
    bool relative() const { return u16(offset::kRelative) == 1; }
    std::uint16_t bitCount() const { return u16(offset::kBitCount); }
    std::uint16_t width() const { return u16(offset::kWidth); }
    std::uint16_t height() const { return u16(offset::kHeight); }
    std::uint32_t thumbOffset() const { return u32(offset::kThumbOffset); }
    std::uint16_t thumbWidth() const { return u16(offset::kThumbWidth); }
    std::uint16_t thumbHeight() const { return u16(offset::kThumbHeight); }
    std::uint32_t thumbSize() const { return u32(offset::kThumbSize); }
    bool selected() const { return u16(offset::kSelected) != 0; }

    void setFileSize(std::uint32_t v) { setU32(offset::kFileSize, v); }
    void setCreated(std::uint32_t v) { setU32(offset::kCreated, v); }
    // Stored as UTF-8, cut on a character boundary to leave room for the terminator.
    void setPath(std::string_view path) { setText(offset::kPath, kPathBytes, path); }
    // The whole field: a long caption overwrites the item values.
    void setCaption(std::string_view caption) { setText(offset::kCaption, kCaptionBytes, caption); }
    void setItemValue(int index, std::uint16_t v) { setU16(offset::kItemValues + 2 * std::size_t(index), v); }
    void setRelative(bool relative) { setU16(offset::kRelative, relative ? 1 : 0); }
    void setBitCount(std::uint16_t v) { setU16(offset::kBitCount, v); }
    void setWidth(std::uint16_t v) { setU16(offset::kWidth, v); }
    void setHeight(std::uint16_t v) { setU16(offset::kHeight, v); }
    void setThumbOffset(std::uint32_t v) { setU32(offset::kThumbOffset, v); }
    void setThumbWidth(std::uint16_t v) { setU16(offset::kThumbWidth, v); }
    void setThumbHeight(std::uint16_t v) { setU16(offset::kThumbHeight, v); }
    void setThumbSize(std::uint32_t v) { setU32(offset::kThumbSize, v); }
    void setSelected(bool selected) { setU16(offset::kSelected, selected ? 1 : 0); }

    bool operator==(const AlbumEntry&) const = default;

private:
    std::uint16_t u16(std::size_t at) const;
    std::uint32_t u32(std::size_t at) const;
    void setU16(std::size_t at, std::uint16_t v);
    void setU32(std::size_t at, std::uint32_t v);
    std::string text(std::size_t at, std::size_t capacity) const;
    void setText(std::size_t at, std::size_t capacity, std::string_view text);

    std::vector<std::uint8_t> bytes_;
};

}  // namespace lv::album
