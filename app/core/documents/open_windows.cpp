#include "app/core/documents/open_windows.h"

#include <algorithm>

namespace lv {

void OpenWindows::add(Id window)
{
    if (!contains(window))
        windows_.push_back(window);
    active_ = window;
}

std::optional<OpenWindows::Id> OpenWindows::remove(Id window)
{
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end())
        return active_;
    const auto next = windows_.erase(it);
    if (windows_.empty()) {
        active_.reset();
        return std::nullopt;
    }
    active_ = next != windows_.end() ? *next : windows_.front();
    return active_;
}

bool OpenWindows::contains(Id window) const
{
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

void OpenWindows::activate(Id window)
{
    if (contains(window))
        active_ = window;
}

}  // namespace lv
