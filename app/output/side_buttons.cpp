#include "app/output/side_buttons.h"

#include <QPushButton>

namespace lv::app {

void GiveButtonsRoom(std::initializer_list<QPushButton*> buttons)
{
    for (QPushButton* button : buttons)
        button->setMinimumWidth(button->sizeHint().width() + 2 * button->fontMetrics().averageCharWidth());
}

}  // namespace lv::app
