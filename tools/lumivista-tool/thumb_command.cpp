#include "arguments.h"
#include "geometry_commands.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"

namespace lv::tool {

int RunThumb(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, {}, {});
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 4)
        return Fail(kExitUsage, "usage: thumb IN OUT WIDTH HEIGHT");
    const auto size = ParsePictureSize(p[2], p[3]);
    if (!size)
        return Fail(kExitUsage, kPictureSizeError);
    ToolPicture picture = OpenPicture(p[0]);
    if (picture.exitCode)
        return picture.exitCode;
    HDIB result = DibScaledCopy(picture.image, size->width, size->height, true);
    if (!result)
        return Fail(kExitCannotWrite, "cannot scale " + p[0]);
    return WritePicture(result, p[1], false);
}

}  // namespace lv::tool
