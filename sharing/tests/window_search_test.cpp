#include "sharing/mail/window_search.h"
#include "sharing/testing/fake_window_system.h"

#include <gtest/gtest.h>

namespace lv::sharing {
namespace {

using testing::FakeWindowSystem;

// A 3 x 3 grid of buttons inside a panel, in reading order, plus one of another class and a
// nested one.
class Grid : public ::testing::Test {
protected:
    Grid()
    {
        panel = ws.add(0, "Panel", "Painel", {100, 100, 400, 400});
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                buttons.push_back(ws.add(panel, "Button", "", {110 + 100 * column, 110 + 100 * row,
                                                                170 + 100 * column, 134 + 100 * row}));
        other = ws.add(panel, "Other", "", {101, 101, 120, 120});
    }
    FakeWindowSystem ws;
    WindowHandle panel = 0;
    std::vector<WindowHandle> buttons;
    WindowHandle other = 0;
};

TEST_F(Grid, EachCornerFindsItsButton)
{
    for (const auto& [corner, button] : {std::pair{Corner::TopLeft, 0}, {Corner::TopRight, 2}, {Corner::BottomLeft, 6},
                                         {Corner::BottomRight, 8}})
        EXPECT_EQ(FindInCorner(ws, panel, "Button", corner), buttons[std::size_t(button)]) << button;
    EXPECT_EQ(FindInCorner(ws, panel, "Other", Corner::BottomRight), other);
    EXPECT_EQ(FindInCorner(ws, panel, "None", Corner::TopLeft), 0u);
    EXPECT_EQ(FindInCorner(ws, 0, "Button", Corner::TopLeft), 0u);
}

TEST_F(Grid, TheWalkKeepsTheLastThatQualifiesNotTheTrueCorner)
{
    // Further left than any, but seen last and below the best point by then: not taken.
    const WindowHandle late = ws.add(panel, "Button", "", {105, 150, 130, 170});
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft), buttons[0]);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::BottomLeft), buttons[6]);
    // The first seen stays when a later one is higher but not also further left.
    FakeWindowSystem first;
    const WindowHandle p = first.add(0, "Panel", "", {0, 0, 100, 100});
    const WindowHandle low = first.add(p, "Button", "", {5, 50, 10, 60});
    const WindowHandle high = first.add(p, "Button", "", {20, 10, 30, 20});
    EXPECT_EQ(FindInCorner(first, p, "Button", Corner::TopLeft), low);  // (20,10) is not left of (5,50)
    EXPECT_EQ(FindInCorner(first, p, "Button", Corner::TopRight), high);
    EXPECT_NE(late, 0u);
}

TEST_F(Grid, SizeFiltersBeforeThePlace)
{
    const WindowHandle wide = ws.add(panel, "Button", "", {310, 310, 380, 334});  // 70 x 24
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{70, 24}), wide);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{60, 24}), buttons[0]);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{24, 60}), 0u);
}

TEST_F(Grid, NestedWindowsCountInOrderAndTheParentsClassFilters)
{
    const WindowHandle bar = ws.add(panel, "Bar", "", {100, 380, 400, 400});
    const WindowHandle inBar0 = ws.add(bar, "Button", "", {100, 380, 120, 400});
    const WindowHandle inBar1 = ws.add(bar, "Button", "", {130, 380, 150, 400});
    for (const auto& [parentClass, index, found] : {std::tuple{"", 0, buttons[0]}, {"", 9, inBar0}, {"Bar", 0, inBar0},
                                                    {"Bar", 1, inBar1}, {"Bar", 2, WindowHandle(0)}, {"Panel", 8, buttons[8]}})
        EXPECT_EQ(FindChildOfClass(ws, panel, "Button", parentClass, index), found) << parentClass << " " << index;
}

TEST_F(Grid, TitlesAndClassesCompareWhole)
{
    ws.add(0, "Panel", "Painel 2", {});
    const WindowHandle exact = ws.add(0, "Panel2", "Painel", {});
    EXPECT_EQ(FindTopLevel(ws, "Panel", "Painel"), panel);
    EXPECT_EQ(FindTopLevel(ws, "Panel2", std::nullopt), exact);
    EXPECT_EQ(FindTopLevel(ws, std::nullopt, "Painel 2"), ws.topLevelWindows()[1]);
    EXPECT_EQ(FindTopLevel(ws, "panel", "Painel"), 0u);
    EXPECT_EQ(FindTopLevel(ws, "Panel", "Paine"), 0u);
    const WindowHandle named = ws.add(buttons[4], "Static", "Write Mail", {});
    EXPECT_EQ(FindChildByTitle(ws, panel, "Write Mail"), named);
    EXPECT_EQ(FindChildByTitle(ws, panel, "Write"), 0u);
}

}  // namespace
}  // namespace lv::sharing
