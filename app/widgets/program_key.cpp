#include "app/widgets/program_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace lv::app {

ProgramKey::ProgramKey(QWidget& owner, int key, Qt::KeyboardModifiers modifiers, std::function<void()> action)
    : QObject(&owner)
    , key_(key)
    , modifiers_(modifiers)
    , action_(std::move(action))
{
    auto* shortcut = new QShortcut(QKeySequence(QKeyCombination(modifiers, Qt::Key(key))), &owner);  // the owner's
    shortcut->setContext(Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] { action_(); });
    qApp->installEventFilter(this);
}

ProgramKey::~ProgramKey()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool ProgramKey::eventFilter(QObject* watched, QEvent* event)
{
    // With a window active the shortcut has taken the key before any press is delivered.
    if (event->type() != QEvent::KeyPress || QApplication::activeWindow() || !watched->isWidgetType())
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->key() != key_ || (press->modifiers() & ~Qt::KeypadModifier) != modifiers_ || press->isAutoRepeat())
        return false;
    action_();
    return true;
}

}  // namespace lv::app
