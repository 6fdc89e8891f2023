#include "app/core/screen_mode.h"

namespace lv {

ScreenMode QueryScreenMode(Size screen, int for640)
{
    if (for640 >= 1 && for640 <= 3)
        return {for640, ModeWindowSize(for640)};
    if (screen.width >= 801 && screen.height >= 601)
        return {0, screen};
    if (screen.width > 640 && screen.height > 480)
        return {1, screen};
    return {2, screen};
}

Size ModeWindowSize(int mode)
{
    return mode == 0 ? Size{1024, 768} : Size{800, 600};
}

Rect MainWindowRect(const ScreenMode& mode, Point origin)
{
    const Size window = ModeWindowSize(mode.mode);
    // An arithmetic shift: a window wider than the screen starts left of it by the larger half.
    const Point corner{origin.x + ((mode.screen.width - window.width) >> 1),
                       origin.y + ((mode.screen.height - window.height) >> 1)};
    return Rect::fromSize(corner, window);
}

bool ModeRefused(int mode)
{
    return mode == 2 || mode == 3;
}

std::vector<int> DisplayMessages(int bitsPerPixel, int mode)
{
    std::vector<int> messages;
    if (bitsPerPixel <= 8)
        messages.push_back(kTrueColourMessage);
    if (ModeRefused(mode))
        messages.push_back(kResolutionMessage);
    return messages;
}

}  // namespace lv
