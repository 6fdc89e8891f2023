#pragma once
// What a photo's EXIF, XMP and IPTC blocks say, read through the metadata library from bytes
// already in memory. Only the facts the program uses are decoded; the blocks themselves are
// kept whole so a save can carry them into the file it writes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lv {

struct PhotoMetadata {
    // EXIF as a TIFF-structured block (byte order mark first), without the picture's own
    // layout tags; empty when the photo has none.
    std::vector<std::uint8_t> exif;
    std::string xmp;                  // the XMP packet
    std::vector<std::uint8_t> iptc;   // IPTC datasets
    int orientation = 1;              // 1–8, 1 when none is stored or the stored one is invalid
    std::string dateTaken;            // "YYYY:MM:DD HH:MM:SS" as the camera wrote it; empty when unknown
    std::string camera;               // the camera's model, with its maker when the model omits it

    bool hasBlocks() const { return !exif.empty() || !xmp.empty() || !iptc.empty(); }
};

// Larger inputs are not handed to the metadata library at all.
inline constexpr std::size_t kMaxMetadataInputBytes = std::size_t(512) << 20;

// Reads the metadata of an encoded picture (JPEG, TIFF, PNG and the other formats the library
// knows). Anything the library can't read, or throws on, gives empty metadata.
PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> encoded);

// Reads a bare EXIF block as kept in PhotoMetadata::exif (the layered file stores it so).
PhotoMetadata ReadExifBlock(std::span<const std::uint8_t> exif);

// The date taken as seconds since 1970 in local time; 0 when `dateTaken` is no date.
std::int64_t DateTakenSeconds(const std::string& dateTaken);

}  // namespace lv
