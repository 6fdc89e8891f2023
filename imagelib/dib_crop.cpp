#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// Copies `width` pixels starting at column `left`, repacking sub-byte pixels so that
// column `left` lands in the most significant bits of the first byte.
void copyPixels(const std::uint8_t* in, std::uint8_t* out, int left, int width, int bits)
{
    if (bits >= 8) {
        const std::size_t bytesPerPixel = std::size_t(bits) / 8;
        std::memcpy(out, in + std::size_t(left) * bytesPerPixel, std::size_t(width) * bytesPerPixel);
        return;
    }
    for (int x = 0; x < width; ++x)
        AddPackedPixel(out, x, bits, PackedPixel(in, left + x, bits));
}

}  // namespace

HDIB DibCrop(const HDIB& image, const Rect& blockRect, FileFailure* failure)
{
    const int width = blockRect.width();
    const int height = blockRect.height();
    if (!image || width < 1 || height < 1)
        return {};
    if (blockRect.left < 0 || blockRect.top < 0 || std::int64_t(blockRect.left) + width > image.width()
        || std::int64_t(blockRect.top) + height > image.height()) {
        if (failure)
            *failure = WordedFailure(FileProblem::OutsidePicture, std::string(kCropOutsideMessage));
        return {};
    }
    const int bits = image.bitCount();
    if (PictureBytes(width, height, unsigned(bits)) == 0)
        return {};
    HDIB result = DibAllocDerived(image, width, height, unsigned(bits), image.clrUsed(), failure);
    if (!result)
        return result;
    std::copy(image.colors(), image.colors() + image.clrUsed(), result.colors());

    for (int y = 0; y < height; ++y) {
        if (AbortRequested())
            return {};
        if (y % 16 == 0)
            ReportProgress(kProgressProcessing, int(std::int64_t(y) * 100 / height));
        copyPixels(image.row(blockRect.top + y), result.row(y), blockRect.left, width, bits);
    }
    return result;
}

HDIB DibCropPicture(const HDIB& image, const Rect& pictureRect, FileFailure* failure)
{
    if (!image)
        return {};
    const int height = image.height();
    // Picture rows count from the top, block rows from the bottom.
    Rect block{pictureRect.left, height - pictureRect.bottom, pictureRect.right, height - pictureRect.top};
    block.left = std::max(block.left, 0);
    block.top = std::max(block.top, 0);
    block.right = std::min(block.right, image.width());
    block.bottom = std::min(block.bottom, height);
    return DibCrop(image, block, failure);
}

}  // namespace lv
