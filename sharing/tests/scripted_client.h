#pragma once
// The mail client as the route's tests play it, in a fake window system: a main window with
// its tool bar, and the windows each button opens, with places like the client's own.

#include "sharing/mail/client_windows.h"
#include "sharing/testing/fake_window_system.h"

namespace lv::sharing::testing {

struct ScriptedClient {
    explicit ScriptedClient(FakeWindowSystem& ws, bool startHidden = true)
        : ws(ws)
    {
        main = ws.add(0, std::string(client::kMainClass), std::string(client::kMainTitle), {0, 0, 800, 600},
                      !startHidden);
        // An icon outside the tool bar comes first among the main window's children, so only
        // the parent's class keeps it out of the count.
        ws.add(main, std::string(client::kIconClass), "", {700, 550, 790, 590});
        const WindowHandle toolbar = ws.add(main, std::string(client::kToolbarClass), "", {0, 0, 800, 40});
        for (int i = 0; i < 3; ++i)
            icons.push_back(ws.add(toolbar, std::string(client::kIconClass), "", {10 + 40 * i, 5, 46 + 40 * i, 35}));
        ws.onClick(writeIcon(), [this] { openWriteMail(); });
    }

    WindowHandle writeIcon() const { return icons[1]; }

    void openWriteMail()
    {
        if (clicksIgnored > 0) {
            --clicksIgnored;
            return;
        }
        writeMail = ws.add(main, "AOL Child", std::string(client::kWriteMailTitle), {50, 60, 650, 500});
        ws.add(writeMail, std::string(client::kIconClass), "", {560, 460, 630, 484});     // send, bottom right
        ws.add(writeMail, std::string(client::kIconClass), "", {60, 400, 100, 440});      // bottom left, other size
        attachButton = ws.add(writeMail, std::string(client::kIconClass), "", {60, 460, 130, 484});  // 70 x 24
        ws.onClick(attachButton, [this] { openAttachments(); });
    }

    void openAttachments()
    {
        attachments = ws.add(0, "_AOL_Modal", std::string(client::kAttachmentsTitle), {200, 200, 500, 420});
        const WindowHandle attach = ws.add(attachments, std::string(client::kIconClass), "", {210, 210, 280, 234});
        ws.add(attachments, std::string(client::kIconClass), "", {420, 210, 490, 234});  // top right
        const WindowHandle ok = ws.add(attachments, std::string(client::kIconClass), "", {210, 380, 280, 404});
        ws.onClick(attach, [this] { openAttachDialog(); });
        ws.onClick(ok, [this] {
            if (closeClicksIgnored > 0) {
                --closeClicksIgnored;
                return;
            }
            ws.remove(attachments);
        });
    }

    void openAttachDialog()
    {
        attachDialog = ws.add(0, "#32770", std::string(client::kAttachTitle), {250, 250, 600, 400});
        ws.add(attachDialog, "Static", "File name:", {260, 300, 330, 320});
        edit = ws.add(attachDialog, std::string(client::kEditClass), "", {340, 300, 580, 320});
        ws.onCommand(attachDialog, [this] { ws.remove(attachDialog); });
    }

    FakeWindowSystem& ws;
    WindowHandle main = 0;
    std::vector<WindowHandle> icons;
    WindowHandle writeMail = 0;
    WindowHandle attachButton = 0;
    WindowHandle attachments = 0;
    WindowHandle attachDialog = 0;
    WindowHandle edit = 0;
    int clicksIgnored = 0;       // tool-bar clicks the client lets pass before it reacts
    int closeClicksIgnored = 0;  // likewise for the closing click of "Attachments"
};

}  // namespace lv::sharing::testing
