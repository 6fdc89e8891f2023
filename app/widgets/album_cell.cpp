#include "app/widgets/album_cell.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lv::app {

album::ClickKeys ClickKeysOf(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return album::ClickKeys::Shift;
    if (modifiers & Qt::ControlModifier)
        return album::ClickKeys::Ctrl;
    return album::ClickKeys::None;
}

int WheelRows(const QWheelEvent& event, int& rest)
{
    constexpr int kNotch = 120;
    rest += event.angleDelta().y();
    const int notches = rest / kNotch;
    rest -= notches * kNotch;
    return -notches;
}

AlbumCell::AlbumCell(QWidget& parent, AlbumCellOwner& owner, int number)
    : QWidget(&parent)
    , owner_(owner)
    , number_(number)
{
    setObjectName(QString::fromLatin1(kAlbumCellClass));
    setProperty("controlId", childId());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);  // the hover tip
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
}

void AlbumCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    owner_.paintCell(number_, painter, rect());
}

void AlbumCell::mousePressEvent(QMouseEvent* event)
{
    owner_.cellMouse(number_, *event);
}

void AlbumCell::mouseMoveEvent(QMouseEvent* event)
{
    owner_.cellMouse(number_, *event);
}

void AlbumCell::mouseReleaseEvent(QMouseEvent* event)
{
    owner_.cellMouse(number_, *event);
}

void AlbumCell::mouseDoubleClickEvent(QMouseEvent* event)
{
    owner_.cellMouse(number_, *event);
}

void AlbumCell::leaveEvent(QEvent*)
{
    owner_.cellLeft(number_);
}

void AlbumCell::keyPressEvent(QKeyEvent* event)
{
    owner_.cellKey(number_, *event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void AlbumCell::wheelEvent(QWheelEvent* event)
{
    owner_.cellWheel(number_, *event);
}

void AlbumCell::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && owner_.cellAcceptsDrop(*event->mimeData()))
        event->acceptProposedAction();
}

void AlbumCell::dropEvent(QDropEvent* event)
{
    if (!event->mimeData())
        return;
    event->acceptProposedAction();
    owner_.cellDropped(*event->mimeData());
}

}  // namespace lv::app
