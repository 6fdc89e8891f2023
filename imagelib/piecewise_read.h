#pragma once
// Reading a long stretch of a file into memory while the user may cancel.

#include "common/byte_source.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv {

inline constexpr std::size_t kReadPieceSize = 32767;

// `count` bytes from the source's position, read in pieces of kReadPieceSize with
// AbortRequested polled between them. Nothing when the file is shorter or on cancel.
std::optional<std::vector<std::uint8_t>> ReadInPieces(ByteSource& source, std::uint64_t count);

}  // namespace lv
