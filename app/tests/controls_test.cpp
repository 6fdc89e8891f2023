// The skinned controls as widgets: alone on the offscreen platform, and on the main window's
// screens where the program places them.

#include "app/core/view/colours.h"
#include "app/core/shell_state.h"
#include "app/skin/colour_panel_layout.h"
#include "app/skin/list_box_registry.h"
#include "app/tests/shell_fakes.h"
#include "app/widgets/angle_dial_widget.h"
#include "app/widgets/colour_panel.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/readout.h"
#include "app/widgets/skin_list_box.h"
#include "app/shell/main_window.h"
#include "common/testing/ui_recorder.h"

#include <QApplication>
#include <QColorDialog>
#include <QHelpEvent>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// The picture of a widget as it paints now.
QImage Shot(QWidget& widget)
{
    return widget.grab().toImage();
}

TEST(ReadoutWidget, AReadoutThirtyHighPaintsInTheSharedFontOfTwentyGreenOnBlack)
{
    QWidget parent;
    parent.resize(300, 200);
    Readout readout(parent);
    readout.setGeometry(10, 10, 80, 30);
    readout.setText(QStringLiteral("123"));
    const QImage shot = Shot(readout);
    EXPECT_EQ(std::tuple(Readout::SharedFontHeight(), shot.pixelColor(1, 1)), std::tuple(20, QColor(Qt::black)));
    bool green = false;
    for (int y = 0; y < shot.height() && !green; ++y)
        for (int x = 0; x < shot.width() && !green; ++x)
            green = shot.pixelColor(x, y) == QColor(0, 255, 0);
    EXPECT_TRUE(green) << "the text is pure green";

    EXPECT_EQ(parent.childAt(QPoint(20, 20)), nullptr) << "the mouse goes through to the parent";
}

TEST(AngleDialWidget, ClicksReportTheirAngleAfterThePaintAndOutsideTheCircleNothing)
{
    QWidget parent;
    std::vector<unsigned> reported;
    AngleDialWidget dial(parent, [&](unsigned angle) { reported.push_back(angle); });
    dial.setGeometry(0, 0, 90, 90);  // centre (45, 45), radius 30
    parent.show();
    const std::pair<QPoint, unsigned> clicks[] = {{{70, 45}, 0u}, {{45, 20}, 90u}, {{45, 70}, 270u}, {{20, 45}, 180u}};
    for (const auto& [at, angle] : clicks) {
        QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, at);
        Shot(dial);
        ASSERT_FALSE(reported.empty());
        EXPECT_EQ(reported.back(), angle);
        QTest::mouseRelease(&dial, Qt::LeftButton, Qt::NoModifier, at);
    }
    const std::size_t before = reported.size();
    QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(76, 45));  // 31 right of a radius of 30
    QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(67, 67));  // the corner of the circle's square
    QTest::mousePress(&dial, Qt::RightButton, Qt::NoModifier, QPoint(55, 35));
    QMouseEvent rightDrag(QEvent::MouseMove, QPointF(55, 35), QPointF(55, 35), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&dial, &rightDrag);
    Shot(dial);
    EXPECT_EQ(std::tuple(reported.size(), dial.dial().stored()), std::tuple(before, skin::Point{20, 45}))
        << "outside the circle, and the right button, change nothing";

    QMouseEvent leftDrag(QEvent::MouseMove, QPointF(55, 35), QPointF(55, 35), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dial, &leftDrag);
    Shot(dial);
    EXPECT_EQ(reported.back(), 45u) << "a drag with the left button points the needle";
    QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(75, 45));
    Shot(dial);
    EXPECT_EQ(reported.back(), 0u) << "on the circle itself";
    QTest::mouseRelease(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(75, 45));

    // The needle is drawn: the pixel 20 right of the centre is black once it points right.
    dial.setAngle(0);
    EXPECT_EQ(Shot(dial).pixelColor(65, 45), QColor(Qt::black));
    dial.setAngle(180);
    EXPECT_NE(Shot(dial).pixelColor(65, 45), QColor(Qt::black));
    EXPECT_EQ(reported.size(), before + 2) << "angles the program sets are not reported";
}

// The main window on the build's skin, as start-up creates it, in the large variant.
class ScreenControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(Size{1280, 1024}, 0);
        Shell().config.activeColour = {255, 255, 0};
        Shell().config.secondaryColour = {0, 0, 255};
        ASSERT_TRUE(window.create());
    }
    SkinPanelWidget& panel(int level) const { return *window.skin()->panelAt(level); }
    void hover(QWidget& widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
    }
    int visibleTooltips() const
    {
        int count = 0;
        for (const QWidget* popup : window.findChildren<QWidget*>(QStringLiteral("PDPopup")))
            count += popup->isVisible() ? 1 : 0;
        return count;
    }

    testing::UiRecorder ui;
    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    MainWindow window{opener, images, hooks, [] {}};
};

TEST_F(ScreenControls, TheSliderScrollsTheListAndCreationIsRefusedTwiceOrWithoutAnEntry)
{
    ASSERT_TRUE(window.switchScreen(11));
    auto* fonts = panel(1).findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(&fonts->list(), window.listBox(skin::kFontListControl));
    for (int i = 0; i < 40; ++i)
        fonts->list().addString("Fonte " + std::to_string(i));
    const skin::Rect track = fonts->popup().input().slider(skin::kListThumb)->track;
    const QPoint bottom(track.left + track.width() / 2, track.bottom - 2);
    QTest::mouseClick(&fonts->popup(), Qt::LeftButton, Qt::NoModifier, bottom);
    EXPECT_EQ(fonts->list().firstVisible(), fonts->list().sliderMaximum()) << "a click at the track's end";

    // Already shown, no registry entry, and no region 200 on this panel.
    SkinListBoxes& lists = window.skin()->listBoxes();
    EXPECT_EQ((std::vector{lists.create(panel(1), skin::kFontListControl), lists.create(panel(1), 999),
                           lists.create(panel(1), skin::kAlbumListControl)}),
              (std::vector<SkinListBox*>{nullptr, nullptr, nullptr}));

    ASSERT_TRUE(window.switchScreen(27));
    EXPECT_NE(panel(2).findChild<SkinListBox*>(kListBoxClass), nullptr) << "the effects list of screen 27";
}

TEST_F(ScreenControls, TheTooltipShowsInsideTheWindowGoesOnAPressAndOnlyOneShowsAtATime)
{
    ASSERT_TRUE(window.switchScreen(2));
    const QPoint undo = window.controlRect(149)->center();
    hover(panel(0), undo);
    QTest::qWait(skin::kTooltipMilliseconds + 150);
    ASSERT_EQ(visibleTooltips(), 1);
    auto* first = panel(0).findChild<QWidget*>(QStringLiteral("PDPopup"));
    ASSERT_NE(first, nullptr);
    // Beside the pointer, moved up to stay inside the window.
    EXPECT_TRUE(first->x() == undo.x() + 16 && first->geometry().bottom() <= panel(0).height() - 4) << first->x();
    QTest::mousePress(&panel(0), Qt::LeftButton, Qt::NoModifier, undo);
    EXPECT_FALSE(first->isVisible()) << "a press hides it";
    QTest::mouseRelease(&panel(0), Qt::LeftButton, Qt::NoModifier, undo);
    hover(panel(0), undo);
    QTest::qWait(skin::kTooltipMilliseconds + 150);
    ASSERT_EQ(visibleTooltips(), 1);

    // A button of the nested panel: the first tooltip goes, then the new one comes alone.
    SkinPanelWidget& page = panel(1);
    const skin::Rect tile = page.input().control(int(page.input().size()) - 1).rect;
    hover(page, ToQRect(tile).center());
    EXPECT_EQ(visibleTooltips(), 0);
    QTest::qWait(skin::kTooltipMilliseconds + 150);
    EXPECT_EQ(visibleTooltips(), 1);
    auto* popup = page.findChild<QWidget*>(QStringLiteral("PDPopup"));
    EXPECT_TRUE(popup && popup->isVisible()) << "the nested panel's own";
}

TEST_F(ScreenControls, SlidersShowTheirValueInAReadoutThatFollowsTheThumb)
{
    ASSERT_TRUE(window.switchScreen(13));
    SkinPanelWidget& brushes = panel(2);
    const QList<Readout*> readouts = brushes.findChildren<Readout*>();
    ASSERT_EQ(readouts.size(), 2) << "size and density";
    int thumb = -1;
    for (int i = 0; i < int(brushes.input().size()) && thumb < 0; ++i)
        if (brushes.input().slider(i))
            thumb = i;
    const skin::Slider& slider = *brushes.input().slider(thumb);
    const Readout* readout = readouts[0]->geometry().top() == slider.track.top ? readouts[0] : readouts[1];
    EXPECT_TRUE(readout->text() == "50" && readout->geometry().left() >= slider.track.right) << "beside its track";

    const QPoint from = ToQRect(slider.thumb).center();
    QTest::mousePress(&brushes, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&brushes, from + QPoint(slider.track.width(), 0));
    EXPECT_EQ(readout->text(), "100") << "while dragged";
    QTest::mouseRelease(&brushes, Qt::LeftButton, Qt::NoModifier, from + QPoint(slider.track.width(), 0));
    brushes.setButtonSlider(thumb, 1, 64, 16);
    EXPECT_EQ(readout->text(), "16") << "set by the program";
}

TEST_F(ScreenControls, TheColourPanelShowsSwapsAndRestoresTheColoursInTheCoresBox)
{
    ASSERT_TRUE(window.switchScreen(13));
    ColourPanel* colours = window.colourPanel();
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->mapTo(&window, QPoint(0, 0)), window.controlRect(skin::kColourToolsControl)->topLeft());
    const skin::ColourPanelLayout layout = skin::ColourPanelLayoutFor(skin::SkinVariant::Large);
    const auto swatchColour = [&](const skin::Rect& r) {
        return Shot(window).pixelColor(colours->mapTo(&window, ToQRect(r).center()));
    };
    const auto shown = [&] { return std::tuple(swatchColour(layout.active), swatchColour(layout.secondary)); };
    const auto set = [] { return std::tuple(Shell().config.activeColour, Shell().config.secondaryColour); };
    EXPECT_EQ(shown(), std::tuple(QColor(255, 255, 0), QColor(0, 0, 255)));

    MiniToolbar& bar = colours->toolbar();
    const QPoint swap = ToQRect(bar.bar().button(0).rect).center();
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, swap);
    EXPECT_EQ(set(), std::tuple(RgbTriple{0, 0, 255}, RgbTriple{255, 255, 0}));
    EXPECT_EQ(shown(), std::tuple(QColor(0, 0, 255), QColor(255, 255, 0)));

    SetActiveColour({10, 20, 30});  // what the colour picker does
    EXPECT_EQ(swatchColour(layout.active), QColor(10, 20, 30)) << "the panel hears of outside changes";
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, ToQRect(bar.bar().button(1).rect).center());
    EXPECT_EQ(set(), std::tuple(RgbTriple{255, 255, 0}, RgbTriple{0, 0, 255}));

    // The hot button cools once the timer finds the pointer gone from the bar.
    QPoint pointer = swap;
    bar.setPointerSource([&] { return pointer; });
    hover(bar, swap);
    auto* hotTimer = bar.findChild<QTimer*>(QStringLiteral("timer %1").arg(skin::kBarHotTimer));
    ASSERT_NE(hotTimer, nullptr);
    EXPECT_EQ(std::tuple(hotTimer->isActive(), bar.bar().state(0)), std::tuple(true, skin::BarState::Hot));
    QTest::qWait(2 * skin::kBarHotMilliseconds);
    EXPECT_EQ(bar.bar().state(0), skin::BarState::Hot) << "the pointer is still there";
    pointer = QPoint(-5, -5);
    QTest::qWait(2 * skin::kBarHotMilliseconds);
    EXPECT_EQ(std::tuple(hotTimer->isActive(), bar.bar().state(0)), std::tuple(false, skin::BarState::Normal));

    QHelpEvent help(QEvent::ToolTip, swap, bar.mapToGlobal(swap));
    QApplication::sendEvent(&bar, &help);
    EXPECT_EQ(QToolTip::text(), StringText(35095)) << "a standard tooltip";
    QToolTip::hideText();

    ASSERT_TRUE(window.switchScreen(28));
    EXPECT_EQ(window.colourPanel(), nullptr) << "the Internet window has no Cores box";
}

TEST_F(ScreenControls, AClickOnASwatchChoosesItsColourInTheColourDialog)
{
    ASSERT_TRUE(window.switchScreen(2));
    ColourPanel* colours = window.colourPanel();
    ASSERT_NE(colours, nullptr);
    const QRect secondary = colours->swatch(kSecondarySwatch).geometry();
    QTest::mouseClick(colours, Qt::LeftButton, Qt::NoModifier, secondary.center());
    QColorDialog* dialog = colours->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::tuple(dialog->isVisible(), dialog->windowTitle(), dialog->currentColor()),
              std::tuple(true, QString("Cor secundária"), QColor(0, 0, 255)));
    QTest::mouseClick(colours, Qt::LeftButton, Qt::NoModifier, colours->swatch(kActiveSwatch).geometry().center());
    EXPECT_EQ(colours->dialog(), dialog) << "one dialog at a time";

    dialog->setCurrentColor(QColor(12, 200, 34));
    dialog->accept();
    EXPECT_EQ(std::tuple(Shell().config.secondaryColour, Shell().config.activeColour),
              std::tuple(RgbTriple{12, 200, 34}, RgbTriple{255, 255, 0}));

    QTest::mouseClick(colours, Qt::LeftButton, Qt::NoModifier, colours->swatch(kActiveSwatch).geometry().center());
    ASSERT_NE(colours->dialog(), nullptr);
    colours->dialog()->setCurrentColor(Qt::white);
    colours->dialog()->reject();
    EXPECT_EQ(Shell().config.activeColour, (RgbTriple{255, 255, 0})) << "a cancelled dialog changes nothing";
}

}  // namespace
}  // namespace lv::app
