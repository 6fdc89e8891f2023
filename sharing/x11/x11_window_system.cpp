#include "sharing/x11/x11_window_system.h"

#include "sharing/child_process.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <functional>
#include <utility>

namespace lv::sharing {
namespace {

// Windows vanish while we look at them: their errors are expected and dropped.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

constexpr std::uint32_t kShiftFlag = 4;
constexpr std::uint32_t kControlFlag = 8;
constexpr std::uint32_t kRightButtonFlag = 2;
constexpr int kWindowsNotStarted = 2;  // below 32: "file not found"
constexpr int kWindowsStarted = 33;

struct XFreeDeleter {
    void operator()(void* p) const
    {
        if (p)
            XFree(p);
    }
};

template <class T>
using XPointer = std::unique_ptr<T, XFreeDeleter>;

// The bytes a UTF-8 character needs, from its first byte; 0 for a byte that starts none.
int SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

char32_t Decode(const std::string& bytes)
{
    const auto b = [&](std::size_t i) { return char32_t(static_cast<unsigned char>(bytes[i]) & 0x3F); };
    const auto lead = static_cast<unsigned char>(bytes[0]);
    switch (bytes.size()) {
    case 2: return char32_t(lead & 0x1F) << 6 | b(1);
    case 3: return char32_t(lead & 0x0F) << 12 | b(1) << 6 | b(2);
    default: return char32_t(lead & 0x07) << 18 | b(1) << 12 | b(2) << 6 | b(3);
    }
}

// What a synthetic pointer or key event needs to reach the window as the user's would.
template <class Event>
void Address(Event& e, int type, Display* display, Window window, Window root)
{
    e.type = type;
    e.display = display;
    e.window = window;
    e.root = root;
    e.time = CurrentTime;
    e.same_screen = True;
}

KeySym KeySymOf(char32_t c)
{
    switch (c) {
    case '\b': return XK_BackSpace;
    case '\t': return XK_Tab;
    case '\r':
    case '\n': return XK_Return;
    case 27: return XK_Escape;
    default: break;
    }
    return c < 0x100 ? KeySym(c) : KeySym(0x01000000 | c);
}

}  // namespace

struct X11WindowSystem::Connection {
    explicit Connection(Display* d)
        : display(d)
        , root(DefaultRootWindow(d))
        , netWmName(XInternAtom(d, "_NET_WM_NAME", False))
        , utf8String(XInternAtom(d, "UTF8_STRING", False))
        , command(XInternAtom(d, kCommandMessage, False))
    {
    }
    ~Connection() { XCloseDisplay(display); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    std::vector<Window> children(Window parent) const
    {
        Window rootReturn = 0;
        Window parentReturn = 0;
        Window* list = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &list, &count))
            return {};
        const XPointer<Window> owned(list);
        return std::vector<Window>(list, list + count);
    }

    bool hasClass(Window window) const
    {
        XClassHint hint{};
        if (!XGetClassHint(display, window, &hint))
            return false;
        XFree(hint.res_name);
        XFree(hint.res_class);
        return true;
    }

    // A window manager puts each client in a frame: the client is the first window below
    // with a class.
    Window client(Window window, int depth = 0) const
    {
        if (hasClass(window))
            return window;
        if (depth >= 3)
            return 0;
        for (const Window child : children(window))
            if (const Window found = client(child, depth + 1))
                return found;
        return 0;
    }

    // The keycode for a key symbol and whether Shift gives it. A symbol the keyboard lacks
    // gets a spare keycode of its own, kept for it: a client reads the mapping only when it
    // gets to the key, so a keycode bound again in between would type the wrong character.
    std::pair<KeyCode, bool> keyFor(KeySym symbol)
    {
        KeyCode code = XKeysymToKeycode(display, symbol);
        if (code == 0) {
            code = spareKeycode(symbol);
            if (code == 0)
                return {0, false};
        }
        int perCode = 0;
        const XPointer<KeySym> syms(XGetKeyboardMapping(display, code, 1, &perCode));
        const bool shifted = syms && perCode > 1 && syms.get()[0] != symbol && syms.get()[1] == symbol;
        return {code, shifted};
    }

    KeyCode spareKeycode(KeySym symbol)
    {
        if (spares.empty())
            findSpares();
        if (spares.empty())
            return 0;
        const KeyCode code = spares[nextSpare++ % spares.size()];
        KeySym both[2] = {symbol, symbol};
        XChangeKeyboardMapping(display, code, 2, both, 1);
        XSync(display, False);
        return code;
    }

    void findSpares()
    {
        int low = 0;
        int high = 0;
        XDisplayKeycodes(display, &low, &high);
        int perCode = 0;
        const XPointer<KeySym> syms(XGetKeyboardMapping(display, KeyCode(low), high - low + 1, &perCode));
        if (!syms)
            return;
        for (int code = high; code >= low; --code) {
            bool empty = true;
            for (int i = 0; i < perCode; ++i)
                empty = empty && syms.get()[(code - low) * perCode + i] == NoSymbol;
            if (empty)
                spares.push_back(KeyCode(code));
        }
    }

    Display* display;
    Window root;
    Atom netWmName;
    Atom utf8String;
    Atom command;
    std::vector<KeyCode> spares;
    std::size_t nextSpare = 0;
};

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    XSetErrorHandler(IgnoreError);
    return std::unique_ptr<X11WindowSystem>(new X11WindowSystem(std::make_unique<Connection>(display)));
}

X11WindowSystem::X11WindowSystem(std::unique_ptr<Connection> connection)
    : x_(std::move(connection))
{
}

X11WindowSystem::~X11WindowSystem() = default;

std::vector<WindowHandle> X11WindowSystem::topLevelWindows()
{
    std::vector<WindowHandle> out;
    for (const Window child : x_->children(x_->root))
        if (const Window client = x_->client(child))
            out.push_back(client);
    return out;
}

std::vector<WindowHandle> X11WindowSystem::descendants(WindowHandle parent)
{
    std::vector<WindowHandle> out;
    const std::function<void(Window)> walk = [&](Window window) {
        for (const Window child : x_->children(window)) {
            out.push_back(child);
            walk(child);
        }
    };
    walk(Window(parent));
    return out;
}

WindowHandle X11WindowSystem::parentOf(WindowHandle window)
{
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x_->display, Window(window), &root, &parent, &list, &count))
        return 0;
    const XPointer<Window> owned(list);
    return parent;
}

std::string X11WindowSystem::className(WindowHandle window)
{
    XClassHint hint{};
    if (!window || !XGetClassHint(x_->display, Window(window), &hint))
        return {};
    std::string out = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return out;
}

std::string X11WindowSystem::title(WindowHandle window)
{
    if (!window)
        return {};
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x_->display, Window(window), x_->netWmName, 0, 1024, False, x_->utf8String, &type, &format,
                           &count, &after, &data) == Success && data) {
        const XPointer<unsigned char> owned(data);
        if (type == x_->utf8String && format == 8)
            return std::string(reinterpret_cast<char*>(data), count);
    }
    char* name = nullptr;
    if (!XFetchName(x_->display, Window(window), &name) || !name)
        return {};
    const XPointer<char> owned(name);
    return name;
}

Rect X11WindowSystem::rect(WindowHandle window)
{
    XWindowAttributes a{};
    if (!window || !XGetWindowAttributes(x_->display, Window(window), &a))
        return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(x_->display, Window(window), x_->root, 0, 0, &x, &y, &child);
    return {x, y, x + a.width, y + a.height};
}

bool X11WindowSystem::exists(WindowHandle window)
{
    XWindowAttributes a{};
    return window && XGetWindowAttributes(x_->display, Window(window), &a);
}

bool X11WindowSystem::visible(WindowHandle window)
{
    XWindowAttributes a{};
    return window && XGetWindowAttributes(x_->display, Window(window), &a) && a.map_state == IsViewable;
}

void X11WindowSystem::show(WindowHandle window, ShowCommand command)
{
    if (!window)
        return;
    switch (command) {
    case ShowCommand::Hide: XUnmapWindow(x_->display, Window(window)); break;
    case ShowCommand::ShowNormal: XMapRaised(x_->display, Window(window)); break;
    case ShowCommand::Show: XMapWindow(x_->display, Window(window)); break;
    }
    XFlush(x_->display);
}

void X11WindowSystem::click(WindowHandle window, std::uint32_t value)
{
    if (!window)
        return;
    const Rect r = rect(window);
    const int x = int(value & 0xFFFF);
    const int y = int(value >> 16);
    unsigned state = 0;
    if (value & kShiftFlag)
        state |= ShiftMask;
    if (value & kControlFlag)
        state |= ControlMask;
    if (value & kRightButtonFlag)
        state |= Button3Mask;
    for (const int type : {ButtonPress, ButtonRelease}) {
        XEvent event{};
        XButtonEvent& b = event.xbutton;
        Address(b, type, x_->display, Window(window), x_->root);
        b.x = x;
        b.y = y;
        b.x_root = r.left + x;
        b.y_root = r.top + y;
        b.state = type == ButtonRelease ? state | Button1Mask : state;
        b.button = Button1;
        XSendEvent(x_->display, Window(window), False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
    }
    XFlush(x_->display);
}

void X11WindowSystem::sendChar(WindowHandle window, std::uint32_t code)
{
    typeByte(window, static_cast<unsigned char>(code));
}

void X11WindowSystem::sendImeChar(WindowHandle window, std::uint32_t code)
{
    typeByte(window, static_cast<unsigned char>(code >> 8));
    typeByte(window, static_cast<unsigned char>(code));
}

void X11WindowSystem::typeByte(WindowHandle window, unsigned char byte)
{
    std::string& pending = pendingBytes_[window];
    if (pending.empty()) {
        if (SequenceLength(byte) == 0) {
            typeCodePoint(window, byte);  // ASCII, or a stray byte taken as Latin-1
            return;
        }
        pending += char(byte);
        return;
    }
    if ((byte & 0xC0) != 0x80) {  // the character broke off: what came is typed as it is
        for (const char c : std::exchange(pending, std::string()))
            typeCodePoint(window, static_cast<unsigned char>(c));
        typeByte(window, byte);
        return;
    }
    pending += char(byte);
    if (int(pending.size()) == SequenceLength(static_cast<unsigned char>(pending[0])))
        typeCodePoint(window, Decode(std::exchange(pending, std::string())));
}

void X11WindowSystem::typeCodePoint(WindowHandle window, char32_t codePoint)
{
    const auto [keycode, shifted] = x_->keyFor(KeySymOf(codePoint));
    if (keycode == 0)
        return;
    for (const int type : {KeyPress, KeyRelease}) {
        XEvent event{};
        XKeyEvent& k = event.xkey;
        Address(k, type, x_->display, Window(window), x_->root);
        k.state = shifted ? ShiftMask : 0;
        k.keycode = keycode;
        XSendEvent(x_->display, Window(window), False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XFlush(x_->display);
}

void X11WindowSystem::sendCommand(WindowHandle window, std::uint32_t command, std::uint32_t argument)
{
    if (!window)
        return;
    XEvent event{};
    XClientMessageEvent& m = event.xclient;
    m.type = ClientMessage;
    m.display = x_->display;
    m.window = Window(window);
    m.message_type = x_->command;
    m.format = 32;
    m.data.l[0] = long(command);
    m.data.l[1] = long(argument);
    XSendEvent(x_->display, Window(window), False, NoEventMask, &event);
    XFlush(x_->display);
}

int X11WindowSystem::startProgram(const std::string& executable, ShowCommand show)
{
    const std::string variable = std::string(kShowWindowVariable) + "=" + std::to_string(int(show));
    return StartProgram({executable}, {variable}) ? kWindowsStarted : kWindowsNotStarted;
}

}  // namespace lv::sharing
