#include "app/widgets/colour_swatch.h"

#include <QCoreApplication>
#include <QPainter>

namespace lv::app {

ColourSwatch::ColourSwatch(QWidget& parent, int controlId)
    : QWidget(&parent)
    , controlId_(controlId)
{
    setObjectName(kSwatchClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourSwatch::paintEvent(QPaintEvent*)
{
    SwatchColourRequest request(controlId_);
    QCoreApplication::sendEvent(parentWidget(), &request);
    QPainter(this).fillRect(rect(), request.colour());
}

}  // namespace lv::app
