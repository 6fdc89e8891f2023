#include "effects/parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace lv::effects {

void ParallelFor(int count, int threads, const std::function<void(int, int)>& body)
{
    if (count <= 0)
        return;
    const int chunks = std::clamp(threads, 1, count);
    if (chunks == 1) {
        body(0, count);
        return;
    }
    std::vector<std::jthread> workers;
    workers.reserve(std::size_t(chunks - 1));
    for (int i = 1; i < chunks; ++i) {
        const int begin = int(static_cast<long long>(count) * i / chunks);
        const int end = int(static_cast<long long>(count) * (i + 1) / chunks);
        workers.emplace_back([&body, begin, end] { body(begin, end); });
    }
    body(0, int(static_cast<long long>(count) / chunks));
}

int ThreadsFor(long long samples, int threads)
{
    // Below this a thread costs more to start than it saves.
    constexpr long long kSamplesPerThread = 1 << 17;
    return int(std::clamp<long long>(samples / kSamplesPerThread, 1, std::max(threads, 1)));
}

int DefaultThreadCount()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

}  // namespace lv::effects
