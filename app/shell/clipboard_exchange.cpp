#include "app/shell/clipboard_exchange.h"

#include "app/widgets/dib_image.h"
#include "app/widgets/qt_text.h"

#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <memory>

namespace lv::app {

QString ClipboardMimeType()
{
    constexpr int kClipboardFormatString = 33100;
    return QStringLiteral("application/x-") + StringText(kClipboardFormatString);
}
namespace {

std::optional<ClipboardLayer> privateLayer(const QMimeData& mime)
{
    if (!mime.hasFormat(ClipboardMimeType()))
        return std::nullopt;
    const QByteArray bytes = mime.data(ClipboardMimeType());
    return ParseClipboardLayer({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
}

}  // namespace

void PutLayerOnClipboard(const ClipboardLayer& piece)
{
    auto mime = std::make_unique<QMimeData>();
    const std::string text = ClipboardText(piece);
    if (!text.empty())
        mime->setText(QString::fromStdString(text));
    // Qt offers the image to other programs in every format it writes (PNG, BMP, ...).
    if (HDIB flat = FlattenedForClipboard(piece))
        mime->setImageData(DibToImage(flat));
    const std::vector<std::uint8_t> bytes = SerializeClipboardLayer(piece);
    if (!bytes.empty())
        mime->setData(ClipboardMimeType(), QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    QApplication::clipboard()->setMimeData(mime.release());
}

std::optional<ClipboardLayer> LayerFromClipboard()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return std::nullopt;
    if (auto piece = privateLayer(*mime))
        return piece;
    if (mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (!image.isNull())
            return LayerFromPicture(ImageToDib(image));
    }
    return std::nullopt;
}

QSize ClipboardPictureSize()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return {};
    if (const auto piece = privateLayer(*mime))
        return {piece->layer.image.read().width(), piece->layer.image.read().height()};
    if (mime->hasImage())
        return qvariant_cast<QImage>(mime->imageData()).size();
    return {};
}

}  // namespace lv::app
