#pragma once
// The program's logo ("ui/lumivista.png" in the program folder, drawn by the skin
// generator): the icon of its windows and the picture of the about box.

#include <QIcon>

namespace lv::app {

inline constexpr char kProgramIconFile[] = "ui/lumivista.png";

// A null icon when the file is missing.
QIcon ProgramIcon();

}  // namespace lv::app
