#pragma once
// The ICC profile of a TIFF file: the bytes of its InterColorProfile tag.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/tiff/tiff_directory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv {

inline constexpr std::uint16_t kTiffIccProfileTag = 34675;
inline constexpr std::uint16_t kTiffUndefined = 7;

// The profile the directory names; empty when there is none, or when its bytes lie beyond
// the file or exceed the profile limit.
std::vector<std::uint8_t> ReadTiffIccProfile(ByteSource& source, const TiffInfo& info);

struct TiffIccPlacement {
    std::uint32_t offset;
    std::uint32_t count;
};

// Writes the profile at the sink's end, on a word boundary as the format asks; nothing
// when the profile is empty or the write fails.
std::optional<TiffIccPlacement> AppendTiffIccProfile(ByteSink& sink, std::span<const std::uint8_t> profile);

}  // namespace lv
