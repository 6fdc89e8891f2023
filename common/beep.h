#pragma once
// A beep with its reason. A service that can say why it beeps (the running program's, which
// writes "beep REASON" to the test log) takes the reason; any other just beeps.

#include "common/ui_service.h"

#include <string_view>

namespace lv::ui {

class ReasonedBeeps {
public:
    virtual ~ReasonedBeeps() = default;
    virtual void beepBecause(std::string_view reason) = 0;
};

// `reason` is a short English phrase ("no picture open"), not shown to the user.
void Beep(Service& service, std::string_view reason);
void Beep(std::string_view reason);

}  // namespace lv::ui
