#pragma once
// FlashPix files: a resolution hierarchy of 64 x 64 tiles in structured storage.

#include "common/byte_sink.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// The largest resolution, as an 8-bit grey (monochrome files) or 24-bit picture.
// NotThisFormat (-1) when the file can't be opened, is not structured storage or holds
// no image contents; Broken (-2) for a damaged or unsupported image or a cancelled read;
// Failure (0) when memory runs out.
ReadResult ReadFlashPix(const std::string& path);
ReadResult ReadFlashPix(std::span<const std::uint8_t> file);

// Every resolution, in JPEG tiles at `quality` (1..100). Grey pictures are written
// monochrome, others in colour (palette pictures widened first). NotWritten when
// cancelled; CannotCreate when the file can't be made; Failed when writing failed.
WriteResult WriteFlashPix(const std::string& path, const HDIB& image, int quality);
WriteResult WriteFlashPix(ByteSink& sink, const HDIB& image, int quality);

}  // namespace lv
