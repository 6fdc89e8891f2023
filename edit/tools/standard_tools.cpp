// Every tool of the program, one line each.

#include "edit/tools/colour_picker_tool.h"
#include "edit/tools/crop_tool.h"
#include "edit/tools/freehand_select_tool.h"
#include "edit/tools/grab_tool.h"
#include "edit/tools/layer_resize_tool.h"
#include "edit/tools/layer_rotate_tool.h"
#include "edit/tools/magic_wand_tool.h"
#include "edit/tools/move_area_tool.h"
#include "edit/tools/shape_selection_tool.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/transform_tool.h"
#include "edit/tools/trash_tool.h"
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
    tools.add(std::make_unique<LayerResizeTool>());
    tools.add(std::make_unique<LayerRotateTool>());
}

}  // namespace lv
