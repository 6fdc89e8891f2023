#pragma once
// Tile rows shared out among the processor's cores. Tiles are coded independently, so
// the bytes and pixels come out the same whatever the number of threads.

#include "common/processors.h"
#include "common/worker_pool.h"

#include <algorithm>
#include <atomic>

namespace lv::flashpix {

// One thread per processor the process may run on, at most four.
inline int TileThreads()
{
    return std::clamp(ProcessorCount(), 1, 4);
}

enum class RowsOutcome { Done, Stopped, Failed };

// Runs `work(row, slot)` for every row in [0, rows): slot 0 is the calling thread, which
// alone calls `keepGoing()` (the user interface may only be asked from it) before each of
// its rows. `work` returns false for a failure, which ends the run.
template <typename Work, typename KeepGoing>
RowsOutcome RunTileRows(int rows, int slots, Work&& work, KeepGoing&& keepGoing)
{
    // Asked once before the helpers start: they may take every row before this thread
    // reaches its loop, and an Esc already held must still stop the run.
    if (rows > 0 && !keepGoing())
        return RowsOutcome::Stopped;
    std::atomic<int> next{0};
    std::atomic<bool> stop{false}, failed{false};
    const auto take = [&](int slot) {
        for (int row; !stop && (row = next++) < rows;) {
            if (!work(row, slot)) {
                failed = true;
                stop = true;
            }
        }
    };
    bool stopped = false;
    RunOnWorkers(slots, [&](int slot) {
        if (slot != 0) {
            take(slot);
            return;
        }
        for (int row; !stop && (row = next++) < rows;) {
            if (!keepGoing()) {
                stopped = true;
                stop = true;
                break;
            }
            if (!work(row, 0)) {
                failed = true;
                stop = true;
            }
        }
    });
    if (failed)
        return RowsOutcome::Failed;
    return stopped ? RowsOutcome::Stopped : RowsOutcome::Done;
}

}  // namespace lv::flashpix
