#pragma once
// Which function each skin handler runs. Features register their functions as they land;
// a handler without one answers with a beep.

#include "app/skin/geometry.h"
#include "app/skin/handlers.h"

#include <array>
#include <cstdint>
#include <functional>

class QWidget;

namespace lv::app {

// One call of a handler: what the button's fire carries. Drag controls of kind 150 are
// the design's message 100 with the block {state, button, host window, panel, argument,
// point}; `dragBlock` tells them apart.
struct HandlerCall {
    skin::Handler handler = skin::Handler::None;
    std::uint32_t argument = 0;  // as fired: with the state, or a lone radio button's new selection
    skin::Point point;
    int state = -1;  // −1 plain fire, 0 press, 1 drag, 2 release
    bool dragBlock = false;
    int button = -1;   // index in the panel's table, −1 for the keyboard
    int panel = -1;
    QWidget* host = nullptr;  // the panel's window
};

class HandlerTable {
public:
    using Function = std::function<void(const HandlerCall&)>;

    void set(skin::Handler handler, Function function);
    bool has(skin::Handler handler) const;
    // Runs the handler's function; a beep when it has none. Buttons without a handler do nothing.
    void call(const HandlerCall& call) const;
    void call(skin::Handler handler, std::uint32_t argument = 0) const;

private:
    std::array<Function, std::size_t(skin::Handler::Count)> functions_;
};

}  // namespace lv::app
