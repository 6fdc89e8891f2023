#include "edit/tools/tool_settings.h"

namespace lv {

ToolSettings& CurrentToolSettings()
{
    static ToolSettings settings;
    return settings;
}

}  // namespace lv
