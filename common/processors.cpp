#include "common/processors.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace lv {

int ProcessorCount()
{
    static const int count = [] {
        cpu_set_t allowed;
        const int usable = sched_getaffinity(0, sizeof allowed, &allowed) == 0 ? CPU_COUNT(&allowed)
                                                                                : int(std::thread::hardware_concurrency());
        return std::max(usable, 1);
    }();
    return count;
}

}  // namespace lv
