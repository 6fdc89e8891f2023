#include "app/shell/display_profile.h"

#include "imagelib/colour/colour_profile.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace lv {
namespace {

struct Disconnect {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
struct Free {
    void operator()(void* p) const { std::free(p); }
};

std::vector<std::uint8_t> rootWindowProfile()
{
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, &screenNumber));
    if (!connection || xcb_connection_has_error(connection.get()))
        return {};
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; it.rem && i < screenNumber; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return {};
    // The first screen's profile; others would be _ICC_PROFILE_1 and on.
    constexpr std::string_view name = "_ICC_PROFILE";
    const std::unique_ptr<xcb_intern_atom_reply_t, Free> atom(xcb_intern_atom_reply(
        connection.get(), xcb_intern_atom(connection.get(), 1, std::uint16_t(name.size()), name.data()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    const auto longs = std::uint32_t(kMaxColourProfileBytes / 4);
    const std::unique_ptr<xcb_get_property_reply_t, Free> reply(xcb_get_property_reply(
        connection.get(), xcb_get_property(connection.get(), 0, it.data->root, atom->atom, XCB_ATOM_ANY, 0, longs),
        nullptr));
    if (!reply || reply->format != 8 || reply->bytes_after != 0)
        return {};
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    std::vector<std::uint8_t> profile(bytes, bytes + xcb_get_property_value_length(reply.get()));
    return IsUsableRgbProfile(profile) ? profile : std::vector<std::uint8_t>{};
}

}  // namespace

std::vector<std::uint8_t> ReadDisplayColourProfile()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return rootWindowProfile();
}

}  // namespace lv
