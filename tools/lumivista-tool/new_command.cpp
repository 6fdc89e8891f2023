#include "arguments.h"
#include "geometry_commands.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"

namespace lv::tool {

int RunNew(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "new");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 6)
        return Fail(kExitUsage, FormUsage("new"));
    const auto size = ParsePictureSize(p[0], p[1]);
    if (!size)
        return Fail(kExitUsage, kPictureSizeError);
    std::uint32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        const auto component = ParseIntegerInRange(p[std::size_t(2 + i)], 0, 255);
        if (!component)
            return Fail(kExitUsage, "R, G and B must be whole numbers from 0 to 255");
        colour |= std::uint32_t(*component) << (8 * i);
    }
    HDIB picture = DibCreate(size->width, size->height, colour, parsed.has("--grey"));
    if (!picture)
        return Fail(kExitCannotWrite, "no memory for a picture of that size");
    return WritePicture(picture, p[5], false);
}

}  // namespace lv::tool
