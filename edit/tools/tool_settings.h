#pragma once
// Settings the tools share for the whole session: the transform buttons' choice, the move
// tools' keep-source switch, the magic wand's option panel, the brush and paint options.

#include "edit/paint/paint_options.h"
#include "edit/selection/magic_wand.h"

namespace lv {

// Buttons 136 and 137 choose which tool the transform tool hands the mouse to.
enum class TransformChoice { Resize = 1, FreeRotate = 2 };

struct ToolSettings {
    TransformChoice transform = TransformChoice::Resize;
    // Moving selected content leaves a copy behind instead of a transparent hole.
    bool keepSource = false;
    WandSettings wand;
    // The brush (read from the configuration at start-up) and the painting tools' options.
    PaintOptions paint;
};

// The session's settings.
ToolSettings& CurrentToolSettings();

}  // namespace lv
