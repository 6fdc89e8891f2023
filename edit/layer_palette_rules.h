#pragma once
// What a click or a drag on a row of the layer palette does to the document. The palette
// window only maps the mouse to these; the command line drives the same rules.

#include "edit/layer_stack.h"

namespace lv {

// A plain click outside the eye and the lock: the layer becomes current, is shown if
// hidden, and when it is not linked every link is cleared. Content a move lifted is put
// down in the layer it came from first, as its own undo step. False when nothing changed.
bool ClickLayerRow(LayerStack& stack, int index);

// Ctrl-click: a linked layer is unlinked (and the current one too when exactly two layers
// are visible); otherwise the current layer and the clicked one are linked, the clicked one
// shown. False for a bad index.
bool CtrlClickLayerRow(LayerStack& stack, int index);

// Shift-click: the layers from the current one to the clicked one, both included, are
// linked and shown; every other layer is unlinked.
bool ShiftClickLayerRow(LayerStack& stack, int index);

// The opacity a point on the track gives: 0 .. 100 whatever the point.
int OpacityAtTrackPoint(int x, int trackLeft, int trackRight);

// One drag of a row's opacity slider: the first change records the opacity step, so one
// undo brings back the value from before the drag.
class OpacityDrag {
public:
    OpacityDrag(LayerStack& stack, int index);
    // Sets the opacity for this track point; true when it changed.
    bool moveTo(int x, int trackLeft, int trackRight);
    int startValue() const { return start_; }

private:
    LayerStack& stack_;
    int index_;
    int start_;
    bool recorded_ = false;
};

}  // namespace lv
