#include "app/shell/accelerators.h"

#include "app/core/view/zoom.h"
#include "app/shell/main_window.h"
#include "app/widgets/editing_keys_focus.h"

#include <QApplication>
#include <QKeyEvent>

namespace lv::app {

std::optional<skin::Key> TableKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_F1: return skin::Key::F1;
    case Qt::Key_Escape: return skin::Key::Escape;
    case Qt::Key_Tab: return skin::Key::Tab;
    case Qt::Key_Q: return skin::Key::Q;
    case Qt::Key_Z: return skin::Key::Z;
    case Qt::Key_Y: return skin::Key::Y;
    case Qt::Key_X: return skin::Key::X;
    case Qt::Key_C: return skin::Key::C;
    case Qt::Key_V: return skin::Key::V;
    default: return std::nullopt;
    }
}

std::optional<int> TranslateAccelerator(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypadZoom = (qtKey == Qt::Key_Plus || qtKey == Qt::Key_Minus) && modifiers.testFlag(Qt::KeypadModifier)
                            && modifiers.testFlag(Qt::ControlModifier) && !(modifiers & (Qt::ShiftModifier | Qt::AltModifier));
    if (keypadZoom)
        return qtKey == Qt::Key_Plus ? kZoomInCommand : kZoomOutCommand;
    const std::optional<skin::Key> key = TableKey(qtKey);
    if (!key || (modifiers & (Qt::ShiftModifier | Qt::AltModifier)))
        return std::nullopt;
    return skin::TranslateAccelerator(*key, modifiers.testFlag(Qt::ControlModifier));
}

AcceleratorFilter::AcceleratorFilter(MainWindow& mainWindow)
    : mainWindow_(&mainWindow)
{
}

bool AcceleratorFilter::filterEvent(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !mainWindow_ || QApplication::activeModalWidget())
        return false;
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != mainWindow_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // A text field, list or spin box keeps its own editing keys: Ctrl+X in a mail's subject
    // must cut its text, not delete the picture's layer.
    if (IsEditingKey(key->key(), key->modifiers()) && EditingKeysStayWith(*widget))
        return false;
    const auto command = TranslateAccelerator(key->key(), key->modifiers());
    if (!command)
        return false;
    // Without a slide show Esc is the focused window's own (a tool's rubber band).
    if (*command == skin::kCommandEscape && !mainWindow_->slideShowRunning())
        return false;
    mainWindow_->runCommand(*command);
    return true;
}

}  // namespace lv::app
