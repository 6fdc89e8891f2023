#include "app/output/present_window.h"

#include "common/settings.h"
#include "common/settings_store.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_geometry.h"

#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace lv {
namespace {

// Pictures of one colour each, by path; other paths can't be loaded.
PhotoLoader ColourLoader()
{
    return [](const std::string& path) -> HDIB {
        static const std::map<std::string, std::uint32_t> colours{{"red", 0x0000FF}, {"blue", 0xFF0000}};
        const auto it = colours.find(path);
        return it == colours.end() ? HDIB() : DibCreate(64, 48, it->second, false);
    };
}

struct MainTimer {
    int stops = 0;
    std::vector<int> starts;
};

PresentWindowSetup ShowSetup(MainTimer& timer, bool repeat, unsigned displayTime = 100)
{
    PresentWindowSetup setup;
    setup.slides = {{"red", ""}, {"missing", ""}, {"blue", ""}};
    setup.settings.repeat = repeat;
    setup.settings.displayTime = displayTime;
    setup.loader = ColourLoader();
    setup.stopMainTimer = [&timer] { ++timer.stops; };
    setup.startMainTimer = [&timer](int ms) { timer.starts.push_back(ms); };
    setup.screenSaverBus = QDBusConnection(QStringLiteral("no bus"));  // the test's own desktop stays as it is
    return setup;
}

TEST(PresentWindow, EachSlideIsReportedOnceAndWholeEvenWhenEnterCutsItsTransitionShort)
{
    MainTimer timer;
    PresentWindowSetup setup = ShowSetup(timer, true);
    setup.settings.transitionName = "Transparente";  // one level a frame: still coming in when Enter arrives
    std::vector<std::pair<int, std::uint32_t>> drawn;
    setup.slideDrawn = [&drawn](int index, const ScreenBitmap& screen) {
        drawn.emplace_back(index, screen.pixel(screen.width() / 2, screen.height() / 2));
    };
    PresentWindow window(std::move(setup));
    window.open();
    ASSERT_TRUE(window.drawingTransition());
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.drawingTransition(); }, 3000));
    const std::vector<std::pair<int, std::uint32_t>> expected = {
        {0, ScreenPixel(255, 0, 0)}, {1, kScreenBlack}, {2, ScreenPixel(0, 0, 255)}};
    EXPECT_EQ(drawn, expected);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
}

TEST(PresentWindow, TheSlideTimerEndsAShowWithoutRepeatAndAClickEndsAnother)
{
    MainTimer timer;
    QPointer<PresentWindow> window = new PresentWindow(ShowSetup(timer, false, 1));  // 80 ms ticks, deletes itself
    window->open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 10000));
    EXPECT_EQ(timer.starts, std::vector<int>{kMainWindowTimerRestartMs});

    MainTimer other;
    QPointer<PresentWindow> clicked = new PresentWindow(ShowSetup(other, true));
    clicked->open();
    QTest::mouseClick(clicked, Qt::RightButton);
    EXPECT_FALSE(clicked.isNull());
    QTest::mouseClick(clicked, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.isNull(); }, 3000));
    EXPECT_EQ(other.starts, std::vector<int>{kMainWindowTimerRestartMs});
}

TEST(PresentWindow, AnUnreadableAlbumOpensNoWindowAndTheNameIsStored)
{
    testing::UiRecorder ui;
    MainTimer timer;
    const AlbumSlideReader failing = [](const std::string&) { return std::optional<std::vector<Slide>>(); };
    EXPECT_EQ(OpenSlideShow(failing, "albums/album1.abm", ShowSetup(timer, true), nullptr), nullptr);
    EXPECT_EQ(std::tuple(ui.texts(), timer.stops),
              std::tuple(std::vector<std::string>{"Não existem imagens no álbum."}, 0));

    const AlbumSlideReader reading = [](const std::string&) {
        return std::optional<std::vector<Slide>>(std::vector<Slide>{{"blue", ""}});
    };
    QPointer<PresentWindow> window = OpenSlideShow(reading, "albums/album1.abm", ShowSetup(timer, true), nullptr);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->show().slides().size(), 1u);
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 3000));

    testing::TempDir dir;
    ProfileStore store(dir.file("LV2000.ini"));
    Settings settings(store);
    EXPECT_EQ(LoadTransitionName(settings), "");
    ASSERT_TRUE(StoreTransitionName(settings, "Entrelaçar"));
    EXPECT_EQ(std::tuple(LoadTransitionName(settings), profile::ReadValue(dir.file("LV2000.ini"), "USER", "SLIDESHOW")),
              std::tuple(std::string("Entrelaçar"), std::string("Entrelaçar")));
}

}  // namespace
}  // namespace lv
