// Names a colour profile for the display as a colour manager does at log-in: the bytes of an
// ICC file in the root window's _ICC_PROFILE (8-bit CARDINAL), then prints "set" and stays
// connected until the server ends (a server whose last client leaves resets its properties).
//   set_root_profile FILE &

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    std::ifstream in(argc == 2 ? argv[1] : "", std::ios::binary);
    const std::vector<char> profile{std::istreambuf_iterator<char>(in), {}};
    int screen = 0;
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(xcb_connect(nullptr, &screen),
                                                                                   xcb_disconnect);
    if (profile.empty() || xcb_connection_has_error(connection.get()))
        return 1;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (; it.rem && screen > 0; --screen)
        xcb_screen_next(&it);
    const std::unique_ptr<xcb_intern_atom_reply_t, void (*)(void*)> atom(
        xcb_intern_atom_reply(connection.get(), xcb_intern_atom(connection.get(), 0, 12, "_ICC_PROFILE"), nullptr), std::free);
    if (!it.rem || !atom)
        return 1;
    const std::unique_ptr<xcb_generic_error_t, void (*)(void*)> error(
        xcb_request_check(connection.get(), xcb_change_property_checked(connection.get(), XCB_PROP_MODE_REPLACE, it.data->root,
                                                                         atom->atom, XCB_ATOM_CARDINAL, 8,
                                                                         std::uint32_t(profile.size()), profile.data())),
        std::free);
    if (error)
        return 1;
    std::puts("set");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection.get()))
        std::free(event);
    return 0;
}
