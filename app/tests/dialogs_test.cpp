#include "app/core/documents/document_files.h"
#include "app/core/tests/memory_store.h"
#include "app/editing/new_picture_dialog.h"
#include "app/editing/open_dialog.h"
#include "app/editing/photo_cd_options_dialog.h"
#include "app/shell/clipboard_exchange.h"
#include "app/editing/save_as_dialog.h"
#include "app/widgets/picture_preview.h"
#include "common/byte_sink.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/save_options.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QApplication>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

template <typename T>
T* child(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

void chooseType(SaveAsDialog& dialog, int type)
{
    dialog.selectNameFilter(dialog.nameFilters()[type - 1]);
    emit dialog.filterSelected(dialog.selectedNameFilter());
}

TEST(SaveAsDialog, TheOptionsPanelFollowsTheTypeAndStoresItsChoicesOnOk)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    CurrentSaveOptions() = {};
    SaveAsDialog dialog(nullptr, dir.file("foto.jpg"), 1);
    auto* first = child<QCheckBox>(dialog, "1403");
    auto* label = child<QLabel>(dialog, "1404");
    auto* quality = child<QScrollBar>(dialog, "1405");
    auto* second = child<QCheckBox>(dialog, "1406");
    ASSERT_TRUE(first && label && quality && second);

    chooseType(dialog, kSaveAsGif);
    EXPECT_EQ(dialog.selectedType(), kSaveAsGif);
    EXPECT_FALSE(first->isHidden());
    EXPECT_EQ(first->text(), "&Entrelaçar");
    EXPECT_FALSE(second->isHidden());
    EXPECT_TRUE(quality->isHidden());

    chooseType(dialog, kSaveAsTarga);
    EXPECT_EQ(first->text(), "&Comprimir");
    EXPECT_TRUE(second->isHidden());

    chooseType(dialog, kSaveAsPng);
    EXPECT_TRUE(first->isHidden() && second->isHidden() && quality->isHidden());

    chooseType(dialog, kSaveAsJpeg);
    EXPECT_FALSE(quality->isHidden());
    quality->setValue(55);
    EXPECT_EQ(label->text(), "&Qualidade: 55");
    dialog.selectFile(QString::fromStdString(dir.file("saida")));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CurrentSaveOptions().jpegQuality, 55);
    EXPECT_EQ(CurrentSaveType(), kSaveAsJpeg);
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(dialog.choice()->path, dir.file("saida.jpg")) << "a name without extension takes the type's, in lower case";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NewPictureDialog, TooLargeSizesKeepTheDialogAndAcceptedOnesAreRememberedInTheirUnit)
{
    testing::UiRecorder ui;
    testing::MemoryStore store;
    store.values["Recent Sizes/size0"] = "4.000,6.000,Inch";
    store.values["Recent Sizes/size1"] = "640,480,Pixel";
    QApplication::clipboard()->clear();
    NewPictureDialog dialog(nullptr, store);
    auto* list = child<QListWidget>(dialog, "recent");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "4,00 x 6,00 Polegada");
    EXPECT_EQ(list->item(1)->text(), "640 x 480 Pixel");
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "&Tamanhos recentes:");
    EXPECT_EQ(label->buddy(), list);

    auto* width = child<QDoubleSpinBox>(dialog, "width");
    auto* height = child<QDoubleSpinBox>(dialog, "height");
    list->setCurrentRow(0);
    EXPECT_EQ(width->value(), 4.0);
    EXPECT_EQ(height->value(), 6.0);
    EXPECT_EQ(dialog.unit(), SizeUnit::Inch);
    dialog.accept();
    ASSERT_TRUE(dialog.request());
    EXPECT_EQ(dialog.request()->width, 800) << "4 inches at 200 dpi";
    EXPECT_EQ(dialog.request()->height, 1200);
    EXPECT_EQ(store.values["Recent Sizes/size0"], "4.000,6.000,Inch");

    NewPictureDialog tooLarge(nullptr, store);
    tooLarge.findChild<QComboBox*>()->setCurrentIndex(0);
    child<QDoubleSpinBox>(tooLarge, "width")->setValue(10001);
    tooLarge.accept();
    EXPECT_FALSE(tooLarge.request());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"O tamanho da imagem é grande demais.\nLargura e altura até 10000 Pixel."});
}

TEST(NewPictureDialog, OpensWithTheClipboardPicturesSizeElse640By480)
{
    testing::MemoryStore store;
    const auto shown = [&store] {
        NewPictureDialog dialog(nullptr, store);
        return QSize(int(child<QDoubleSpinBox>(dialog, "width")->value()), int(child<QDoubleSpinBox>(dialog, "height")->value()));
    };
    QClipboard& clipboard = *QApplication::clipboard();
    QImage other(123, 45, QImage::Format_RGB32);
    other.fill(Qt::red);
    clipboard.setImage(other);
    EXPECT_EQ(shown(), QSize(123, 45)) << "another program's picture";
    const auto piece = LayerFromPicture(DibCreate(77, 66, 0x102030, false));
    ASSERT_TRUE(piece);
    PutLayerOnClipboard(*piece);
    EXPECT_EQ(shown(), QSize(77, 66)) << "a layer copied in the program";
    clipboard.setText(QStringLiteral("texto"));
    EXPECT_EQ(shown(), QSize(640, 480)) << "text is no picture";
    clipboard.clear();
    EXPECT_EQ(shown(), QSize(640, 480));
}

// The question itself, Não back to the dialog and Sim replacing: `Desktop.SavingOverAFileAsksFirstAndNaoKeepsTheOldFile`.
TEST(SaveAsDialog, ThePicturesOwnNameIsAskedAboutAndAFolderIsNoFileToReplace)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    std::filesystem::create_directory(dir.path() / "pasta.JPG");
    // The picture's own name is offered as it is, so saving over it asks too.
    ASSERT_TRUE(WriteWholeFile(dir.file("foto.jpg"), std::vector<std::uint8_t>{1}));
    CurrentSaveType() = kSaveAsJpeg;
    SaveAsDialog again(nullptr, dir.file("foto.jpg"), 1);
    EXPECT_EQ(again.choice()->path, dir.file("foto.jpg")) << "not turned into foto.JPG, another file";
    ui.answers = {ui::Answer::No};
    again.accept();
    EXPECT_NE(again.result(), QDialog::Accepted);
    ASSERT_EQ(ui.messages.size(), 1u);

    ui.messages.clear();
    EXPECT_TRUE(ConfirmReplacing(dir.file("nova.JPG")));
    EXPECT_TRUE(ConfirmReplacing(dir.file("pasta.JPG"))) << "a folder is not a file to replace";
    EXPECT_TRUE(ui.messages.empty());
}

// The file dialogs show the picture chosen, read by the program's own readers.
TEST(FileDialogs, ThePreviewShowsTheChosenPictureAndNothingForAFileItCannotRead)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB red = AllocatePicture(400, 100, 24, 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            red.row(y)[3 * x + 2] = 255;
    ASSERT_EQ(WriteBmp(dir.file("vermelha.bmp"), red), WriteResult::Written);
    ASSERT_TRUE(WriteWholeFile(dir.file("notas.jpg"), std::vector<std::uint8_t>(100, 'x')));

    OpenDialog dialog(nullptr, false, dir.path().string());
    auto* preview = dialog.findChild<PicturePreview*>(QStringLiteral("previewwnd"));
    ASSERT_TRUE(preview);
    preview->choose(QString::fromStdString(dir.file("vermelha.bmp")));
    preview->showNow();
    ASSERT_FALSE(preview->picture().isNull());
    EXPECT_EQ(preview->picture().size(), QSize(180, 45)) << "fitted into the pane";
    EXPECT_EQ(preview->picture().pixelColor(90, 20), QColor(255, 0, 0));
    EXPECT_EQ(preview->caption(), "400 × 100 pixels");

    preview->choose(QString::fromStdString(dir.file("notas.jpg")));
    preview->showNow();
    EXPECT_TRUE(preview->picture().isNull());
    EXPECT_TRUE(ui.messages.empty()) << "the preview never talks";
    preview->choose(QString::fromStdString(dir.path().string()));
    EXPECT_TRUE(preview->picture().isNull()) << "a folder clears the pane";

    SaveAsDialog save(nullptr, dir.file("foto.jpg"), 1);
    EXPECT_TRUE(save.findChild<PicturePreview*>(QStringLiteral("previewwnd")));
}

// The test program speaks Portuguese as the program does (app_test_main).
TEST(FileDialogs, QtsOwnTextsArePortuguese)
{
    OpenDialog dialog(nullptr, false, "/");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Nome do &arquivo:") || labels.contains("&Nome do arquivo:")) << labels.join(" | ").toStdString();
    EXPECT_FALSE(labels.contains("File &name:"));
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_TRUE(buttons.contains("&Abrir") || buttons.contains("Abrir")) << buttons.join(" | ").toStdString();
    EXPECT_TRUE(buttons.contains("Cancelar")) << buttons.join(" | ").toStdString();
    EXPECT_EQ(QLocale().decimalPoint(), ",");
}

// Acts on the options dialog once it runs: picks the rows, then OK or Cancel.
void answerPhotoCdDialog(int format, int resolution, bool ok)
{
    QTimer::singleShot(0, [=] {
        auto* window = dynamic_cast<PhotoCdOptionsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        window->formats()->setCurrentRow(format);
        window->resolutions()->setCurrentRow(resolution);
        ok ? window->accept() : window->reject();
    });
}

TEST(PhotoCdOptionsDialog, OffersTwoFormatsAndFiveResolutionsAndReadsWhatWasChosen)
{
    PhotoCdOptionsWindow window(nullptr, {1, 3});
    ASSERT_EQ(window.formats()->count(), 2);
    ASSERT_EQ(window.resolutions()->count(), 5);
    EXPECT_EQ(window.formats()->item(1)->text(), QStringLiteral("Tons de cinza (8 bits)"));
    EXPECT_EQ(window.resolutions()->item(2)->text(), QStringLiteral("Base (768 × 512)"));
    EXPECT_EQ(window.choices().format, 1);
    EXPECT_EQ(window.choices().resolution, 3);

    // Through the image library: the asking mode shows the dialog, OK reads at the choice.
    TestHooks hooks;
    QtPhotoCdOptions options(hooks);
    ScopedPhotoCdOptionsDialog installed(options);
    ScopedPhotoCdMode mode(kPhotoCdAsk);
    const PhotoCdChoices before = StoredPhotoCdChoices();
    const std::string pack = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/pcd/gm.pcd";
    answerPhotoCdDialog(1, 0, true);
    ReadResult read = ReadPhotoCd(pack);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.image().width(), 192);
    EXPECT_EQ(read.image().bitCount(), 8);
    EXPECT_EQ(StoredPhotoCdChoices().resolution, 0);
    answerPhotoCdDialog(0, 2, false);
    EXPECT_EQ(ReadPhotoCd(pack).code(), ReadCode::Broken);
    EXPECT_EQ(StoredPhotoCdChoices().resolution, 0);  // a cancel keeps the old choices
    SetStoredPhotoCdChoices(before);
}

}  // namespace
}  // namespace lv::app
