#include "app/shell/qt_ui_service.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>

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

TEST_F(QtUiServiceTest, MessageBoxesShowTheirTextAndAnswerWithTheChosenButton)
{
    QtUiService service(hooks);
    service.showMessage("Não é possível localizar --- /x.bmp", ui::kWarningTitle, ui::Icon::Exclamation);
    EXPECT_EQ(service.ask("Salvar?", ui::kProductTitle, ui::Buttons::YesNoCancel, ui::Icon::Question),
              ui::Answer::Yes);
    EXPECT_EQ(service.ask("Continuar?", ui::kProductTitle, ui::Buttons::OkCancel, ui::Icon::Question),
              ui::Answer::Ok);
    const auto logged = ReadWholeFile(log);
    ASSERT_TRUE(logged);
    EXPECT_EQ(std::string(logged->begin(), logged->end()),
              "message Atenção: Não é possível localizar --- /x.bmp\n"
              "message Lumivista 2000: Salvar?\n"
              "message Lumivista 2000: Continuar?\n");
}

TEST_F(QtUiServiceTest, TheBusyCursorNestsAndEndsWithTheOutermostCall)
{
    QtUiService service(hooks);
    service.setBusy(true);
    service.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    service.setBusy(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    service.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    service.setBusy(false);  // unbalanced: ignored
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
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

}  // namespace
}  // namespace lv::app
