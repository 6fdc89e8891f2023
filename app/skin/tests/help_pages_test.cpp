#include "app/skin/button_table.h"
#include "app/skin/help_context.h"
#include "common/byte_source.h"
#include "common/string_table.h"

#include <gtest/gtest.h>

namespace lv::skin {
namespace {

std::string HelpFile(const std::string& page)
{
    const auto bytes = ReadWholeFile(std::string(LV_SOURCE_DIR) + "/assets/help/" + page.substr(0, page.find('#')));
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void ExpectPageShows(int context)
{
    const std::string page = HelpPageForContext(context);
    const std::string text = HelpFile(page);
    ASSERT_FALSE(text.empty()) << context << " -> " << page;
    const auto hash = page.find('#');
    if (hash != std::string::npos) {
        EXPECT_NE(text.find("id=\"" + page.substr(hash + 1) + "\""), std::string::npos) << page;
    }
}

TEST(HelpPages, EveryContextHasItsPage)
{
    for (int screen = 0; screen < kScreenCount; ++screen)
        if (const auto context = HelpContextForScreen(screen))
            ExpectPageShows(*context);
    for (int dialog = 1001; dialog <= kRecoveryDialog; ++dialog)
        if (const auto context = HelpContextForDialog(dialog))
            ExpectPageShows(*context);
    for (const int context : {kImageWindowHelpContext, kImageMenuHelpContext, kAlbumMenuHelpContext})
        ExpectPageShows(context);
    EXPECT_FALSE(HelpFile(kHelpContentsPage).empty());
}

TEST(HelpPages, EachScreenPageNamesTheButtonsOfItsPanels)
{
    for (int screen = 1; screen < kScreenCount; ++screen) {
        const std::string text = HelpFile(HelpPageForContext(*HelpContextForScreen(screen)));
        const ScreenComposition& layout = ScreenLayout(screen);
        for (int level = 1; layout.panelAt(level) >= 0; ++level)
            for (const ButtonDefinition& b : PanelButtons(layout.panelAt(level)))
                if (b.kind != ButtonKind::Region && b.tooltip >= 0) {
                    EXPECT_NE(text.find(std::string(LoadString(b.tooltip))), std::string::npos)
                        << "screen " << screen << ": " << LoadString(b.tooltip);
                }
    }
}

}  // namespace
}  // namespace lv::skin
