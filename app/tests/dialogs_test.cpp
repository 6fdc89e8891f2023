#include "app/core/document_files.h"
#include "app/core/tests/memory_store.h"
#include "app/dialogs/new_picture_dialog.h"
#include "app/dialogs/photo_cd_options_dialog.h"
#include "app/dialogs/save_as_dialog.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/pcd.h"
#include "imagelib/save_as.h"
#include "imagelib/save_options.h"

#include <QCheckBox>
#include <QComboBox>
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
    EXPECT_EQ(dialog.choice()->path, dir.file("saida.JPG")) << "a name without extension takes the type's";
    EXPECT_TRUE(ui.messages.empty());
}

// Which choices are refused or questioned is the document files' test; here the dialog's answer.
TEST(SaveAsDialog, AQuestionedChoiceKeepsTheDialogOpenUntilAccepted)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    SaveAsDialog layered(nullptr, dir.file("camadas.png"), 3);
    chooseType(layered, kSaveAsPng);
    ui.answers = {ui::Answer::No};
    layered.accept();
    EXPECT_NE(layered.result(), QDialog::Accepted);
    ui.answers = {ui::Answer::Yes};
    layered.accept();
    EXPECT_EQ(layered.result(), QDialog::Accepted);
    EXPECT_EQ(CurrentSaveType(), kSaveAsPng);
    CurrentSaveType() = kSaveAsJpeg;
}

TEST(NewPictureDialog, TooLargeSizesKeepTheDialogAndAcceptedOnesAreRememberedInTheirUnit)
{
    testing::UiRecorder ui;
    testing::MemoryStore store;
    store.values["Recent Sizes/size0"] = "4.000,6.000,Inch";
    NewPictureDialog dialog(nullptr, store);
    auto* list = dialog.findChild<QListWidget*>();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "4.000 x 6.000 Polegada");
    list->setCurrentRow(0);
    auto spins = dialog.findChildren<QDoubleSpinBox*>();
    ASSERT_EQ(spins.size(), 2);
    EXPECT_EQ(spins[0]->value(), 4.0);
    dialog.accept();
    ASSERT_TRUE(dialog.request());
    EXPECT_EQ(dialog.request()->width, 800) << "4 inches at 200 dpi";
    EXPECT_EQ(dialog.request()->height, 1200);
    EXPECT_EQ(store.values["Recent Sizes/size0"], "4.000,6.000,Inch");

    NewPictureDialog tooLarge(nullptr, store);
    tooLarge.findChild<QComboBox*>()->setCurrentIndex(0);
    tooLarge.findChildren<QDoubleSpinBox*>()[0]->setValue(10001);
    tooLarge.accept();
    EXPECT_FALSE(tooLarge.request());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"O tamanho da imagem é grande demais."});
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
