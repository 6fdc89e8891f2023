#pragma once
// The five main areas of the program and the screens that belong to each. The area buttons
// of the title bar (radio group 6) lead to a fixed screen, or, for Editar and Projetos, to
// the screen last used in that area.

#include <array>

namespace lv::skin {

enum class ScreenArea { Start, Acquire, Album, Edit, Projects, Share };

ScreenArea AreaOfScreen(int screen);
// The title-bar button of an area (155, 147, 148, 154, 151), 0 for the start screen.
int AreaButtonControl(ScreenArea area);
// The area an area button's argument (2–6) names; Start for any other argument.
ScreenArea AreaOfArgument(unsigned argument);

class AreaMemory {
public:
    // Notes the screen as the last one used in its area.
    void noteScreen(int screen);
    // Where an area button with this argument leads; −1 for an unknown argument.
    int targetOf(unsigned argument) const;

private:
    int lastEdit_ = 2;
    int lastProjects_ = 19;
};

}  // namespace lv::skin
