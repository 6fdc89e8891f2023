#pragma once
// PNG files with text entries of the caller's choosing, as caches shared with other programs
// lay them out (the freedesktop thumbnails' "Thumb::URI" and "Thumb::MTime").

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/dib.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lv {

using PngTextEntries = std::vector<std::pair<std::string, std::string>>;

// A 24-bit picture as 8-bit RGB, not interlaced, with the entries as uncompressed tEXt chunks
// before the pixels. False when the picture is not 24-bit or the library fails.
bool WritePngWithText(ByteSink& sink, const HDIB& picture, const PngTextEntries& text);

// The text entries that come before the pixels; nothing when the data isn't a readable PNG.
std::optional<std::map<std::string, std::string>> ReadPngText(ByteSource& source);

}  // namespace lv
