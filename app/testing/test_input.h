#pragma once
// Input a test sends through the program's socket (test builds only), delivered to the widgets
// as the window system's would be:
//   "move X Y"                  the pointer moves to the point (main-window coordinates)
//   "click X Y" / "rclick X Y"  a move to, then a left (right) press and release at the
//                               point
//   "drag X1 Y1 X2 Y2"          a left press at the first point, moves with the button held
//                               and the release at the second, all to the widget pressed
//   "key SEQUENCE"              a key press and release ("F1", "Ctrl+Q", "Tab",
//                               "Ctrl+Num++") to the focused widget of the open dialog,
//                               or of the main window
//   "type TEXT"                 the text typed there, a key press per character

#include <QString>
#include <QWidget>

namespace lv::app {

// False when the command is none of these.
bool DeliverTestInput(QWidget& window, const QString& command);

}  // namespace lv::app
