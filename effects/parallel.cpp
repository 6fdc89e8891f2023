#include "effects/parallel.h"

#include <algorithm>
#include <exception>
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
    // A worker's exception (memory running out) is carried back to the caller once every
    // worker has finished, instead of ending the process.
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(chunks));
    {
        std::vector<std::jthread> workers;
        workers.reserve(std::size_t(chunks - 1));
        for (int i = 1; i < chunks; ++i) {
            const int begin = int(static_cast<long long>(count) * i / chunks);
            const int end = int(static_cast<long long>(count) * (i + 1) / chunks);
            workers.emplace_back([&body, &failures, i, begin, end] {
                try {
                    body(begin, end);
                } catch (...) {
                    failures[std::size_t(i)] = std::current_exception();
                }
            });
        }
        try {
            body(0, int(static_cast<long long>(count) / chunks));
        } catch (...) {
            failures[0] = std::current_exception();
        }
    }
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
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
