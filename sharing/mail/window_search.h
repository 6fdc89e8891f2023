#pragma once
// Looking for the mail client's windows: whole-title and whole-class comparisons, counted
// child searches and the corner searches that pick a button by its place.

#include "sharing/mail/window_system.h"

#include <optional>
#include <string_view>

namespace lv::sharing {

// A top-level window whose class (when given) and title (when given) are exactly these.
WindowHandle FindTopLevel(WindowSystem& system, std::optional<std::string_view> className,
                          std::optional<std::string_view> title);

// The first window below `parent` titled exactly `title`.
WindowHandle FindChildByTitle(WindowSystem& system, WindowHandle parent, std::string_view title);

// Below `parent`, the windows of class `className` whose own parent has class
// `parentClass` (any parent when empty) are counted down from `index`: the one at which the
// count reaches 0 is the result (index 0 the first, 1 the second).
WindowHandle FindChildOfClass(WindowSystem& system, WindowHandle parent, std::string_view className,
                              std::string_view parentClass, int index);

enum class Corner { TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4 };

// The window of class `className` below `parent` (of exactly `size` when given) found by
// walking them in order from a best point at the parent's far corner: each one whose left
// and top edges lie on the corner's side of the best point becomes the result and moves the
// best point to its own left and top.
WindowHandle FindInCorner(WindowSystem& system, WindowHandle parent, std::string_view className, Corner corner,
                          std::optional<Size> size = std::nullopt);

}  // namespace lv::sharing
