#include "effects/run_operation.h"

#include "effects/parallel.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cstring>

namespace lv::effects {

std::optional<CheckedCall> CheckCall(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters,
                                     std::int32_t count)
{
    if (!picture || !picture.hasValidLayout())
        return std::nullopt;
    const ImageType type = DibGetType(picture);
    if (type != IMG_RGB24 && type != IMG_GREY8)
        return std::nullopt;
    const OperationSpec* spec = FindOperation(operation);
    if (!spec || count < spec->minCount || count > spec->maxCount || (count > 0 && !parameters))
        return std::nullopt;
    CheckedCall call{spec, {}};
    call.parameters.count = count;
    for (int i = 0; i < count; ++i)
        call.parameters.values[std::size_t(i)] = std::clamp<std::int32_t>(parameters[i], 0, 100);
    return call;
}

ConstRaster ViewOf(const HDIB& picture)
{
    const int h = picture.height();
    const auto stride = std::ptrdiff_t(picture.stride());
    return {picture.row(h - 1), -stride, picture.width(), h, picture.bitCount() / 8};
}

Raster ViewOf(HDIB& picture)
{
    const int h = picture.height();
    const auto stride = std::ptrdiff_t(picture.stride());
    return {picture.row(h - 1), -stride, picture.width(), h, picture.bitCount() / 8};
}

HDIB NewPictureLike(const HDIB& like, int width, int height)
{
    const unsigned bits = unsigned(like.bitCount());
    const std::uint64_t rows = PictureBytes(width, height, bits);
    if (rows == 0)
        return {};
    HDIB dib = HDIB::AllocateZeroed(std::size_t(kDibHeaderSize + 4 * like.clrUsed() + rows + kDibSpareBytes));
    if (!dib)
        return {};
    WritePictureHeader(dib, width, height, bits, like.clrUsed(), rows);
    dib.header().biXPelsPerMeter = like.header().biXPelsPerMeter;
    dib.header().biYPelsPerMeter = like.header().biYPelsPerMeter;
    dib.header().biClrImportant = like.header().biClrImportant;
    std::memcpy(dib.colors(), like.colors(), 4 * std::size_t(like.clrUsed()));
    return dib;
}

void RunOperation(const CheckedCall& call, ConstRaster in, Raster out, const Context& ctx, int pictureWidth,
                  int pictureHeight)
{
    const OperationSpec& spec = *call.spec;
    if (spec.neighbourhood && (pictureWidth < 2 || pictureHeight < 2)) {
        CopyRaster(in, out);
        return;
    }
    if (spec.colourOnly && in.channels == 1) {
        const OwnedRaster wide = WidenToColour(in);
        OwnedRaster result(in.width, in.height, 3);
        spec.run(wide.view(), result.view(), call.parameters, ctx);
        NarrowToGrey(result.view(), out);
        return;
    }
    spec.run(in, out, call.parameters, ctx);
}

int ResolveThreads(int requested)
{
    return requested > 0 ? requested : DefaultThreadCount();
}

}  // namespace lv::effects
