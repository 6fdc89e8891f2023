// The Save-as dialog as a user meets it: a name typed into the field and Enter, and the
// choice to leave personal data out of the file.

#include "app/core/documents/document_files.h"
#include "app/editing/save_as_dialog.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/save_as.h"
#include "app/tests/editing_window.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/shell/test_hooks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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
        EXPECT_EQ(std::tuple(dialog.choice()->path, dialog.choice()->saveType, CurrentSaveType()),
                  std::tuple(dir.file(file), type, type))
            << typed.toStdString();
    }
    EXPECT_TRUE(ui.messages.empty()) << "one layer: nothing to ask";
}

TEST_F(TypedName, AnUnknownExtensionKeepsTheDialogOpenWithTheMessage)
{
    SaveAsDialog dialog(nullptr, dir.file("foto.png"), 1);
    EXPECT_FALSE(typeAndEnter(dialog, "nome.xyz") || !dialog.isVisible());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido. --- " + dir.file("nome.xyz")});
    EXPECT_TRUE(typeAndEnter(dialog, "nome.png")) << "the user corrects the name and goes on";
    EXPECT_EQ(dialog.choice()->saveType, kSaveAsPng);
}

TEST_F(TypedName, LosingLayersIsAskedOnlyForAFlatFormat)
{
    SaveAsDialog layered(nullptr, dir.file("camadas.vlf"), 3, kSaveAsJpeg);
    EXPECT_TRUE(typeAndEnter(layered, "nome.vlf") && ui.messages.empty()) << "the list said JPEG, the name says VLF";

    SaveAsDialog flat(nullptr, dir.file("camadas.vlf"), 3, kSaveAsLayered);
    ui.answers = {ui::Answer::No};
    EXPECT_FALSE(typeAndEnter(flat, "nome.jpg"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?");
    ui.answers = {ui::Answer::Yes};
    EXPECT_TRUE(typeAndEnter(flat, "nome.jpg") && flat.choice()->saveType == kSaveAsJpeg);
}

TEST_F(TypedName, TheListStartsOnThePicturesOwnFormatAndChoosingATypeAddsLowerCase)
{
    CurrentSaveType() = kSaveAsJpeg;
    EXPECT_EQ((std::vector{SaveAsDialog(nullptr, dir.file("foto.png"), 1).selectedType(),
                           SaveAsDialog(nullptr, dir.file("foto.tga"), 1).selectedType(),
                           SaveAsDialog(nullptr, "Sem título-01", 2).selectedType(),
                           SaveAsDialog(nullptr, "Sem título-01", 1).selectedType()}),
              (std::vector<int>{kSaveAsPng, kSaveAsTarga, kSaveAsLayered, kSaveAsJpeg}));

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

std::string exivTags(const std::string& path)
{
    const std::string listed = path + ".tags";
    std::system(("exiv2 -q -pa '" + path + "' > '" + listed + "' 2>/dev/null").c_str());
    std::ifstream in(listed);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct SaveAsPersonal : ::testing::Test, BareEditingWindow {
    testing::TempDir dir;

    // Save as through the dialog, which the timer finds shown: `check` sets the choice.
    bool saveAs(const std::string& name, const std::function<void(QCheckBox&)>& check)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<SaveAsDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            auto* personal = dialog->findChild<QCheckBox*>(QStringLiteral("personal"));
            if (!personal) {
                dialog->reject();
                FAIL() << "no personal-data choice";
            }
            check(*personal);
            dialog->selectFile(QString::fromStdString(dir.file(name)));
            dialog->accept();
        });
        return documents.saveAs(*documents.active());
    }
};

TEST_F(SaveAsPersonal, TheCheckedChoiceDropsGpsAndSerialsFromTheFileAndLaterSaves)
{
    const std::string photo = dir.file("praia.jpg");
    ASSERT_EQ(std::system(("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 1 '" + photo + "'").c_str()), 0);
    ASSERT_EQ(std::system(("exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2021:06:05 14:03:09'"
                           " -M'set Exif.Photo.BodySerialNumber 12345' -M'set Exif.GPSInfo.GPSLatitudeRef S' '" + photo + "'").c_str()),
              0);
    ASSERT_TRUE(documents.openDocument(photo));

    ASSERT_TRUE(saveAs("comum.jpg", [](QCheckBox& personal) {
        EXPECT_FALSE(personal.isChecked() || personal.isHidden()) << "off by default; JPEG keeps metadata";
    }));
    const std::string kept = exivTags(dir.file("comum.jpg"));
    EXPECT_TRUE(kept.find("Exif.GPSInfo.GPSLatitudeRef") != std::string::npos && kept.find("12345") != std::string::npos)
        << kept;

    ASSERT_TRUE(saveAs("anonima.png", [](QCheckBox& personal) {
        EXPECT_FALSE(personal.isChecked()) << "off at every opening";
        personal.setChecked(true);
    }));
    const std::string removed = exivTags(dir.file("anonima.png"));
    EXPECT_TRUE(removed.find("GPSInfo") == std::string::npos && removed.find("12345") == std::string::npos) << removed;
    EXPECT_NE(removed.find("2021:06:05 14:03:09"), std::string::npos) << "the date is not personal: " << removed;

    // What the file lost stays out of the document's next save.
    ASSERT_TRUE(documents.save(*documents.active()));
    EXPECT_EQ(exivTags(dir.file("anonima.png")).find("GPSInfo"), std::string::npos);
}

TEST(SaveAsPersonalChoice, OfferedOnlyForTheFormatsThatKeepMetadata)
{
    testing::TempDir dir;
    SaveAsDialog dialog(nullptr, dir.file("foto.jpg"), 1);
    auto* personal = dialog.findChild<QCheckBox*>(QStringLiteral("personal"));
    ASSERT_TRUE(personal);
    EXPECT_EQ(personal->text(), "Remover informações pessoais");
    for (const int type : {kSaveAsBmp, kSaveAsGif, kSaveAsTarga, kSaveAsTiff, kSaveAsPng, kSaveAsJpeg}) {
        dialog.selectNameFilter(dialog.nameFilters()[type - 1]);
        emit dialog.filterSelected(dialog.selectedNameFilter());
        const bool keeps = type == kSaveAsTiff || type == kSaveAsPng || type == kSaveAsJpeg;
        EXPECT_EQ(personal->isHidden(), !keeps) << type;
    }
}

}  // namespace
}  // namespace lv::app
