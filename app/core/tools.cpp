#include "app/core/tools.h"

#include <map>

namespace lv {
namespace {

std::map<int, ToolHandler>& registry()
{
    static std::map<int, ToolHandler> tools;
    return tools;
}

}  // namespace

int& CurrentTool()
{
    static int tool = kGrabTool;
    return tool;
}

bool ToolWorksWithoutLayers(int tool)
{
    return tool == kZoomTool || tool == kGrabTool || tool == kLayerlessTool;
}

void RegisterTool(int tool, ToolHandler handler)
{
    registry()[tool] = std::move(handler);
}

const ToolHandler* FindTool(int tool)
{
    const auto it = registry().find(tool);
    return it == registry().end() ? nullptr : &it->second;
}

bool& DocumentEngineBusy()
{
    static bool busy = false;
    return busy;
}

}  // namespace lv
