#include "arguments.h"
#include "geometry_commands.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"

namespace lv::tool {

int RunScale(std::string_view name, Arguments args)
{
    ParsedArguments parsed(args, name);
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 4)
        return Fail(kExitUsage, FormUsage(name));
    const auto size = ParsePictureSize(p[2], p[3]);
    if (!size)
        return Fail(kExitUsage, kPictureSizeError);
    // "thumb" keeps the whole decode: its box is fitted to the stored picture's exact shape.
    ToolPicture picture = name == "resize" ? OpenPictureForScaling(p[0], size->width, size->height) : OpenPicture(p[0]);
    if (picture.exitCode)
        return picture.exitCode;
    // "resize" scales for quality; "thumb" scales fast into the box, keeping the aspect ratio.
    HDIB result = name == "resize" ? DibResize(picture.image, size->width, size->height)
                                   : DibScaledCopy(picture.image, size->width, size->height, true);
    if (!result)
        return Fail(kExitCannotWrite, "cannot scale " + p[0]);
    return WritePhoto(result, picture.metadata, p[1], false, picture.facts);
}

}  // namespace lv::tool
