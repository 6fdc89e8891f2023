#pragma once
// Running out of memory is the process's condition, not one library's answer: work whose
// caller takes its failures returns FileProblem::OutOfMemory carrying this notice, and
// everything else tells it where it happens, as the system's box.

#include "common/file_problem.h"

namespace lv {

// "Não há memória suficiente." captioned "Mensagem do sistema".
FileFailure MemoryShortage();

// Shows MemoryShortage()'s box now.
void TellMemoryShortage();

}  // namespace lv
