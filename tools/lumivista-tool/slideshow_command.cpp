#include "slideshow_command.h"

#include <string>

namespace lv::tool {

int RunSlideshow(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "frames")
        return RunSlideshowFrames(args.subspan(1));
    if (!args.empty() && args[0] == "list")
        return RunSlideshowList(args.subspan(1));
    return Fail(kExitUsage, "usage: slideshow frames OLD NEW OUTDIR --transition NAME --variant N [--size WxH] "
                            "[--every K] [--seed S] [--format EXT] [--json] | slideshow list [--json]");
}

}  // namespace lv::tool
