#pragma once
// The skin's tooltip popup ("PDPopup"): at most one, a yellow box with a black frame and
// its text in "Arial" 14, a child of the panel whose button it describes, placed beside the
// pointer and kept inside that panel.

#include "app/skin/tooltip.h"

#include <QPointer>
#include <QWidget>

#include <string_view>

namespace lv::app {

inline constexpr char kTooltipClass[] = "PDPopup";

class SkinTooltip {
public:
    // A leading blank is dropped; the text already shown changes nothing; an empty text hides.
    void show(QWidget& owner, QPoint pointer, std::string_view text);
    void hide();

private:
    void close();

    skin::TooltipPopup state_;
    QPointer<QWidget> popup_;  // owned by its panel
};

}  // namespace lv::app
