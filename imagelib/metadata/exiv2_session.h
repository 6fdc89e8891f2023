#pragma once
// The metadata library's one-time set-up (its XMP toolkit is not thread-safe to start, and
// its warnings would go to the terminal) and helpers the reader and writer share.

#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <span>
#include <vector>

namespace lv::metadata {

// Call before any use of the library; cheap after the first time.
void EnsureLibraryReady();

// Removes the tags that describe an encoded picture's own layout (strips, tiles, depth...),
// which belong to the file being written, not to the photo.
void EraseLayoutTags(Exiv2::ExifData& exif);

std::vector<std::uint8_t> EncodeExif(const Exiv2::ExifData& exif);
Exiv2::ExifData DecodeExif(std::span<const std::uint8_t> block);

}  // namespace lv::metadata
