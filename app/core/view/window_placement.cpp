#include "app/core/view/window_placement.h"

#include <algorithm>

namespace lv {
namespace {

int dividerOf(const Rect& workspace, int divider)
{
    return divider != 0 ? divider : workspace.left + workspace.width() / 2;
}

}  // namespace

SideBySide SplitWorkspace(const Rect& workspace, int divider, const Rect& existing)
{
    const int x = dividerOf(workspace, divider);
    const Rect left{workspace.left, workspace.top, std::max(x - kDividerGap, workspace.left), workspace.bottom};
    const Rect right{std::min(x + kDividerGap, workspace.right), workspace.top, workspace.right, workspace.bottom};
    if (existing.left < x)
        return {left, right, x};
    return {right, left, x};
}

Side SideOf(const Rect& workspace, int divider, int x)
{
    return x < dividerOf(workspace, divider) ? Side::Left : Side::Right;
}

Rect CentredIn(const Rect& area, Size size)
{
    const int width = std::min(size.width, area.width());
    const int height = std::min(size.height, area.height());
    const int left = area.left + (area.width() - width) / 2;
    const int top = area.top + (area.height() - height) / 2;
    return {left, top, left + width, top + height};
}

Rect FrameFor(const Rect& area, Size scaled, FrameChrome chrome)
{
    const int width = std::max(scaled.width + chrome.left, std::min(chrome.minimumWidth, area.width()));
    return CentredIn(area, {width, scaled.height + chrome.top});
}

InitialWindow PlaceNewWindow(Size document, const Rect& area, bool fitInWindow, FrameChrome chrome)
{
    const Size room{std::max(area.width() - chrome.left, 0), std::max(area.height() - chrome.top, 0)};
    const int zoom = InitialZoom(document, room, fitInWindow);
    return {zoom, FrameFor(area, ScaledSize(document, zoom), chrome)};
}

}  // namespace lv
