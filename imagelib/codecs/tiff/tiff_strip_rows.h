#pragma once
// The rows of a chunky 8-bit RGB TIFF, uncompressed or LZW, read strip by strip into the
// caller's bands: the same rows ReadTiff makes, damage and all, without the picture.

#include "common/byte_source.h"
#include "imagelib/codecs/row_sources.h"

namespace lv {

// Null rows for any other TIFF, and for one ReadTiff refuses before its pixels.
StreamedRows OpenTiffStripRows(ByteSource& source);

}  // namespace lv
