#include "app/widgets/angle_dial_widget.h"

#include "app/widgets/qt_geometry.h"
#include "app/widgets/shared_style.h"

#include <QMouseEvent>
#include <QPainter>

namespace lv::app {
namespace {

constexpr int kNeedleWidth = 3;
const QColor kDialBackground(192, 192, 192);  // the light grey stock brush

}  // namespace

AngleDialWidget::AngleDialWidget(QWidget& parent, Report report)
    : QWidget(&parent)
    , report_(std::move(report))
{
    setObjectName(kDialClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AngleDialWidget::setAngle(int degrees)
{
    dial_.setAngle(degrees);
    update();
}

void AngleDialWidget::take(QPoint point)
{
    if (dial_.point(FromQPoint(point), {width(), height()}))
        update();
}

void AngleDialWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        take(event->position().toPoint());
}

void AngleDialWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton)
        take(event->position().toPoint());
}

void AngleDialWidget::paintEvent(QPaintEvent*)
{
    const skin::Size client{width(), height()};
    const skin::DialGeometry dial = skin::DialGeometryOf(client);
    const QPoint c = ToQPoint(dial.centre);
    const int r = dial.radius;
    QPainter p(this);
    p.fillRect(rect(), kDialBackground);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, dial.hubRadius, dial.hubRadius);
    const int tick = skin::kDialTickLength;
    p.drawLine(c.x() + r, c.y(), c.x() + r + tick, c.y());
    p.drawLine(c.x() - r, c.y(), c.x() - r - tick, c.y());
    p.drawLine(c.x(), c.y() - r, c.x(), c.y() - r - tick);
    p.drawLine(c.x(), c.y() + r, c.x(), c.y() + r + tick);

    p.setFont(FontOfHeight(QStringLiteral("Arial"), skin::kDialLabelFontHeight));
    const int room = r + tick + 2;
    const QFontMetrics metrics = p.fontMetrics();
    const auto label = [&](QPoint at, Qt::Alignment align, const QString& text) {
        QRect box(0, 0, metrics.horizontalAdvance(text), metrics.height());
        if (align & Qt::AlignLeft)
            box.moveTopLeft(at - QPoint(0, box.height() / 2));
        else if (align & Qt::AlignRight)
            box.moveTopRight(at - QPoint(0, box.height() / 2));
        else if (align & Qt::AlignTop)
            box.moveTopLeft(at - QPoint(box.width() / 2, 0));
        else
            box.moveBottomLeft(at - QPoint(box.width() / 2, 0));
        p.drawText(box, Qt::AlignCenter, text);
    };
    label(c + QPoint(room, 0), Qt::AlignLeft, QStringLiteral("0"));
    label(c - QPoint(room, 0), Qt::AlignRight, QStringLiteral("180"));
    label(c - QPoint(0, room), Qt::AlignBottom, QStringLiteral("90"));
    label(c + QPoint(0, room), Qt::AlignTop, QStringLiteral("270"));

    const skin::NeedleEnd end = skin::NeedleEndFor(dial, dial_.stored());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, kNeedleWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c), QPointF(end.x, end.y));
    p.end();

    if (const auto angle = dial_.painted(client); angle && report_)
        report_(*angle);
}

}  // namespace lv::app
