#pragma once
// Reads a chosen grid of pixels out of a JPEG file without keeping the whole picture:
// rows outside the grid are entropy-decoded and dropped, and only the grid's pixels are
// copied out. Every pixel equals the one ReadJpeg (promoted to 24 bits) has at that place;
// the same files are refused.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lv {

struct SampleGrid {
    std::vector<int> columns;  // any order, each below the width
    std::vector<int> rows;     // counted from the top, strictly increasing, each below the height
};

// The grid for a picture of the given size (asked once the header is read).
using SampleGridRule = std::function<SampleGrid(int width, int height)>;

struct SampledPixels {
    ReadCode code = ReadCode::Failure;  // Image on success
    int width = 0;                      // of the whole picture
    int height = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    int components = 0;  // 1 for grey files, 3 for colour
    // Blue, green, red of grid row r, column c at ((r × columns) + c) × 3; grey gives three equal bytes.
    std::vector<std::uint8_t> bgr;
    bool truncated = false;  // the file ends before its data: what is missing reads grey
};

// Failure where ReadJpeg fails; Broken when the file can't be opened. Shows nothing and
// reports no progress, so it may run on any thread.
SampledPixels ReadJpegSamples(ByteSource& source, const SampleGridRule& rule);
SampledPixels ReadJpegSamples(const std::string& path, const SampleGridRule& rule);

}  // namespace lv
