#pragma once
// Reading a file into a document and writing a document to a file: layered files keep
// their layers, flat pictures become a one-layer document, and saving goes to the layered
// writer, the PNG writer or the safe Save-as procedure by the file type.

#include "edit/layer_stack.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/metadata/photo_metadata.h"

#include <memory>
#include <string>

namespace lv {

struct LoadedDocument {
    std::unique_ptr<LayerStack> stack;  // composited; null on failure
    ReadCode code = ReadCode::Failure;
    std::string format;  // "VLF", "PNG", "JPEG", ...
    PictureFacts facts;  // what a flat picture's file said beside its pixels (its colour profile)
    PhotoMetadata metadata;  // the photo's EXIF, XMP and IPTC, for the saves of the document
};

// The document open of the image windows. Unknown files show string 2356; a picture
// without width or height beeps and gives nothing.
LoadedDocument LoadDocument(const std::string& path);

// Writes the document as `saveType` under `path` (a name without an extension takes the
// type's). Clears the modified flag on success. `facts` go into formats that hold them (the
// colour profile: JPEG, PNG, TIFF, layered); a JPEG, TIFF, PNG or layered file also takes
// `metadata`'s blocks (upright, at the written size).
bool WriteDocument(LayerStack& stack, std::string& path, int saveType, const PictureFacts& facts = {},
                   const PhotoMetadata& metadata = {});

// Remakes the composite after the document's size or layers changed wholesale.
bool RebuildComposite(LayerStack& stack);

}  // namespace lv
