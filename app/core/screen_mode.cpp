#include "app/core/screen_mode.h"

namespace lv {

ScreenMode QueryScreenMode(ScreenSize screen, int for640)
{
    if (for640 >= 1 && for640 <= 3)
        return {for640, ModeWindowSize(for640)};
    if (screen.width >= 801 && screen.height >= 601)
        return {0, screen};
    if (screen.width > 640 && screen.height > 480)
        return {1, screen};
    return {2, screen};
}

ScreenSize ModeWindowSize(int mode)
{
    return mode == 0 ? ScreenSize{1024, 768} : ScreenSize{800, 600};
}

WindowRect MainWindowRect(const ScreenMode& mode, ScreenPoint origin)
{
    const ScreenSize window = ModeWindowSize(mode.mode);
    // An arithmetic shift: a window wider than the screen starts left of it by the larger half.
    return {origin.x + ((mode.screen.width - window.width) >> 1), origin.y + ((mode.screen.height - window.height) >> 1),
            window.width, window.height};
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
