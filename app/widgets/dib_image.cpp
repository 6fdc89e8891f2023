#include "app/widgets/dib_image.h"

#include "imagelib/dib_alloc.h"
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

HDIB ImageToDib(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    HDIB dib = AllocatePicture(image.width(), image.height(), 24, 0);
    if (!dib)
        return dib;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* row = dib.row(image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = std::uint8_t(qBlue(line[x]));
            row[3 * x + 1] = std::uint8_t(qGreen(line[x]));
            row[3 * x + 2] = std::uint8_t(qRed(line[x]));
        }
    }
    return dib;
}

}  // namespace lv::app
