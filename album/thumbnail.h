#pragma once
// The album's thumbnails and entries: a 24-bit picture of at most 69 pixels a side,
// sampled by nearest neighbour from a picture of any depth.

#include "album/album_entry.h"
#include "common/geometry.h"
#include "imagelib/dib.h"
#include "imagelib/codecs/jpeg/jpeg_sampled.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv::album {

inline constexpr int kThumbnailSide = 69;

// Pictures with both sides below 70 keep their size; otherwise the longer side (the width
// when they are equal) becomes 69 and the other (other × 69 + longer / 2) / longer, at least 1.
Size ThumbnailSize(int width, int height);

// The same rule for thumbnails whose longer side is at most `side` (the album browser's 80).
Size ThumbnailSizeWithin(int width, int height, int side);

// The source pixels a thumbnail takes: column (x × w) / tw, row (y × h) / th counted from
// the bottom; the grid's rows are counted from the top, in increasing order.
SampleGrid ThumbnailGrid(int width, int height);
SampleGrid ThumbnailGridWithin(int width, int height, int side);

// A 24-bit thumbnail within `side`, sampled by nearest neighbour as an entry's is; null for
// depths the entries don't take.
HDIB SampledThumbnail(const HDIB& image, int side);
// The same from pixels sampled on ThumbnailGridWithin(width, height, side).
HDIB ThumbnailFromSamples(const SampledPixels& samples, int side);

// Row bytes of a thumbnail (three bytes a pixel, padded to four) and its size with header.
std::uint32_t ThumbnailRowBytes(int width);
std::uint32_t ThumbnailBytes(Size size);

// The file facts an entry records: size and time of the photo file, 0 when stat fails.
struct FileFacts {
    std::uint32_t size = 0;
    std::uint32_t time = 0;
};
FileFacts StatPhotoFile(const std::string& path);
// The same, or nothing when the file can't be stat'ed (it is gone).
std::optional<FileFacts> StatFile(const std::string& path);

// What the caller gives an entry besides the picture.
struct EntryLabel {
    std::string path;
    std::string caption;  // copied first; the item values then overwrite its bytes 16 to 21
    int values[3] = {1, 1, 1};
};

// Builds an entry from a 1-, 4-, 8-, 16- or 24-bit picture; null for other depths or sizes
// the record can't hold. The picture is not freed.
std::optional<AlbumEntry> BuildEntry(const HDIB& image, const EntryLabel& label);

// The same entry from pixels already sampled on ThumbnailGrid(width, height), rows from
// the top (as ReadJpegSamples gives them) for a picture of the given depth.
std::optional<AlbumEntry> BuildEntryFromSamples(const SampledPixels& samples, int bitCount, const EntryLabel& label);

}  // namespace lv::album
