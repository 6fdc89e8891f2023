// Every button of every screen, pressed in the program with nothing open: no button may beep
// for want of a handler, and every beep must carry one of the program's own reasons.

#include "app/skin/handlers.h"
#include "app/skin/screen_table.h"
#include "program_runner.h"
#include "screen_places.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace lv::testing {
namespace {

using skin::Handler;

// Why the program may refuse a button when nothing is open.
const std::set<std::string> kLegitimateBeeps = {
    "no picture open", "no project open", "no photo selected", "empty album",   "no sources",
    "no source chosen", "nothing to undo", "undo not offered", "missing credentials", "no templates",
    "no placeholder",  "mail not configured", "no text layer", "no layers",   "choice needs a scrollable picture",
    "nothing to delete", "nothing to copy", "empty page",     "download under way", "no photo chosen",
    "first photo",     "last photo",  "layer command refused",
};

// Buttons that leave the screen or the program; the screens are reached directly instead.
bool Leaves(Handler h)
{
    return h == Handler::None || h == Handler::SwitchScreen || h == Handler::SelectScreenArea ||
           h == Handler::ReturnFromInternet || h == Handler::Quit || h == Handler::Minimize ||
           h == Handler::ListBoxPick || h == Handler::ListBoxScroll;
}

bool Pressable(skin::ButtonKind kind)
{
    return kind == skin::ButtonKind::Push || kind == skin::ButtonKind::AutoRepeat || kind == skin::ButtonKind::Check ||
           kind == skin::ButtonKind::Toggle || kind == skin::ButtonKind::Scroll;
}

// One pressed button, for the failure message.
struct Press {
    int screen, panel;
    std::string caption;
};

TEST(ProgramBeeps, EveryButtonOfEveryScreenHasWorkOrAReason)
{
    ProgramSandbox sandbox(1280, 1024);
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 128 128 1024 768\n"));
    // One batch of commands, two for each button: back to its screen (a button may have left it),
    // then the click.
    std::vector<Press> presses;
    {
        std::ofstream batch(sandbox.file("presses.txt"));
        batch << "reject dialogs\n";
        for (int screen = 0; screen < skin::kScreenCount; ++screen) {
            if (skin::ScreenLayout(screen).basePanel < 0)
                continue;
            for (const auto& [panel, place] : PanelPlaces(screen))
                for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
                    if (!Leaves(b.handler) && Pressable(b.kind)) {
                        batch << "back to screen " << screen << "\n" << ClickAt(b, place) << "\n";
                        presses.push_back({screen, panel, std::string(b.art.caption)});
                    }
        }
    }
    const std::size_t before = sandbox.log().size();
    ASSERT_EQ(sandbox.send("batch " + sandbox.file("presses.txt").string()), 0);
    ASSERT_TRUE(sandbox.waitForLog("batch done", std::chrono::seconds(600))) << sandbox.log().substr(before);

    std::set<std::size_t> onScreen;
    std::istringstream in(sandbox.log().substr(before));
    int command = -1;  // batch line 0 is "reject dialogs"; press i is lines 2i + 1 and 2i + 2
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("batch ", 0) == 0 && line != "batch done")
            command = std::stoi(line.substr(6));
        if (command < 1)
            continue;
        const Press& press = presses[std::size_t(command - 1) / 2];
        const std::string where = "screen " + std::to_string(press.screen) + " panel " + std::to_string(press.panel) +
                                  (command % 2 ? " before" : "") + " \"" + press.caption + "\"";
        if (line.rfind("on screen ", 0) == 0) {
            EXPECT_EQ(line, "on screen " + std::to_string(press.screen)) << where;
            onScreen.insert(std::size_t(command - 1) / 2);
        }
        if (line.rfind("beep ", 0) != 0)
            continue;
        const std::string reason = line.substr(5);
        EXPECT_EQ(reason.rfind("no handler", 0), std::string::npos) << where << ": " << reason;
        EXPECT_TRUE(kLegitimateBeeps.count(reason)) << where << ": " << reason;
    }
    EXPECT_EQ(onScreen.size(), presses.size()) << "every press ran on its screen";
    EXPECT_GT(presses.size(), 100u);
    // Not quit: the pictures the buttons made are unsaved, and the rejected Save as keeps
    // the window open, as a user's Cancel would.
    EXPECT_TRUE(sandbox.killHard());
}

}  // namespace
}  // namespace lv::testing
