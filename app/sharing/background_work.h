#pragma once
// Work that runs beside the window's thread (mail going out, photos coming in) with the
// progress dialog over the window: the dialog is refreshed from what the work reports, the
// window keeps answering, and the ending runs back on the window's thread.

#include "app/sharing/transfer_progress_dialog.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace lv::sharing {

// What the worker says about its progress; read by the window's thread.
class ProgressReport {
public:
    void set(int percent, QString detail = {})
    {
        const std::lock_guard lock(mutex_);
        percent_ = percent;
        detail_ = std::move(detail);
    }
    std::pair<int, QString> get() const
    {
        const std::lock_guard lock(mutex_);
        return {percent_, detail_};
    }

private:
    mutable std::mutex mutex_;
    int percent_ = 0;
    QString detail_;
};

class BackgroundWork final : public QObject {
public:
    // Starts `work` on a thread of its own at once; `cancel` is what the dialog's button does.
    // `finished` runs on the window's thread after the work returned, the dialog gone.
    BackgroundWork(QWidget* window, const QString& caption, std::function<void(ProgressReport&)> work,
                   std::function<void()> cancel, std::function<void()> finished);
    // Cancels and waits: the work must not outlive what it uses.
    ~BackgroundWork() override;

    // Until `finished` has run.
    bool busy() const { return !ended_; }
    // Cancels and waits for the work to end, without running `finished`.
    void stop();

private:
    void refresh();
    void end();
    void dropDialog();

    ProgressReport report_;
    std::function<void()> cancel_;
    std::function<void()> finished_;
    std::unique_ptr<QThread> thread_;
    QPointer<app::TransferProgressDialog> dialog_;
    QTimer refresh_;
    bool ended_ = false;
};

}  // namespace lv::sharing
