// A stand-in for the desktop mail client, for the X11 test of the mail-client route: the
// windows the route looks for, with their classes, titles and places, opening as the
// client's do when their buttons are clicked. It writes what it was given to $STANDIN_LOG:
// "typed TEXT" when the "Attach" dialog gets its OK command, "closed" when "Attachments"
// goes. The command 99 on the main window ends it; so do 60 seconds.

#include "common/text_encoding.h"
#include "sharing/mail/client_windows.h"
#include "sharing/x11/x11_window_system.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include <poll.h>

namespace {

using namespace lv::sharing;

constexpr long kEvents = ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask;

struct Standin {
    Display* d = nullptr;
    Window root = 0;
    Window main = 0;
    Window writeIcon = 0;
    Window writeMail = 0;
    Window attachButton = 0;
    Window attachments = 0;
    Window attachOpen = 0;
    Window attachOk = 0;
    Window attachDialog = 0;
    Window edit = 0;
    std::string typed;
    std::ofstream log;
    Atom command = 0;

    Window make(Window parent, int x, int y, int w, int h, const std::string& cls, const std::string& title, bool map = true)
    {
        const Window win = XCreateSimpleWindow(d, parent, x, y, unsigned(w), unsigned(h), 0, 0, 0xC0C0C0);
        XClassHint hint{const_cast<char*>("standin"), const_cast<char*>(cls.c_str())};
        XSetClassHint(d, win, &hint);
        if (!title.empty())
            XStoreName(d, win, title.c_str());
        XSelectInput(d, win, kEvents);
        if (map)
            XMapWindow(d, win);
        return win;
    }

    void start(bool hidden)
    {
        main = make(root, 0, 0, 800, 600, std::string(client::kMainClass), std::string(client::kMainTitle), !hidden);
        make(main, 700, 550, 90, 40, std::string(client::kIconClass), "");  // not in the tool bar
        const Window toolbar = make(main, 0, 0, 800, 40, std::string(client::kToolbarClass), "");
        for (int i = 0; i < 3; ++i) {
            const Window icon = make(toolbar, 10 + 40 * i, 5, 36, 30, std::string(client::kIconClass), "");
            if (i == 1)
                writeIcon = icon;
        }
    }

    void clicked(Window w)
    {
        if (w == writeIcon && !writeMail) {
            writeMail = make(main, 50, 60, 600, 440, "AOL Child", std::string(client::kWriteMailTitle));
            make(writeMail, 500, 400, 70, 24, std::string(client::kIconClass), "");
            attachButton = make(writeMail, 10, 400, 70, 24, std::string(client::kIconClass), "");
        } else if (w == attachButton && !attachments) {
            attachments = make(root, 200, 200, 300, 220, "_AOL_Modal", std::string(client::kAttachmentsTitle));
            attachOpen = make(attachments, 10, 10, 70, 24, std::string(client::kIconClass), "");
            attachOk = make(attachments, 10, 180, 70, 24, std::string(client::kIconClass), "");
        } else if (w == attachOpen && !attachDialog) {
            attachDialog = make(root, 250, 250, 350, 150, "#32770", std::string(client::kAttachTitle));
            make(attachDialog, 10, 50, 70, 20, "Static", "File name:");
            edit = make(attachDialog, 90, 50, 240, 20, std::string(client::kEditClass), "");
        } else if (w == attachOk && attachments) {
            XDestroyWindow(d, attachments);
            attachments = 0;
            log << "closed" << std::endl;
        }
    }

    void key(XKeyEvent& e)
    {
        if (e.window != edit)
            return;
        // Straight from the server: the sender binds spare keycodes as it goes, and a cached
        // map would lag behind.
        int perCode = 0;
        KeySym* syms = XGetKeyboardMapping(d, KeyCode(e.keycode), 1, &perCode);
        const int index = (e.state & ShiftMask) && perCode > 1 ? 1 : 0;
        const KeySym sym = syms && perCode > 0 ? syms[index] : NoSymbol;
        if (syms)
            XFree(syms);
        char32_t c = 0;
        if (sym >= 0x20 && sym < 0x100)
            c = char32_t(sym);
        else if ((sym & 0xFF000000) == 0x01000000)
            c = char32_t(sym & 0xFFFFFF);
        lv::AppendUtf8(typed, c);
    }

    bool message(XClientMessageEvent& m)
    {
        if (m.message_type != command)
            return true;
        if (m.window == main && m.data.l[0] == 99)
            return false;
        if (m.window == attachDialog && m.data.l[0] == long(client::kOkCommand)) {
            log << "typed " << typed << std::endl;
            XDestroyWindow(d, attachDialog);
            attachDialog = 0;
        }
        return true;
    }
};

}  // namespace

int main()
{
    Standin s;
    s.d = XOpenDisplay(nullptr);
    if (!s.d)
        return 1;
    const char* log = std::getenv("STANDIN_LOG");
    s.log.open(log ? log : "/dev/null", std::ios::app);
    s.root = DefaultRootWindow(s.d);
    s.command = XInternAtom(s.d, kCommandMessage, False);
    const char* show = std::getenv(kShowWindowVariable);
    s.start(show && std::string(show) == "0");
    s.log << "started" << std::endl;
    XFlush(s.d);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
        if (!XPending(s.d)) {
            pollfd p{ConnectionNumber(s.d), POLLIN, 0};
            poll(&p, 1, 100);
            continue;
        }
        XEvent e;
        XNextEvent(s.d, &e);
        if (e.type == ButtonRelease)
            s.clicked(e.xbutton.window);
        else if (e.type == KeyPress)
            s.key(e.xkey);
        else if (e.type == MappingNotify)
            XRefreshKeyboardMapping(&e.xmapping);
        else if (e.type == ClientMessage && !s.message(e.xclient))
            break;
        XFlush(s.d);
    }
    XCloseDisplay(s.d);
    return 0;
}
