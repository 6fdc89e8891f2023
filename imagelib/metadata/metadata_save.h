#pragma once
// Saving a photo with its metadata: the picture is encoded in memory, the photo's blocks are
// inserted, and the bytes go to disk through the one safe write path.

#include "common/byte_sink.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/metadata/metadata_writer.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace lv {

using PictureEncoder = std::function<WriteResult(ByteSink&)>;

// The encoder of the formats whose files keep metadata ("JPG", "TIF", "PNG", "WEBP"), by the
// upper-case extension; empty for the others. The colour profile, when given, goes in too.
PictureEncoder MetadataKeepingEncoder(const std::string& extension, const HDIB& image, int jpegQuality,
                                      std::span<const std::uint8_t> iccProfile = {});

// Encodes with `encode`, inserts `metadata` (left out when the library can't write it: the
// picture matters more) and writes the file safely.
WriteResult WriteWithMetadata(const std::string& path, const PictureEncoder& encode, const PhotoMetadata& metadata,
                              const MetadataWriteOptions& options);

}  // namespace lv
