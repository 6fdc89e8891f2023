// Lumivista 2000.

#include "app/shell/acquisition.h"
#include "app/shell/screen_capture_page.h"
#include "app/shell/video_capture_page.h"
#include "app/windows/document_windows.h"
#include "app/shell/program_fonts.h"
#include "app/shell/program_language.h"
#include "app/shell/shell_application.h"
#include "app/shell/test_hooks.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    lv::app::UseProgramFonts();
    QApplication application(argc, argv);  // takes its own options out of argv
    application.setApplicationName(QStringLiteral("Lumivista 2000"));
    application.setQuitOnLastWindowClosed(false);  // the main window's shutdown ends the program
    lv::app::UseBrazilianPortuguese(application);

    const lv::app::TestHooks hooks = lv::app::TestHooks::FromEnvironment();
    lv::app::DocumentWindows documents(hooks);
    lv::app::ShellApplication shell(application, std::vector<std::string>(argv + 1, argv + argc), hooks, documents,
                                    documents);
    lv::app::Acquisition acquisition(documents, hooks);
    lv::app::VideoCapturePage video(acquisition, hooks);
    lv::app::ScreenCapturePage screenShots(acquisition, hooks);
    shell.setMainWindowCreated([&](lv::app::MainWindow& window) {
        documents.attach(window);
        acquisition.attach(window, shell.filters());
        video.attach(window);
        screenShots.attach(window);
    });
    shell.setTestCommandHandler([&](const QString& command) {
        return documents.handleTestCommand(command) || acquisition.handleTestCommand(command) ||
               video.handleTestCommand(command) || screenShots.handleTestCommand(command);
    });
    const int status = shell.run();
    acquisition.detach(shell.filters());
    return status;
}
