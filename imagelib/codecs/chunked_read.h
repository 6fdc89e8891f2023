#pragma once
// Reading a stretch of a file into memory in bounded chunks, so a long read can be cancelled.

#include "common/byte_source.h"
#include "imagelib/codecs/file_bytes.h"

#include <cstdint>
#include <vector>

namespace lv {

// The chunk size of the readers that take the rest of a file into memory.
inline constexpr std::size_t kReadChunkSize = 32767;
// The chunk size of whole files read into large-page memory.
inline constexpr std::size_t kWholeFileChunkSize = std::size_t(1) << 20;

enum class ChunkedRead {
    Complete,
    Short,      // the file ended first
    Cancelled,  // AbortRequested said so between two chunks
};

// Reads `count` bytes from the source's position into `bytes` (resized to fit).
ChunkedRead ReadInChunks(ByteSource& source, std::size_t count, std::vector<std::uint8_t>& bytes);
ChunkedRead ReadInChunks(ByteSource& source, std::size_t count, FileBytes& bytes);

}  // namespace lv
