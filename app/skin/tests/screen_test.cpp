#include "app/skin/button_table.h"
#include "app/skin/dropped_files.h"
#include "app/skin/help_context.h"
#include "app/skin/keyboard.h"
#include "app/skin/screen_composition.h"
#include "app/skin/screen_selection.h"
#include "app/skin/screen_switch.h"
#include "common/testing/ui_recorder.h"
#include "common/byte_source.h"
#include "common/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace lv::skin {
namespace {

std::optional<Rect> TableRect(SkinVariant variant, int panel, int control)
{
    const int i = ButtonIndexByControl(panel, control);
    if (i < 0)
        return std::nullopt;
    return PanelButtons(panel)[std::size_t(i)].placeIn(variant);
}

std::vector<PlacedPanel> Compose(int screen, SkinVariant variant)
{
    return ComposeScreen(screen, MainWindowSize(variant),
                         [variant](int panel, int control) { return TableRect(variant, panel, control); });
}

TEST(ScreenTable, BackgroundsFollowTheSkinFile)
{
    // Which files each panel loads the generated skin's tests show; here the names without a folder.
    EXPECT_EQ(std::tuple(BackgroundFileName(3, "button.640"), BackgroundEncoding("ui/button.800"),
                         BackgroundEncoding("ui/skin.Sft"), KeepsPressedImage("sft.dir/button"), ScreenLayout(32).basePanel),
              std::tuple("screen3.640", PictureEncoding::Bitmap, PictureEncoding::Jpeg, false, -1));
}

TEST(ScreenComposition, NestedPanelsSitInTheirHostsInMainWindowCoordinates)
{
    for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large}) {
        const auto panels = Compose(30, variant);
        ASSERT_EQ(panels.size(), 4u);
        EXPECT_EQ(panels[0].panel, 28);
        EXPECT_EQ(panels[1].area, *TableRect(variant, 28, 198));
        // 197 lies in panel 32, 208 in panel 30: each offset by its owner's place.
        const Rect host197 = *TableRect(variant, 32, 197);
        EXPECT_EQ(panels[2].area, host197.translated(panels[1].area.left, panels[1].area.top));
        const Rect host208 = *TableRect(variant, 30, 208);
        EXPECT_EQ(panels[3].area, host208.translated(panels[2].area.left, panels[2].area.top));

        // Second panels whose hosts belong to the base panel.
        const auto edit = Compose(14, variant);
        ASSERT_EQ(edit.size(), 3u);
        EXPECT_EQ(edit[2].area, *TableRect(variant, 0, 157));
    }
    const auto none = ComposeScreen(10, {800, 600}, [](int, int) { return std::nullopt; });
    ASSERT_EQ(none.size(), 1u);
}

class RecordingHooks final : public ScreenSwitchHooks {
public:
    bool templateChanged(int) override { return changedTemplate; }
    void keepTemplate(int s) override { steps.push_back("keep " + std::to_string(s)); }
    void restoreScreenButtons(int s) override { steps.push_back("restore " + std::to_string(s)); }
    void closeCapturePreview() override { steps.push_back("capture"); }
    void resetBrushSizeButtons() override { steps.push_back("brush"); }
    void closeAuxiliaryWindows(int s) override
    {
        steps.push_back("aux " + std::to_string(s) + (switcher && switcher->busy() ? " busy" : ""));
    }
    void hideActiveToolState() override { steps.push_back("tool"); }
    void refreshDocumentList() override { steps.push_back("documents"); }
    void rebuildSkin(int s) override
    {
        steps.push_back("skin " + std::to_string(s) + (switcher && switcher->busy() ? " busy" : ""));
    }
    void resetSubMode() override { steps.push_back("submode"); }

    bool changedTemplate = false;
    const ScreenSwitcher* switcher = nullptr;
    std::vector<std::string> steps;
};

struct Switching : ::testing::Test {
    testing::UiRecorder ui;
    RecordingHooks hooks;
    ScreenSwitcher switcher{hooks};
    SwitchResult result = SwitchResult::Switched;
    void SetUp() override { hooks.switcher = &switcher; }

    // The steps of one switch, its result kept in `result`.
    std::vector<std::string> stepsTo(int screen, bool startUp = false)
    {
        hooks.steps.clear();
        result = switcher.switchTo(screen, startUp);
        return hooks.steps;
    }
};

TEST_F(Switching, StepsRunInOrderWithTheBusyFlagAroundTheClosing)
{
    EXPECT_EQ(stepsTo(5, true),
              (std::vector<std::string>{"capture", "brush", "aux 0 busy", "tool", "documents", "skin 5", "submode"}));
    EXPECT_EQ(std::tuple(result, switcher.current(), switcher.busy()), std::tuple(SwitchResult::Switched, 5, false));
    EXPECT_EQ(switcher.switchTo(32, false), SwitchResult::InvalidScreen);
    EXPECT_EQ(switcher.current(), 5);
}

TEST_F(Switching, VideoCaptureKeepsItsPreviewAndPaintScreensKeepTheirSubMode)
{
    EXPECT_EQ(stepsTo(26), (std::vector<std::string>{"aux 0 busy", "tool", "skin 26", "submode"}));
    EXPECT_EQ(stepsTo(1).front(), "aux 26 busy") << "back to the acquisition page from its video variant";
    EXPECT_EQ(stepsTo(13).back(), "skin 13") << "first nested panel 12";
    EXPECT_EQ(stepsTo(17).back(), "skin 17");
}

TEST_F(Switching, LeavingAChangedTemplateAsksToKeepIt)
{
    switcher.switchTo(20, false);
    hooks.changedTemplate = true;

    ui.answers = {ui::Answer::Cancel};
    EXPECT_EQ(stepsTo(2), (std::vector<std::string>{"restore 20"}));
    EXPECT_EQ(std::tuple(result, switcher.current()), std::tuple(SwitchResult::Cancelled, 20));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Deseja manter o modelo atual?\nSim: ele continua aberto como uma imagem comum, para "
                                    "editar e salvar.\nNão: ele é fechado e as mudanças se perdem.");
    EXPECT_EQ(ui.messages[0].title, "Lumivista 2000");

    ui.answers = {ui::Answer::Yes};
    EXPECT_EQ((std::tuple{stepsTo(19).front(), result}), std::tuple("keep 20", SwitchResult::Switched));
    ui.answers = {ui::Answer::No};
    EXPECT_EQ(stepsTo(2).front(), "capture");

    // Not a template screen: no question.
    switcher.switchTo(3, false);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(Switching, AreaButtonsGoToFixedScreensOrTheLastOneUsed)
{
    // The fixed first screens are the journeys': each clicks area buttons and waits for its screen.
    switcher.switchTo(11, false);
    switcher.switchTo(21, false);
    switcher.switchTo(18, false);
    const std::pair<int, int> remembered[] = {{3, 11}, {4, 21}, {2, 18}, {5, 25}, {6, 1}};
    for (const auto& [area, screen] : remembered) {
        switcher.selectArea(area);
        EXPECT_EQ(switcher.current(), screen) << "area " << area;
    }
    EXPECT_EQ(switcher.selectArea(7), SwitchResult::InvalidScreen);
    EXPECT_EQ(std::tuple(AreaButtonControl(AreaOfScreen(27)), AreaButtonControl(AreaOfScreen(0))), std::tuple(148, 0));
}

// Screens of the plain rule (tela18, tela07) are the main window's and the slide show's run test.
TEST(HelpContext, ScreensDialogsAndPages)
{
    const std::pair<int, std::optional<int>> screens[] = {{0, std::nullopt}, {29, 1710}, {30, 1720}, {31, 1730}, {32, std::nullopt}};
    for (const auto& [screen, context] : screens)
        EXPECT_EQ(HelpContextForScreen(screen), context) << screen;
    EXPECT_EQ(std::tuple(HelpContextForDialog(1093), HelpContextForDialog(1003),
                         HelpPageForContext(*HelpContextForScreen(7))),
              std::tuple(std::optional(593), std::optional<int>(), "tela07.html"));
    const std::pair<int, const char*> pages[] = {{1730, "tela31.html"}, {1710, "tela29.html"}, {10, "janela-de-imagem.html"},
                                                 {2032, "index.html"},  {-5, "index.html"}};
    for (const auto& [context, page] : pages)
        EXPECT_EQ(HelpPageForContext(context), page) << context;
}

// The main window's tests drop on screens 0, 29 and 30 and press the keys on the mail page.
TEST(DroppedFiles, TheAnimationPageRefusesAndAnEmptyDropIsIgnored)
{
    const std::vector<std::string> photo = {"/fotos/a.jpg"};
    EXPECT_EQ((std::vector{DecideDrop(31, photo).action, DecideDrop(28, photo).action, DecideDrop(5, {}).action}),
              (std::vector{DropAction::Refuse, DropAction::Open, DropAction::Ignore}));
}

TEST(Keyboard, TabAlternatesTheStoreLoginAndUndoBeepsWhereItIsNotOffered)
{
    const auto tab = [](int screen, int focused) {
        return RouteKeyboardCommand(kCommandNextField, {.screen = screen, .focusedControl = focused});
    };
    EXPECT_EQ((std::vector{tab(6, 160).control, tab(24, 102).control, tab(24, 0).control}), (std::vector{102, 160, 160}));
    EXPECT_EQ((std::vector{tab(5, 0).action, RouteKeyboardCommand(kCommandUndo, {.screen = 3}).action,
                           RouteKeyboardCommand(kCommandUndo, {.screen = 29}).action}),
              (std::vector{KeyboardAction::None, KeyboardAction::Undo, KeyboardAction::Beep}));
}

int SelectedArgument(int panel, int screen, int group)
{
    const auto selection = SelectionOnScreen(panel, screen);
    const auto buttons = PanelButtons(panel);
    int found = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].group == group && selection[i] == kSelected) {
            EXPECT_EQ(found, -1) << "two selected in group " << group;
            found = int(buttons[i].argument);
        }
    return found;
}

TEST(ScreenSelection, AreaButtonsAndPageButtonsFollowTheScreen)
{
    // {panel, screen, group, the argument selected}: Editar is area 3, Obter fotos 6; panel 12's group 5 is the
    // section strip's Pintar page; other groups keep the table's flags.
    const int cases[][4] = {{0, 0, kGroupScreenArea, -1}, {0, 13, kGroupScreenArea, 3}, {0, 26, kGroupScreenArea, 6},
                            {1, 1, 5, 1},   {1, 26, 5, 26},  {12, 15, 5, 12}, {12, 15, 2, 15}, {12, 12, 2, -1},
                            {28, 30, 8, 30}, {0, 5, kGroupTransformTool, 1}};
    for (const auto& [panel, screen, group, argument] : cases)
        EXPECT_EQ(SelectedArgument(panel, screen, group), argument) << panel << ", " << screen << ", " << group;
}

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
    if (const auto hash = page.find('#'); hash != std::string::npos) {
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
                if (b.kind == ButtonKind::SliderThumb) {  // its track comes first
                    EXPECT_EQ(std::tuple((&b - 1)->kind, (&b - 1)->handler),
                              std::tuple(ButtonKind::SliderTrack, b.handler));
                }
            }
        }
    }
}

TEST(ButtonTable, EveryScreenComposesFullyInBothVariants)
{
    for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large})
        for (int screen = 0; screen < kScreenCount; ++screen) {
            const auto panels = Compose(screen, variant);
            ASSERT_EQ(int(panels.size()), 1 + ScreenLayout(screen).nestedCount()) << screen;
            for (std::size_t i = 1; i < panels.size(); ++i) {
                const PanelDefinition& p = Panel(panels[i].panel);
                const Rect& area = panels[i].area;
                EXPECT_EQ(std::tuple(area.width(), area.height()), std::tuple(p.width, p.height)) << screen;
                EXPECT_TRUE(area.right <= MainWindowSize(variant).width && area.bottom <= MainWindowSize(variant).height)
                    << screen;
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
