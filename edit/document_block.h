#pragma once
// The layered stream's document block: the photo's EXIF, XMP and IPTC and its colour
// profile, so that a photo kept as a layered document loses neither. Named by header word
// 40, which older readers skip.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/metadata/photo_metadata.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv {

struct DocumentMetadata {
    PhotoMetadata photo;
    std::vector<std::uint8_t> iccProfile;

    bool empty() const { return !photo.hasBlocks() && iccProfile.empty(); }
};

// Block header, four u32 lengths (EXIF, XMP, IPTC, profile), then the four byte runs.
inline constexpr std::size_t kDocumentBlockHead = 16 + 4 * 4;

bool WriteDocumentBlock(ByteSink& sink, const DocumentMetadata& metadata);

// The whole block's length as its header and lengths declare it, or nothing when the
// block header is not a document block's.
std::optional<std::uint64_t> DocumentBlockLength(ByteSource& source, std::uint64_t position);

// The block at `position`, its facts decoded; the orientation is always 1 (the layers are
// upright). Nothing when the block can't be read whole.
std::optional<DocumentMetadata> ReadDocumentBlock(ByteSource& source, std::uint64_t position);

}  // namespace lv
