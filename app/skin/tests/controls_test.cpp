// The skinned controls' rules (the shared readout font is the widgets' test): the readout's font and text place, the angle dial, the mini
// tool bar's hot state and a slider set by the program.

#include "app/skin/angle_dial.h"
#include "app/skin/button_table.h"
#include "app/skin/colour_panel_layout.h"
#include "app/skin/mini_toolbar.h"
#include "app/skin/panel_input.h"
#include "app/skin/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace lv::skin {
namespace {

TEST(Readout, FontIsFourFifthsOfTheHeightLessFourAndNeverBelowFourteen)
{
    EXPECT_EQ(ReadoutFontHeight(30), 20);
    EXPECT_EQ(ReadoutFontHeight(31), 20);  // 24.8 − 4, whole pixels
    EXPECT_EQ(ReadoutFontHeight(50), 36);
    EXPECT_EQ(ReadoutFontHeight(23), 14);  // 14.4 − 4 is below the floor
    EXPECT_EQ(ReadoutFontHeight(0), 14);
}

TEST(Readout, TextIsInsetByATenthAndCentredOnItsOwnHeight)
{
    // m = 30 / 10 + 1 = 4: 8 at the sides, 4 above and below, then 16 high in the 22 left.
    EXPECT_EQ(ReadoutTextRect({100, 30}, 16), (Rect::fromSize(8, 7, 84, 16)));
    // Taller text than the room spills evenly over both edges.
    EXPECT_EQ(ReadoutTextRect({40, 10}, 12), (Rect::fromSize(4, -1, 32, 12)));
    EXPECT_EQ(ReadoutAlignment(0), ReadoutAlign::Left);
    EXPECT_EQ(ReadoutAlignment(1), ReadoutAlign::Centre);
    EXPECT_EQ(ReadoutAlignment(0x102), ReadoutAlign::Right) << "only the low byte's flags count";
}

constexpr Size kDial{90, 90};  // centre (45, 45), radius 30, hub 4

TEST(AngleDial, GeometryIsTheMiddleAThirdOfTheShorterSideAndATenthForTheHub)
{
    const DialGeometry dial = DialGeometryOf({120, 90});
    EXPECT_EQ(dial.centre, (Point{60, 45}));
    EXPECT_EQ(dial.radius, 30);
    EXPECT_EQ(dial.hubRadius, 4);
}

// Counter-clockwise whole degrees from the right; atan(1 / 57) is 1.005°, so one pixel off
// each axis rounds either way, and 0.4° above the right-hand axis is still 0 while 0.6° is 1.
TEST(AngleDial, ReportsCounterClockwiseDegreesFromTheRightRoundedToTheNearest)
{
    const Point c{45, 45}, o{0, 0};
    const std::tuple<Point, Point, unsigned> points[] = {
        {{65, 45}, c, 0u},   {{45, 25}, c, 90u},   {{25, 45}, c, 180u},  {{45, 65}, c, 270u}, {{55, 35}, c, 45u},
        {{35, 35}, c, 135u}, {{35, 55}, c, 225u},  {{55, 55}, c, 315u},  {{57, -1}, o, 1u},   {{57, 1}, o, 359u},
        {{-57, -1}, o, 179u}, {{-57, 1}, o, 181u}, {{143, -1}, o, 0u},   {{95, -1}, o, 1u}};
    for (const auto& [at, centre, angle] : points)
        EXPECT_EQ(DialAngle(at, centre), angle) << at.x << ',' << at.y;
    EXPECT_EQ(DialAngle(c, c), 270u) << "no horizontal offset and not above counts as below";
}

TEST(AngleDial, TheNeedlePointsAtTheStoredPointOrAngleAndRightForNone)
{
    const DialGeometry g = DialGeometryOf(kDial);  // needle 24 long
    const auto near = [](NeedleEnd a, NeedleEnd b) { return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6; };
    EXPECT_TRUE(near(NeedleEndFor(g, {-1, -1}), {69, 45}));
    EXPECT_TRUE(near(NeedleEndFor(g, {45, 45}), {69, 45}));
    EXPECT_TRUE(near(NeedleEndFor(g, {45, 5}), {45, 21}));
    EXPECT_TRUE(near(NeedleEndFor(g, {90, kDialAngleMarker}), {45 + 24 * std::cos(90 * 0.01745327777777778), 21}));
    EXPECT_TRUE(near(NeedleEndFor(g, {180, kDialAngleMarker}), {21, 45 - 24 * std::sin(180 * 0.01745327777777778)}));
    const NeedleEnd start = NeedleEndFor(g, AngleDial().stored());
    EXPECT_TRUE(start.x < 45 && start.y < 45) << "a new dial points at the corner (0, 0)";

    AngleDial dial;
    dial.setAngle(30);
    EXPECT_EQ(dial.stored(), (Point{30, kDialAngleMarker}));
    EXPECT_FALSE(dial.painted(kDial)) << "an angle the program set is not reported back";
}

// Two buttons one above the other, as the colour panel's bar has them.
ButtonBar TwoButtons()
{
    return ButtonBar({{7, 35095, Rect::fromSize(0, 0, 22, 20)}, {8, 35320, Rect::fromSize(0, 22, 22, 20)}});
}

// The timer finding the pointer gone is the colour panel's widget test.
TEST(MiniToolbar, TheButtonUnderThePointerIsHotAndTheGapBetweenButtonsCoolsIt)
{
    ButtonBar bar = TwoButtons();
    BarChange c = bar.move({5, 5});
    EXPECT_TRUE(c.repaint);
    EXPECT_EQ(c.timer, BarChange::Timer::Start);
    EXPECT_EQ(bar.state(0), BarState::Hot);
    c = bar.move({5, 30});
    EXPECT_EQ(bar.state(0), BarState::Normal);
    EXPECT_EQ(bar.state(1), BarState::Hot);
    EXPECT_EQ(c.timer, BarChange::Timer::Keep) << "already running";
    c = bar.move({5, 21});  // the gap between them: nothing new is hot, the old one cools
    EXPECT_EQ(bar.state(1), BarState::Normal);
}

TEST(MiniToolbar, AReleaseOnThePressedButtonFiresItsCommandAndAnywhereElseNothing)
{
    ButtonBar bar = TwoButtons();
    bar.press({5, 5});
    EXPECT_EQ(bar.state(0), BarState::Pressed);
    bar.move({5, 30});
    EXPECT_EQ(bar.state(0), BarState::Normal) << "dragged off, it shows it would not fire";
    EXPECT_EQ(bar.state(1), BarState::Normal) << "nothing else lights up while a button is held";
    bar.move({6, 6});
    EXPECT_EQ(bar.state(0), BarState::Pressed);
    BarChange c = bar.release({6, 6});
    EXPECT_EQ(c.command, 7);
    EXPECT_EQ(bar.state(0), BarState::Hot);
    EXPECT_EQ(c.timer, BarChange::Timer::Start);

    bar.press({5, 30});
    c = bar.release({50, 50});
    EXPECT_FALSE(c.command);
    EXPECT_EQ(bar.state(1), BarState::Normal);
    EXPECT_FALSE(bar.release({5, 30}).command) << "a release without a press";
}

TEST(MiniToolbar, ADisabledButtonIsNeitherHotNorPressed)
{
    ButtonBar bar = TwoButtons();
    bar.setEnabled(1, false);
    EXPECT_EQ(bar.buttonAt({5, 30}), -1);
    bar.move({5, 30});
    bar.press({5, 30});
    EXPECT_FALSE(bar.release({5, 30}).command);
    EXPECT_EQ(bar.state(1), BarState::Disabled);
    bar.setEnabled(1, true);
    EXPECT_EQ(bar.release({5, 30}).command, std::nullopt);
    bar.press({5, 30});
    EXPECT_EQ(bar.release({5, 30}).command, 8);
}

TEST(ColourPanelLayout, TheSwatchesAndTheToolBarFitTheCoresBoxOfEachWindowApart)
{
    for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large}) {
        SCOPED_TRACE(variant == SkinVariant::Large ? "1024 x 768" : "800 x 600");
        const Rect box = PanelButtons(0)[std::size_t(ButtonIndexByControl(0, kColourToolsControl))].placeIn(variant);
        const ColourPanelLayout layout = ColourPanelLayoutFor(variant);
        const PanelDefinition& bar = Panel(layout.toolbarPanel);
        const Rect toolbar = Rect::fromSize(layout.toolbar.x, layout.toolbar.y, bar.width, bar.height);
        const auto inside = [&](const Rect& r) {
            // The swatches' frames take two pixels around them.
            return r.left >= 2 && r.top >= 2 && r.right + 2 <= box.width() && r.bottom + 2 <= box.height();
        };
        const auto apart = [](const Rect& a, const Rect& b) {
            return a.right + 2 <= b.left || b.right + 2 <= a.left || a.bottom + 2 <= b.top || b.bottom + 2 <= a.top;
        };
        EXPECT_TRUE(inside(layout.active));
        EXPECT_TRUE(inside(layout.secondary));
        EXPECT_TRUE(toolbar.left >= 0 && toolbar.top >= 0 && toolbar.right <= box.width() && toolbar.bottom <= box.height());
        EXPECT_TRUE(apart(layout.active, layout.secondary));
        EXPECT_TRUE(apart(layout.secondary, toolbar));
        ASSERT_EQ(PanelButtons(layout.toolbarPanel).size(), 2u);
        EXPECT_EQ(PanelButtons(layout.toolbarPanel)[0].handler, Handler::SwapColours);
        EXPECT_EQ(PanelButtons(layout.toolbarPanel)[1].handler, Handler::DefaultColours);
    }
}

class NoEnvironment final : public ButtonEnvironment {
public:
    bool activeImageScrollable() const override { return true; }
};

TEST(PanelSlider, TheProgramSetsRangeAndValueAndTheThumbFollows)
{
    NoEnvironment environment;
    ButtonDefinition track;
    track.kind = ButtonKind::SliderTrack;
    ButtonDefinition thumb;
    thumb.kind = ButtonKind::SliderThumb;
    PanelInput panel({{track, Rect::fromSize(0, 0, 110, 20)}, {thumb, Rect::fromSize(0, 0, 10, 20)}}, {}, environment);

    Effects e = panel.setSlider(1, 0, 10, 5);
    ASSERT_EQ(e.size(), 1u);
    const auto& moved = std::get<effect::MoveThumb>(e[0]);
    EXPECT_EQ(moved.value, 5);
    EXPECT_EQ(moved.thumb, (Rect::fromSize(50, 0, 10, 20)));
    e = panel.setSlider(1, 0, 10, 99);
    EXPECT_EQ(std::get<effect::MoveThumb>(e[0]).value, 10) << "kept within the range";
    EXPECT_EQ(panel.slider(1)->thumb.left, 100);
    e = panel.setSlider(1, 0, -3, 0);
    EXPECT_EQ(panel.slider(1)->maximum, 0) << "an empty range is one position";
    EXPECT_EQ(panel.slider(1)->thumb.left, 0);
    EXPECT_TRUE(panel.setSlider(0, 0, 10, 5).empty()) << "the track holds no slider of its own";
    EXPECT_TRUE(panel.setSlider(7, 0, 10, 5).empty());

    // A drag past the end afterwards stays within the new range.
    panel.setSlider(1, 0, 4, 0);
    panel.press({5, 10});
    panel.move({150, 10});
    EXPECT_EQ(panel.slider(1)->value, 4);
}

}  // namespace
}  // namespace lv::skin
