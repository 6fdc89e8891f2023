#pragma once
// Splits independent work (rows, column bands) over the process's workers for one call.

#include "common/worker_pool.h"

namespace lv::effects {

using lv::ParallelFor;

// The number of threads worth using for a pass over `samples` samples.
int ThreadsFor(long long samples, int threads);

// The processors the process may run on, at least 1.
int DefaultThreadCount();

}  // namespace lv::effects
