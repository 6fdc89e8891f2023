#include "common/processors.h"
#include "common/worker_pool.h"

#include <gtest/gtest.h>


#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lv {
namespace {

TEST(WorkerPool, ParallelForCoversEveryIndexOnceWhateverTheThreadCount)
{
    for (const int count : {0, 1, 7, 1000})
        for (const int threads : {-1, 0, 1, 2, 3, 64}) {
            std::vector<std::atomic<int>> seen(static_cast<std::size_t>(count));
            ParallelFor(count, threads, [&](int begin, int end) {
                ASSERT_TRUE(0 <= begin && begin <= end && end <= count) << begin << ".." << end;
                for (int i = begin; i < end; ++i)
                    ++seen[std::size_t(i)];
            });
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(seen[std::size_t(i)], 1) << count << " " << threads << " " << i;
        }
}

TEST(WorkerPool, AFailingSlotIsRethrownAfterEverySlotEnded)
{
    std::atomic<int> ended{0};
    EXPECT_THROW(RunOnWorkers(4,
                              [&](int slot) {
                                  std::this_thread::sleep_for(std::chrono::milliseconds(slot == 3 ? 50 : 0));
                                  ++ended;
                                  if (slot == 1)
                                      throw std::runtime_error("slot 1");
                              }),
                 std::runtime_error);
    EXPECT_EQ(ended, 4);
}

// Loops inside loops, and a long job waiting for its consumer, must neither deadlock nor
// starve a loop started meanwhile: each job gets a thread of its own at once.
TEST(WorkerPool, NestedLoopsAndWaitingJobsDoNotBlockEachOther)
{
    std::atomic<long> sum{0};
    ParallelFor(8, 8, [&](int begin, int end) {
        for (int i = begin; i < end; ++i)
            ParallelFor(100, 4, [&](int b, int e) { sum += e - b; });
    });
    EXPECT_EQ(sum, 800);

    std::mutex mutex;
    std::condition_variable changed;
    bool consumed = false;
    WorkerGroup waiting;
    for (int i = 0; i < 3 * ProcessorCount(); ++i)
        ASSERT_TRUE(waiting.start([&] {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return consumed; });
        }));
    std::atomic<int> loop{0};
    ParallelFor(64, 4, [&](int b, int e) { loop += e - b; });
    EXPECT_EQ(loop, 64);
    {
        std::lock_guard lock(mutex);
        consumed = true;
    }
    changed.notify_all();
    waiting.wait();
}

}  // namespace
}  // namespace lv
