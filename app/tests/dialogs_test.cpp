#include "app/core/document_files.h"
#include "app/core/tests/memory_store.h"
#include "app/dialogs/new_picture_dialog.h"
#include "app/dialogs/save_as_dialog.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/save_as.h"
#include "imagelib/save_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

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

}  // namespace
}  // namespace lv::app
