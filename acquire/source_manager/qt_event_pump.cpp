#include "acquire/source_manager/qt_event_pump.h"

#include <QCoreApplication>
#include <QEvent>

namespace lv::twain {

QtEventPump::QtEventPump()
    : type_(QEvent::registerEventType())
{
}

QtEventPump::~QtEventPump() = default;

void QtEventPump::wake()
{
    if (!QCoreApplication::instance())
        return;
    if (!receiver_)
        receiver_ = std::make_unique<QObject>();
    QCoreApplication::postEvent(receiver_.get(), new QEvent(QEvent::Type(type_)));  // the queue owns it
}

bool QtEventPump::isWake(const void* event) const
{
    return event && static_cast<const QEvent*>(event)->type() == QEvent::Type(type_);
}

}  // namespace lv::twain
