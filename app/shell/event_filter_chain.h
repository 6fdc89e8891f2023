#pragma once
// Every event of the application passes one ordered chain before it is dispatched: first
// the keyboard accelerators, then, while a scanner acquisition runs, its message filter.
// A stage that consumes an event ends it there.

#include <QObject>

#include <array>
#include <cstddef>

class QCoreApplication;

namespace lv::app {

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True when the filter consumed the event. While an event propagates from a widget to
    // its parents the chain may see it once per step.
    virtual bool filterEvent(QObject* receiver, QEvent* event) = 0;
};

class EventFilterChain final : public QObject {
public:
    enum class Stage : std::size_t { Accelerators, Acquisition };

    // Installed on the application for its lifetime.
    explicit EventFilterChain(QCoreApplication& application);
    ~EventFilterChain() override;

    // A null filter leaves the stage empty.
    void setFilter(Stage stage, MessageFilter* filter);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    QCoreApplication& application_;
    std::array<MessageFilter*, 2> stages_{};
};

}  // namespace lv::app
