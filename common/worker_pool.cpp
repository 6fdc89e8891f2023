#include "common/worker_pool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace lv {
namespace {

// A job beyond this many threads waits for no one: it is refused and done by its caller.
constexpr std::size_t kMostThreads = 256;

class Pool {
public:
    ~Pool()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }

    bool start(std::function<void()> job)
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return false;
        jobs_.push_back(std::move(job));
        // Each job is paired with a thread at once: an idle one, claimed now, or a new one.
        if (idle_ > 0) {
            --idle_;
            ++wakeups_;
            wake_.notify_one();
            return true;
        }
        if (threads_.size() < kMostThreads) {
            try {
                threads_.emplace_back([this] { serve(); });
                return true;
            } catch (const std::system_error&) {
            }
        }
        jobs_.pop_back();
        return false;
    }

private:
    void serve()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (!jobs_.empty()) {
                std::function<void()> job = std::move(jobs_.front());
                jobs_.pop_front();
                lock.unlock();
                job();
                job = nullptr;  // what the job held goes before the thread counts as idle
                lock.lock();
                continue;
            }
            ++idle_;
            wake_.wait(lock, [this] { return stopping_ || wakeups_ > 0; });
            if (wakeups_ > 0) {
                --wakeups_;
                continue;
            }
            --idle_;
            return;
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;     // threads waiting that no job has claimed
    std::size_t wakeups_ = 0;  // claimed threads that have not woken yet
    bool stopping_ = false;
};

Pool& ProcessPool()
{
    static Pool pool;
    return pool;
}

}  // namespace

bool StartOnWorker(std::function<void()> job)
{
    return ProcessPool().start(std::move(job));
}

void RunOnWorkers(int slots, const std::function<void(int)>& work)
{
    if (slots <= 1) {
        if (slots == 1)
            work(0);
        return;
    }
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(slots));
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
    std::vector<int> leftOver;
    const auto runSlot = [&](int slot) {
        try {
            work(slot);
        } catch (...) {
            failures[std::size_t(slot)] = std::current_exception();
        }
    };
    for (int slot = 1; slot < slots; ++slot) {
        {
            std::lock_guard lock(mutex);
            ++running;
        }
        const bool started = StartOnWorker([&, slot] {
            runSlot(slot);
            std::lock_guard lock(mutex);
            if (--running == 0)
                ended.notify_all();
        });
        if (!started) {
            std::lock_guard lock(mutex);
            --running;
            leftOver.push_back(slot);
        }
    }
    runSlot(0);
    for (const int slot : leftOver)
        runSlot(slot);
    {
        std::unique_lock lock(mutex);
        ended.wait(lock, [&] { return running == 0; });
    }
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

void ParallelFor(int count, int threads, const std::function<void(int, int)>& body)
{
    if (count <= 0)
        return;
    const int chunks = std::clamp(threads, 1, count);
    RunOnWorkers(chunks, [&](int i) {
        body(int(static_cast<long long>(count) * i / chunks), int(static_cast<long long>(count) * (i + 1) / chunks));
    });
}

struct WorkerGroup::State {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
};

bool WorkerGroup::start(std::function<void()> job)
{
    if (!state_)
        state_ = std::make_shared<State>();
    {
        std::lock_guard lock(state_->mutex);
        ++state_->running;
    }
    const bool started = StartOnWorker([state = state_, job = std::move(job)] {
        job();
        std::lock_guard lock(state->mutex);
        if (--state->running == 0)
            state->ended.notify_all();
    });
    if (!started) {
        std::lock_guard lock(state_->mutex);
        --state_->running;
    }
    return started;
}

void WorkerGroup::wait()
{
    if (!state_)
        return;
    std::unique_lock lock(state_->mutex);
    state_->ended.wait(lock, [this] { return state_->running == 0; });
}

}  // namespace lv
