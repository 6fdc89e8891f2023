#include "sharing/mail/window_search.h"

namespace lv::sharing {

WindowHandle FindTopLevel(WindowSystem& system, std::optional<std::string_view> className,
                          std::optional<std::string_view> title)
{
    for (const WindowHandle window : system.topLevelWindows()) {
        if (className && system.className(window) != *className)
            continue;
        if (title && system.title(window) != *title)
            continue;
        return window;
    }
    return 0;
}

WindowHandle FindChildByTitle(WindowSystem& system, WindowHandle parent, std::string_view title)
{
    if (!parent)
        return 0;
    for (const WindowHandle window : system.descendants(parent))
        if (system.title(window) == title)
            return window;
    return 0;
}

WindowHandle FindChildOfClass(WindowSystem& system, WindowHandle parent, std::string_view className,
                              std::string_view parentClass, int index)
{
    if (!parent)
        return 0;
    int count = index;
    for (const WindowHandle window : system.descendants(parent)) {
        if (system.className(window) != className)
            continue;
        if (!parentClass.empty() && system.className(system.parentOf(window)) != parentClass)
            continue;
        if (count-- == 0)
            return window;
    }
    return 0;
}

WindowHandle FindInCorner(WindowSystem& system, WindowHandle parent, std::string_view className, Corner corner,
                          std::optional<Size> size)
{
    if (!parent)
        return 0;
    const Rect area = system.rect(parent);
    const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
    int bestX = left ? area.right : area.left;
    int bestY = top ? area.bottom : area.top;
    WindowHandle found = 0;
    for (const WindowHandle window : system.descendants(parent)) {
        if (system.className(window) != className)
            continue;
        const Rect r = system.rect(window);
        if (size && (r.width() != size->width || r.height() != size->height))
            continue;
        const bool xSide = left ? r.left <= bestX : r.left >= bestX;
        const bool ySide = top ? r.top <= bestY : r.top >= bestY;
        if (xSide && ySide) {
            found = window;
            bestX = r.left;
            bestY = r.top;
        }
    }
    return found;
}

}  // namespace lv::sharing
