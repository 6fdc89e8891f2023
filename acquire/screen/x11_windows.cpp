#include "acquire/screen/x11_windows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string_view>
#include <thread>

namespace lv::screen {
namespace {

constexpr std::uint16_t kCrossHairGlyph = 34;  // in the X cursor font, its mask follows it
constexpr std::uint32_t kIconicState = 3;
constexpr int kClientSearchDepth = 4;

template <class Reply>
struct Freed {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, Freed<Reply>>;

}  // namespace

struct X11Windows::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;

    Connection()
    {
        int screenNumber = 0;
        connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; it.rem && i < screenNumber; ++i)
            xcb_screen_next(&it);
        screen = it.rem ? it.data : nullptr;
    }
    ~Connection() { xcb_disconnect(connection); }

    xcb_window_t root() const { return screen->root; }

    xcb_atom_t atom(std::string_view name) const
    {
        ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, std::uint16_t(name.size()), name.data()), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    bool hasProperty(xcb_window_t window, xcb_atom_t property) const
    {
        if (property == XCB_ATOM_NONE)
            return false;
        ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, 0), nullptr));
        return reply && reply->type != XCB_ATOM_NONE;
    }

    bool isDesktop(xcb_window_t window) const
    {
        const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE"), desktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        if (type == XCB_ATOM_NONE || desktop == XCB_ATOM_NONE)
            return false;
        ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, type, XCB_ATOM_ATOM, 0, 32), nullptr));
        if (!reply || reply->format != 32)
            return false;
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / 4;
        for (int i = 0; i < count; ++i)
            if (atoms[i] == desktop)
                return true;
        return false;
    }

    // The window the application drew inside a frame the window manager made: the first
    // with WM_STATE, breadth first; the frame itself when none has it.
    xcb_window_t clientOf(xcb_window_t frame) const
    {
        const xcb_atom_t wmState = atom("WM_STATE");
        std::deque<std::pair<xcb_window_t, int>> queue{{frame, 0}};
        while (!queue.empty()) {
            const auto [window, depth] = queue.front();
            queue.pop_front();
            if (hasProperty(window, wmState))
                return window;
            if (depth == kClientSearchDepth)
                continue;
            ReplyPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
            if (!tree)
                continue;
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
                queue.emplace_back(children[i], depth + 1);
        }
        return frame;
    }

    // The ancestor of `window` that is a child of the root; none for the root or a window that is gone.
    xcb_window_t topLevelOf(xcb_window_t window) const
    {
        for (int guard = 0; window != root() && guard < 64; ++guard) {
            ReplyPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
            if (!tree)
                return XCB_WINDOW_NONE;
            if (tree->parent == root())
                return window;
            window = tree->parent;
        }
        return XCB_WINDOW_NONE;
    }

    WindowTarget targetFor(xcb_window_t frame, xcb_window_t client) const
    {
        if (frame == XCB_WINDOW_NONE)
            return {};
        if (isDesktop(client) || isDesktop(frame))
            return {PickedTarget::Desktop, frame, client};
        return {PickedTarget::Window, frame, client};
    }
};

X11Windows::X11Windows()
    : connection_(std::make_unique<Connection>())
{
}

X11Windows::~X11Windows() = default;

bool X11Windows::available() const
{
    return connection_->screen != nullptr;
}

int X11Windows::screenWidth() const
{
    return available() ? connection_->screen->width_in_pixels : 0;
}

int X11Windows::screenHeight() const
{
    return available() ? connection_->screen->height_in_pixels : 0;
}

WindowTarget X11Windows::windowAt(Point point) const
{
    if (!available())
        return {};
    xcb_connection_t* c = connection_->connection;
    const xcb_window_t root = connection_->root();
    ReplyPtr<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, root, root, std::int16_t(point.x), std::int16_t(point.y)), nullptr));
    if (!reply)
        return {};
    if (reply->child == XCB_WINDOW_NONE)
        return {PickedTarget::Desktop, root, root};
    return connection_->targetFor(reply->child, connection_->clientOf(reply->child));
}

WindowTarget X11Windows::windowById(WindowId id) const
{
    if (!available())
        return {};
    if (id == connection_->root())
        return {PickedTarget::Desktop, id, id};
    return connection_->targetFor(connection_->topLevelOf(id), id);
}

std::optional<Rect> X11Windows::frameRect(const WindowTarget& target) const
{
    if (!available() || target.kind != PickedTarget::Window)
        return std::nullopt;
    xcb_connection_t* c = connection_->connection;
    ReplyPtr<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, target.frame), nullptr));
    if (!geometry)
        return std::nullopt;
    // A top-level window's place is in root coordinates and its border lies outside its size.
    const int border = geometry->border_width;
    return Rect{geometry->x, geometry->y, geometry->x + geometry->width + 2 * border,
                      geometry->y + geometry->height + 2 * border};
}

std::optional<Rect> X11Windows::clientRect(const WindowTarget& target) const
{
    if (!available() || target.kind != PickedTarget::Window)
        return std::nullopt;
    xcb_connection_t* c = connection_->connection;
    ReplyPtr<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, target.client), nullptr));
    ReplyPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, target.client, connection_->root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    return Rect{origin->dst_x, origin->dst_y, origin->dst_x + geometry->width, origin->dst_y + geometry->height};
}

std::optional<Point> X11Windows::pickPoint(std::optional<std::chrono::milliseconds> limit,
                                                 const std::function<void()>& held) const
{
    if (!available())
        return std::nullopt;
    xcb_connection_t* c = connection_->connection;
    const xcb_window_t root = connection_->root();
    const xcb_font_t font = xcb_generate_id(c);
    const char fontName[] = "cursor";
    xcb_open_font(c, font, std::uint16_t(std::strlen(fontName)), fontName);
    const xcb_cursor_t cursor = xcb_generate_id(c);
    xcb_create_glyph_cursor(c, cursor, font, font, kCrossHairGlyph, kCrossHairGlyph + 1, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF);
    xcb_close_font(c, font);
    ReplyPtr<xcb_grab_pointer_reply_t> grab(xcb_grab_pointer_reply(
        c,
        xcb_grab_pointer(c, 0, root, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE, XCB_GRAB_MODE_ASYNC,
                         XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE, cursor, XCB_CURRENT_TIME),
        nullptr));
    std::optional<Point> picked;
    if (grab && grab->status == XCB_GRAB_STATUS_SUCCESS) {
        if (held)
            held();
        const auto deadline = std::chrono::steady_clock::now() + limit.value_or(std::chrono::milliseconds(0));
        for (bool done = false; !done;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
                ReplyPtr<xcb_generic_event_t> owned(event);
                if ((event->response_type & 0x7F) != XCB_BUTTON_RELEASE)
                    continue;
                const auto* release = reinterpret_cast<const xcb_button_release_event_t*>(event);
                if (release->detail == XCB_BUTTON_INDEX_1)
                    picked = Point{release->root_x, release->root_y};
                done = true;
                break;
            }
            if (done || xcb_connection_has_error(c))
                break;
            if (limit && std::chrono::steady_clock::now() >= deadline) {
                ReplyPtr<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
                if (pointer)
                    picked = Point{pointer->root_x, pointer->root_y};
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    }
    xcb_free_cursor(c, cursor);
    xcb_flush(c);
    return picked;
}

void X11Windows::minimise(const WindowTarget& target) const
{
    if (!available() || target.kind != PickedTarget::Window)
        return;
    xcb_connection_t* c = connection_->connection;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = target.client;
    message.type = connection_->atom("WM_CHANGE_STATE");
    message.data.data32[0] = kIconicState;
    xcb_send_event(c, 0, connection_->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

}  // namespace lv::screen
