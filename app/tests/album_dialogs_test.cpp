// The album page's dialogs: the properties of a photo with renaming, and the photo search
// library behind its three entry points.

#include "album/album_file.h"
#include "app/album/photo_properties_dialog.h"
#include "app/album/photo_search_dialog.h"
#include "app/album/photo_search_library.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace lv::app {
namespace {

namespace fs = std::filesystem;

HDIB Picture(int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        std::fill_n(picture.row(y), picture.stride(), std::uint8_t(90 + y));
    return picture;
}

TEST(PhotoProperties, FieldsShowTheFactsAndAnExistingNameKeepsTheDialogOpen)
{
    lv::testing::UiRecorder ui;
    album::PhotoProperties facts{"foto", "/fotos/", "JPG", "2.0 KB", "10:20:30    01/02/2003", "  4 x 3\n  24 Bits"};
    std::vector<std::string> asked;
    album::RenameResult answer = album::RenameResult::Exists;
    PhotoPropertiesDialog dialog(nullptr, facts, [&](const std::string& name) {
        asked.push_back(name);
        return answer;
    });
    EXPECT_EQ(dialog.windowTitle(), "Propriedades");
    const std::pair<int, const char*> fields[] = {{8000, "foto"},   {8006, "/fotos/"}, {8002, "JPG"},
                                                  {8003, "2.0 KB"}, {8004, "10:20:30    01/02/2003"}, {8005, "  4 x 3\n  24 Bits"}};
    for (const auto& [id, text] : fields)
        EXPECT_EQ(dialog.fieldText(id), text) << id;

    dialog.show();
    dialog.accept();  // the name did not change: no rename asked
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.nameField()->setText("praia");
    dialog.accept();
    EXPECT_EQ(asked, std::vector<std::string>{"praia"});
    EXPECT_TRUE(dialog.isVisible());  // the name is taken: another one is wanted
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "O arquivo já existe");
    answer = album::RenameResult::Renamed;
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
}

// The program's side of the library contract, as the album page passes it.
int Draw(DrawingSurface* surface, const Rect* rect, const HDIB* image)
{
    return DibDrawFitted(*surface, *image, *rect) ? 1 : 0;
}
HDIB Fit(const HDIB* image, std::uint16_t w, std::uint16_t h)
{
    return DibScaledCopy(*image, w, h, true);
}
int loads = 0;
HDIB Load(const char* path)
{
    ++loads;
    HDIB picture;
    if (auto file = FileSource::Open(path))
        picture = ReadBmp(*file).take();
    return picture;
}

class SearchLibrary : public ::testing::Test {
protected:
    SearchLibrary()
    {
        fs::create_directories(dir.path() / "albums");
        album::Album made;
        for (const char* name : {"praia1.bmp", "serra.bmp", "praia2.bmp"}) {
            HDIB picture = Picture(120, 80);
            const std::string path = dir.file(name);
            EXPECT_EQ(WriteBmp(path, picture), WriteResult::Written);
            made.append(*album::BuildEntry(picture, {path, "", {1, 1, 1}}));
        }
        EXPECT_TRUE(made.write(dir.file("albums/album1.abm")));
        search::InitProc(Draw, Fit, Load);
    }
    // Runs OpenSearchDlg with `act` done on the dialog once it shows.
    int run(std::function<void(search::PhotoSearchDialog&)> act)
    {
        buffer.assign(search::kSearchBufferBytes, '\0');
        const std::string folder = dir.file("albums");
        std::memcpy(buffer.data(), folder.c_str(), folder.size());
        QTimer::singleShot(0, [act] {
            auto* dialog = dynamic_cast<search::PhotoSearchDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
        return search::OpenSearchDlg(nullptr, buffer.data(), 85, 85);
    }
    static void searchFor(search::PhotoSearchDialog& dialog, const QString& name)
    {
        dialog.findChild<QLineEdit*>("name")->setText(name);
        dialog.findChild<QPushButton*>("searchbutton")->click();
        for (int i = 0; i < 2000 && dialog.searching(); ++i)
            QTest::qWait(5);
    }
    std::string answer() const { return std::string(buffer.data()); }

    lv::testing::TempDir dir;
    std::vector<char> buffer;
};

TEST_F(SearchLibrary, TypesAreAddedOnceAndCancelLeavesTheBuffer)
{
    const int known = search::SetSupportImageType("*.BMP");
    EXPECT_EQ(search::SetSupportImageType("*.bmp;*.XYZ;*.*;semponto"), known + 1);
    EXPECT_EQ(run([](search::PhotoSearchDialog& d) { d.reject(); }), search::kSearchCancelled);
    EXPECT_EQ(answer(), dir.file("albums"));
    EXPECT_EQ(search::OpenSearchDlg(nullptr, nullptr, 85, 85), search::kSearchCancelled);
}

TEST_F(SearchLibrary, HitsShowAsThumbnailsAndTheChosenOneIsAnswered)
{
    std::size_t shown = 0;
    loads = 0;
    const int result = run([&](search::PhotoSearchDialog& d) {
        searchFor(d, "praia");
        shown = std::size_t(d.findChild<QListWidget*>("results")->count());
        EXPECT_EQ(d.findChild<QListWidget*>("results")->iconSize(), QSize(85, 85));
        EXPECT_EQ(d.findChild<QLabel*>("status")->text(), "2 fotos encontradas.");
        d.findChild<QListWidget*>("results")->setCurrentRow(1);
        d.findChild<QPushButton*>("open")->click();
    });
    EXPECT_EQ(shown, 2u);
    EXPECT_GE(loads, 1);  // the larger picture of the hit chosen comes through the load procedure
    EXPECT_EQ(result, search::kSearchOpenPhoto);
    EXPECT_EQ(answer(), dir.file("praia2.bmp"));
}

// A click on the day, then two digits typed, as the user does.
QDate TypedDay(QDateEdit& field, const char* digits)
{
    // The click lands on the field's text, between the day's two digits.
    auto* text = field.findChild<QLineEdit*>();
    const int dayX = text->fontMetrics().horizontalAdvance(QStringLiteral("0")) + 3;
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(dayX, text->height() / 2));
    QTest::keyClicks(&field, QString::fromLatin1(digits));
    return field.date();
}

// The search dialog's dates take typing after one click, as any date field does.
TEST(SearchDateTyping, OneClickOnTheDayThenDigitsSetsTheDay)
{
    search::PhotoSearchDialog dialog(nullptr, {}, {}, "/nonexistent", 85, 85);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const char* name : {"after", "before"}) {
        SCOPED_TRACE(name);
        auto* use = dialog.findChild<QCheckBox*>(QStringLiteral("use") + QString::fromLatin1(name));
        auto* field = dialog.findChild<QDateEdit*>(QString::fromLatin1(name));
        ASSERT_TRUE(use && field);
        QTest::mouseClick(use, Qt::LeftButton);
        ASSERT_TRUE(field->isEnabled());
        field->setDate(QDate(2020, 3, 7));
        EXPECT_EQ(TypedDay(*field, "15"), QDate(2020, 3, 15));
        EXPECT_EQ(TypedDay(*field, "02"), QDate(2020, 3, 2)) << "a second click starts the day afresh";
    }
}

}  // namespace
}  // namespace lv::app
