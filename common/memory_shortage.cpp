#include "common/memory_shortage.h"

#include "common/failure_notices.h"

namespace lv {

FileFailure MemoryShortage()
{
    return {FileProblem::OutOfMemory, {}, {FailureNotice{"Não há memória suficiente.", NoticeTitle::SystemMessage}}};
}

void TellMemoryShortage()
{
    ShowFailureNotices(MemoryShortage());
}

}  // namespace lv
