#include "slideshow_command.h"

#include "option_table.h"

#include <string>

namespace lv::tool {

int RunSlideshow(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "frames")
        return RunSlideshowFrames(args.subspan(1));
    if (!args.empty() && args[0] == "list")
        return RunSlideshowList(args.subspan(1));
    return Fail(kExitUsage, CommandUsage("slideshow"));
}

}  // namespace lv::tool
