#include "arguments.h"
#include "common/failure_notices.h"
#include "geometry_commands.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"

namespace lv::tool {
namespace {
// Coordinates may lie outside the picture (they are clamped), within reason.
constexpr int kCoordinateLimit = 1 << 24;
}

int RunCrop(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "crop");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 6)
        return Fail(kExitUsage, FormUsage("crop"));
    int edges[4];
    for (int i = 0; i < 4; ++i) {
        const auto value = ParseIntegerInRange(p[std::size_t(2 + i)], -kCoordinateLimit, kCoordinateLimit);
        if (!value)
            return Fail(kExitUsage, "LEFT, TOP, RIGHT and BOTTOM must be whole numbers");
        edges[i] = *value;
    }
    ToolPicture picture = OpenPicture(p[0]);
    if (picture.exitCode)
        return picture.exitCode;
    FileFailure failure;
    HDIB result = DibCropPicture(picture.image, Rect{edges[0], edges[1], edges[2], edges[3]}, &failure);
    ShowFailureNotices(failure);
    if (!result)
        return Fail(kExitUsage, "the rectangle holds no part of " + p[0]);
    return WritePhoto(result, picture.metadata, p[1], false, picture.facts);
}

}  // namespace lv::tool
