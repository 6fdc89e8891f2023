#include "common/warning_messages.h"

#include "common/string_table.h"
#include "common/ui_service.h"

#include <string>

namespace lv {

void ShowWarningMessage(std::string_view text)
{
    ui::Current().showMessage(text, ui::kWarningTitle, ui::Icon::Exclamation);
}

void ShowDetailedMessage(std::string_view text, std::string_view detail)
{
    ShowWarningMessage(std::string(text) + " --- " + std::string(detail));
}

void ShowDetailedMessage(std::string_view text, long number)
{
    ShowWarningMessage(std::string(text) + " --- " + std::to_string(number));
}

void ShowStringMessage(int stringId)
{
    ShowWarningMessage(LoadString(stringId));
}

void ShowDetailedStringMessage(int stringId, std::string_view detail)
{
    ShowDetailedMessage(LoadString(stringId), detail);
}

}  // namespace lv
