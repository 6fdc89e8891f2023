#pragma once
// The tools by id, and the one current tool of the program. A tool joins by one line in
// RegisterStandardTools (standard_tools.cpp).

#include "edit/tools/tool.h"

#include <map>
#include <memory>
#include <string>

namespace lv {

namespace tool_id {
inline constexpr int kRectangleSelect = 1101;
inline constexpr int kEllipseSelect = 1102;
inline constexpr int kFreehandSelect = 1103;
inline constexpr int kMagicWand = 1104;
inline constexpr int kMoveArea = 1105;
inline constexpr int kMoveContent = 1106;
inline constexpr int kZoom = 1107;
inline constexpr int kGrab = 1108;
inline constexpr int kText = 1109;
inline constexpr int kStamp = 1110;
inline constexpr int kGradientFill = 1111;
inline constexpr int kBucketFill = 1112;
inline constexpr int kAirbrush = 1113;
inline constexpr int kBrush = 1114;
inline constexpr int kSmudge = 1115;
inline constexpr int kPen = 1116;
inline constexpr int kLightenDarken = 1117;
inline constexpr int kBlurSharpen = 1118;
inline constexpr int kClone = 1119;
inline constexpr int kEraser = 1120;
inline constexpr int kTransform = 1121;
inline constexpr int kCrop = 1122;
inline constexpr int kColourPicker = 1123;
inline constexpr int kTrash = 1124;
inline constexpr int kUndoCommand = 1125;  // not tools: the undo and redo commands
inline constexpr int kRedoCommand = 1126;
inline constexpr int kLine = 1127;
inline constexpr int kPatternFill = 1128;
inline constexpr int kRedEye = 1129;
inline constexpr int kLayerResize = 1140;
inline constexpr int kLayerRotate = 1141;
}  // namespace tool_id

inline constexpr int kDefaultTool = tool_id::kRectangleSelect;

// 1101–1124, 1127–1129, 1140 and 1141.
bool IsToolId(int id);

class ToolRegistry {
public:
    // A tool of the same id is replaced.
    void add(std::unique_ptr<Tool> tool);
    Tool* find(int id) const;

private:
    std::map<int, std::unique_ptr<Tool>> tools_;
};

// Every tool that exists.
void RegisterStandardTools(ToolRegistry& registry);

// The program's tools, the standard ones registered on first use.
ToolRegistry& Tools();

// The tool in use, for the whole program; the rectangle selection until another is chosen.
int& CurrentToolId();
inline Tool* CurrentTool()
{
    return Tools().find(CurrentToolId());
}

// The status line for a tool: its name, description and hint (strings 3 × id − 903, − 902,
// − 901); the zoom tool's hint depends on whether the view is zoomed in.
std::string ToolStatusText(int id, bool zoomedIn);

}  // namespace lv
