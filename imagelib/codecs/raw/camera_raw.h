#pragma once
// Camera raw files (DNG and the formats LibRaw reads) developed by LibRaw with the camera's
// white balance at full size, and their embedded previews for thumbnails.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <string>
#include <string_view>

namespace lv {

// The developed picture, upright (alreadyUpright). NotThisFormat when LibRaw doesn't know
// the file, or fails on it (the cause says why).
ReadResult ReadCameraRaw(const std::string& path);
ReadResult ReadCameraRaw(ByteSource& source);

// The largest preview the camera embedded, turned upright; when there is none, the picture
// developed at half size. Far faster than developing: for thumbnails. The facts give the
// size of the whole picture (wholeWidth, wholeHeight).
ReadResult ReadCameraRawPreview(const std::string& path);
ReadResult ReadCameraRawPreview(ByteSource& source);

// Whether an upper-case extension names a camera raw format ("DNG", "CR2", "NEF", ...).
bool IsCameraRawExtension(std::string_view upperExtension);

// Whether the head of a file says camera raw on its own: a DNG's version tag, or the marks
// of the raw formats not laid out as plain TIFF.
bool IsCameraRawHead(std::span<const std::uint8_t> head);

}  // namespace lv
