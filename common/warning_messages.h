#pragma once
// The program's plain warning box for its own texts: captioned "Atenção", exclamation icon, OK.

#include <string_view>

namespace lv {

void ShowWarningMessage(std::string_view text);
// "%s --- %s" with the detail text.
void ShowDetailedMessage(std::string_view text, std::string_view detail);
// "%s --- %ld" with the number.
void ShowDetailedMessage(std::string_view text, long number);
// A string-table entry shown as it is, or with its detail as above.
void ShowStringMessage(int stringId);
void ShowDetailedStringMessage(int stringId, std::string_view detail);

}  // namespace lv
