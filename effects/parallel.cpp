#include "effects/parallel.h"

#include "common/processors.h"

#include <algorithm>

namespace lv::effects {

int ThreadsFor(long long samples, int threads)
{
    // Below this a thread costs more to start than it saves.
    constexpr long long kSamplesPerThread = 1 << 17;
    return int(std::clamp<long long>(samples / kSamplesPerThread, 1, std::max(threads, 1)));
}

int DefaultThreadCount()
{
    return ProcessorCount();
}

}  // namespace lv::effects
