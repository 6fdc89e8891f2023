// Photos dropped on the album page: a damaged one joins the album and is listed once among
// the files added with a problem, beside those that could not be added.

#include "album/album_file.h"
#include "album/album_page_session.h"
#include "app/album/album_page.h"
#include "app/core/shell_state.h"
#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/tests/shell_fakes.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_alloc.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::app {
namespace {

class NoDocuments final : public AlbumDocuments {
public:
    bool openPhoto(const std::string&) override { return false; }
    bool hasActiveImage() const override { return false; }
    bool addLayer(QWidget*, HDIB) override { return false; }
    bool isImageWindow(const QWidget*) const override { return false; }
};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(AlbumDamagedDrop, ATruncatedJpegIsAddedAndListedOnce)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    Shell().displayBitsPerPixel = 24;
    Shell().screenMode = QueryScreenMode(Size{1280, 1024}, 0);
    std::filesystem::create_directories(dir.path() / "albums");
    ASSERT_TRUE(WriteWholeFile(dir.file("albums/album1.abm"), album::EncodeAlbum({})));
    HDIB picture = AllocatePicture(300, 200, 24, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < int(picture.stride()); ++x)
            picture.row(y)[x] = std::uint8_t(x * y);
    ASSERT_EQ(WriteJpeg(dir.file("boa.jpg"), picture, 90), WriteResult::Written);
    auto bytes = ReadWholeFile(dir.file("boa.jpg")).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(dir.file("cortada.jpg"), bytes));

    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    MainWindow window{opener, images, hooks, [] {}};
    ASSERT_TRUE(window.create());
    NoDocuments documents;
    AlbumLibrary library{dir.path() / "LV2000.ini", LV_PROGRAM_DIR, dir.path() / "albums"};
    library.catalogue.addLine(0, "album1.abm=Praia");
    OpenAlbum openAlbum;
    AlbumPage page(window, documents, hooks, library, openAlbum);
    ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dir.file("boa.jpg").c_str()), QUrl::fromLocalFile(dir.file("cortada.jpg").c_str()),
                  QUrl::fromLocalFile(dir.file("sumiu.jpg").c_str())});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QWidget* cell = window.findChild<QWidget*>(QStringLiteral("albumpicwnd"));
    ASSERT_NE(cell, nullptr);
    static_cast<QObject*>(cell)->event(&drop);
    for (int i = 0; i < 3000 && page.adder().running(); ++i)
        QTest::qWait(5);
    ASSERT_FALSE(page.adder().running());

    EXPECT_EQ(page.session().album().count(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& told = ui.messages[0].text;
    EXPECT_EQ(Count(told, "sumiu.jpg — "), 1u) << told;
    EXPECT_EQ(Count(told, "cortada.jpg — "), 1u) << told;
    EXPECT_EQ(Count(told, "boa.jpg — "), 0u) << told;
}

}  // namespace
}  // namespace lv::app
