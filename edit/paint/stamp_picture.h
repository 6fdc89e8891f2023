#pragma once
// The stamp tool's work: a small picture put down centred on the click, scaled so its
// longer side is four times the brush size, its top-left pixel's colour counting as
// transparent (the clip-art convention of the stamp pictures).

#include "common/ui_service.h"
#include "edit/layer_stack.h"

#include <optional>

namespace lv {

inline int StampSide(int brushSize)
{
    return 4 * (brushSize < 1 ? 1 : brushSize);
}

// Records undo step 1067 and stamps. The document rectangle changed (right and bottom
// exclusive), or nothing when refused or when nothing of the stamp lands on the layer.
std::optional<Rect> StampPicture(LayerStack& stack, ui::Service& ui, Point centre, const HDIB& stamp,
                                         int brushSize);

}  // namespace lv
