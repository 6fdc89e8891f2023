#pragma once
// A key for the whole program that works even while none of its windows is active (without a
// window manager none is until the first click): a shortcut while one is, the key press itself
// otherwise.

#include <QObject>

#include <functional>

class QWidget;

namespace lv::app {

class ProgramKey final : public QObject {
public:
    // Owned by `owner`; `key` is a Qt key, `modifiers` exactly those held.
    ProgramKey(QWidget& owner, int key, Qt::KeyboardModifiers modifiers, std::function<void()> action);
    ~ProgramKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int key_;
    Qt::KeyboardModifiers modifiers_;
    std::function<void()> action_;
};

}  // namespace lv::app
