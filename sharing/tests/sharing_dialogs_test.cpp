// The sharing dialogs and the work beside the window, on the offscreen platform.

#include "app/sharing/mail_route_dialog.h"
#include "app/sharing/mail_settings_dialog.h"
#include "app/sharing/transfer_progress_dialog.h"
#include "app/sharing/background_work.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace lv::app {
namespace {

template <typename T>
T* child(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// Runs the dialog and, once it shows, does `act` in it.
template <class Dialog, class Act>
void RunWith(Dialog& dialog, Act act)
{
    QTimer::singleShot(0, &dialog, [&] { act(); });
    dialog.exec();
}

TEST(MailRouteDialog, ControlsByTheirNumbersAndTheAnswers)
{
    {
        MailRouteDialog dialog(nullptr);
        EXPECT_EQ(dialog.objectName(), "169");
        EXPECT_EQ(dialog.windowTitle(), "Configuração do servidor de e-mail");
        auto* client = child<QRadioButton>(dialog, "1663");
        auto* other = child<QRadioButton>(dialog, "1664");
        auto* check = child<QCheckBox>(dialog, "1000");
        auto* ok = child<QPushButton>(dialog, "1661");
        ASSERT_TRUE(client && other && check && ok && child<QPushButton>(dialog, "1662"));
        EXPECT_TRUE(client->isChecked());
        EXPECT_EQ(other->text(), "Outro e-mail compatível com MAPI");
        EXPECT_EQ(check->text(), "Não apresente esta tela de configuração novamente");
        RunWith(dialog, [&] {
            other->click();
            check->click();
            ok->click();
        });
        const MailRouteAnswer a = dialog.answer();
        EXPECT_EQ(std::tuple(a.confirmed, a.clientChosen, a.doNotShowAgain), std::tuple(true, false, true));
    }
    {
        MailRouteDialog dialog(nullptr);
        RunWith(dialog, [&] { child<QPushButton>(dialog, "1662")->click(); });
        EXPECT_EQ(std::tuple(dialog.answer().confirmed, dialog.answer().clientChosen), std::tuple(false, true));
    }
    {
        MailRouteDialog dialog(nullptr);
        RunWith(dialog, [&] { dialog.close(); });  // closing is a cancel
        EXPECT_FALSE(dialog.answer().confirmed);
    }
}

TEST(MailSettingsDialog, TheFormComesBackAsEditedAndWithoutAKeyRingNothingIsRemembered)
{
    MailSettingsForm form;
    form.smtpHost = "smtp.exemplo.com";
    form.smtpPort = 587;
    form.smtpSecurity = 2;
    form.smallerCopy = 1600;
    form.keyringAvailable = false;
    MailSettingsDialog dialog(nullptr, form);
    EXPECT_FALSE(child<QCheckBox>(dialog, "remember")->isEnabled());
    EXPECT_EQ(child<QComboBox>(dialog, "security")->currentIndex(), 2);
    child<QLineEdit>(dialog, "host")->setText("  mail.exemplo.org ");
    child<QLineEdit>(dialog, "password")->setText(" com espaços ");
    child<QSpinBox>(dialog, "port")->setValue(2525);
    child<QComboBox>(dialog, "smaller")->setCurrentIndex(1);
    child<QCheckBox>(dialog, "askagain")->setChecked(true);
    const MailSettingsForm out = dialog.form();
    EXPECT_EQ(std::tuple(out.smtpHost, out.smtpPassword, out.smtpPort, out.smallerCopy),
              std::tuple("mail.exemplo.org", " com espaços ", 2525, 1024));  // passwords are taken as typed
    EXPECT_EQ(std::tuple(out.rememberPassword, out.askRouteAgain), std::tuple(false, true));
}

TEST(TransferProgress, TheDetailLine)
{
    EXPECT_EQ(TransferDetail(3, 200, 9000000, 600000000), "3 de 200 fotos — 9,0 de 600,0 MB");
    EXPECT_EQ(TransferDetail(0, 0, 0, 0), "0 de 0 fotos — 0,0 de 0,0 MB");
}

TEST(BackgroundWork, RunsBesideTheWindowReportsAndEndsOnTheWindowsThread)
{
    std::atomic<bool> cancelled = false;
    std::thread::id workThread;
    std::thread::id endThread;
    bool ended = false;
    sharing::BackgroundWork work(
        nullptr, QStringLiteral("Trabalhando"),
        [&](sharing::ProgressReport& report) {
            workThread = std::this_thread::get_id();
            for (int i = 0; i <= 100 && !cancelled; ++i) {
                report.set(i, QStringLiteral("%1").arg(i));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        },
        [&] { cancelled = true; },
        [&] {
            endThread = std::this_thread::get_id();
            ended = true;
        });
    QElapsedTimer clock;
    clock.start();
    while (!ended && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(std::tuple(ended, work.busy(), bool(cancelled)), std::tuple(true, false, false));
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(endThread, std::this_thread::get_id());
}

TEST(BackgroundWork, StoppingCancelsAndWaitsWithoutTheEnding)
{
    std::atomic<bool> cancelled = false;
    std::atomic<bool> returned = false;
    bool ended = false;
    {
        sharing::BackgroundWork work(
            nullptr, QStringLiteral("Trabalhando"),
            [&](sharing::ProgressReport&) {
                while (!cancelled)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                returned = true;
            },
            [&] { cancelled = true; }, [&] { ended = true; });
        EXPECT_TRUE(work.busy());
    }
    EXPECT_TRUE(cancelled && returned);
    QApplication::processEvents();
    EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace lv::app
