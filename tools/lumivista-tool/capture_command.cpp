// lumivista-tool capture: a frame from a video capture driver, or a shot of the screen.

#include "scan_capture_commands.h"

#include "option_table.h"

namespace lv::tool {

int RunCapture(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "video")
        return CaptureVideo(args.subspan(1));
    if (!args.empty() && args[0] == "screen")
        return CaptureScreen(args.subspan(1));
    return Fail(kExitUsage, CommandUsage("capture"));
}

}  // namespace lv::tool
