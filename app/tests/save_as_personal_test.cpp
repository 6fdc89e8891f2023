// "Remover informações pessoais" in the real Save-as dialog of an open photo: off at first,
// offered for the formats that keep metadata, and when checked the file written has no GPS
// position or serial number while the date stays (checked with the metadata library's reader).

#include "app/tests/editing_window.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/editing/save_as_dialog.h"
#include "app/shell/main_window.h"
#include "app/shell/test_hooks.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/save_as.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lv::app {
namespace {

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
        EXPECT_FALSE(personal.isChecked()) << "off by default";
        EXPECT_FALSE(personal.isHidden()) << "JPEG keeps metadata";
    }));
    const std::string kept = exivTags(dir.file("comum.jpg"));
    EXPECT_NE(kept.find("Exif.GPSInfo.GPSLatitudeRef"), std::string::npos) << kept;
    EXPECT_NE(kept.find("12345"), std::string::npos) << kept;

    ASSERT_TRUE(saveAs("anonima.png", [](QCheckBox& personal) {
        EXPECT_FALSE(personal.isChecked()) << "off at every opening";
        personal.setChecked(true);
    }));
    const std::string removed = exivTags(dir.file("anonima.png"));
    EXPECT_EQ(removed.find("GPSInfo"), std::string::npos) << removed;
    EXPECT_EQ(removed.find("12345"), std::string::npos) << removed;
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
