#pragma once
// GIF files: the first image of a file read into a 1-, 4- or 8-bit picture by either of two
// readers, and single-image files written from 1-, 4- and 8-bit pictures.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// The library dispatch's reader: finds the image by the first 0x2C byte after the colour
// table and reads two-colour pictures as black and white. Failure (0) for every problem.
ReadResult ReadGif(const std::string& path);
ReadResult ReadGif(ByteSource& source);

// The general loader's reader: walks the extension blocks and keeps a two-colour table's
// own colours. Null on any failure.
HDIB ReadGifStream(const std::string& path);
HDIB ReadGifStream(std::span<const std::uint8_t> file);

// Writes 1-, 4- and 8-bit pictures; GIF89a with a graphic control when
// CurrentSaveOptions().transparent is set, interlaced when .interlace is. Deeper pictures
// are refused with CannotCreate, DepthNotWritable carrying the message.
WriteResult WriteGif(const std::string& path, const HDIB& image);
WriteResult WriteGif(ByteSink& sink, const HDIB& image);

// The LZW minimum code size and the compressed pixels of one image of a 1-, 4- or 8-bit
// picture (rows top first, not interlaced), for writers of several images in one file.
WriteResult WriteGifImageData(ByteSink& sink, const HDIB& image);

}  // namespace lv
