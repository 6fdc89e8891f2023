#include "arguments.h"
#include "geometry_commands.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"

namespace lv::tool {

int RunNew(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, {"--grey"}, {});
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 6)
        return Fail(kExitUsage, "usage: new WIDTH HEIGHT R G B OUT [--grey]");
    const auto width = ParseIntegerInRange(p[0], 1, int(kMaxPictureDimension));
    const auto height = ParseIntegerInRange(p[1], 1, int(kMaxPictureDimension));
    if (!width || !height)
        return Fail(kExitUsage, "WIDTH and HEIGHT must be whole numbers from 1 to 65535");
    std::uint32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        const auto component = ParseIntegerInRange(p[std::size_t(2 + i)], 0, 255);
        if (!component)
            return Fail(kExitUsage, "R, G and B must be whole numbers from 0 to 255");
        colour |= std::uint32_t(*component) << (8 * i);
    }
    HDIB picture = DibCreate(*width, *height, colour, parsed.has("--grey"));
    if (!picture)
        return Fail(kExitCannotWrite, "no memory for a picture of that size");
    return WritePicture(picture, p[5], false);
}

}  // namespace lv::tool
