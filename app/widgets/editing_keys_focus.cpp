#include "app/widgets/editing_keys_focus.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace lv::app {

bool TakesEditingKeys(const QWidget* focus)
{
    if (!focus)
        return false;
    if (const auto* combo = qobject_cast<const QComboBox*>(focus))
        return combo->isEditable();
    if (const auto* text = qobject_cast<const QTextEdit*>(focus))
        return !text->isReadOnly();
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus)
           || qobject_cast<const QAbstractSpinBox*>(focus) || qobject_cast<const QAbstractItemView*>(focus);
}

bool EditingKeysStayWith(const QWidget& receiver)
{
    // The window's own focus child: before the window system makes the window active the
    // application has no focus widget yet.
    return TakesEditingKeys(&receiver) || TakesEditingKeys(receiver.window()->focusWidget());
}

bool IsEditingKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (qtKey == Qt::Key_Delete)
        return held == Qt::NoModifier;
    const bool letter = qtKey == Qt::Key_X || qtKey == Qt::Key_C || qtKey == Qt::Key_V || qtKey == Qt::Key_Z
                        || qtKey == Qt::Key_Y;
    return letter && held == Qt::ControlModifier;
}

}  // namespace lv::app
