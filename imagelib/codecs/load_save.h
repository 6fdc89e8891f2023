#pragma once
// The library's load and save dispatch by file-name extension. Neither shows anything: what
// the user is to be told comes back in the result's failure as notices, in order.

#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/format_registry.h"
#include "imagelib/metadata/photo_metadata.h"

#include <string>

namespace lv {

struct LoadedImage {
    HDIB image;                            // null when nothing could read the file
    const ImageFormat* format = nullptr;   // the reader that succeeded
    ReadCode code = ReadCode::Failure;     // the last reader's answer
    FileFailure failure;                   // why it failed, or what to tell about the picture; and
                                           // every reader's words, in the order they were said
    PictureFacts facts;                    // the reader's; the picture is upright
    PhotoMetadata metadata;                // the photo's EXIF, XMP and IPTC, carried to a save
};

// Reads with the reader of the format the file's content names (so a file named for
// another format opens), else with the extension's reader, then, when that says "not this
// format", with every other reader in trial order until one gives another answer. No
// extension means BMP. With `withMessage` an unregistered extension carries "Unknown file
// format" with the name.
LoadedImage LoadImageFileDetailed(const std::string& path, bool withMessage);
// The picture alone, for callers that tell the user nothing.
HDIB LoadImageFile(const std::string& path);

// As LoadImageFile, promoted to 24 bits when needed; `promoted` tells whether it was.
HDIB LoadImageFile24(const std::string& path, bool* promoted);

// Writes by the extension's write slot (BMP without one); GIF gets a median-cut copy of a
// 24-bit picture. "Unknown file format" without a write slot, and a writer's own refusal,
// are always carried; with `withMessage` also a failure's cause with the file's name, or the
// disk message with the name for a 0 result.
// `facts` go with the picture into formats that hold them.
WriteResult SaveImageFile(HDIB& image, const std::string& path, bool withMessage, const PictureFacts& facts = {});

}  // namespace lv
