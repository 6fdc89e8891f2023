#include "app/core/documents/open_windows.h"
#include "app/core/view/window_placement.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// The image window tests place a fitted large and a small picture, one or two side by side.
TEST(WindowPlacement, AnUnfittedWindowIsNeverLargerThanTheWorkspace)
{
    const Rect workspace{10, 20, 710, 520};
    const InitialWindow unfitted = PlaceNewWindow({4000, 3000}, workspace, false);
    EXPECT_EQ(unfitted.zoom, 0);
    EXPECT_EQ(unfitted.frame, workspace) << "never larger than the workspace";
}

TEST(WindowPlacement, AWindowOnTheRightKeepsTheRightHalf)
{
    const Rect workspace{0, 0, 700, 500};
    const SideBySide fromRight = SplitWorkspace(workspace, 300, {420, 0, 600, 100});
    EXPECT_EQ(fromRight.existing, (Rect{302, 0, 700, 500}));
    EXPECT_EQ(fromRight.newWindow, (Rect{0, 0, 298, 500}));

    EXPECT_EQ(SideOf(workspace, 0, 349), Side::Left);
    EXPECT_EQ(SideOf(workspace, 0, 350), Side::Right);
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
    EXPECT_EQ(open.remove(3), 2) << "the last one falls back to the first";
    EXPECT_EQ(open.remove(2), std::nullopt);
    EXPECT_FALSE(open.active());
}

}  // namespace
}  // namespace lv
