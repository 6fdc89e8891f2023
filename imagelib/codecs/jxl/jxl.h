#pragma once
// JPEG XL files through libjxl: the first frame, turned as the file says, with its ICC
// profile when its colours are not plain sRGB.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <string>

namespace lv {

ReadResult ReadJxl(const std::string& path);
ReadResult ReadJxl(ByteSource& source);

bool IsJxlHead(std::span<const std::uint8_t> head);

struct JxlSettings {
    int quality = 90;  // 1..100, as the reference encoder maps it to a distance
    bool lossless = false;
};

// The reference encoder's distance for a quality.
float JxlDistanceForQuality(int quality);

WriteResult WriteJxl(const std::string& path, const HDIB& image, const JxlSettings& settings);
WriteResult WriteJxl(ByteSink& sink, const HDIB& image, const JxlSettings& settings);

}  // namespace lv
