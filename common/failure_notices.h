#pragma once
// Showing what a failure carries for the user: each notice in its own box, in order.

#include "common/file_problem.h"

namespace lv {

// Captioned "Atenção" or "Mensagem do sistema" as the notice says, exclamation icon, OK.
void ShowFailureNotices(const FileFailure& failure);

}  // namespace lv
