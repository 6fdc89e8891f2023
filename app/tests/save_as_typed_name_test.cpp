// The Save-as dialog as a user meets it: a name typed into the field and Enter.

#include "app/core/documents/document_files.h"
#include "app/editing/save_as_dialog.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/save_as.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

class TypedName : public ::testing::Test {
protected:
    void TearDown() override { CurrentSaveType() = kSaveAsJpeg; }

    // Replaces the name in the field by `name` and presses Enter; true when the dialog closed accepted.
    static bool typeAndEnter(SaveAsDialog& dialog, const QString& name)
    {
        dialog.show();
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        EXPECT_TRUE(field);
        field->selectAll();
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
        return dialog.result() == QDialog::Accepted && !dialog.isVisible();
    }

    testing::TempDir dir;
    testing::UiRecorder ui;
};

TEST_F(TypedName, ATypedKnownExtensionChoosesTheFormatInAnyCase)
{
    const std::tuple<QString, int, int, std::string> cases[] = {
        {"nome.png", kSaveAsJpeg, kSaveAsPng, "nome.png"},      {"nome.vlf", kSaveAsJpeg, kSaveAsLayered, "nome.vlf"},
        {"nome.JPEG", kSaveAsPng, kSaveAsJpeg, "nome.JPEG"},     {"nome.tiff", kSaveAsPng, kSaveAsTiff, "nome.tiff"},
        {"nome.Tga", kSaveAsLayered, kSaveAsTarga, "nome.Tga"}, {"nome", kSaveAsPng, kSaveAsPng, "nome.png"},
        {"nome", kSaveAsLayered, kSaveAsLayered, "nome.vlf"},
    };
    for (const auto& [typed, list, type, file] : cases) {
        SaveAsDialog dialog(nullptr, dir.file("foto.bmp"), 1, list);
        ASSERT_TRUE(typeAndEnter(dialog, typed)) << typed.toStdString();
        EXPECT_EQ(dialog.choice()->path, dir.file(file));
        EXPECT_EQ(dialog.choice()->saveType, type) << typed.toStdString();
        EXPECT_EQ(CurrentSaveType(), type);
    }
    EXPECT_TRUE(ui.messages.empty()) << "one layer: nothing to ask";
}

TEST_F(TypedName, AnUnknownExtensionKeepsTheDialogOpenWithTheMessage)
{
    SaveAsDialog dialog(nullptr, dir.file("foto.png"), 1);
    EXPECT_FALSE(typeAndEnter(dialog, "nome.xyz"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido. --- " + dir.file("nome.xyz")});
    EXPECT_TRUE(typeAndEnter(dialog, "nome.png")) << "the user corrects the name and goes on";
    EXPECT_EQ(dialog.choice()->saveType, kSaveAsPng);
}

TEST_F(TypedName, LosingLayersIsAskedOnlyForAFlatFormat)
{
    SaveAsDialog layered(nullptr, dir.file("camadas.vlf"), 3, kSaveAsJpeg);
    EXPECT_TRUE(typeAndEnter(layered, "nome.vlf"));
    EXPECT_TRUE(ui.messages.empty()) << "the list said JPEG, the name says VLF";

    SaveAsDialog flat(nullptr, dir.file("camadas.vlf"), 3, kSaveAsLayered);
    ui.answers = {ui::Answer::No};
    EXPECT_FALSE(typeAndEnter(flat, "nome.jpg"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?");
    ui.answers = {ui::Answer::Yes};
    EXPECT_TRUE(typeAndEnter(flat, "nome.jpg"));
    EXPECT_EQ(flat.choice()->saveType, kSaveAsJpeg);
}

TEST_F(TypedName, TheListStartsOnThePicturesOwnFormatAndChoosingATypeAddsLowerCase)
{
    CurrentSaveType() = kSaveAsJpeg;
    EXPECT_EQ(SaveAsDialog(nullptr, dir.file("foto.png"), 1).selectedType(), kSaveAsPng);
    EXPECT_EQ(SaveAsDialog(nullptr, dir.file("foto.tga"), 1).selectedType(), kSaveAsTarga);
    EXPECT_EQ(SaveAsDialog(nullptr, "Sem título-01", 2).selectedType(), kSaveAsLayered);
    EXPECT_EQ(SaveAsDialog(nullptr, "Sem título-01", 1).selectedType(), kSaveAsJpeg);

    SaveAsDialog dialog(nullptr, dir.file("foto.jpg"), 1);
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(list && field);
    dialog.show();
    for (const auto& [type, name] : {std::pair{kSaveAsPng, "foto.png"}, {kSaveAsLayered, "foto.vlf"}, {kSaveAsBmp, "foto.bmp"}}) {
        list->setCurrentIndex(type - 1);
        emit list->activated(type - 1);  // as a click on the entry
        EXPECT_EQ(field->text(), name);
    }
}

}  // namespace
}  // namespace lv::app
