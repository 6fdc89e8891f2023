// The colour panel in the running program: a swap on an editing screen reaches the
// configuration at exit, and the next session starts from it.

#include "common/settings.h"
#include "app/skin/button_table.h"
#include "app/skin/colour_panel_layout.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

using skin::SkinVariant;

std::string ClickAt(skin::Point p)
{
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y);
}

// Button `index` of the colour panel's tool bar (0 swaps, 1 restores the defaults).
std::string ClickOnColourBar(int index)
{
    const skin::ButtonDefinition& box
        = skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, skin::kColourToolsControl))];
    const skin::Rect cores = box.placeIn(SkinVariant::Large);
    const skin::ColourPanelLayout layout = skin::ColourPanelLayoutFor(SkinVariant::Large);
    const skin::Point bar = layout.toolbar;
    const skin::Rect button = skin::PanelButtons(layout.toolbarPanel)[std::size_t(index)].small;
    return ClickAt({cores.left + bar.x + button.left + button.width() / 2, cores.top + bar.y + button.top + button.height() / 2});
}

struct Colours {
    int values[6];
    bool operator==(const Colours&) const = default;
};

Colours SavedColours(const ProgramSandbox& sandbox)
{
    ProfileStore store(sandbox.configFile());
    const Settings settings(store);
    using namespace setting;
    return {{settings.get(kActR), settings.get(kActG), settings.get(kActB), settings.get(kAltR), settings.get(kAltG),
             settings.get(kAltB)}};
}

TEST(ProgramColours, ASwapOnAnEditingScreenIsSavedAtExitAndTheNextSessionStartsFromIt)
{
    ProgramSandbox sandbox(1280, 1024);
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 128 128 1024 768\n"));
    sandbox.expectAnswers({{ClickOnControl(148), "screen 2 panels 0,2\n"},
                           {ClickOnColourBar(0), "colours 0,0,255 255,255,0\n"},
                           {ClickOnControl(147), "screen 18 panels 0,18\n"}});
    ASSERT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_EQ(SavedColours(sandbox), (Colours{{0, 0, 255, 255, 255, 0}}));

    // The second session swaps what the first saved: back to yellow over blue.
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 128 128 1024 768\n"));
    sandbox.expectAnswers({{ClickOnControl(148), "screen 2 panels 0,2\n"},
                           {ClickOnColourBar(0), "colours 255,255,0 0,0,255\n"},
                           {ClickOnColourBar(0), "colours 0,0,255 255,255,0\n"},
                           {ClickOnColourBar(1), "colours 255,255,0 0,0,255\n"}});
    ASSERT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_EQ(SavedColours(sandbox), (Colours{{255, 255, 0, 0, 0, 255}}));
}

TEST(ProgramColours, ColoursOfTheConfigurationShowInTheSmallWindowsBoxToo)
{
    ProgramSandbox sandbox(1280, 1024);
    std::ofstream(sandbox.configFile()) << "[USER]\nFOR_640=1\n[USUÁRIO]\nActR=12\nActG=34\nActB=56\nAltR=300\nAltG=-4\nAltB=7\n";
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 0 0 800 600\n"));
    const skin::Rect cores = skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, skin::kColourToolsControl))]
                                 .placeIn(SkinVariant::Small);
    const skin::ColourPanelLayout layout = skin::ColourPanelLayoutFor(SkinVariant::Small);
    const skin::Point bar = layout.toolbar;
    const skin::Rect swap = skin::PanelButtons(layout.toolbarPanel)[0].small;
    sandbox.expectAnswers({{ClickAt({cores.left + bar.x + swap.left + 5, cores.top + bar.y + swap.top + 5}),
                            "colours 255,0,7 12,34,56\n"}});  // kept within 0..255 when read
    ASSERT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_EQ(SavedColours(sandbox), (Colours{{255, 0, 7, 12, 34, 56}}));
}

}  // namespace
}  // namespace lv::testing
