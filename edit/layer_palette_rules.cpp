#include "edit/layer_palette_rules.h"

#include "edit/layers.h"
#include "edit/selection/selection_content.h"

#include <algorithm>

namespace lv {
namespace {

LayerRecord& at(LayerStack& stack, int index)
{
    return stack.layers[std::size_t(index)];
}

}  // namespace

bool ClickLayerRow(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index) || index == stack.currentLayer)
        return false;
    DropLiftedContent(stack);
    stack.currentLayer = index;
    at(stack, index).visible = true;
    if (!at(stack, index).linked)
        for (int i = 0; i < stack.layerCount; ++i)
            at(stack, i).linked = false;
    return true;
}

bool CtrlClickLayerRow(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return false;
    LayerRecord& clicked = at(stack, index);
    if (clicked.linked) {
        clicked.linked = false;
        if (CountVisibleLayers(stack) == 2 && IsLayerIndex(stack, stack.currentLayer))
            at(stack, stack.currentLayer).linked = false;
        return true;
    }
    if (IsLayerIndex(stack, stack.currentLayer))
        at(stack, stack.currentLayer).linked = true;
    clicked.visible = true;
    clicked.linked = true;
    return true;
}

bool ShiftClickLayerRow(LayerStack& stack, int index)
{
    if (!IsLayerIndex(stack, index))
        return false;
    const int current = std::clamp(stack.currentLayer, 0, stack.layerCount - 1);
    const int first = std::min(current, index), last = std::max(current, index);
    for (int i = 0; i < stack.layerCount; ++i) {
        const bool inRange = i >= first && i <= last;
        at(stack, i).linked = inRange;
        if (inRange)
            at(stack, i).visible = true;
    }
    return true;
}

int OpacityAtTrackPoint(int x, int trackLeft, int trackRight)
{
    if (trackRight <= trackLeft)
        return x < trackLeft ? 0 : 100;
    const long long value = (static_cast<long long>(x) - trackLeft) * 100 / (trackRight - trackLeft);
    return int(std::clamp<long long>(value, 0, 100));
}

OpacityDrag::OpacityDrag(LayerStack& stack, int index)
    : stack_(stack)
    , index_(index)
    , start_(GetLayerOpacity(stack, index))
{
}

bool OpacityDrag::moveTo(int x, int trackLeft, int trackRight)
{
    const int value = OpacityAtTrackPoint(x, trackLeft, trackRight);
    if (start_ < 0 || value == GetLayerOpacity(stack_, index_))
        return false;
    SetLayerOpacity(stack_, index_, value, !recorded_);
    recorded_ = true;
    return true;
}

}  // namespace lv
