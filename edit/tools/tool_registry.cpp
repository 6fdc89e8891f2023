#include "edit/tools/tool_registry.h"

#include "common/string_table.h"

namespace lv {
namespace {

constexpr int kZoomedInHint = 2525;
constexpr int kNotZoomedInHint = 2528;

}  // namespace

bool IsToolId(int id)
{
    return (id >= 1101 && id <= 1124) || (id >= 1127 && id <= 1129) || id == tool_id::kLayerResize
           || id == tool_id::kLayerRotate;
}

void ToolRegistry::add(std::unique_ptr<Tool> tool)
{
    const int id = tool->id();
    tools_[id] = std::move(tool);
}

Tool* ToolRegistry::find(int id) const
{
    const auto it = tools_.find(id);
    return it == tools_.end() ? nullptr : it->second.get();
}

ToolRegistry& Tools()
{
    static ToolRegistry registry = [] {
        ToolRegistry standard;
        RegisterStandardTools(standard);
        return standard;
    }();
    return registry;
}

int& CurrentToolId()
{
    static int id = kDefaultTool;
    return id;
}

std::string ToolStatusText(int id, bool zoomedIn)
{
    if (!IsToolId(id))
        return {};
    const int name = 3 * id - 903;
    const int hint = id == tool_id::kZoom ? (zoomedIn ? kZoomedInHint : kNotZoomedInHint) : 3 * id - 901;
    std::string text(LoadString(name));
    for (const int part : {name + 1, hint}) {
        const std::string_view more = LoadString(part);
        if (more.empty())
            continue;
        text += text.empty() ? "" : " - ";
        text += more;
    }
    return text;
}

}  // namespace lv
