// The shell's own commands for the test driver (test builds only), then the rest of the
// program's, then input for the widgets; anything else is logged as unknown.

#include "app/start/shell_application.h"

#include "app/testing/command_batch.h"
#include "app/testing/dialog_rejecter.h"
#include "app/testing/test_input.h"

namespace lv::app {

void ShellApplication::handleTestCommand(const QString& command)
{
    if (!hooks_.enabled() || !mainWindow_)
        return;
    if (command == QLatin1String("quit")) {
        mainWindow_->close();
    } else if (command == QLatin1String("minimize")) {
        mainWindow_->showMinimized();
        hooks_.log(QStringLiteral("minimized %1").arg(mainWindow_->isMinimized()));
    } else if (command.startsWith(QLatin1String("answer "))) {
        uiService_.answerNextWith(command.section(' ', 1));
    } else if (command == QLatin1String("modal")) {
        testDialog_ = std::make_unique<QDialog>(mainWindow_.get());
        testDialog_->setObjectName(QStringLiteral("testdialog"));
        testDialog_->setWindowModality(Qt::ApplicationModal);
        testDialog_->show();
        hooks_.log(QStringLiteral("modal shown"));
    } else if (command == QLatin1String("reject dialogs")) {
        dialogRejecter_ = std::make_unique<DialogRejecter>(hooks_);
    } else if (command.startsWith(QLatin1String("batch "))) {
        testBatch_ = std::make_unique<CommandBatch>(hooks_, command.section(' ', 1),
                                                    [this](const QString& line) { handleTestCommand(line); });
    } else if (command.startsWith(QLatin1String("back to screen "))) {
        // Back to a screen only when a button left it, then the screen now shown.
        if (const int screen = command.section(' ', 3).toInt(); mainWindow_->screen() != screen)
            mainWindow_->switchScreen(screen);
        hooks_.log(QStringLiteral("on screen %1").arg(mainWindow_->screen()));
    } else if (command.startsWith(QLatin1String("screen "))) {
        // Straight to a screen, as its screen button would switch; the switch logs the screen.
        if (!mainWindow_->switchScreen(command.section(' ', 1).toInt()))
            hooks_.log(QStringLiteral("screen refused"));
    } else if (!(testCommands_ && testCommands_(command)) && !DeliverTestInput(*mainWindow_, command)) {
        hooks_.log(QStringLiteral("unknown command ") + command);
    }
}

}  // namespace lv::app
