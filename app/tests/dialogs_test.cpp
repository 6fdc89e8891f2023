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
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    EXPECT_EQ(std::tuple(dialog.selectedType(), first->isHidden(), first->text(), second->isHidden(), quality->isHidden()),
              std::tuple(kSaveAsGif, false, QString("&Entrelaçar"), false, true));

    chooseType(dialog, kSaveAsTarga);
    EXPECT_EQ(std::tuple(first->text(), second->isHidden()), std::tuple(QString("&Comprimir"), true));

    chooseType(dialog, kSaveAsPng);
    EXPECT_TRUE(first->isHidden() && second->isHidden() && quality->isHidden());

    chooseType(dialog, kSaveAsJpeg);
    EXPECT_FALSE(quality->isHidden());
    quality->setValue(55);
    EXPECT_EQ(label->text(), "&Qualidade: 55");
    dialog.selectFile(QString::fromStdString(dir.file("saida")));
    dialog.accept();
    EXPECT_EQ(std::tuple(dialog.result(), CurrentSaveOptions().jpegQuality, CurrentSaveType()),
              std::tuple(int(QDialog::Accepted), 55, kSaveAsJpeg));
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(dialog.choice()->path, dir.file("saida.jpg")) << "a name without extension takes the type's, in lower case";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NewPictureDialog, AcceptedSizesAreRememberedInTheirUnit)
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
    EXPECT_EQ(std::tuple(list->item(0)->text(), list->item(1)->text()),
              std::tuple("4,00 x 6,00 Polegada", "640 x 480 Pixel"));
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_TRUE(label);
    EXPECT_EQ(std::tuple(label->text(), label->buddy()), std::tuple(QString("&Tamanhos recentes:"), list));

    auto* width = child<QDoubleSpinBox>(dialog, "width");
    auto* height = child<QDoubleSpinBox>(dialog, "height");
    list->setCurrentRow(0);
    EXPECT_EQ(std::tuple(width->value(), height->value(), dialog.unit()), std::tuple(4.0, 6.0, SizeUnit::Inch));
    dialog.accept();
    ASSERT_TRUE(dialog.request());
    EXPECT_EQ(std::tuple(dialog.request()->width, dialog.request()->height, store.values["Recent Sizes/size0"]),
              std::tuple(800, 1200, "4.000,6.000,Inch"))
        << "4 inches at 200 dpi";

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
    const QSize forText = shown();
    clipboard.clear();
    EXPECT_EQ(std::tuple(forText, shown()), std::tuple(QSize(640, 480), QSize(640, 480))) << "text is no picture";
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

    // A folder is not a file to replace.
    EXPECT_TRUE(ConfirmReplacing(dir.file("nova.JPG")) && ConfirmReplacing(dir.file("pasta.JPG")));
    EXPECT_EQ(ui.messages.size(), 1u);
}

// The file dialogs show the picture chosen, read by the program's own readers.
TEST(FileDialogs, ThePreviewShowsTheChosenPictureAndNothingForAFileItCannotRead)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB red = DibCreate(400, 100, 0x0000FF, false);
    ASSERT_EQ(WriteBmp(dir.file("vermelha.bmp"), red), WriteResult::Written);
    ASSERT_TRUE(WriteWholeFile(dir.file("notas.jpg"), std::vector<std::uint8_t>(100, 'x')));

    OpenDialog dialog(nullptr, false, dir.path().string());
    auto* preview = dialog.findChild<PicturePreview*>(QStringLiteral("previewwnd"));
    ASSERT_TRUE(preview);
    preview->choose(QString::fromStdString(dir.file("vermelha.bmp")));
    preview->showNow();
    ASSERT_FALSE(preview->picture().isNull());
    EXPECT_EQ(std::tuple(preview->picture().size(), preview->picture().pixelColor(90, 20), preview->caption()),
              std::tuple(QSize(180, 45), QColor(255, 0, 0), QString("400 × 100 pixels")))
        << "fitted into the pane";

    preview->choose(QString::fromStdString(dir.file("notas.jpg")));
    preview->showNow();
    EXPECT_TRUE(preview->picture().isNull() && ui.messages.empty()) << "the preview never talks";
    preview->choose(QString::fromStdString(dir.path().string()));
    EXPECT_TRUE(preview->picture().isNull()) << "a folder clears the pane";

    SaveAsDialog save(nullptr, dir.file("foto.jpg"), 1);
    EXPECT_TRUE(save.findChild<PicturePreview*>(QStringLiteral("previewwnd")));
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
    ASSERT_EQ(std::tuple(window.formats()->count(), window.resolutions()->count()), std::tuple(2, 5));
    EXPECT_EQ(std::tuple(window.formats()->item(1)->text(), window.resolutions()->item(2)->text(), window.choices().format,
                         window.choices().resolution),
              std::tuple(QStringLiteral("Tons de cinza (8 bits)"), QStringLiteral("Base (768 × 512)"), 1, 3));

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
    EXPECT_EQ(std::tuple(read.image().width(), read.image().bitCount(), StoredPhotoCdChoices().resolution),
              std::tuple(192, 8, 0));
    answerPhotoCdDialog(0, 2, false);
    EXPECT_EQ((std::tuple{ReadPhotoCd(pack).code(), StoredPhotoCdChoices().resolution}), std::tuple(ReadCode::Broken, 0))
        << "a cancel keeps the old choices";
    SetStoredPhotoCdChoices(before);
}

}  // namespace
}  // namespace lv::app
