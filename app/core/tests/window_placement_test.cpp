#include "app/core/documents/open_windows.h"
#include "app/core/view/window_placement.h"
#include "app/core/screen_mode.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// The image window tests place a fitted large and a small picture, one or two side by side.
TEST(WindowPlacement, AnUnfittedWindowIsNeverLargerThanTheWorkspace)
{
    const Rect workspace{10, 20, 710, 520};
    const InitialWindow unfitted = PlaceNewWindow({4000, 3000}, workspace, false);
    EXPECT_EQ(std::tuple(unfitted.zoom, unfitted.frame), std::tuple(0, workspace)) << "never larger than the workspace";
}

TEST(WindowPlacement, AWindowOnTheRightKeepsTheRightHalf)
{
    const Rect workspace{0, 0, 700, 500};
    const SideBySide fromRight = SplitWorkspace(workspace, 300, {420, 0, 600, 100});
    EXPECT_EQ(std::tuple(fromRight.existing, fromRight.newWindow),
              std::tuple(Rect{302, 0, 700, 500}, Rect{0, 0, 298, 500}));
    EXPECT_EQ(std::tuple(SideOf(workspace, 0, 349), SideOf(workspace, 0, 350)), std::tuple(Side::Left, Side::Right));
}

TEST(OpenWindows, AThirdDocumentClosesTheActiveOneFirstAndClosingActivatesTheNextNeighbour)
{
    OpenWindows open;
    open.add(1);
    EXPECT_FALSE(open.mustCloseActiveBeforeOpening()) << "one window: it moves aside";
    open.add(2);
    EXPECT_TRUE(open.mustCloseActiveBeforeOpening());

    open.activate(1);
    EXPECT_EQ(open.remove(1), 2) << "the window that followed";
    EXPECT_FALSE(open.mustCloseActiveBeforeOpening());
    open.add(3);
    EXPECT_EQ(open.windows(), (std::vector<int>{2, 3}));
    // The last one falls back to the first.
    EXPECT_EQ((std::vector{open.remove(3), open.remove(2), open.active()}), (std::vector<std::optional<int>>{2, {}, {}}));
}

TEST(ScreenMode, TheScreenSizeChoosesTheModeBothSidesMustExceedTheLimit)
{
    const struct {
        Size screen;
        int mode;
    } cases[] = {{{800, 600}, 1}, {{801, 601}, 0},  {{801, 600}, 1},  {{1920, 600}, 1},
                 {{641, 481}, 1}, {{640, 480}, 2}, {{1024, 480}, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(QueryScreenMode(c.screen, 0).mode, c.mode) << c.screen.width << " x " << c.screen.height;
}

TEST(ScreenMode, TheWindowIsCentredWithHalvesRoundedDown)
{
    EXPECT_EQ((std::vector{MainWindowRect(QueryScreenMode({1920, 1080}, 0)),
                           MainWindowRect(QueryScreenMode({1025, 769}, 0)), MainWindowRect(QueryScreenMode({701, 501}, 0))}),
              (std::vector{Rect::fromSize(448, 156, 1024, 768), Rect::fromSize(0, 0, 1024, 768),
                           Rect::fromSize(-50, -50, 800, 600)}));
    // A primary screen right of another starts where it lies on the desktop.
    EXPECT_EQ(MainWindowRect(QueryScreenMode({1280, 1024}, 0), {1920, 56}), (Rect::fromSize(2048, 184, 1024, 768)));
    EXPECT_EQ(MainWindowRect(QueryScreenMode({1280, 1024}, 1), {-1280, 0}), (Rect::fromSize(-1280, 0, 800, 600)))
        << "the forced window at the corner of its screen, left of the origin";
}

// FOR_640=1 giving the small window at the corner is the program's run test.
TEST(ScreenMode, For640OneToThreeIsTheMode)
{
    EXPECT_EQ(QueryScreenMode({2560, 1440}, 3).mode, 3);
    for (const int outside : {4, -1, 640})
        EXPECT_EQ(QueryScreenMode({2560, 1440}, outside).mode, 0) << outside;
}

TEST(ScreenMode, StartUpWarnsAboutShallowDisplaysAndRefusesSmallModes)
{
    EXPECT_TRUE(DisplayMessages(24, 0).empty());
    EXPECT_EQ((std::vector{DisplayMessages(8, 1), DisplayMessages(32, QueryScreenMode({640, 480}, 0).mode),
                           DisplayMessages(4, 3)}),
              (std::vector<std::vector<int>>{{6448}, {6462}, {6448, 6462}}));
}

}  // namespace
}  // namespace lv
