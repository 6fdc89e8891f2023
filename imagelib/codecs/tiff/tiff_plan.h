#pragma once
// What every read of a TIFF decides before its first pixel: the kind of picture, the size of
// a row, the strips, and whether the file may make a picture that large at all.

#include "common/byte_source.h"
#include "common/file_problem.h"
#include "imagelib/codecs/tiff/tiff_directory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lv {

inline constexpr std::uint32_t kTiffUncompressed = 1;
inline constexpr std::uint32_t kTiffLzw = 5;

struct TiffStrips {
    std::vector<std::uint32_t> offsets;
    std::optional<std::vector<std::uint32_t>> byteCounts;

    std::optional<std::uint64_t> byteCount(std::size_t strip) const
    {
        if (byteCounts && strip < byteCounts->size())
            return (*byteCounts)[strip];
        return std::nullopt;
    }
};

struct TiffPlan {
    TiffInfo info;
    unsigned bits = 0;  // 1, 4, 8 or 24 per pixel
    bool camera = false;
    std::size_t rowBytes = 0;  // as the strips hold a row
    TiffStrips strips;
};

// Nothing when the file is to be refused; `refusal` then holds what the reader says (often
// no cause at all).
std::optional<TiffPlan> PlanTiffPixels(ByteSource& source, FileFailure& refusal);

}  // namespace lv
