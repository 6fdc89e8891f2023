#pragma once
// The thread that writes recovery copies, so the user-interface thread only takes snapshots.
// Jobs run in the order given; a newer snapshot of a document replaces one still waiting,
// and removing a document's copy waits for (and cuts short) a write of it under way.

#include "app/core/recovery/recovery_info.h"
#include "app/core/recovery/recovery_session.h"
#include "common/file_problem.h"
#include "edit/layer_stack.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace lv {

// Recovery copies are written at this quality, at which layer pictures are stored as
// uncompressed bitmaps: nothing of a picture is lost.
inline constexpr int kRecoveryCopyQuality = 100;
inline constexpr int kRecoveryThumbnailSide = 96;

struct RecoveryJob {
    std::string stem;
    std::unique_ptr<LayerStack> snapshot;
    RecoveryInfo info;  // the copy's length is filled in by the writer
};

struct RecoveryWriteResult {
    enum class Kind { Written, Failed, Removed, Cancelled };
    Kind kind = Kind::Failed;
    std::string stem;
    std::string title;
    FileFailure failure;
    std::uint64_t bytes = 0;
    std::chrono::nanoseconds took{0};
};

// Writes the copy, its thumbnail and then its side file into `files`; `cancel` cuts it
// short (the old copy then stays as it was).
RecoveryWriteResult WriteRecoveryCopy(const RecoveryFiles& files, RecoveryJob job, const std::atomic<bool>& cancel);

class RecoveryWriter {
public:
    // Called on the writing thread after each job.
    using Done = std::function<void(const RecoveryWriteResult&)>;

    RecoveryWriter(const RecoverySession& session, Done done = {});
    // Stops at once: a write under way is cut short and waiting jobs are dropped.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(RecoveryJob job);
    void remove(const std::string& stem, std::string title = {});
    // Until every job given so far has run.
    void waitIdle();

private:
    struct Task {
        std::string stem;
        std::optional<RecoveryJob> job;  // nothing: remove the copy
        std::string title;
    };
    void run();

    const RecoverySession& session_;
    Done done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Task> queue_;
    std::optional<std::string> running_;  // the stem being worked on
    std::atomic<bool> cancelRunning_{false};
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace lv
