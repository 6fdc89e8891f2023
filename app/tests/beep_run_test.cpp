// Every button of every screen, pressed in the program with nothing open: no button may beep
// for want of a handler, and every beep must carry one of the program's own reasons.

#include "app/skin/handlers.h"
#include "app/skin/screen_table.h"
#include "program_runner.h"
#include "screen_places.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace lv::testing {
namespace {

using skin::Handler;

// Why the program may refuse a button when nothing is open.
const std::set<std::string> kLegitimateBeeps = {
    "no picture open", "no project open", "no photo selected", "empty album",   "no sources",
    "no source chosen", "nothing to undo", "undo not offered", "missing credentials", "no templates",
    "no placeholder",  "mail not configured", "no text layer", "no layers",   "choice needs a scrollable picture",
    "nothing to delete", "nothing to copy", "empty page",     "download under way", "no photo chosen",
    "first photo",     "last photo",  "layer command refused", "printing failed",
};

// Screens still being built; remove each line as its screen lands.
const std::set<std::string> kPending = {
    "no handler StitchPanorama",   // 23 panorama
    "no handler OrientationTool",  // 23 orientation
    "no handler UploadPhotos",     // 24 uploads
    "no handler OrderPrints",      // 24 print orders
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

std::vector<std::string> BeepsAfter(const std::string& log, std::size_t from)
{
    std::vector<std::string> beeps;
    std::istringstream in(log.substr(std::min(from, log.size())));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("beep ", 0) == 0)
            beeps.push_back(line.substr(5));
    return beeps;
}

TEST(ProgramBeeps, EveryButtonOfEveryScreenHasWorkOrAReason)
{
    ProgramSandbox sandbox(1280, 1024);
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 128 128 1024 768\n"));
    sandbox.expectAnswers({{"reject dialogs", ""}});
    std::set<std::string> pendingHeard;
    int pressed = 0;
    for (int screen = 0; screen < skin::kScreenCount; ++screen) {
        if (skin::ScreenLayout(screen).basePanel < 0)
            continue;
        bool away = true;
        for (const auto& [panel, place] : PanelPlaces(screen)) {
            for (const skin::ButtonDefinition& b : skin::PanelButtons(panel)) {
                if (Leaves(b.handler) || !Pressable(b.kind))
                    continue;
                if (away)
                    sandbox.expectAnswers({{"screen " + std::to_string(screen), "screen " + std::to_string(screen) + " panels"}});
                const std::size_t before = sandbox.log().size();
                ASSERT_EQ(sandbox.send(ClickAt(b, place)), 0);
                ++pressed;
                const std::string after = sandbox.log().substr(before);
                away = after.find("screen ") != std::string::npos;  // the button switched screens
                for (const std::string& reason : BeepsAfter(sandbox.log(), before)) {
                    if (kPending.count(reason)) {
                        pendingHeard.insert(reason);
                        continue;
                    }
                    EXPECT_EQ(reason.rfind("no handler", 0), std::string::npos)
                        << "screen " << screen << " panel " << panel << " \"" << b.art.caption << "\": " << reason;
                    EXPECT_TRUE(kLegitimateBeeps.count(reason))
                        << "screen " << screen << " panel " << panel << " \"" << b.art.caption << "\": " << reason;
                }
            }
        }
    }
    EXPECT_GT(pressed, 100);
    EXPECT_EQ(pendingHeard, kPending) << "a pending screen has landed: take it off the list";
    // Not quit: the pictures the buttons made are unsaved, and the rejected Save as keeps
    // the window open, as a user's Cancel would.
    EXPECT_TRUE(sandbox.killHard());
}

}  // namespace
}  // namespace lv::testing
