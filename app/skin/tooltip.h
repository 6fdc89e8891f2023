#pragma once
// The skin's tooltip popup ("PDPopup"): which text it shows and where.

#include "app/skin/geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace lv::skin {

// Top-left corner of a popup exactly as large as its text: the pointer plus 16 in each
// direction, moved left and up so that the popup ends at least 4 pixels inside the owner's
// client area, and never above or left of it.
Point PlaceTooltip(Point pointer, Size text, Size client);

inline constexpr const char* kTooltipFont = "Arial";
inline constexpr int kTooltipFontHeight = 14;
inline constexpr unsigned kTooltipColour = 0xFFFF00;  // yellow, black frame and text

class TooltipPopup {
public:
    enum class Change { None, Show, Hide };
    // A leading blank is dropped; the text already shown changes nothing; an empty text hides.
    Change show(std::string_view text);
    // A button press, a panel change or the pointer over the popup.
    Change hide();
    const std::optional<std::string>& shown() const { return shown_; }

private:
    std::optional<std::string> shown_;
};

}  // namespace lv::skin
