#pragma once
// The drop shadow: a text layer and its blurred shadow become one ordinary image layer.
#include "edit/layer_stack.h"

namespace lv {

struct DropShadowSettings {
    int radius = 5;      // blur reach in pixels, 0 .. kMaxShadowRadius
    int intensity = 60;  // percent: 100 black, 0 white
    int dx = 5;          // offset of the shadow from the lettering, right and down
    int dy = 5;
};

inline constexpr int kMaxShadowRadius = 100;

// Only for a current text layer. The shadow goes in even when the stack is full, since
// the merge that follows takes it straight out again. The other layers' links are as
// they were afterwards. Records a layer-insertion step then a merge step, as one action.
bool AddDropShadow(LayerStack& stack, const DropShadowSettings& settings);

// The grey of a shadow of this intensity (0 .. 100).
inline int ShadowGrey(int intensity)
{
    return (100 - intensity) * 255 / 100;
}

}  // namespace lv
