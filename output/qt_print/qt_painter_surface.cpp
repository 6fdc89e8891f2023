#include "output/qt_print/qt_painter_surface.h"

#include <QFontMetrics>

#include <algorithm>
#include <vector>

namespace lv::print {
namespace {

QVector<QRgb> colourTable(const HDIB& picture)
{
    QVector<QRgb> table;
    const std::uint32_t count = picture.clrUsed() ? picture.clrUsed() : (1u << picture.bitCount());
    for (std::uint32_t i = 0; i < count && i < 256; ++i) {
        const RgbQuad& c = picture.colors()[i];
        table.push_back(qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
    }
    while (table.size() < (1 << std::min(picture.bitCount(), 8)))
        table.push_back(qRgb(0, 0, 0));
    return table;
}

// 4-bit rows become 8-bit indices: Qt has no 4-bit format.
QImage fourBitBand(const HDIB& picture, int firstRow, int rowCount)
{
    QImage image(picture.width(), rowCount, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.setColorTable(colourTable(picture));
    for (int i = 0; i < rowCount; ++i) {
        const std::uint8_t* in = picture.row(firstRow + rowCount - 1 - i);
        uchar* out = image.scanLine(i);
        for (int x = 0; x < picture.width(); ++x)
            out[x] = PackedPixel(in, x, 4);
    }
    return image;
}

}  // namespace

QImage BandImage(const HDIB& picture, int firstRow, int rowCount)
{
    if (!picture || rowCount <= 0 || firstRow < 0 || firstRow + rowCount > picture.height())
        return {};
    QImage::Format format;
    switch (picture.bitCount()) {
    case 24: format = QImage::Format_BGR888; break;
    case 8: format = QImage::Format_Indexed8; break;
    case 1: format = QImage::Format_Mono; break;
    case 4: return fourBitBand(picture, firstRow, rowCount);
    default: return {};
    }
    // The rows lie bottom-up; mirroring makes the top-down copy.
    const QImage bottomUp(picture.row(firstRow), picture.width(), rowCount, qsizetype(picture.stride()), format);
    QImage image = bottomUp.mirrored();
    if (format != QImage::Format_BGR888)
        image.setColorTable(colourTable(picture));
    return image;
}

PainterSurface::PainterSurface(QPainter& painter, PrinterMetrics metrics, double deviceScale,
                               std::function<bool()> nextPage)
    : painter_(painter)
    , metrics_(metrics)
    , deviceScale_(deviceScale)
    , nextPage_(std::move(nextPage))
{
}

bool PainterSurface::beginPage()
{
    if (firstPage_) {
        firstPage_ = false;
        return true;
    }
    return nextPage_ ? nextPage_() : false;
}

void PainterSurface::stretchRows(const HDIB& picture, int firstRow, int rowCount, const Rect& target)
{
    const QImage band = BandImage(picture, firstRow, rowCount);
    if (band.isNull())
        return;
    painter_.drawImage(QRectF(target.left, target.top, target.width(), target.height()), band);
}

void PainterSurface::frame(const Rect& r, int penWidth)
{
    const int w = std::max(1, std::min({penWidth, r.width(), r.height()}));
    painter_.fillRect(QRect(r.left, r.top, r.width(), w), Qt::black);
    painter_.fillRect(QRect(r.left, r.bottom - w, r.width(), w), Qt::black);
    painter_.fillRect(QRect(r.left, r.top, w, r.height()), Qt::black);
    painter_.fillRect(QRect(r.right - w, r.top, w, r.height()), Qt::black);
}

void PainterSurface::setFont(const PrintFont& font)
{
    font_ = QFont(QString::fromStdString(font.face));
    font_.setPixelSize(std::max(1, std::abs(font.height)));
    font_.setBold(font.bold);
    font_.setItalic(font.italic);
    // Hinting would fit the letters to a screen's pixel grid, not the page's.
    font_.setHintingPreference(QFont::PreferNoHinting);
    painter_.setFont(font_);
}

int PainterSurface::textWidth(std::string_view text)
{
    const QFontMetrics metrics(font_, painter_.device());
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void PainterSurface::drawText(const Rect& r, std::string_view text, TextAlign align, bool wrap)
{
    painter_.setPen(Qt::black);
    painter_.setBackgroundMode(Qt::TransparentMode);
    const int flags = Qt::AlignVCenter | (align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                      (wrap ? Qt::TextWordWrap : 0);
    painter_.drawText(QRect(r.left, r.top, r.width(), r.height()), flags,
                      QString::fromUtf8(text.data(), qsizetype(text.size())));
}

PagedDeviceSurface::PagedDeviceSurface(std::unique_ptr<QPagedPaintDevice> device, PrinterMetrics metrics,
                                       std::function<void(QPagedPaintDevice&, const QString&)> setTitle)
    : PainterSurface(ownPainter_, metrics, 1.0, [this] { return device_->newPage(); })
    , device_(std::move(device))
    , setTitle_(std::move(setTitle))
{
}

PagedDeviceSurface::~PagedDeviceSurface()
{
    if (ownPainter_.isActive())
        ownPainter_.end();
}

bool PagedDeviceSurface::beginDocument(std::string_view name)
{
    if (setTitle_)
        setTitle_(*device_, QString::fromUtf8(name.data(), qsizetype(name.size())));
    if (!ownPainter_.begin(device_.get()))
        return false;
    // Colour-on-colour stretching: every source pixel counts when the printer shrinks a picture.
    ownPainter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    return true;
}

bool PagedDeviceSurface::endDocument()
{
    return ownPainter_.end();
}

}  // namespace lv::print
