#pragma once
// Pictures with their own transparency written as 32-bit pixels (blue, green, red, alpha),
// bottom row first: the pixel layout of 32-bit bitmaps and Targa files alike.

#include "common/byte_sink.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/dib.h"

namespace lv {

// A 24-bit picture and an 8-bit alpha of its size.
bool AlphaFitsPicture(const HDIB& image, const HDIB& alpha);

// The rows after the file's header; NotWritten when the user cancels.
WriteResult WriteBgraRows(ByteSink& sink, const HDIB& image, const HDIB& alpha);

}  // namespace lv
