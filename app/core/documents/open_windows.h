#pragma once
// The open image windows in the order they were opened, and the active one. Windows are
// named by the caller's ids.

#include <optional>
#include <vector>

namespace lv {

class OpenWindows {
public:
    using Id = int;

    // Registers and activates a window.
    void add(Id window);
    // Unregisters a window and activates the one that followed it (or the first); the new
    // active window, or nothing when none remains.
    std::optional<Id> remove(Id window);

    bool contains(Id window) const;
    void activate(Id window);
    void clearActive() { active_.reset(); }
    std::optional<Id> active() const { return active_; }
    const std::vector<Id>& windows() const { return windows_; }
    int count() const { return int(windows_.size()); }

    // A new document would first close the active window (two shown already).
    bool mustCloseActiveBeforeOpening() const { return active_ && windows_.size() > 1; }

private:
    std::vector<Id> windows_;
    std::optional<Id> active_;
};

}  // namespace lv
