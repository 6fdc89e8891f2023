// The Qt tests share one application on the offscreen platform, with the program folder's
// fonts, skin and help pages, speaking Portuguese as the program does.

#include "app/shell/program_language.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("FONTCONFIG_FILE", LV_PROGRAM_DIR "/fonts.conf", 1);
    ::setenv("LUMIVISTA_HOME", LV_PROGRAM_DIR, 1);  // the skin, help pages and sounds of the build
    QApplication application(argc, argv);
    lv::app::UseBrazilianPortuguese(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
