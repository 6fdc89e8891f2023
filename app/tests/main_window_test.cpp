#include "app/core/shell_state.h"
#include "app/main_window.h"
#include "app/shell_application.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontInfo>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace lv::app {
namespace {

class RecordingOpener final : public DocumentOpener {
public:
    bool acceptsFile(const std::string& path) override { return path.ends_with(".bmp"); }
    bool openDocument(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

// Straight to the window's own handling: Qt delivers drops only during a real drag.
void drop(QWidget& target, const QList<QUrl>& urls)
{
    QMimeData mime;
    mime.setUrls(urls);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(target).event(&event);
}

TEST(MainWindow, IsTheFramelessBlackWindowOfItsClass)
{
    RecordingOpener opener;
    NoImageWindows images;
    TestHooks hooks;
    MainWindow window(opener, images, hooks, nullptr);
    EXPECT_EQ(window.objectName(), "Lumivista 2000");
    EXPECT_EQ(window.windowTitle(), "Lumivista 2000");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    window.resize(64, 48);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(63, 47), QColor(Qt::black));
}

TEST(MainWindow, CreationWarnsAboutShallowDisplaysAndRefusesSmallScreens)
{
    testing::UiRecorder ui;
    RecordingOpener opener;
    NoImageWindows images;
    TestHooks hooks;
    ShellState& shell = Shell();

    shell.displayBitsPerPixel = 8;
    shell.screenMode = QueryScreenMode({640, 480}, 0);
    MainWindow refused(opener, images, hooks, nullptr);
    EXPECT_FALSE(refused.create());
    EXPECT_FALSE(refused.isVisible());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Ajuste as propriedades do display do sistema para true color.");
    EXPECT_EQ(ui.messages[1].title, "Atenção");
    EXPECT_EQ(ui.messages[1].icon, ui::Icon::Exclamation);

    ui.messages.clear();
    shell.displayBitsPerPixel = 24;
    shell.screenMode = QueryScreenMode({1280, 1024}, 0);
    MainWindow accepted(opener, images, hooks, nullptr);
    EXPECT_TRUE(accepted.create());
    EXPECT_TRUE(accepted.isVisible());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MainWindow, OnlyTheFirstDroppedFileIsOpenedAndARefusedOneBeeps)
{
    testing::UiRecorder ui;
    RecordingOpener opener;
    NoImageWindows images;
    TestHooks hooks;
    MainWindow window(opener, images, hooks, nullptr);
    EXPECT_FALSE(window.acceptDrops()) << "drops are taken only once start-up has opened the command line's files";
    window.acceptDroppedFiles();
    EXPECT_TRUE(window.acceptDrops());
    drop(window, {QUrl::fromLocalFile("/fotos/Praia.bmp"), QUrl::fromLocalFile("/fotos/b.bmp")});
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/fotos/Praia.bmp"}) << "the name keeps its case";
    drop(window, {QUrl::fromLocalFile("/fotos/notas.txt")});
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(ui.beeps, 1);
}

TEST(MainWindow, ClosingRunsTheDestroyHandlerOnce)
{
    RecordingOpener opener;
    NoImageWindows images;
    TestHooks hooks;
    int destroyed = 0;
    MainWindow window(opener, images, hooks, [&] { ++destroyed; });
    window.show();
    window.close();
    window.show();
    window.close();
    EXPECT_EQ(destroyed, 1);
}

TEST(ProgramFolder, TheScreensFontNamesMapToTheLiberationFonts)
{
    EXPECT_EQ(QFontInfo(QFont("Arial")).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QFont("Times New Roman")).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QFont("Small Fonts")).family(), "Liberation Sans");
}

TEST(ProgramFolder, TheClipboardFormatIsNamedAfterString33100)
{
    EXPECT_EQ(ClipboardMimeType(), "application/x-Lumivista2000ClipboardFmt");
}

}  // namespace
}  // namespace lv::app
