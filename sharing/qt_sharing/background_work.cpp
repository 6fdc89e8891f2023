#include "sharing/qt_sharing/background_work.h"

namespace lv::sharing {
namespace {

constexpr int kRefreshMs = 50;

}  // namespace

BackgroundWork::BackgroundWork(QWidget* window, const QString& caption, std::function<void(ProgressReport&)> work,
                               std::function<void()> cancel, std::function<void()> finished)
    : cancel_(std::move(cancel))
    , finished_(std::move(finished))
{
    dialog_ = new app::TransferProgressDialog(window, caption, cancel_);  // deleted in end()
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
    delete dialog_.data();
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
    delete dialog_.data();
    if (auto finished = std::exchange(finished_, nullptr))
        finished();
}

}  // namespace lv::sharing
