#include "app/widgets/picture_preview.h"

#include "app/core/documents/document_io.h"
#include "app/widgets/dib_image.h"
#include "common/ui_service.h"

#include <QFileInfo>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kPreviewSide = 180;

}  // namespace

QImage PreviewPicture(const std::string& path, int side, QSize* pictureSize)
{
    // Readers talk to the user about files they can't read; the preview keeps quiet instead.
    ui::SilentService quiet;
    const ui::ScopedService guard(quiet);
    const LoadedDocument loaded = LoadDocument(path);
    if (!loaded.stack)
        return {};
    const QImage whole = DibToImage(loaded.stack->composite);
    if (pictureSize)
        *pictureSize = whole.size();
    if (whole.width() <= side && whole.height() <= side)
        return whole;
    return whole.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

PicturePreview::PicturePreview(QWidget* parent)
    : QWidget(parent)
    , view_(new QLabel(this))
    , caption_(new QLabel(this))
{
    setObjectName(kPreviewClass);
    view_->setFixedSize(kPreviewSide, kPreviewSide);
    view_->setAlignment(Qt::AlignCenter);
    view_->setFrameShape(QFrame::StyledPanel);
    caption_->setAlignment(Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Visualização"), this));
    layout->addWidget(view_);
    layout->addWidget(caption_);
    layout->addStretch(1);
    delay_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, [this] { showNow(); });
}

void PicturePreview::choose(const QString& path)
{
    chosen_ = QFileInfo(path).isFile() ? path : QString();
    if (chosen_.isEmpty()) {
        delay_.stop();
        showNow();
        return;
    }
    delay_.start(kPreviewDelayMilliseconds);
}

void PicturePreview::showNow()
{
    delay_.stop();
    QSize size;
    picture_ = chosen_.isEmpty() ? QImage() : PreviewPicture(chosen_.toStdString(), kPreviewSide, &size);
    view_->setPixmap(QPixmap::fromImage(picture_));
    caption_->setText(picture_.isNull() ? QString() : QStringLiteral("%1 × %2 pixels").arg(size.width()).arg(size.height()));
}

}  // namespace lv::app
