#pragma once
// Picture blocks of the layered stream: a 16-byte header with the encoding, then a whole
// bitmap file or a JPEG stream.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/layered_layout.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace lv {

// Results of writing a block, the stream writer's numbers.
inline constexpr int kBlockWritten = 0;
inline constexpr int kBlockOutOfMemory = -4;
inline constexpr int kBlockWriteFailed = -3;

// JPEG at `quality`, or an uncompressed or run-length bitmap. The picture is not changed.
int WriteJpegBlock(ByteSink& sink, const HDIB& picture, int quality);
int WriteBmpBlock(ByteSink& sink, const HDIB& picture, bool runLength);
// A JPEG stream kept from a file, written back byte for byte.
int WriteKeptJpegBlock(ByteSink& sink, std::span<const std::uint8_t> jpeg);

// The picture of the block at `position` when its encoding is one of `accepted`; null otherwise.
// With `keptJpeg`, a JPEG block's stream is kept there as the file holds it.
HDIB ReadPictureBlock(ByteSource& source, std::uint64_t position, std::initializer_list<BlockEncoding> accepted,
                      std::vector<std::uint8_t>* keptJpeg = nullptr);

}  // namespace lv
