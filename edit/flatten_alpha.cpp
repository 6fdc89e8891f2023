#include "edit/flatten_alpha.h"

#include "edit/layer_blend.h"
#include "edit/layer_pictures.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

#include <algorithm>

namespace lv {
namespace {

constexpr std::int32_t kFull = 256;  // coverage of a pixel nothing shows through

bool isGrey(const HDIB& picture)
{
    return picture.bitCount() == 8 && DibGetType(picture) == IMG_GREY8;
}

}  // namespace

std::optional<PictureAndAlpha> FlattenWithAlpha(const LayerStack& stack)
{
    const int channels = stack.bitCount == 8 ? 1 : 3;
    PictureAndAlpha result{MakeComposite(stack.width, stack.height, 8 * channels),
                            AllocatePicture(stack.width, stack.height, 8, 256)};
    if (!result.picture || !result.alpha)
        return std::nullopt;
    FillGreyRamp(result.alpha.colors(), 256);
    if (stack.composite) {
        result.picture.header().biXPelsPerMeter = stack.composite.header().biXPelsPerMeter;
        result.picture.header().biYPelsPerMeter = stack.composite.header().biYPelsPerMeter;
    }
    BlendTable table(stack, BlendSelection::Visible);
    table.dropTrailingMasks();
    bool opaque = true;
    RowSums sums;
    for (int row = 0; row < stack.height; ++row) {
        sums.reset(stack.width, channels);
        AccumulateRow(table, row, 0, channels, sums);
        const std::int32_t* coverage = sums.coverage();
        std::uint8_t* alpha = result.alpha.row(row);
        std::uint8_t* out = result.picture.row(row);
        for (int x = 0; x < stack.width; ++x) {
            const std::int32_t a = std::clamp(coverage[x], 0, kFull);
            // A layer's mask value m covers m + 1 of 256 (0 covers nothing): undo that.
            alpha[x] = std::uint8_t(a > 0 ? a - 1 : 0);
            opaque = opaque && a >= kFull;
            // The sums are premultiplied by the coverage: divide it out, rounded.
            for (int c = 0; c < channels; ++c)
                out[x * channels + c] = a > 0 ? std::uint8_t(std::min(255, (sums.sum(c)[x] + a / 2) / a)) : 0;
        }
    }
    if (opaque)
        result.alpha = HDIB{};
    return result;
}

HDIB FlattenOnWhite(const HDIB& picture, const HDIB& alpha)
{
    HDIB flat = picture.bitCount() == 24 || isGrey(picture) ? DibDuplicate(picture) : DibPromoteTo24(picture);
    if (!flat || !alpha || alpha.width() != flat.width() || alpha.height() != flat.height())
        return flat;
    const int channels = flat.bitCount() / 8;
    for (int y = 0; y < flat.height(); ++y) {
        std::uint8_t* row = flat.row(y);
        const std::uint8_t* a = alpha.row(y);
        for (int x = 0; x < flat.width(); ++x)
            for (int c = 0; c < channels; ++c) {
                std::uint8_t& v = row[x * channels + c];
                v = std::uint8_t((v * a[x] + 255 * (255 - a[x]) + 127) / 255);
            }
    }
    return flat;
}

}  // namespace lv
