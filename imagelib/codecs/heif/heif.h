#pragma once
// HEIF files through libheif: HEIC pictures and AVIF ones alike (libheif picks the
// decoder). The primary picture is read, turned as its container says.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <string>

namespace lv {

// NotThisFormat when the file isn't HEIF, or is and can't be decoded (the cause says why).
// The result is already upright (alreadyUpright) and carries the file's ICC profile.
ReadResult ReadHeif(const std::string& path);
ReadResult ReadHeif(ByteSource& source);

// Whether the head of a file is an ISO media file of a HEIF brand (HEIC, AVIF and the rest).
bool IsHeifHead(std::span<const std::uint8_t> head);
// Whether those brands name AV1 pictures.
bool IsAvifHead(std::span<const std::uint8_t> head);

enum class HeifCodec { Hevc, Av1 };

struct HeifSettings {
    HeifCodec codec = HeifCodec::Hevc;
    int quality = 90;  // 1..100
};

// Unsupported when this machine's libheif has no encoder for the codec.
WriteResult WriteHeif(const std::string& path, const HDIB& image, const HeifSettings& settings);
WriteResult WriteHeif(ByteSink& sink, const HDIB& image, const HeifSettings& settings);
bool CanWriteHeif(HeifCodec codec);

}  // namespace lv
