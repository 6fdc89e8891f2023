#include "app/testing/command_batch.h"

#include "app/shell/test_hooks.h"

#include <QFile>
#include <QTimer>

namespace lv::app {

CommandBatch::CommandBatch(const TestHooks& hooks, const QString& path, std::function<void(const QString&)> run)
    : hooks_(hooks)
    , run_(std::move(run))
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        commands_ = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    // After the socket's answer, so the sending copy is not kept waiting for the whole run.
    QTimer::singleShot(0, this, &CommandBatch::step);
}

// The next command is queued only once this one has returned, after the work it queued itself
// (a dialog's rejection, a deferred beep), so nothing of one command lands under the next's number.
void CommandBatch::step()
{
    if (next_ >= commands_.size()) {
        hooks_.log(QStringLiteral("batch done"));
        return;
    }
    hooks_.log(QStringLiteral("batch %1").arg(next_));
    run_(commands_[next_++]);
    QTimer::singleShot(0, this, &CommandBatch::step);
}

}  // namespace lv::app
