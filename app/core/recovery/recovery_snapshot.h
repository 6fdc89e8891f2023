#pragma once
// What the recovery copy is written from: a copy of a document taken on the user-interface
// thread in the time it takes to copy a few dozen small records, and read on the writing
// thread while the user goes on painting.

#include "edit/layer_stack.h"
#include "imagelib/dib.h"

#include <memory>

namespace lv {

// The layers share the document's pictures (no pixel is copied; a picture the user changes
// afterwards is copied by the change, not here). Text objects are copied, as they are small
// and changed in place. The composite, the selection and the undo recorder are left out.
std::unique_ptr<LayerStack> TakeRecoverySnapshot(const LayerStack& document);

// A picture of the document at most `longestSide` pixels wide and high, for the recovery
// list: the layers are scaled down and composited at that size, so the whole document is
// never composited. Null when the document has no size or memory runs out.
HDIB MakeRecoveryThumbnail(const LayerStack& document, int longestSide);

}  // namespace lv
