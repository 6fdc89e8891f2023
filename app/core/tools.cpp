#include "app/core/tools.h"

namespace lv {

bool& DocumentEngineBusy()
{
    static bool busy = false;
    return busy;
}

}  // namespace lv
