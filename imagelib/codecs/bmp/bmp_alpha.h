#pragma once
// Bitmap files that keep alpha: 32-bit pixels behind a 124-byte header whose bit fields give
// red 0x00FF0000, green 0x0000FF00, blue 0x000000FF and alpha 0xFF000000.

#include "common/byte_sink.h"
#include "imagelib/codecs/codec_result.h"

#include <string>

namespace lv {

inline constexpr std::uint32_t kBmpAlphaHeaderSize = 124;
inline constexpr std::uint32_t kBmpAlphaMask = 0xFF000000u;

// A 24-bit picture and its alpha (8-bit, same size, 255 opaque), rows bottom-up, in sRGB.
// Other pictures are not written.
WriteResult WriteBmpWithAlpha(const std::string& path, const HDIB& image, const HDIB& alpha);
WriteResult WriteBmpWithAlpha(ByteSink& sink, const HDIB& image, const HDIB& alpha);

}  // namespace lv
