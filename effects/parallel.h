#pragma once
// Splits independent work (rows, column bands) over a few worker threads for one call.

#include <functional>

namespace lv::effects {

// Runs body(begin, end) over [0, count) in up to `threads` contiguous chunks, the calling
// thread taking the first one; returns when every chunk is done. Chunks never overlap, so
// results do not depend on the number of threads. An exception in any chunk is rethrown
// here after all chunks have ended.
void ParallelFor(int count, int threads, const std::function<void(int begin, int end)>& body);

// The number of threads worth using for a pass over `samples` samples.
int ThreadsFor(long long samples, int threads);

// The processors available, at least 1.
int DefaultThreadCount();

}  // namespace lv::effects
