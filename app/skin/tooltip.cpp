#include "app/skin/tooltip.h"

#include <algorithm>

namespace lv::skin {

Point PlaceTooltip(Point pointer, Size text, Size client)
{
    const int x = std::min(pointer.x + 16, client.width - text.width - 4);
    const int y = std::min(pointer.y + 16, client.height - text.height - 4);
    return {std::max(x, 0), std::max(y, 0)};
}

TooltipPopup::Change TooltipPopup::show(std::string_view text)
{
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.empty())
        return hide();
    if (shown_ && *shown_ == text)
        return Change::None;
    shown_ = std::string(text);
    return Change::Show;
}

TooltipPopup::Change TooltipPopup::hide()
{
    if (!shown_)
        return Change::None;
    shown_.reset();
    return Change::Hide;
}

}  // namespace lv::skin
