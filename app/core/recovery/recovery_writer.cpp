#include "app/core/recovery/recovery_writer.h"

#include "app/core/recovery/recovery_snapshot.h"
#include "common/byte_sink.h"
#include "common/ui_service.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <algorithm>

namespace lv {
namespace {

// Fails every write once cancelled, so the layered writer stops at its next block.
class CancellableSink final : public ByteSink {
public:
    CancellableSink(FileSink& file, const std::atomic<bool>& cancel)
        : file_(file)
        , cancel_(cancel)
    {
    }
    bool write(const void* bytes, std::size_t count) override
    {
        return !cancel_.load(std::memory_order_relaxed) && file_.write(bytes, count);
    }
    bool seek(std::uint64_t position) override { return !cancel_ && file_.seek(position); }
    std::uint64_t position() const override { return file_.position(); }
    bool flush() override { return file_.flush(); }

private:
    FileSink& file_;
    const std::atomic<bool>& cancel_;
};

}  // namespace

RecoveryWriteResult WriteRecoveryCopy(const RecoveryFiles& files, RecoveryJob job, const std::atomic<bool>& cancel)
{
    const auto started = std::chrono::steady_clock::now();
    RecoveryWriteResult result;
    result.stem = job.stem;
    result.title = job.info.title;
    const auto finish = [&](RecoveryWriteResult::Kind kind, FileFailure failure = {}) {
        result.kind = cancel ? RecoveryWriteResult::Kind::Cancelled : kind;
        result.failure = std::move(failure);
        result.took = std::chrono::steady_clock::now() - started;
        return result;
    };

    FileFailure failure;
    auto file = FileSink::Create(files.copy.string(), &failure);
    if (!file)
        return finish(RecoveryWriteResult::Kind::Failed, failure);
    CancellableSink sink(*file, cancel);
    if (WriteLayeredStream(sink, *job.snapshot, kRecoveryCopyQuality) != kLayeredWritten || !file->close()) {
        file->discard();
        return finish(RecoveryWriteResult::Kind::Failed, file->failure());
    }
    result.bytes = file->position();

    HDIB thumbnail = cancel ? HDIB{} : MakeRecoveryThumbnail(*job.snapshot, kRecoveryThumbnailSide);
    job.snapshot.reset();  // the document's pictures are free to change without a copy from here on
    if (thumbnail)
        WriteBmp(files.thumbnail.string(), thumbnail);  // the list does without one that failed

    job.info.copyBytes = result.bytes;
    const std::string text = SerialiseRecoveryInfo(job.info);
    if (cancel || !WriteWholeFile(files.info.string(), {text.begin(), text.end()}, &failure))
        return finish(RecoveryWriteResult::Kind::Failed, failure);
    return finish(RecoveryWriteResult::Kind::Written);
}

RecoveryWriter::RecoveryWriter(const RecoverySession& session, Done done)
    : session_(session)
    , done_(std::move(done))
    , thread_([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        cancelRunning_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::write(RecoveryJob job)
{
    {
        std::lock_guard lock(mutex_);
        const std::string stem = job.stem;
        std::string title = job.info.title;
        std::erase_if(queue_, [&](const Task& t) { return t.stem == stem && t.job; });
        queue_.push_back({stem, std::move(job), std::move(title)});
    }
    wake_.notify_all();
}

void RecoveryWriter::remove(const std::string& stem, std::string title)
{
    {
        std::lock_guard lock(mutex_);
        std::erase_if(queue_, [&](const Task& t) { return t.stem == stem; });
        if (running_ == stem)
            cancelRunning_ = true;
        queue_.push_back({stem, std::nullopt, std::move(title)});
    }
    wake_.notify_all();
}

void RecoveryWriter::waitIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !running_; });
}

void RecoveryWriter::run()
{
    // The user hears of a copy only when it is needed; failures come back in the results.
    ui::SilentService silent;
    ui::ScopedThreadService quiet(silent);
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_)
                break;
            task = std::move(queue_.front());
            queue_.pop_front();
            running_ = task.stem;
            cancelRunning_ = false;
        }
        RecoveryWriteResult result;
        if (task.job) {
            result = WriteRecoveryCopy(session_.files(task.stem), std::move(*task.job), cancelRunning_);
        } else {
            RemoveRecoveryFiles(session_.files(task.stem));
            result.kind = RecoveryWriteResult::Kind::Removed;
            result.stem = task.stem;
            result.title = task.title;
        }
        if (done_)
            done_(result);
        {
            std::lock_guard lock(mutex_);
            running_.reset();
        }
        idle_.notify_all();
    }
    {
        std::lock_guard lock(mutex_);
        running_.reset();
    }
    idle_.notify_all();
}

}  // namespace lv
