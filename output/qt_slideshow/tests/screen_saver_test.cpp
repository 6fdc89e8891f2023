#include "app/output/present_window.h"
#include "output/qt_slideshow/screen_saver_inhibitor.h"
#include "private_bus.h"

#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace lv {
namespace {

#define REQUIRE_BUS(bus)                                                            \
    if (!(bus).ready())                                                             \
    GTEST_SKIP() << "no dbus-daemon to run a desktop bus of the test's own"

TEST(ScreenSaverInhibitor, HoldsTheSaverOffUntilReleasedEvenWhenTheAnswerComesLate)
{
    testing::PrivateBus bus;
    REQUIRE_BUS(bus);
    testing::FakeScreenSaver saver;
    ASSERT_TRUE(bus.serve(saver));
    const QDBusConnection client = bus.connect(QStringLiteral("show"));

    ScreenSaverInhibitor inhibitor(client);
    inhibitor.inhibit(QStringLiteral("Apresentação"));
    inhibitor.inhibit(QStringLiteral("twice"));  // one hold per show
    ASSERT_TRUE(QTest::qWaitFor([&] { return inhibitor.holding(); }, 5000));
    ASSERT_EQ(saver.held.size(), 1u);
    EXPECT_EQ(saver.held.begin()->second, QStringLiteral("Apresentação"));
    inhibitor.release();
    EXPECT_FALSE(inhibitor.holding());
    EXPECT_TRUE(QTest::qWaitFor([&] { return saver.held.empty(); }, 5000));

    // Released before the service answered: the hold it grants afterwards is given back.
    inhibitor.inhibit(QStringLiteral("de novo"));
    inhibitor.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return saver.lastCookie == 2 && saver.held.empty(); }, 5000));
    EXPECT_FALSE(inhibitor.holding());

    // Destroyed while holding, and destroyed before the answer: released either way.
    {
        ScreenSaverInhibitor held(client);
        held.inhibit(QStringLiteral("fim"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return held.holding(); }, 5000));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return saver.lastCookie == 3 && saver.held.empty(); }, 5000));
    {
        ScreenSaverInhibitor hasty(client);
        hasty.inhibit(QStringLiteral("pressa"));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return saver.lastCookie == 4 && saver.held.empty(); }, 5000));
}

TEST(ScreenSaverInhibitor, WithoutABusOrWithoutTheServiceNothingIsHeldAndNothingFails)
{
    ScreenSaverInhibitor nowhere(QDBusConnection(QStringLiteral("no such bus")));
    nowhere.inhibit(QStringLiteral("x"));
    EXPECT_FALSE(nowhere.holding());
    nowhere.release();

    testing::PrivateBus bus;
    REQUIRE_BUS(bus);
    ScreenSaverInhibitor unanswered(bus.connect(QStringLiteral("alone")));
    unanswered.inhibit(QStringLiteral("x"));
    QTest::qWait(200);
    EXPECT_FALSE(unanswered.holding());
}

TEST(PresentWindow, TheScreenSaverIsHeldOffWhileTheShowRuns)
{
    testing::PrivateBus bus;
    REQUIRE_BUS(bus);
    testing::FakeScreenSaver saver;
    ASSERT_TRUE(bus.serve(saver));

    PresentWindowSetup setup;
    setup.slides = {{"missing", ""}};
    setup.screenSaverBus = bus.connect(QStringLiteral("present window"));
    QPointer<PresentWindow> window = new PresentWindow(std::move(setup));  // deletes itself on close
    window->open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->screenSaver().holding(); }, 5000));
    EXPECT_EQ(saver.held.size(), 1u);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(saver.held.size(), 1u);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull() && saver.held.empty(); }, 5000));
}

}  // namespace
}  // namespace lv
