#include "app/widgets/dib_image.h"

#include "imagelib/dib_convert.h"

namespace lv::app {
namespace {

QImage CopyTopDown(const HDIB& dib, QImage::Format format)
{
    // The rows are stored bottom-up; mirroring also makes the deep copy.
    const QImage bottomUp(dib.pixels(), dib.width(), dib.height(), qsizetype(dib.stride()), format);
    return bottomUp.mirrored();
}

}  // namespace

QImage DibToImage(const HDIB& dib)
{
    if (!dib || dib.width() <= 0 || dib.height() <= 0)
        return {};
    switch (dib.bitCount()) {
    case 24:
        return CopyTopDown(dib, QImage::Format_BGR888);
    case 32:
        return CopyTopDown(dib, QImage::Format_RGB32);  // blue, green, red, unused: Qt's own order
    default:
        if (const HDIB promoted = DibPromoteTo24(dib))
            return CopyTopDown(promoted, QImage::Format_BGR888);
        return {};
    }
}

}  // namespace lv::app
