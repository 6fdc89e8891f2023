#include "app/dib_image.h"
#include "app/skin/screen_selection.h"
#include "app/skin_panel_widget.h"
#include "common/testing/ui_recorder.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

using skin::ImageState;

struct Fired {
    skin::Handler handler;
    std::uint32_t argument;
    int state;
};

class RecordingHost final : public PanelHost {
public:
    void fire(SkinPanelWidget&, const skin::effect::Fire& f) override { fired.push_back({f.handler, f.argument, f.state}); }
    void showStatus(int id) override { statuses.push_back(id); }
    void showTooltip(SkinPanelWidget&, int id, QPoint) override { tooltips.push_back(id); }
    void hideTooltip() override { ++hides; }
    void playSound(std::string_view file) override { sounds.emplace_back(file); }
    void sliderReleased(SkinPanelWidget&, int button, int value) override { released.push_back({button, value}); }
    void toggleMirrored(SkinPanelWidget&, const skin::effect::MirrorToggle& t) override { toggles.push_back(t); }
    void leftPressed(SkinPanelWidget&) override {}
    void leftReleased(SkinPanelWidget&, QPoint, int) override {}
    void rightPressed(SkinPanelWidget&, QPoint, int) override {}

    std::vector<Fired> fired;
    std::vector<int> statuses;
    std::vector<int> tooltips;
    int hides = 0;
    std::vector<std::string> sounds;
    std::vector<std::pair<int, int>> released;
    std::vector<skin::effect::MirrorToggle> toggles;
};

class Scrollable final : public skin::ButtonEnvironment {
public:
    bool activeImageScrollable() const override { return scrollable; }
    bool scrollable = false;
};

// A panel of the build's skin in a window of its own.
class PanelFixture : public ::testing::Test {
protected:
    void show(int panel, skin::SkinVariant variant = skin::SkinVariant::Large)
    {
        loaded = skin::LoadPanel(panel, variant, LV_PROGRAM_DIR, decoder);
        ASSERT_FALSE(loaded.buttons.empty()) << "the build draws the skin files";
        window = std::make_unique<SkinPanelWidget>(parent, host, environment, loaded);
        window->setGeometry(QRect(QPoint(0, 0), window->backgroundSize()));
        parent.resize(window->size());
        parent.show();
    }
    int indexOf(int controlId) const { return skin::ButtonIndexByControl(loaded.panel, controlId); }
    QPoint centreOf(int button) const
    {
        const skin::Rect& r = loaded.buttons[std::size_t(button)].rect;
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, at, window->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    void click(int button)
    {
        mouse(QEvent::MouseButtonPress, centreOf(button));
        mouse(QEvent::MouseButtonRelease, centreOf(button));
    }
    // What the window shows at a button's centre, against the button's picture for a state.
    bool shows(int button, ImageState state)
    {
        const QImage shot = window->grab().toImage();
        const skin::Rect& r = loaded.buttons[std::size_t(button)].rect;
        const QImage picture = DibToImage(loaded.buttons[std::size_t(button)].images[std::size_t(state)]);
        const QPoint centre = centreOf(button);
        return shot.pixel(centre) == picture.pixel(centre - QPoint(r.x, r.y));
    }

    testing::UiRecorder ui;
    skin::StandardPictureDecoder decoder;
    RecordingHost host;
    Scrollable environment;
    skin::LoadedPanel loaded;
    QWidget parent;
    std::unique_ptr<SkinPanelWidget> window;
};

TEST_F(PanelFixture, APressShowsThePressedPictureStartsTheRepeatTimerAndClicksAndTheReleaseFires)
{
    show(0);
    EXPECT_EQ(window->objectName(), "UI Window");
    const int undo = indexOf(149);
    EXPECT_TRUE(shows(undo, ImageState::Normal));

    mouse(QEvent::MouseButtonPress, centreOf(undo));
    EXPECT_EQ(window->shownImage(undo), ImageState::Pressed);
    EXPECT_TRUE(shows(undo, ImageState::Pressed));
    EXPECT_TRUE(window->timerRunning(skin::kRepeatTimer));
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Click2.wav"});
    EXPECT_TRUE(host.fired.empty());

    mouse(QEvent::MouseButtonRelease, centreOf(undo));
    EXPECT_FALSE(window->timerRunning(skin::kRepeatTimer));
    ASSERT_EQ(host.fired.size(), 1u);
    EXPECT_EQ(host.fired[0].handler, skin::Handler::Undo);
    EXPECT_EQ(host.fired[0].state, -1);
    EXPECT_TRUE(shows(undo, ImageState::Normal));
}

TEST_F(PanelFixture, AReleaseAwayFromThePressedButtonDoesNotFire)
{
    show(0);
    const int undo = indexOf(149);
    mouse(QEvent::MouseButtonPress, centreOf(undo));
    mouse(QEvent::MouseButtonRelease, centreOf(indexOf(134)));
    EXPECT_TRUE(host.fired.empty());
    EXPECT_EQ(window->shownImage(undo), ImageState::Normal);
}

TEST_F(PanelFixture, AreaButtonsClickWithTheirOwnSoundAndTheAboutButtonIsSilent)
{
    show(0);
    click(indexOf(148));
    click(indexOf(145));
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Click1.wav"});
    ASSERT_EQ(host.fired.size(), 2u);
    EXPECT_EQ(host.fired[0].handler, skin::Handler::SelectScreenArea);
    EXPECT_EQ(host.fired[0].argument, 3u);
    EXPECT_EQ(window->shownImage(indexOf(148)), ImageState::Pressed) << "the chosen area stays selected";
    EXPECT_EQ(host.fired[1].handler, skin::Handler::About);
}

TEST_F(PanelFixture, HoveringShowsTheStatusTextAndASecondLaterTheTooltipLeavingClearsBoth)
{
    show(0);
    const int undo = indexOf(149);
    mouse(QEvent::MouseMove, centreOf(undo));
    EXPECT_EQ(window->shownImage(undo), ImageState::Hover);
    ASSERT_FALSE(host.statuses.empty());
    EXPECT_EQ(host.statuses.back(), 35005);
    EXPECT_TRUE(window->timerRunning(skin::kTooltipTimer));
    EXPECT_TRUE(host.tooltips.empty());
    QTest::qWait(skin::kTooltipMilliseconds + 150);
    EXPECT_EQ(host.tooltips, std::vector<int>{35005});
    EXPECT_FALSE(window->timerRunning(skin::kTooltipTimer));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.get(), &leave);
    EXPECT_EQ(host.statuses.back(), -1);
    EXPECT_EQ(window->shownImage(undo), ImageState::Normal);
    EXPECT_GE(host.hides, 1);
}

TEST_F(PanelFixture, HoldingAnAutoRepeatButtonFiresFromTheFourthTickAndOnceMoreOnRelease)
{
    show(0);
    const int zoomIn = indexOf(204);
    mouse(QEvent::MouseButtonPress, centreOf(zoomIn));
    QTest::qWait(3 * skin::kRepeatMilliseconds - 50);
    EXPECT_TRUE(host.fired.empty()) << "nothing during the first three ticks";
    QTest::qWait(2 * skin::kRepeatMilliseconds + 50);
    EXPECT_FALSE(host.fired.empty());
    const std::size_t whileHeld = host.fired.size();
    mouse(QEvent::MouseButtonRelease, centreOf(zoomIn));
    EXPECT_EQ(host.fired.size(), whileHeld + 1);
    for (const Fired& f : host.fired)
        EXPECT_EQ(f.handler, skin::Handler::ZoomIn);
}

TEST_F(PanelFixture, GroupSevenRefusesMovingTheViewWithABeepUnlessTheActiveImageScrolls)
{
    show(0);
    const int resize = indexOf(136);
    const int moveView = indexOf(138);
    click(moveView);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(host.fired.empty());
    EXPECT_EQ(window->shownImage(moveView), ImageState::Normal);
    EXPECT_EQ(window->shownImage(resize), ImageState::Pressed);

    environment.scrollable = true;
    click(moveView);
    ASSERT_EQ(host.fired.size(), 1u);
    EXPECT_EQ(host.fired[0].argument, 4u);
    EXPECT_EQ(window->shownImage(moveView), ImageState::Pressed);
    EXPECT_EQ(window->shownImage(resize), ImageState::Normal);

    window->restoreGroupSelection(skin::SelectionOnScreen(0, 0));
    EXPECT_EQ(window->shownImage(resize), ImageState::Pressed);
    EXPECT_EQ(window->shownImage(moveView), ImageState::Normal);
}

TEST_F(PanelFixture, ASliderThumbFollowsTheDragAndReportsAReleaseFarAway)
{
    show(13, skin::SkinVariant::Small);
    int thumb = -1;
    for (int i = 0; i < int(window->input().size()) && thumb < 0; ++i)
        if (window->input().slider(i))
            thumb = i;
    ASSERT_GE(thumb, 0);
    const skin::Slider before = *window->input().slider(thumb);
    const QPoint start(before.thumb.x + before.thumb.width / 2, before.thumb.y + before.thumb.height / 2);

    mouse(QEvent::MouseButtonPress, start);
    mouse(QEvent::MouseMove, start + QPoint(40, 0));
    const skin::Slider moved = *window->input().slider(thumb);
    EXPECT_GT(moved.value, before.value);
    EXPECT_GT(moved.thumb.x, before.thumb.x);
    EXPECT_TRUE(host.sounds.empty()) << "sliders do not click";

    mouse(QEvent::MouseButtonRelease, start + QPoint(40, 400));
    ASSERT_EQ(host.released.size(), 1u);
    EXPECT_EQ(host.released[0], std::make_pair(thumb, moved.value));
    EXPECT_TRUE(host.fired.empty());
}

TEST_F(PanelFixture, AToggleTellsTheHostAndStartingAfreshTakesTheRememberedState)
{
    show(6, skin::SkinVariant::Small);
    const int toggle = indexOf(161);
    click(toggle);
    ASSERT_EQ(host.toggles.size(), 1u);
    EXPECT_EQ(host.toggles[0].controlId, 161);
    EXPECT_TRUE(host.toggles[0].selected);

    skin::ToggleMemory memory;
    window->start(skin::SelectionOnScreen(6, 6), memory);
    EXPECT_EQ(window->shownImage(toggle), ImageState::Normal);
    memory.remember(window->skinFile(), host.toggles[0]);
    window->start(skin::SelectionOnScreen(6, 6), memory);
    EXPECT_EQ(window->shownImage(toggle), ImageState::Pressed);
}

}  // namespace
}  // namespace lv::app
