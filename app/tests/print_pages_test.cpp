#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/core/shell_state.h"
#include "app/output/calibration_dialog.h"
#include "app/output/contact_sheet_dialog.h"
#include "app/output/layout_page_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "app/output/printer_setup.h"
#include "app/output/single_picture_dialog.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "output/print/print_calibration_store.h"
#include "output/qt_print/qt_printer.h"
#include "album/thumbnail.h"
#include "app/widgets/album_browser.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lv::app {
namespace {

// Jobs go to a PDF file in a folder of the test's own, and previews answer "Imprimir" at
// once; the program folder and settings are the test's too.
class PrintPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("LUMIVISTA_PRINT_TO", pdf().c_str(), 1);
        ::setenv("LUMIVISTA_HOME", dir.path().c_str(), 1);
        ::setenv("LUMIVISTA_CONFIG_DIR", dir.path().c_str(), 1);
        AnswerPreviewsAtOnce([this](const QString& line) { previews.push_back(line.toStdString()); });
    }
    void TearDown() override
    {
        AnswerPreviewsAtOnce(nullptr);
        print::SetPrintCalibrationEnabled(false);
        ::setenv("LUMIVISTA_HOME", LV_PROGRAM_DIR, 1);
        ::unsetenv("LUMIVISTA_CONFIG_DIR");
    }
    // One file for every test: the process's printer is chosen once.
    static std::string pdf() { return (std::filesystem::temp_directory_path() / "lv-print-pages-test.pdf").string(); }
    static QByteArray printed()
    {
        QFile file(QString::fromStdString(pdf()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::string photo(const std::string& name, int w, int h)
    {
        HDIB p = AllocatePicture(w, h, 24, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 3 * w; ++x)
                p.row(y)[x] = std::uint8_t(x * 3 + y);
        EXPECT_EQ(WriteJpeg(dir.file(name), p, 85), WriteResult::Written);
        return dir.file(name);
    }
    std::string album(int photos)
    {
        album::Album a;
        const std::string source = photo("source.jpg", 90, 60);
        for (int i = 0; i < photos; ++i) {
            const std::string name = dir.file("FOTO_" + std::to_string(i) + ".JPG");
            std::filesystem::copy_file(source, name, std::filesystem::copy_options::overwrite_existing);
            auto built = album::BuildPhotoEntry({name, "foto"}, album::AlbumPhotoReaders());
            EXPECT_TRUE(built.entry);
            a.append(std::move(*built.entry));
        }
        EXPECT_TRUE(a.write(dir.file("viagem.abm")));
        return dir.file("viagem.abm");
    }

    testing::TempDir dir;
    testing::UiRecorder ui;
    std::vector<std::string> previews;
};

TEST_F(PrintPages, TheContactSheetShowsItsPagesAndPrintsThemAll)
{
    ContactSheetDialog dialog(nullptr, album(35));
    ASSERT_EQ(dialog.photos().size(), 35u);
    dialog.setSettings({1, 1, true});
    EXPECT_EQ(dialog.summary(), "35 fotos, 5 × 6 por página, 2 página(s)");
    ASSERT_TRUE(dialog.printWithPreview());
    EXPECT_EQ(previews, (std::vector<std::string>{"preview 1/2"}));
    EXPECT_TRUE(printed().startsWith("%PDF") && printed().contains("/Count 2"));

    ContactSheetDialog empty(nullptr, dir.file("none.abm"));
    EXPECT_FALSE(empty.printWithPreview());
    EXPECT_EQ(std::tuple(ui.beeps, previews.size()), std::tuple(1, 1u)) << "nothing shown for an empty album";
}

TEST_F(PrintPages, ThePreviewMovesBetweenPagesAndDrawsEachOnce)
{
    std::vector<int> drawn;
    PrintPreviewDialog preview(nullptr, "x", print::DefaultPrinterMetrics(), 3,
                               [&](print::PrintSurface& s, int page) {
                                   drawn.push_back(page);
                                   s.frame(Rect::fromSize(600 * (page + 1), 600, 600, 600), 60);
                               });
    const QImage first = preview.pageImage();
    QStringList shown = {preview.pageText()};
    for (const int page : {1, 7}) {
        preview.showPage(page);
        shown << preview.pageText();
    }
    EXPECT_EQ(shown, (QStringList{"1/3", "2/3", "3/3"}));
    EXPECT_NE(preview.pageImage(), first);
    preview.showPage(2);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));

    EXPECT_EQ(preview.copies(), 1);
    preview.setCopies(0);
    const PrintPreviewDialog many(nullptr, "x", print::DefaultPrinterMetrics(), 1, [](print::PrintSurface&, int) {}, 500);
    EXPECT_EQ(std::tuple(preview.copies(), many.copies()), std::tuple(1, 99)) << "at least one copy, at most 99";
    EXPECT_EQ(ConfirmWithPreview(nullptr, "x", print::DefaultPrinterMetrics(), 2, [](print::PrintSurface&, int) {}),
              std::optional<int>(1))
        << "answered at once with the printer's copies";
    EXPECT_EQ(previews.back(), "preview 1/2");
}

TEST_F(PrintPages, PrinterSetupWhileJobsGoToAFileSaysSoInsteadOfOpeningADialog)
{
    EXPECT_FALSE(SetUpPrinter(nullptr));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tuple(ui.messages[0].text.find("PDF") != std::string::npos, ui.beeps), std::tuple(true, 0));
}

TEST_F(PrintPages, TheLayoutPageTakesPhotosIntoItsSlotsAndKeepsThemAcrossLayouts)
{
    print::LayoutPage page;
    LayoutPageDialog dialog(nullptr, page, print::kLabelLayout, {});
    ASSERT_EQ(page.slotList().size(), 1u) << "no label file: one full-page label";
    ASSERT_TRUE(dialog.placePhoto(photo("a.jpg", 400, 200)));
    // One full-page label: the 2:1 photo as wide as the printable area of the system's paper.
    const print::PrinterMetrics m = print::ProcessPrinter().metrics(print::Orientation::Portrait);
    const auto inches = [&m](double pixels) { return QString::number(pixels / m.dpiX, 'f', 1); };
    EXPECT_EQ(dialog.status(), "Tamanho das fotos:  " + inches(m.width) + "\"x" + inches(m.width / 2.0) + "\"");
    EXPECT_EQ((std::tuple{dialog.placePhoto(dir.file("missing.jpg")), ui.messages.size()}), std::tuple(false, 1u));

    dialog.setKind(print::kOneSizePhotos);
    ASSERT_FALSE(page.slotList().empty());
    EXPECT_TRUE(page.slotList()[0].picture) << "the photo moved to the new layout";
    ASSERT_TRUE(dialog.printWithPreview());
    EXPECT_TRUE(printed().contains("/Count 1"));
}

TEST_F(PrintPages, TheSinglePicturePageMovesThePictureWhereTheUserDragsIt)
{
    const HDIB picture = AllocatePicture(600, 400, 24, 0);
    SinglePictureDialog dialog(nullptr, picture, "praia.jpg");
    EXPECT_FALSE(dialog.options().picture) << "centred until moved";
    QWidget* view = dialog.findChild<QWidget*>("singlepage");
    ASSERT_TRUE(view);
    view->resize(600, 600);
    dialog.optionsChanged();
    const QPointF centre(view->width() / 2.0, view->height() / 2.0);
    const QPointF moved = centre + QPointF(40, 30);
    const std::tuple<QEvent::Type, QPointF, Qt::MouseButton, Qt::MouseButtons> steps[] = {
        {QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseMove, moved, Qt::NoButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, moved, Qt::LeftButton, Qt::NoButton}};
    for (const auto& [type, at, button, held] : steps) {
        QMouseEvent event(type, at, at, button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    ASSERT_TRUE(dialog.options().picture);
    // Centred, 6.25 inches of the 8 across start at 0.11 and 4.2 of the 10.2 down at 0.3; the
    // drag moves them by about 0.1 and 0.06.
    EXPECT_NEAR(dialog.options().picture->left, 0.11 + 0.098, 0.02);
    EXPECT_NEAR(dialog.options().picture->top, 0.296 + 0.058, 0.02);
    dialog.options().frame = true;
    ASSERT_TRUE(dialog.printWithPreview());
    EXPECT_TRUE(printed().contains("/Count 1"));
}

TEST_F(PrintPages, TheCalibrationDialogSavesCurvesSettingsAndTheSwitch)
{
    Shell().config.printCalFlag = 0;
    CalibrationDialog dialog(nullptr);
    dialog.setChannel(2);
    dialog.setTone({30, 0, 100});
    EXPECT_NE(dialog.chartAfter(), dialog.chartBefore());
    dialog.findChild<QCheckBox*>("usecalibration")->setChecked(true);
    ASSERT_TRUE(dialog.save());
    const CalibrationCurves saved = print::LoadCalibrationCurves();
    EXPECT_EQ(std::tuple(saved.isIdentity(kCurveBlue), saved.isIdentity(kCurveRed), print::PrintCalibrationEnabled(),
                         Shell().config.printCalFlag, Shell().config.printCalChannel),
              std::tuple(false, true, true, 1, 2));

    CalibrationDialog again(nullptr);
    EXPECT_EQ(std::tuple(again.tones()[2], again.channel()), std::tuple(print::ToneSettings{30, 0, 100}, 2))
        << "the settings come back";
}

TEST_F(PrintPages, APrinterThatRefusesTheJobIsToldNotBeeped)
{
    // A folder where the PDF should go: the stand-in printer cannot open its file.
    std::filesystem::remove(pdf());
    std::filesystem::create_directory(pdf());
    ContactSheetDialog dialog(nullptr, album(3));
    const bool printed = dialog.printWithPreview();
    std::filesystem::remove(pdf());
    EXPECT_EQ(std::tuple(printed, ui.beeps, ui.messages.size()), std::tuple(false, 0, 1u));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Não foi possível imprimir"), std::string::npos) << ui.messages[0].text;
}

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
    EXPECT_EQ(std::tuple(AlbumBrowserCellLabel(2, "/modelos/Cartão de Natal.vlf"),
                         AlbumBrowserCellLabel(0, "/fotos/praia.2024.jpg")),
              std::tuple("3 Cartão de Natal", "1 praia.2024"));

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
