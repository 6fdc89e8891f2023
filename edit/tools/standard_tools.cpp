// Every tool of the program, one line each.

#include "edit/tools/paint/bucket_fill_tool.h"
#include "edit/tools/paint/colour_picker_tool.h"
#include "edit/tools/placement/crop_tool.h"
#include "edit/tools/selection/freehand_select_tool.h"
#include "edit/tools/paint/gradient_tool.h"
#include "edit/tools/grab_tool.h"
#include "edit/tools/paint/line_tool.h"
#include "edit/tools/placement/layer_resize_tool.h"
#include "edit/tools/placement/layer_rotate_tool.h"
#include "edit/tools/selection/magic_wand_tool.h"
#include "edit/tools/selection/move_area_tool.h"
#include "edit/tools/paint/pattern_fill_tool.h"
#include "edit/tools/selection/shape_selection_tool.h"
#include "edit/tools/paint/stamp_tool.h"
#include "edit/tools/paint/stroke_tool.h"
#include "edit/tools/text/text_tool.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/placement/transform_tool.h"
#include "edit/tools/selection/trash_tool.h"
#include "edit/tools/zoom_tool.h"

namespace lv {

void RegisterStandardTools(ToolRegistry& tools)
{
    tools.add(std::make_unique<ShapeSelectionTool>(tool_id::kRectangleSelect, SelectionShape::Rectangle));
    tools.add(std::make_unique<ShapeSelectionTool>(tool_id::kEllipseSelect, SelectionShape::Ellipse));
    tools.add(std::make_unique<FreehandSelectTool>());
    tools.add(std::make_unique<MagicWandTool>());
    tools.add(std::make_unique<MoveAreaTool>(tool_id::kMoveArea, false));
    tools.add(std::make_unique<MoveAreaTool>(tool_id::kMoveContent, true));
    tools.add(std::make_unique<ZoomTool>());
    tools.add(std::make_unique<GrabTool>());
    tools.add(std::make_unique<TransformTool>());
    tools.add(std::make_unique<CropTool>());
    tools.add(std::make_unique<ColourPickerTool>());
    tools.add(std::make_unique<TrashTool>());
    tools.add(std::make_unique<StampTool>());
    tools.add(std::make_unique<GradientTool>());
    tools.add(std::make_unique<BucketFillTool>());
    tools.add(std::make_unique<StrokeTool>(tool_id::kAirbrush, PaintKind::Airbrush));
    tools.add(std::make_unique<StrokeTool>(tool_id::kBrush, PaintKind::Brush));
    tools.add(std::make_unique<StrokeTool>(tool_id::kSmudge, PaintKind::Smudge));
    tools.add(std::make_unique<StrokeTool>(tool_id::kPen, PaintKind::Pen));
    tools.add(std::make_unique<StrokeTool>(tool_id::kLightenDarken, PaintKind::Tone));
    tools.add(std::make_unique<StrokeTool>(tool_id::kBlurSharpen, PaintKind::Focus));
    tools.add(std::make_unique<StrokeTool>(tool_id::kClone, PaintKind::Clone));
    tools.add(std::make_unique<StrokeTool>(tool_id::kEraser, PaintKind::Eraser));
    tools.add(std::make_unique<LineTool>());
    tools.add(std::make_unique<PatternFillTool>());
    tools.add(std::make_unique<StrokeTool>(tool_id::kRedEye, PaintKind::RedEye));
    tools.add(std::make_unique<TextTool>());
    tools.add(std::make_unique<LayerResizeTool>());
    tools.add(std::make_unique<LayerRotateTool>());
}

}  // namespace lv
