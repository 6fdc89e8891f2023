#include "app/shell/qt_ui_service.h"
#include "common/testing/temp_dir.h"
#include "common/ui_service.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::app {
namespace {

class QtUiServiceTest : public ::testing::Test {
protected:
    QtUiServiceTest()
    {
        ::setenv("LUMIVISTA_TEST_LOG", log.c_str(), 1);
        hooks = TestHooks::FromEnvironment();
        ::unsetenv("LUMIVISTA_TEST_LOG");
    }
    testing::TempDir dir;
    std::string log = dir.file("log.txt");
    TestHooks hooks;
};

TEST_F(QtUiServiceTest, TheBusyCursorNestsAndEndsWithTheOutermostCall)
{
    QtUiService service(hooks);
    service.setBusy(true);
    service.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // The third end is unbalanced: ignored.
    std::vector<bool> busy;
    for (int i = 0; i < 3; ++i) {
        service.setBusy(false);
        busy.push_back(QApplication::overrideCursor() != nullptr);
    }
    EXPECT_EQ(busy, (std::vector{true, false, false}));
}

TEST_F(QtUiServiceTest, EscapeIsSeenWhileOtherInputWaitsUnused)
{
    QtUiService service(hooks);
    QLineEdit field;
    field.show();
    QCoreApplication::postEvent(&field, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    QCoreApplication::postEvent(&field, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(service.escapeHeld());
    EXPECT_EQ(field.text(), "") << "typing during long work does not reach the windows";
    service.reportProgress("Leitura", 50);
    service.reportProgress("Leitura", 100);
}

// The progress window closes when its work ends, whether the work reached 100 % or stopped
// short of it (a shadow's blur at 92 %, a card's text at 94 %), and not while it goes on.
QProgressDialog* ProgressWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QProgressDialog*>(widget))
            return box;
    return nullptr;
}

// Long work on the UI thread as the program does it: progress reported now and then, with
// the event pump running in between, ending at `last` percent.
void Work(int last)
{
    for (int percent = 0; percent <= last; percent += 2) {
        ui::ReportProgress("Processando", percent);
        if (percent % 20 == 0)
            QTest::qSleep(60);  // long enough for the pump to process pending events
    }
}

// Under the test hooks, so that message boxes answer themselves.
class ProgressWindowTest : public QtUiServiceTest {
protected:
    QtUiService service{hooks};
    ui::ScopedService installed{service};
};

TEST_F(ProgressWindowTest, WorkEndingShortOfAHundredClosesItsWindow)
{
    for (const int last : {92, 94, 0}) {
        Work(last);
        ASSERT_NE(ProgressWindow(), nullptr) << "open while the work runs, pumps included";
        EXPECT_EQ(ProgressWindow()->value(), last);
        QTest::qWait(20);
        EXPECT_EQ(ProgressWindow(), nullptr) << "the work stopped at " << last << " %";
    }
}

TEST_F(ProgressWindowTest, ReachingAHundredClosesAtOnceAndBackToBackWorkReopens)
{
    Work(50);
    ui::ReportProgress("Processando", 100);
    EXPECT_EQ(ProgressWindow(), nullptr);
    Work(40);
    Work(60);  // a second piece of work before the loop runs again keeps one window
    ASSERT_NE(ProgressWindow(), nullptr);
    EXPECT_EQ(ProgressWindow()->value(), 60);
    QTest::qWait(20);
    EXPECT_EQ(ProgressWindow(), nullptr);
}

TEST_F(ProgressWindowTest, AMessageAfterTheWorkFindsNoProgressWindow)
{
    Work(92);
    service.showMessage("Pronto", ui::kProductTitle, ui::Icon::Information);  // answered at once by the hooks
    QTest::qWait(250);  // a box shown over the progress window holds it until answered
    EXPECT_EQ(ProgressWindow(), nullptr);
}

TEST_F(ProgressWindowTest, AMessageDuringTheWorkIsAnsweredOverItsProgressWindow)
{
    Work(40);
    QTest::qSleep(450);
    Work(60);  // past the window's 400 ms: shown, so the message box becomes its child
    service.showMessage("Atenção", ui::kWarningTitle, ui::Icon::Exclamation);
    QTest::qWait(250);
    EXPECT_EQ(ProgressWindow(), nullptr);
}

}  // namespace
}  // namespace lv::app
