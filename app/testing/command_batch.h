#pragma once
// The test driver's "batch FILE": every line of the file is run as a test command in turn, the
// event loop let run between them, so a test presses hundreds of buttons with one message on the
// socket instead of one process each. Each command is logged ("batch N") before it runs, so a
// test knows which one a logged line followed; "batch done" ends the run (test builds only).

#include <QObject>
#include <QStringList>

#include <functional>

namespace lv::app {

class TestHooks;

class CommandBatch final : public QObject {
public:
    CommandBatch(const TestHooks& hooks, const QString& path, std::function<void(const QString&)> run);

private:
    void step();

    const TestHooks& hooks_;
    QStringList commands_;
    std::function<void(const QString&)> run_;
    int next_ = 0;
};

}  // namespace lv::app
