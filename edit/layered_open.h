#pragma once
// The document open's reader for layered files, which keeps the whole stack and the file's
// document block aside while the dispatcher sees only the composite. The windows and the
// command line both open layered files through it, so both carry the photo's metadata on.

#include "edit/document_block.h"
#include "edit/layer_stack.h"
#include "imagelib/codecs/document_open.h"

#include <memory>

namespace lv {

class LayeredOpen {
public:
    LayeredOpen() = default;
    LayeredOpen(const LayeredOpen&) = delete;
    LayeredOpen& operator=(const LayeredOpen&) = delete;

    // The reader for DocumentReaders::layered; it refers to this object, which must outlive
    // the open.
    ReaderFunction reader();

    // After the open: when a layered file was read, its photo metadata and colour profile go
    // where a photo's own file puts them (`opened.metadata`, the result's facts).
    void passMetadata(OpenedImage& opened);

    std::unique_ptr<LayerStack> stack;  // composited; the last document a reader kept
    DocumentMetadata metadata;          // the layered file's document block, else empty
};

}  // namespace lv
