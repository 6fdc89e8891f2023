#include "common/beep.h"

namespace lv::ui {

void Beep(Service& service, std::string_view reason)
{
    if (auto* reasoned = dynamic_cast<ReasonedBeeps*>(&service))
        reasoned->beepBecause(reason);
    else
        service.beep();
}

void Beep(std::string_view reason)
{
    Beep(Current(), reason);
}

}  // namespace lv::ui
