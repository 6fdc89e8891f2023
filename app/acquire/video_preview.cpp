#include "app/acquire/video_preview.h"

#include "app/widgets/dib_image.h"

#include <QPainter>

namespace lv::app {

VideoPreview::VideoPreview(QWidget* parent, std::function<HDIB()> nextFrame)
    : QWidget(parent)
    , nextFrame_(std::move(nextFrame))
{
    setObjectName(QStringLiteral("capture preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setObjectName(QStringLiteral("preview timer"));
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
    timer_.start(kPreviewMilliseconds);
}

void VideoPreview::refresh()
{
    if (!isVisible())
        return;
    const HDIB next = nextFrame_();
    if (!next)
        return;
    frame_ = DibToImage(next);
    ++framesShown_;
    update();
}

void VideoPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull())
        return;
    const QSize fitted = frame_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame_);
}

}  // namespace lv::app
