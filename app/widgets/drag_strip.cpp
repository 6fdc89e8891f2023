#include "app/widgets/drag_strip.h"

#include <QMouseEvent>
#include <QPainter>

namespace lv::app {

DragStrip::DragStrip(const QString& title, QWidget* parent)
    : QWidget(parent)
    , title_(title)
{
    setObjectName(QStringLiteral("drag strip"));
    setFixedHeight(kHeight);
    setCursor(Qt::SizeAllCursor);
}

void DragStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
    QFont font = painter.font();
    font.setPixelSize(kHeight - 4);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, title_);
}

void DragStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    grip_ = event->globalPosition().toPoint() - window()->pos();
}

void DragStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (grip_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - *grip_);
}

void DragStrip::mouseReleaseEvent(QMouseEvent*)
{
    grip_.reset();
}

}  // namespace lv::app
