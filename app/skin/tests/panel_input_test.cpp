#include "app/skin/attention_blink.h"
#include "app/skin/panel_input.h"
#include "app/skin/toggle_memory.h"
#include "app/skin/tooltip.h"
#include "app/skin/angle_dial.h"
#include "app/skin/button_table.h"
#include "app/skin/colour_panel_layout.h"
#include "app/skin/mini_toolbar.h"
#include "app/skin/readout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace lv::skin {
namespace {

class FakeEnvironment final : public ButtonEnvironment {
public:
    bool activeImageScrollable() const override { return scrollable; }
    bool scrollable = false;
};

std::vector<PanelControl> ControlsOf(int panel)
{
    std::vector<PanelControl> controls;
    for (const ButtonDefinition& d : PanelButtons(panel))
        controls.push_back({d, d.small});
    return controls;
}

template<typename T>
std::vector<T> Only(const Effects& effects)
{
    std::vector<T> out;
    for (const Effect& e : effects)
        if (const T* t = std::get_if<T>(&e))
            out.push_back(*t);
    return out;
}

ButtonDefinition Definition(Handler handler, ButtonKind kind, std::uint32_t argument = 0, int group = 0)
{
    ButtonDefinition d;
    d.handler = handler;
    d.kind = kind;
    d.argument = argument;
    d.group = group;
    return d;
}

Point CentreOf(const PanelInput& panel, int controlId)
{
    for (int i = 0; i < int(panel.size()); ++i)
        if (panel.control(i).definition.controlId == controlId) {
            const Rect r = panel.control(i).rect;
            return {r.left + r.width() / 2, r.top + r.height() / 2};
        }
    ADD_FAILURE() << "no control " << controlId;
    return {};
}

// A press and a release at the same point; the release's effects.
Effects Click(PanelInput& panel, Point at)
{
    panel.press(at);
    return panel.release(at);
}

int IndexOf(const PanelInput& panel, int controlId)
{
    return panel.buttonAt(CentreOf(panel, controlId));
}

struct BasePanel : ::testing::Test {
    FakeEnvironment environment;
    PanelInput panel{ControlsOf(0), {}, environment};
};

TEST_F(BasePanel, HoldingZoomInFiresFromTheFourthTickWhileThePointerStaysAndOnRelease)
{
    const Point on = CentreOf(panel, 204);
    const Effects down = panel.press(on);
    EXPECT_TRUE(Only<effect::Fire>(down).empty());
    const auto timer = Only<effect::StartTimer>(down).at(0);
    EXPECT_EQ(std::tuple(timer.id, timer.milliseconds, Only<effect::Capture>(down).size()),
              std::tuple(kRepeatTimer, 100, 1u));
    for (int tick = 1; tick <= 3; ++tick)
        EXPECT_TRUE(Only<effect::Fire>(panel.tick(kRepeatTimer)).empty()) << tick;
    const auto fired = Only<effect::Fire>(panel.tick(kRepeatTimer));
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(std::tuple(fired[0].handler, fired[0].state), std::tuple(Handler::ZoomIn, -1));
    EXPECT_EQ(Only<effect::Fire>(panel.tick(kRepeatTimer)).size(), 1u);

    // Off the button the repeat pauses; back on it resumes.
    panel.move({2, 2});
    EXPECT_TRUE(Only<effect::Fire>(panel.tick(kRepeatTimer)).empty());
    panel.move(on);
    EXPECT_EQ(Only<effect::Fire>(panel.tick(kRepeatTimer)).size(), 1u);

    const Effects up = panel.release(on);
    EXPECT_EQ(Only<effect::Fire>(up).size(), 1u);
    EXPECT_EQ(Only<effect::StopTimer>(up)[0].id, kRepeatTimer);
    EXPECT_TRUE(Only<effect::Fire>(panel.tick(kRepeatTimer)).empty());
}

TEST_F(BasePanel, APushButtonFiresOnlyWhenReleasedOnItselfAndReturnsToNormalExceptOnSftPanels)
{
    const Point undo = CentreOf(panel, 149);
    panel.press(undo);
    const Effects outside = panel.release({2, 2});
    EXPECT_TRUE(Only<effect::Fire>(outside).empty());
    EXPECT_EQ(Only<effect::Paint>(outside).at(0).image, ImageState::Normal);
    EXPECT_FALSE(panel.captured());

    // Released on another button: neither fires.
    panel.press(undo);
    EXPECT_TRUE(Only<effect::Fire>(panel.release(CentreOf(panel, 150))).empty());

    const Effects on = Click(panel, undo);
    EXPECT_EQ(Only<effect::Fire>(on).size(), 1u);
    EXPECT_EQ(Only<effect::Fire>(on).at(0).handler, Handler::Undo);
    EXPECT_EQ(Only<effect::Paint>(on).at(0).image, ImageState::Normal);
    // Still under the pointer, the next move lights it again.
    EXPECT_EQ(Only<effect::Paint>(panel.move(undo)).at(0).image, ImageState::Hover);

    PanelInput sft(ControlsOf(0), {.keepPressedImage = true}, environment);
    EXPECT_EQ(Only<effect::Paint>(Click(sft, undo)).at(0).image, ImageState::Pressed) << "sft panels keep it pressed";
}

TEST_F(BasePanel, ClickSoundsDependOnTheButton)
{
    const auto soundOf = [&](int control) {
        const auto sounds = Only<effect::PlaySound>(panel.press(CentreOf(panel, control)));
        panel.release({2, 2});
        return sounds.empty() ? std::string("none") : std::string(sounds[0].file);
    };
    // 145 is "Sobre".
    EXPECT_EQ((std::vector{soundOf(147), soundOf(155), soundOf(145), soundOf(149), soundOf(204)}),
              (std::vector<std::string>{"Click1.wav", "Click1.wav", "none", "Click2.wav", "Click2.wav"}));

    PanelInput silent(ControlsOf(0), {.sounds = false}, environment);
    EXPECT_TRUE(Only<effect::PlaySound>(silent.press(CentreOf(silent, 149))).empty());
}

TEST_F(BasePanel, GroupSevenRefusesTheViewMoverWithoutAScrollableImage)
{
    const int resize = IndexOf(panel, 136);
    const int mover = IndexOf(panel, 138);
    ASSERT_TRUE(panel.selected(resize));

    const Effects refused = Click(panel, CentreOf(panel, 138));
    EXPECT_EQ(std::tuple(Only<effect::Fire>(refused).size(), Only<effect::Beep>(refused).size()), std::tuple(0u, 1u));
    EXPECT_EQ(std::tuple(panel.selected(resize), panel.selected(mover)), std::tuple(true, false));

    // Free rotate needs no scrolling.
    EXPECT_EQ(Only<effect::Fire>(Click(panel, CentreOf(panel, 137))).at(0).argument, 2u);

    environment.scrollable = true;
    const Effects accepted = Click(panel, CentreOf(panel, 138));
    EXPECT_EQ(Only<effect::Fire>(accepted).at(0).argument, 4u);
    EXPECT_EQ(std::tuple(panel.selected(mover), panel.selected(IndexOf(panel, 137)), panel.selected(resize)),
              std::tuple(true, false, false));
    const auto repaints = Only<effect::Paint>(accepted);
    EXPECT_TRUE(std::any_of(repaints.begin(), repaints.end(), [&](const effect::Paint& p) {
        return p.button == IndexOf(panel, 137) && p.image == ImageState::Normal;
    })) << "the old choice is drawn normal";
}

TEST_F(BasePanel, HoverShowsStatusAndTheTooltipAfterItsTimer)
{
    const Point copy = CentreOf(panel, 134);
    const Effects over = panel.move(copy);
    const auto timer = Only<effect::StartTimer>(over).at(0);
    EXPECT_EQ(std::tuple(Only<effect::Paint>(over).at(0).image, Only<effect::ShowStatus>(over).at(0).stringId, timer.id,
                         timer.milliseconds, panel.captured()),
              std::tuple(ImageState::Hover, 35007, kTooltipTimer, 1000, true));
    const auto tip = Only<effect::ShowTooltip>(panel.tick(kTooltipTimer));
    ASSERT_EQ(tip.size(), 1u);
    EXPECT_EQ(std::tuple(tip[0].stringId, tip[0].at), std::tuple(35007, copy));

    // A selected button keeps its pressed look under the pointer.
    EXPECT_TRUE(Only<effect::Paint>(panel.move(CentreOf(panel, 136))).size() == 1);  // only the old one repainted

    const Effects away = panel.move({2, 2});
    EXPECT_FALSE(panel.captured());
    EXPECT_EQ(Only<effect::ShowStatus>(away).at(0).stringId, -1);
    EXPECT_TRUE(Only<effect::ShowTooltip>(panel.tick(kTooltipTimer)).empty());

    PanelInput quiet(ControlsOf(0), {.tooltips = false}, environment);
    quiet.move(copy);
    EXPECT_TRUE(Only<effect::ShowTooltip>(quiet.tick(kTooltipTimer)).empty());
}

TEST(PanelInput, TogglesMirrorAcrossTheScreensOfOneSkinFile)
{
    FakeEnvironment environment;
    PanelInput download(ControlsOf(6), {}, environment);
    PanelInput upload(ControlsOf(24), {}, environment);
    ToggleMemory memory;

    const Point toggle = CentreOf(download, 161);
    const Effects up = Click(download, toggle);
    const auto mirrored = Only<effect::MirrorToggle>(up);
    ASSERT_EQ(mirrored.size(), 1u);
    // Checked at start: the click takes the check off.
    EXPECT_EQ(std::tuple(mirrored[0].controlId, mirrored[0].selected), std::tuple(161, false));
    EXPECT_EQ(Only<effect::Fire>(up).at(0).handler, Handler::AddDownloadsToAlbum);
    memory.remember("ui/button.640", mirrored[0]);

    EXPECT_TRUE(memory.apply("ui/button.800", upload).empty());
    const Effects repaint = memory.apply("ui/button.640", upload);
    EXPECT_EQ(Only<effect::Paint>(repaint).size(), 1u);
    EXPECT_EQ(Only<effect::Paint>(repaint).at(0).image, ImageState::Normal);
    EXPECT_FALSE(upload.selected(IndexOf(upload, 161)));
}

TEST(PanelInput, ChecksFlipAndLoneGroupMembersFireTheirNewState)
{
    FakeEnvironment environment;
    const ButtonDefinition check = Definition(Handler::PreviewAdjustment, ButtonKind::Check);
    const ButtonDefinition lone = Definition(Handler::ShowLayerPalette, ButtonKind::Push, 9, 4);
    PanelInput panel({{check, Rect::fromSize(0, 0, 10, 10)}, {lone, Rect::fromSize(20, 0, 10, 10)}}, {}, environment);

    EXPECT_EQ(Only<effect::Paint>(Click(panel, {5, 5})).at(0).image, ImageState::Pressed);
    EXPECT_TRUE(panel.selected(0));
    Click(panel, {5, 5});
    EXPECT_FALSE(panel.selected(0));

    EXPECT_EQ(Only<effect::Fire>(Click(panel, {25, 5})).at(0).argument, 1u);
    EXPECT_EQ(Only<effect::Fire>(Click(panel, {25, 5})).at(0).argument, 0u);
}

TEST(PanelInput, DragControlsReportPressDragAndRelease)
{
    FakeEnvironment environment;
    const ButtonDefinition drag = Definition(Handler::PlacePhoto, ButtonKind::Drag, 0x70005);
    const ButtonDefinition block = Definition(Handler::AlbumOpenPhoto, ButtonKind::DragBlock, 3);
    PanelInput panel({{drag, Rect::fromSize(0, 0, 10, 10)}, {block, Rect::fromSize(50, 0, 10, 10)}}, {}, environment);

    // The state goes in the high word of the argument.
    const auto only = [](const Effects& effects) {
        const auto fired = Only<effect::Fire>(effects);
        EXPECT_EQ(fired.size(), 1u);
        return fired.empty() ? std::tuple(-1, 0u, false) : std::tuple(fired[0].state, fired[0].argument, fired[0].dragBlock);
    };
    EXPECT_EQ(only(panel.press({5, 5})), std::tuple(0, 0x5u, false));
    EXPECT_EQ(std::get<1>(only(panel.move({30, 30}))), 0x10005u);
    EXPECT_EQ(only(panel.release({40, 40})), std::tuple(2, 0x20005u, false));
    EXPECT_TRUE(Only<effect::PlaySound>(panel.press({55, 5})).size() == 1);
    panel.release({200, 200});

    // A kind-150 control under the pointer reports the drag as a block, pressed or not.
    const auto overBlock = only(panel.move({55, 5}));
    EXPECT_EQ(std::tuple(std::get<1>(overBlock), std::get<2>(overBlock)), std::tuple(0x10003u, true));
}

struct SliderPanel : ::testing::Test {
    FakeEnvironment environment;
    PanelInput panel{ControlsOf(13), {}, environment};
    int thumb = -1;
    void SetUp() override
    {
        for (int i = 0; i < int(panel.size()); ++i)
            if (panel.control(i).definition.kind == ButtonKind::SliderThumb) {
                thumb = i;
                break;
            }
        ASSERT_GE(thumb, 0);
    }
    Point thumbCentre() const
    {
        const Rect r = panel.slider(thumb)->thumb;
        return {r.left + r.width() / 2, r.top + r.height() / 2};
    }
};

TEST_F(SliderPanel, TheThumbStartsHalfWayAndDraggingMovesItSilentlyAndReleaseInsideFiresTheValue)
{
    const Slider start = *panel.slider(thumb);
    EXPECT_EQ(std::tuple(start.value, start.maximum, start.thumb.left),
              std::tuple(50, 100, start.track.left + (start.track.width() - start.thumb.width()) / 2));
    EXPECT_TRUE(Only<effect::PlaySound>(panel.press(thumbCentre())).empty());
    const Point right{start.track.right - 1, thumbCentre().y};
    const auto moved = Only<effect::MoveThumb>(panel.move(right));
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(std::tuple(moved[0].value, moved[0].thumb.right), std::tuple(100, start.track.right));
    const auto fired = Only<effect::Fire>(panel.release(right));
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(std::tuple(fired[0].handler, fired[0].argument), std::tuple(Handler::BrushSize, 100u));
}

TEST_F(SliderPanel, ReleaseOutsideTheCaptureZoneSendsNotification1225)
{
    const Slider start = *panel.slider(thumb);
    panel.press(thumbCentre());
    // 50 pixels below the track is still inside the zone (the track is short); 51 is not.
    const Point inside{start.track.left + 10, start.track.bottom + 49};
    panel.move(inside);
    const int dragged = panel.slider(thumb)->value;
    EXPECT_LT(dragged, 50);
    const Point outside{start.track.left + 10, start.track.bottom + 51};
    EXPECT_TRUE(Only<effect::MoveThumb>(panel.move(outside)).empty());
    const Effects up = panel.release(outside);
    EXPECT_TRUE(Only<effect::Fire>(up).empty());
    const auto notified = Only<effect::SliderReleased>(up);
    ASSERT_EQ(notified.size(), 1u);
    EXPECT_EQ(notified[0].value, dragged);
}

TEST_F(SliderPanel, AClickOnTheTrackSetsTheSliderThere)
{
    const Slider start = *panel.slider(thumb);
    const Point left{start.track.left + 2, start.track.top + start.track.height() / 2};
    const int track = panel.buttonAt(left);
    ASSERT_EQ(panel.control(track).definition.kind, ButtonKind::SliderTrack);
    EXPECT_TRUE(Only<effect::PlaySound>(panel.press(left)).empty());
    const Effects up = panel.release(left);
    EXPECT_EQ(Only<effect::MoveThumb>(up).at(0).value, 0);
    const auto fired = Only<effect::Fire>(up);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(std::tuple(fired[0].button, fired[0].argument), std::tuple(thumb, 0u));
    // The thumb, not the track, answers at its own place.
    EXPECT_EQ(panel.buttonAt({panel.slider(thumb)->thumb.left + 1, left.y}), thumb);
}

TEST_F(SliderPanel, AHiddenSliderIsNotFoundUnderThePointerUntilShownAgain)
{
    const Point thumbAt = thumbCentre();
    const Slider start = *panel.slider(thumb);
    const Point onTrack{start.track.left + 2, start.track.top + start.track.height() / 2};
    const auto hide = [&](bool hidden) {
        panel.setHidden(thumb, hidden);
        panel.setHidden(thumb - 1, hidden);
        return std::tuple(panel.buttonAt(thumbAt), panel.buttonAt(onTrack));
    };
    EXPECT_EQ(hide(true), std::tuple(-1, -1));
    EXPECT_TRUE(panel.press(onTrack).empty());
    EXPECT_TRUE(Only<effect::Fire>(panel.release(onTrack)).empty());
    EXPECT_EQ(panel.slider(thumb)->value, 50);
    EXPECT_EQ(hide(false), std::tuple(thumb, thumb - 1));
}

TEST(PanelInput, ScrollButtonsPassTheirStepInTheHighWord)
{
    FakeEnvironment environment;
    PanelInput album(ControlsOf(18), {}, environment);
    for (int i = 0; i < int(album.size()); ++i) {
        if (album.control(i).definition.kind != ButtonKind::Scroll)
            continue;
        const Rect r = album.control(i).rect;
        const Point p{r.left + 1, r.top + 1};
        const auto f = Only<effect::Fire>(Click(album, p));
        ASSERT_EQ(f.size(), 1u);
        const auto step = std::int16_t(f[0].argument >> 16);
        EXPECT_TRUE(step == 1 || step == -1);
    }
}

TEST(AttentionBlink, AlternatesUntilTheFirstReleaseOnAnAreaButton)
{
    AttentionBlink blink(kAreaBlinkControl);
    EXPECT_EQ((std::vector{blink.tick(), blink.tick()}),
              (std::vector<std::optional<ImageState>>{ImageState::Hover, ImageState::Normal}));
    EXPECT_EQ(blink.released(149), std::nullopt);  // not an area button: blinking goes on
    EXPECT_TRUE(blink.running());
    EXPECT_EQ(blink.released(148), ImageState::Normal);
    EXPECT_FALSE(blink.running());
    EXPECT_EQ(blink.tick(), std::nullopt);
    EXPECT_EQ(blink.released(155), std::nullopt);

    AttentionBlink onItself(kAreaBlinkControl);
    onItself.tick();
    EXPECT_EQ(onItself.released(155), std::nullopt);  // the button just clicked keeps its look
    EXPECT_FALSE(onItself.running());
}

TEST(Tooltip, PlacementStaysInsideTheClientArea)
{
    EXPECT_EQ((std::vector{PlaceTooltip({100, 50}, {60, 16}, {800, 600}), PlaceTooltip({780, 590}, {60, 16}, {800, 600}),
                           PlaceTooltip({5, 5}, {900, 700}, {800, 600})}),
              (std::vector<Point>{{116, 66}, {736, 580}, {0, 0}}));
}

TEST(Tooltip, SameTextDoesNothingAndEmptyTextHides)
{
    using enum TooltipPopup::Change;
    TooltipPopup popup;
    EXPECT_EQ(popup.show(" Copiar"), Show);
    EXPECT_EQ(*popup.shown(), "Copiar");
    EXPECT_EQ((std::vector{popup.show("Copiar"), popup.show("Colar"), popup.show(""), popup.hide(), popup.show(" ")}),
              (std::vector{None, Show, Hide, None, None}));
}

TEST(Readout, FontIsFourFifthsOfTheHeightLessFourAndNeverBelowFourteen)
{
    // 31: 24.8 − 4 in whole pixels; 23: 14.4 − 4 is below the floor.
    EXPECT_EQ((std::vector{ReadoutFontHeight(30), ReadoutFontHeight(31), ReadoutFontHeight(50), ReadoutFontHeight(23),
                           ReadoutFontHeight(0)}),
              (std::vector{20, 20, 36, 14, 14}));
}

TEST(Readout, TextIsInsetByATenthAndCentredOnItsOwnHeight)
{
    // m = 30 / 10 + 1 = 4: 8 at the sides, 4 above and below, then 16 high in the 22 left.
    EXPECT_EQ(ReadoutTextRect({100, 30}, 16), (Rect::fromSize(8, 7, 84, 16)));
    // Taller text than the room spills evenly over both edges.
    EXPECT_EQ(ReadoutTextRect({40, 10}, 12), (Rect::fromSize(4, -1, 32, 12)));
    // Only the low byte's flags count.
    EXPECT_EQ((std::vector{ReadoutAlignment(0), ReadoutAlignment(1), ReadoutAlignment(0x102)}),
              (std::vector{ReadoutAlign::Left, ReadoutAlign::Centre, ReadoutAlign::Right}));
}

constexpr Size kDial{90, 90};  // centre (45, 45), radius 30, hub 4

TEST(AngleDial, GeometryIsTheMiddleAThirdOfTheShorterSideAndATenthForTheHub)
{
    const DialGeometry dial = DialGeometryOf({120, 90});
    EXPECT_EQ(std::tuple(dial.centre, dial.radius, dial.hubRadius), std::tuple(Point{60, 45}, 30, 4));
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
    EXPECT_EQ(std::tuple(c.repaint, c.timer, bar.state(0)), std::tuple(true, BarChange::Timer::Start, BarState::Hot));
    c = bar.move({5, 30});
    // The timer is already running.
    EXPECT_EQ(std::tuple(bar.state(0), bar.state(1), c.timer),
              std::tuple(BarState::Normal, BarState::Hot, BarChange::Timer::Keep));
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
    EXPECT_EQ(std::tuple(c.command, bar.state(0), c.timer),
              std::tuple(std::optional(7), BarState::Hot, BarChange::Timer::Start));

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
        std::vector<Handler> handlers;
        for (const ButtonDefinition& button : PanelButtons(layout.toolbarPanel))
            handlers.push_back(button.handler);
        EXPECT_EQ(handlers, (std::vector{Handler::SwapColours, Handler::DefaultColours}));
    }
}

TEST(PanelSlider, TheProgramSetsRangeAndValueAndTheThumbFollows)
{
    FakeEnvironment environment;
    const ButtonDefinition track = Definition({}, ButtonKind::SliderTrack);
    const ButtonDefinition thumb = Definition({}, ButtonKind::SliderThumb);
    PanelInput panel({{track, Rect::fromSize(0, 0, 110, 20)}, {thumb, Rect::fromSize(0, 0, 10, 20)}}, {}, environment);

    Effects e = panel.setSlider(1, 0, 10, 5);
    ASSERT_EQ(e.size(), 1u);
    const auto& moved = std::get<effect::MoveThumb>(e[0]);
    EXPECT_EQ(std::tuple(moved.value, moved.thumb), std::tuple(5, Rect::fromSize(50, 0, 10, 20)));
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
