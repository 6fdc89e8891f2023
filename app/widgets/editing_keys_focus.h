#pragma once
// Whether the keyboard focus is on a control that edits text or picks from a list: such a
// control keeps its own editing keys (cut, copy, paste, undo, redo, Delete) instead of the
// main window's accelerators.

#include <Qt>

class QWidget;

namespace lv::app {

bool TakesEditingKeys(const QWidget* focus);

// The same for a key press on its way: `receiver` may be a parent the control left the press
// to, so the focus child of the receiver's window counts too.
bool EditingKeysStayWith(const QWidget& receiver);

// Control with X, C, V, Z or Y (nothing else held), or Delete alone.
bool IsEditingKey(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace lv::app
