#include "app/album/album_drag_cursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lv::app {

QCursor AlbumDragCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // The arrow, tip at the hot spot.
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 17);
    arrow.lineTo(5, 13);
    arrow.lineTo(8, 20);
    arrow.lineTo(10, 19);
    arrow.lineTo(7, 12);
    arrow.lineTo(12, 12);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    // Two photos, one over the other.
    for (const int offset : {0, 4}) {
        const QRect card(14 + offset, 16 - offset, 14, 11);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(card);
        p.fillRect(card.adjusted(2, 2, -1, -1), QColor(70, 130, 200));
        p.fillRect(QRect(card.left() + 2, card.bottom() - 3, card.width() - 3, 3), QColor(60, 150, 70));
    }
    return QCursor(picture, 1, 1);
}

}  // namespace lv::app
