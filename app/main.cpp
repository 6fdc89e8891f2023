// Lumivista 2000.

#include "app/handed_files_opener.h"
#include "app/image_windows.h"
#include "app/program_fonts.h"
#include "app/shell_application.h"
#include "app/test_hooks.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    lv::app::UseProgramFonts();
    QApplication application(argc, argv);  // takes its own options out of argv
    application.setApplicationName(QStringLiteral("Lumivista 2000"));
    application.setQuitOnLastWindowClosed(false);  // the main window's shutdown ends the program

    const lv::app::TestHooks hooks = lv::app::TestHooks::FromEnvironment();
    lv::app::HandedFilesOpener opener(hooks);
    lv::app::NoImageWindows imageWindows;
    lv::app::ShellApplication shell(application, std::vector<std::string>(argv + 1, argv + argc), hooks, opener,
                                    imageWindows);
    return shell.run();
}
