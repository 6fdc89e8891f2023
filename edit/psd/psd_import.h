#pragma once
// Opening Photoshop documents (".PSD") as layered documents: one layer per file layer with
// its position, name, opacity and visibility; a file without layers opens as one layer.

#include "edit/layer_stack.h"
#include "edit/psd/psd_document.h"
#include "imagelib/codecs/codec_result.h"

#include <memory>
#include <string>

namespace lv {

// The document of a decoded file, its layer 0 current and its composite not yet built.
// Null when memory runs out.
std::unique_ptr<LayerStack> MakeStackFromPsd(PsdDocument document);

// Whether the user hears about layers that changed on the way in (blend modes, merged
// layers). Files that cannot be opened are always reported.
enum class PsdNotices { Show, Quiet };

struct PsdOpened {
    std::unique_ptr<LayerStack> stack;  // composited; null on failure
    // NotThisFormat without the signature; Broken after a message of its own (an
    // unsupported mode or depth, or cancelled); Failure for a damaged file or no memory.
    ReadCode code = ReadCode::Failure;
    FileFailure failure;  // why, when known (a picture beyond the budget)
};

PsdOpened OpenPsdFile(const std::string& path, PsdNotices notices = PsdNotices::Show);
PsdOpened OpenPsd(ByteSource& source, PsdNotices notices = PsdNotices::Show);

// What the general loader and the command line take: the document composited into one
// picture.
ReadResult ReadPsdFlattened(const std::string& path);

// The user's messages for a decoded file: what could not be opened, or what changed.
void ShowPsdMessages(const PsdDecode& decode, PsdNotices notices);

}  // namespace lv
