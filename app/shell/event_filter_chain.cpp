#include "app/shell/event_filter_chain.h"

#include <QCoreApplication>

namespace lv::app {

EventFilterChain::EventFilterChain(QCoreApplication& application)
    : application_(application)
{
    application_.installEventFilter(this);
}

EventFilterChain::~EventFilterChain()
{
    application_.removeEventFilter(this);
}

void EventFilterChain::setFilter(Stage stage, MessageFilter* filter)
{
    stages_[static_cast<std::size_t>(stage)] = filter;
}

bool EventFilterChain::eventFilter(QObject* receiver, QEvent* event)
{
    for (MessageFilter* filter : stages_)
        if (filter && filter->filterEvent(receiver, event))
            return true;
    return false;
}

}  // namespace lv::app
