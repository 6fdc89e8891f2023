#pragma once
// The bitmap run-length decoder (8-bit and 4-bit), fed from the file in fixed chunks.

#include "common/byte_source.h"
#include "imagelib/dib.h"

namespace lv {

// Decodes the rest of `source` into the rows of `picture` (8 or 4 bits per pixel).
// Stops at the end-of-bitmap code, when every row is filled, or when the file ends.
void DecodeBmpRle(ByteSource& source, HDIB& picture);

}  // namespace lv
