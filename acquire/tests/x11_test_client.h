#pragma once
// A test's own client of the X display: windows of one colour (override-redirect, so no
// window manager moves them), properties a window manager would set, and the pointer
// driven through the test extension.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace lv::testing {

class X11TestClient {
public:
    X11TestClient()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(connection_))
            screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    }
    ~X11TestClient() { xcb_disconnect(connection_); }
    bool ok() const { return !xcb_connection_has_error(connection_) && screen_; }

    // A mapped window of `rgb` (the display is 24 bits, so the pixel is the colour).
    xcb_window_t window(int x, int y, int width, int height, std::uint32_t rgb, int border = 0,
                        xcb_window_t parent = XCB_WINDOW_NONE)
    {
        const xcb_window_t id = xcb_generate_id(connection_);
        const std::uint32_t values[] = {rgb, 0x00FF00FF, 1};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, parent ? parent : screen_->root, std::int16_t(x),
                          std::int16_t(y), std::uint16_t(width), std::uint16_t(height), std::uint16_t(border),
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(connection_, id);
        sync();
        return id;
    }
    void destroy(xcb_window_t id)
    {
        xcb_destroy_window(connection_, id);
        sync();
    }
    void setAtomProperty(xcb_window_t id, const char* property, const char* value)
    {
        const xcb_atom_t name = atom(property), atomValue = atom(value);
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, name, XCB_ATOM_ATOM, 32, 1, &atomValue);
        sync();
    }
    void setWmState(xcb_window_t id)
    {
        const xcb_atom_t state = atom("WM_STATE");
        const std::uint32_t normal[] = {1, 0};
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, state, state, 32, 2, normal);
        sync();
    }
    void movePointer(int x, int y)
    {
        xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen_->root, std::int16_t(x),
                            std::int16_t(y), 0);
        sync();
    }
    void click(std::uint8_t button)
    {
        xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
        sync();
    }
    // A round trip: everything sent before has been carried out, drawing included.
    void sync() { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }

private:
    xcb_atom_t atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name),
                                            nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
};

}  // namespace lv::testing
