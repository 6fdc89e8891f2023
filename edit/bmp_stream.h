#pragma once
// Bitmap streams inside layered files: the whole bitmap file, written from a picture
// without changing it, uncompressed or (8-bit pictures) run-length encoded.

#include "common/byte_sink.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <vector>

namespace lv {

// BI_RLE8 data of an 8-bit picture's rows, bottom row first: runs of equal bytes, literal
// stretches, an end-of-line code after each row but the last and the end-of-bitmap code.
std::vector<std::uint8_t> EncodeRle8(const HDIB& picture);

// False when a write fails or run-length encoding is asked of a picture that is not 8-bit.
bool WriteBmpStream(ByteSink& sink, const HDIB& picture, bool runLength);

}  // namespace lv
