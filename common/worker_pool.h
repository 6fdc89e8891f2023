#pragma once
// The process's worker threads. Work runs on a thread the pool already has when one is idle,
// else on a new one that stays for later work, so a job never waits behind another job
// (a worker waiting for its consumer cannot starve a parallel loop) and threads are not
// made anew for every loop. Each job decides how many threads it is worth: usually
// ProcessorCount().

#include <functional>
#include <memory>

namespace lv {

// Starts `job` on a worker; false when no thread could be had (the job did not run).
bool StartOnWorker(std::function<void()> job);

// Runs work(slot) for slot in [0, slots): slot 0 on the calling thread, the others on
// workers; returns when every slot has returned. A slot that no thread could be had for
// runs on the calling thread after slot 0. An exception in any slot is rethrown here
// after all of them ended.
void RunOnWorkers(int slots, const std::function<void(int slot)>& work);

// Runs body(begin, end) over [0, count) in up to `threads` contiguous chunks. Chunks never
// overlap, so results do not depend on the number of threads.
void ParallelFor(int count, int threads, const std::function<void(int begin, int end)>& body);

// Jobs started together whose end the owner waits for (at the latest when it goes).
class WorkerGroup {
public:
    WorkerGroup() = default;
    WorkerGroup(const WorkerGroup&) = delete;
    WorkerGroup& operator=(const WorkerGroup&) = delete;
    ~WorkerGroup() { wait(); }

    // False when no thread could be had: the caller does the work itself.
    bool start(std::function<void()> job);
    // Waits for every job started so far.
    void wait();

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace lv
