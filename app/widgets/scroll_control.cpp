#include "app/widgets/scroll_control.h"

#include "app/core/view/scroll_thumb.h"
#include "app/widgets/skin_palette.h"

#include <QMouseEvent>
#include <QPainter>

namespace lv::app {

ScrollControl::ScrollControl(Qt::Orientation orientation, QWidget& parent, ScrollRequest request)
    : QWidget(&parent)
    , orientation_(orientation)
    , request_(std::move(request))
{
    setObjectName(kScrollControlClass);
    setCursor(Qt::ArrowCursor);
    hide();
}

void ScrollControl::showRange(const ScrollBarState& state, int page)
{
    state_ = state;
    page_ = page;
    setVisible(state.maximum > 0);
    update();
}

int ScrollControl::track() const
{
    return orientation_ == Qt::Horizontal ? width() : height();
}

int ScrollControl::along(const QPointF& point) const
{
    return int(orientation_ == Qt::Horizontal ? point.x() : point.y());
}

void ScrollControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor groove = palette::kWell;
    groove.setAlpha(170);
    p.setPen(Qt::NoPen);
    p.setBrush(groove);
    const qreal radius = kScrollControlThickness / 2.0 - 1;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    const ThumbPlace thumb = PlaceThumb(track(), state_.maximum, state_.position, page_);
    const QRectF r = orientation_ == Qt::Horizontal ? QRectF(thumb.offset, 0, thumb.length, height())
                                                     : QRectF(0, thumb.offset, width(), thumb.length);
    p.setBrush(grab_ >= 0 ? palette::kAccent : palette::kControlHoverEdge);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
}

void ScrollControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const ThumbPlace thumb = PlaceThumb(track(), state_.maximum, state_.position, page_);
    const int at = along(event->position());
    if (at < thumb.offset) {
        request_(ScrollAction::PageUp, 0);
    } else if (at >= thumb.offset + thumb.length) {
        request_(ScrollAction::PageDown, 0);
    } else {
        grab_ = at - thumb.offset;
        update();
    }
}

void ScrollControl::mouseMoveEvent(QMouseEvent* event)
{
    if (grab_ < 0)
        return;
    // The picture follows the thumb while it moves.
    request_(ScrollAction::ThumbPosition, PositionForThumb(track(), state_.maximum, page_, along(event->position()) - grab_));
}

void ScrollControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (grab_ < 0 || event->button() != Qt::LeftButton)
        return;
    request_(ScrollAction::ThumbPosition, PositionForThumb(track(), state_.maximum, page_, along(event->position()) - grab_));
    grab_ = -1;
    update();
}

}  // namespace lv::app
