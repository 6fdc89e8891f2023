#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/library_messages.h"

#include <cstring>

namespace lv {

bool DibPaste(HDIB& target, const HDIB& source, int x, int y, FileFailure* failure)
{
    if (!target || !source || target.bitCount() != source.bitCount())
        return false;
    const int bits = source.bitCount();
    if (bits != 8 && bits != 24)
        return false;
    const int width = source.width();
    const int height = source.height();
    if (x < 0 || y < 0 || std::int64_t(x) + width > target.width() || std::int64_t(y) + height > target.height()) {
        if (failure)
            *failure = WordedFailure(FileProblem::OutsidePicture, std::string(kCombineOutsideMessage));
        return false;
    }
    const std::size_t bytesPerPixel = std::size_t(bits) / 8;
    // Picture row y is block row (height - 1 - y): the source's bottom row lands here.
    const int firstRow = target.height() - y - height;
    for (int r = 0; r < height; ++r)
        std::memcpy(target.row(firstRow + r) + std::size_t(x) * bytesPerPixel, source.row(r),
                    std::size_t(width) * bytesPerPixel);
    return true;
}

}  // namespace lv
