// Texts that must be read whole: buttons of the print pages, the album browser's cells.

#include "album/album.h"
#include "album/thumbnail.h"
#include "app/output/layout_page_dialog.h"
#include "app/output/single_picture_dialog.h"
#include "app/widgets/album_browser.h"
#include "common/testing/temp_dir.h"
#include "imagelib/dib_alloc.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lv::app {
namespace {

void expectEveryButtonShowsItsWholeText(QWidget& dialog)
{
    dialog.show();
    QApplication::processEvents();
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
        // Room of a character at each side: text up against the frame reads as cut off.
        EXPECT_GE(contents.width(), needed + 2 * button->fontMetrics().averageCharWidth()) << button->text().toStdString();
    }
}

TEST(SmallTexts, ThePrintPagesButtonsShowTheirWholeText)
{
    // The process's printer is chosen once: the same file as the print pages' tests.
    ::setenv("LUMIVISTA_PRINT_TO", (std::filesystem::temp_directory_path() / "lv-print-pages-test.pdf").c_str(), 1);
    const HDIB picture = AllocatePicture(600, 400, 24, 0);
    SinglePictureDialog single(nullptr, picture, "praia.jpg");
    expectEveryButtonShowsItsWholeText(single);
    print::LayoutPage page;
    LayoutPageDialog layout(nullptr, page, print::kLabelLayout, {});
    expectEveryButtonShowsItsWholeText(layout);
}

TEST(SmallTexts, TheAlbumBrowserNamesWithoutExtensionAndSelectsInTheSystemsColours)
{
    EXPECT_EQ(AlbumBrowserCellLabel(2, "/modelos/Cartão de Natal.vlf"), "3 Cartão de Natal");
    EXPECT_EQ(AlbumBrowserCellLabel(0, "/fotos/praia.2024.jpg"), "1 praia.2024");

    lv::testing::TempDir dir;
    album::Album gallery;
    for (const char* name : {"/modelos/Natal.vlf", "/modelos/Aniversário.vlf"}) {
        HDIB picture = AllocatePicture(60, 40, 24, 0);
        gallery.append(*album::BuildEntry(picture, {name, "", {1, 1, 1}}));
    }
    ASSERT_TRUE(gallery.write(dir.file("modelos.abm")));
    AlbumBrowserStates states;
    QWidget dialog;
    dialog.resize(600, 300);
    dialog.show();
    AlbumBrowser browser(dialog, dir.path(), "/", states);
    ASSERT_TRUE(browser.openAlbum(dir.file("modelos.abm")));
    browser.show();
    QTest::keyClick(&browser, Qt::Key_Right);
    ASSERT_EQ(browser.selectedPhotos(), std::vector<int>{1});
    const QImage cell = browser.grab(QRect(kBrowserPitchX + 2, 2, kBrowserCellWidth, kBrowserCellHeight)).toImage();
    EXPECT_EQ(cell.pixelColor(1, 1), browser.palette().color(QPalette::Highlight));
    bool red = false;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            red = red || cell.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_FALSE(red) << "no red text on the chosen one";
}

}  // namespace
}  // namespace lv::app
