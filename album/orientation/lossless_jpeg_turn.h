#pragma once
// Turning a JPEG without decoding it: the compressed blocks are moved, so no quality is lost.
// Through the TurboJPEG library's transform.

#include "common/file_problem.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lv::orientation {

// What to do with the partial blocks on the edges a turn moves to the top or left.
enum class EdgeBlocks {
    Refuse,  // a photo whose size is no multiple of the block is refused
    Trim,    // those few rows or columns are dropped
};

struct TurnedJpeg {
    std::vector<std::uint8_t> bytes;  // empty on failure; markers (EXIF, ICC) copied as they were
    int width = 0;
    int height = 0;
    FileFailure failure;  // Unsupported "não é múltiplo..." when Refuse met partial blocks
};

// Applies `transform` (an EXIF orientation number; 1 copies the blocks unchanged) to the JPEG
// in `jpeg`. A damaged file fails rather than yield a photo cut short.
TurnedJpeg TurnJpegBlocks(std::span<const std::uint8_t> jpeg, int transform, EdgeBlocks edges);

}  // namespace lv::orientation
