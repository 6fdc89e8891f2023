#include "app/skin/button_table.h"
#include "app/skin/screen_composition.h"
#include "common/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace lv::skin {
namespace {

TEST(ButtonTable, EveryRowIsConsistent)
{
    for (int panel = 0; panel < kAllPanelCount; ++panel) {
        const auto buttons = PanelButtons(panel);
        EXPECT_FALSE(buttons.empty()) << panel;
        EXPECT_LE(buttons.size(), std::size_t(kMaxButtonsPerPanel));
        const PanelDefinition& p = Panel(panel);
        for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large}) {
            const bool ownsWindow = panel == 0 || panel == 28;
            const int width = ownsWindow ? MainWindowSize(variant).width : p.width;
            const int height = ownsWindow ? MainWindowSize(variant).height : p.height;
            for (const ButtonDefinition& b : buttons) {
                const Rect r = b.placeIn(variant);
                SCOPED_TRACE(::testing::Message() << "panel " << panel << " control " << b.controlId << " "
                                                  << HandlerName(b.handler));
                ASSERT_FALSE(r.empty());
                // Host 197 lies beside its panel, over the page it hosts.
                if (b.controlId != 197) {
                    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height);
                }
                EXPECT_TRUE(b.tooltip == kNoTooltip || HasString(b.tooltip));
                EXPECT_EQ(b.kind == ButtonKind::Region, b.handler == Handler::None);
                if (b.kind != ButtonKind::Region) {
                    EXPECT_FALSE(ButtonCaption(b).empty() && b.art.icon.empty());
                }
                if (b.handler == Handler::SwitchScreen) {
                    EXPECT_TRUE(IsValidScreen(int(b.argument)));
                    // Alone in a radio group it would fire its new selection, 1 or 0, for a screen.
                    EXPECT_TRUE(b.group == 0 || std::count_if(buttons.begin(), buttons.end(), [&](const ButtonDefinition& o) {
                                                    return o.group == b.group;
                                                }) > 1);
                }
                if (b.kind == ButtonKind::SliderThumb) {
                    EXPECT_EQ((&b - 1)->kind, ButtonKind::SliderTrack);  // its track comes first
                    EXPECT_EQ(b.handler, (&b - 1)->handler);
                }
            }
        }
    }
}

TEST(ButtonTable, EveryScreenComposesFullyInBothVariants)
{
    for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large})
        for (int screen = 0; screen < kScreenCount; ++screen) {
            const auto panels = ComposeScreen(screen, MainWindowSize(variant), [variant](int panel, int control) {
                const int i = ButtonIndexByControl(panel, control);
                return i < 0 ? std::nullopt : std::optional(PanelButtons(panel)[std::size_t(i)].placeIn(variant));
            });
            ASSERT_EQ(int(panels.size()), 1 + ScreenLayout(screen).nestedCount()) << screen;
            for (std::size_t i = 1; i < panels.size(); ++i) {
                const PanelDefinition& p = Panel(panels[i].panel);
                EXPECT_EQ(panels[i].area.width(), p.width) << screen;
                EXPECT_EQ(panels[i].area.height(), p.height) << screen;
                const auto window = MainWindowSize(variant);
                EXPECT_LE(panels[i].area.right, window.width) << screen;
                EXPECT_LE(panels[i].area.bottom, window.height) << screen;
            }
        }
}

TEST(ButtonTable, EveryHandlerHasItsOwnNameInEnumerationOrder)
{
    std::set<std::string_view> names;
    for (int h = 0; h < int(Handler::Count); ++h)
        names.insert(HandlerName(Handler(h)));
    EXPECT_EQ(names.size(), std::size_t(Handler::Count));
    EXPECT_EQ(HandlerName(Handler::StripClear), "StripClear") << "the last entry lines up with the enumeration";
}

}  // namespace
}  // namespace lv::skin
