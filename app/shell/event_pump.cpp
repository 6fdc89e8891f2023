#include "app/shell/event_pump.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace lv::app {
namespace {

constexpr qint64 kPumpIntervalMs = 50;

bool heldBack(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::Drop:
    case QEvent::Close:
    case QEvent::Timer:
        return true;
    default:
        return false;
    }
}

}  // namespace

void EventPump::pumpIfDue()
{
    if (pumping_ || (sinceLastPump_.isValid() && sinceLastPump_.elapsed() < kPumpIntervalMs))
        return;
    pumping_ = true;
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    QCoreApplication::instance()->removeEventFilter(this);
    pumping_ = false;
    sinceLastPump_.start();
}

bool EventPump::escapeHeld()
{
    pumpIfDue();
    const bool held = escapeDown_ || escapePressedSinceAsked_;
    escapePressedSinceAsked_ = false;
    return held;
}

bool EventPump::eventFilter(QObject*, QEvent* event)
{
    if (!pumping_ || !heldBack(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            escapeDown_ = event->type() == QEvent::KeyPress;
            escapePressedSinceAsked_ |= escapeDown_;
        }
    }
    return true;
}

}  // namespace lv::app
