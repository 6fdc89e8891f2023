#pragma once
// The library's load and save dispatch by file-name extension.

#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/format_registry.h"

#include <string>

namespace lv {

struct LoadedImage {
    HDIB image;                            // null when nothing could read the file
    const ImageFormat* format = nullptr;   // the reader that succeeded
    ReadCode code = ReadCode::Failure;     // the last reader's answer
    FileFailure failure;                   // why it failed, or what to tell about the picture
};

// Reads with the reader of the format the file's content names (so a file named for
// another format opens), else with the extension's reader, then, when that says "not this
// format", with every other reader in trial order until one gives another answer. No
// extension means BMP. Shows "Unknown file format" with the name for an unregistered
// extension when `showMessage`.
LoadedImage LoadImageFileDetailed(const std::string& path, bool showMessage);
HDIB LoadImageFile(const std::string& path, bool showMessage);

// As LoadImageFile, promoted to 24 bits when needed; `promoted` tells whether it was.
HDIB LoadImageFile24(const std::string& path, bool* promoted, bool showMessage);

// Writes by the extension's write slot (BMP without one); GIF gets a median-cut copy of a
// 24-bit picture. On a 0 result shows the disk message when `showMessage`.
WriteResult SaveImageFile(HDIB& image, const std::string& path, bool showMessage);

}  // namespace lv
