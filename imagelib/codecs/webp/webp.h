#pragma once
// WebP files through libwebp: still pictures, and the first frame of an animation as it
// shows on its canvas. Alpha is dropped, as the other readers do.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// NotThisFormat when the file isn't WebP, or is and can't be decoded (the cause says why).
ReadResult ReadWebp(const std::string& path);
ReadResult ReadWebp(ByteSource& source);

struct WebpSettings {
    int quality = 90;  // 1..100; for lossless, the effort spent making it small
    bool lossless = false;
    std::span<const std::uint8_t> iccProfile = {};  // goes in an ICCP chunk when not empty
};

WriteResult WriteWebp(const std::string& path, const HDIB& image, const WebpSettings& settings);
WriteResult WriteWebp(ByteSink& sink, const HDIB& image, const WebpSettings& settings);

}  // namespace lv
