#include "app/sharing/background_work.h"

namespace lv::sharing {
namespace {

constexpr int kRefreshMs = 50;

}  // namespace

BackgroundWork::BackgroundWork(QWidget* window, const QString& caption, std::function<void(ProgressReport&)> work,
                               std::function<void()> cancel, std::function<void()> finished)
    : cancel_(std::move(cancel))
    , finished_(std::move(finished))
{
    dialog_ = new app::TransferProgressDialog(window, caption, cancel_);  // let go in dropDialog()
    thread_.reset(QThread::create([this, work = std::move(work)] { work(report_); }));
    connect(thread_.get(), &QThread::finished, this, &BackgroundWork::end, Qt::QueuedConnection);
    connect(&refresh_, &QTimer::timeout, this, &BackgroundWork::refresh);
    refresh_.start(kRefreshMs);
    thread_->start();
}

BackgroundWork::~BackgroundWork()
{
    stop();
}

void BackgroundWork::stop()
{
    finished_ = nullptr;
    ended_ = true;
    if (thread_ && thread_->isRunning()) {
        if (cancel_)
            cancel_();
        thread_->wait();
    }
    refresh_.stop();
    dropDialog();
}

// A window-modal progress dialog handles events inside setValue(), so the work's ending can
// arrive while the dialog is still inside report(): deleting it there would pull it from under
// its own call. deleteLater waits for the outer event loop.
void BackgroundWork::dropDialog()
{
    if (!dialog_)
        return;
    dialog_->hide();
    dialog_->deleteLater();
    dialog_.clear();
}

void BackgroundWork::refresh()
{
    if (!dialog_)
        return;
    const auto [percent, detail] = report_.get();
    dialog_->report(percent, detail);
}

void BackgroundWork::end()
{
    if (ended_)
        return;
    ended_ = true;
    refresh_.stop();
    dropDialog();
    if (auto finished = std::exchange(finished_, nullptr))
        finished();
}

}  // namespace lv::sharing
