#pragma once
// The open paths' step after a reader: learn the photo's metadata from its file and turn the
// pixels upright by the stored orientation, unless the reader's library already did.

#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/file_bytes.h"
#include "imagelib/metadata/photo_metadata.h"

#include <string>
#include <string_view>
#include <vector>

namespace lv {

// Whether files of this reader's format (its upper-case name: "JPG", "TIF", "PNG"...) carry
// metadata the library reads.
bool FormatCarriesMetadata(std::string_view format);

// Reads the metadata of the regular file at `path`, notes its orientation in
// `result.facts()` and turns the picture upright; returns the metadata. A turned picture is
// marked already upright, so a second call turns nothing. Memory running out while turning
// leaves the picture as stored.
PhotoMetadata ApplyPhotoMetadata(ReadResult& result, const std::string& path);
// The same with the metadata already read from the file (by a reader that needed it first).
PhotoMetadata ApplyKnownPhotoMetadata(ReadResult& result, PhotoMetadata metadata);

// The metadata of the file at `path`, read through the program's own bounded file open.
PhotoMetadata ReadFileMetadata(const std::string& path);

// The bytes of that file the metadata library needs: a JPEG's head through its first scan,
// any other file whole. Empty when it can't be read or is too large.
FileBytes ReadMetadataBytes(const std::string& path);

}  // namespace lv
