#pragma once
// The print pages' column of buttons: a button as wide as its text leaves the letters against
// the frame, where they read as cut off.

#include <initializer_list>

class QPushButton;

namespace lv::app {

// Widens each button to its text with a character's room at either side.
void GiveButtonsRoom(std::initializer_list<QPushButton*> buttons);

}  // namespace lv::app
