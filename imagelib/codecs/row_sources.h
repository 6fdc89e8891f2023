#pragma once
// Files whose pictures can be had a band of rows at a time, and what comes with the rows: a
// converter that needs no more than that never makes the picture.

#include "common/byte_source.h"
#include "imagelib/codecs/row_source.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace lv {

// What a reader learns beside the pixels that a writer of rows keeps.
struct StreamedFacts {
    std::int32_t xPixelsPerMeter = 0;
    std::int32_t yPixelsPerMeter = 0;
    std::vector<std::uint8_t> iccProfile;
};

struct StreamedRows {
    std::unique_ptr<RgbRowSource> rows;  // reads from the source it was opened on, which must outlive it
    StreamedFacts facts;
};

// The rows of `source` when its reader would make a 24-bit picture of them with nothing but a
// change of byte order; null rows when it must be read whole, or refused (the whole read then
// says why).
StreamedRows OpenStreamedRows(ByteSource& source);

// The rows of a camera raw file, developed as its reader develops it; null rows when it must be
// read whole, or refused (the whole read then says why).
StreamedRows OpenDevelopedRawRows(ByteSource& source);

}  // namespace lv
