#include "app/shell/handler_table.h"

#include "common/beep.h"
#include "common/ui_service.h"

#include <string>

namespace lv::app {
namespace {

std::size_t IndexOf(skin::Handler handler)
{
    return std::size_t(handler);
}

bool InRange(skin::Handler handler)
{
    return int(handler) > 0 && handler < skin::Handler::Count;
}

}  // namespace

void HandlerTable::set(skin::Handler handler, Function function)
{
    if (InRange(handler))
        functions_[IndexOf(handler)] = std::move(function);
}

bool HandlerTable::has(skin::Handler handler) const
{
    return InRange(handler) && functions_[IndexOf(handler)] != nullptr;
}

void HandlerTable::call(const HandlerCall& call) const
{
    if (call.handler == skin::Handler::None)
        return;
    if (!has(call.handler)) {
        ui::Beep("no handler " + std::string(skin::HandlerName(call.handler)));
        return;
    }
    functions_[IndexOf(call.handler)](call);
}

void HandlerTable::call(skin::Handler handler, std::uint32_t argument) const
{
    HandlerCall c;
    c.handler = handler;
    c.argument = argument;
    call(c);
}

}  // namespace lv::app
