// The album page on the build's skin: the grid, the mouse (selection, drags, the menu), the
// Delete key, read-only albums, saving when the page is left, adding photos behind the
// window's back, and the album browser control; the page's dialogs: a photo's properties with
// renaming, and the photo search library behind its three entry points.

#include "album/album_file.h"
#include "album/large_thumbnails.h"
#include "album/album_page_session.h"
#include "app/core/shell_state.h"
#include "app/tests/shell_fakes.h"
#include "app/widgets/album_browser.h"
#include "app/widgets/album_name_list.h"
#include "app/widgets/skin_list_box.h"
#include "app/widgets/scroll_control.h"
#include "app/album/album_page.h"
#include "app/shell/main_window.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png_text.h"
#include "imagelib/dib_alloc.h"
#include "app/album/photo_properties_dialog.h"
#include "app/album/photo_search_dialog.h"
#include "app/album/photo_search_library.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <cstring>

namespace lv::app {
namespace {

namespace fs = std::filesystem;

class RecordingDocuments final : public AlbumDocuments {
public:
    bool openPhoto(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    bool hasActiveImage() const override { return active; }
    bool addLayer(QWidget*, HDIB picture) override
    {
        layers.push_back(picture ? picture.width() : -1);
        return true;
    }
    bool isImageWindow(const QWidget* widget) const override { return widget && widget->objectName() == "image"; }
    std::vector<std::string> opened;
    std::vector<int> layers;
    bool active = false;
};

// The classes without a meta-object of their own are found by their type at run time.
std::vector<AlbumCell*> CellsOf(const QWidget& parent)
{
    std::vector<AlbumCell*> cells;
    for (QWidget* w : parent.findChildren<QWidget*>(QStringLiteral("albumpicwnd")))
        if (auto* cell = dynamic_cast<AlbumCell*>(w))
            cells.push_back(cell);
    return cells;
}

// The skinned list box of the page's albums, when it shows.
SkinListBox* ListOf(const QWidget& parent)
{
    for (SkinListBox* list : parent.findChildren<SkinListBox*>(kListBoxClass))
        if (list->isVisible() && list->list().controlId() == kAlbumListControl)
            return list;
    return nullptr;
}

std::vector<std::string> ItemsOf(const SkinListBox& box)
{
    std::vector<std::string> items;
    for (int i = 0; i < box.list().count(); ++i)
        items.emplace_back(box.list().text(i));
    return items;
}

HDIB Picture(int width, int height, int shade)
{
    HDIB picture = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        std::fill_n(picture.row(y), picture.stride(), std::uint8_t(shade));
    return picture;
}

// Pictures `first`..`last - 1` written as <prefix><i>.bmp in `dir`, the i-th `width + i` wide;
// their album when `album` is given.
void WritePictures(const lv::testing::TempDir& dir, const std::string& prefix, int first, int last, int width,
                   int height, album::Album* album = nullptr)
{
    for (int i = first; i < last; ++i) {
        HDIB picture = Picture(width + i, height, 20 * i % 256);
        const std::string path = dir.file(prefix + std::to_string(i) + ".bmp");
        ASSERT_EQ(WriteBmp(path, picture), WriteResult::Written);
        if (album)
            album->append(*album::BuildEntry(picture, {path, "", {1, 1, 1}}));
    }
}

// The user's albums folder holds "album1.abm" with `photos` pictures (named p0.bmp ...).
class AlbumPageOnSkin : public ::testing::Test {
protected:
    AlbumPageOnSkin()
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(Size{1280, 1024}, 0);
        ::setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);  // the sharp thumbnails stay here
        fs::create_directories(albums());
        EXPECT_TRUE(window.create());
    }
    ~AlbumPageOnSkin() override
    {
        page.reset();
        ::unsetenv("XDG_CACHE_HOME");
    }

    fs::path albums() const { return dir.path() / "albums"; }
    std::string photoPath(int i) const { return dir.file("p" + std::to_string(i) + ".bmp"); }
    void makeAlbum(int photos, bool readOnly = false)
    {
        album::Album made;
        WritePictures(dir, "p", 0, photos, 40, 30, &made);
        std::vector<std::uint8_t> bytes = album::EncodeAlbum(made.entries());
        bytes[album::kReadOnlyOffset] = readOnly ? 1 : 0;
        ASSERT_TRUE(WriteWholeFile((albums() / "album1.abm").string(), bytes));
        library.catalogue.addLine(0, "album1.abm=Praia");
    }
    void showPage()
    {
        page = std::make_unique<AlbumPage>(window, documents, hooks, library, openAlbum);
        ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));
        ASSERT_TRUE(page->showing());
    }
    std::vector<AlbumCell*> cells() const
    {
        std::vector<AlbumCell*> out(10, nullptr);
        for (AlbumCell* cell : CellsOf(window))
            if (cell->number() < 10)
                out[std::size_t(cell->number())] = cell;
        return out;
    }
    AlbumCell& cellOfPhoto(int photo) const
    {
        const int cell = page->session().view().cellOfPhoto(photo);
        EXPECT_GE(cell, 0) << photo;
        return *cells()[std::size_t(std::max(0, cell))];
    }
    std::vector<int> flags() const { return page->session().view().selectedPhotos(); }
    std::vector<std::string> paths() const
    {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < page->session().album().count(); ++i)
            out.push_back(fs::path(page->session().album().path(int(i))).filename().string());
        return out;
    }
    // A right click as the window system delivers it to the cell.
    void rightClick(int photo)
    {
        AlbumCell& cell = cellOfPhoto(photo);
        const QPoint at = cell.rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, at, cell.mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&cell, &press);
    }
    void clickPhoto(int photo, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        AlbumCell& cell = cellOfPhoto(photo);
        QTest::mouseClick(&cell, Qt::LeftButton, keys, cell.rect().center());
    }
    // Press on one photo, move with the button held and let go over a point of the window,
    // as the grab of the pressed cell delivers them.
    void drag(int photo, QPoint to)
    {
        AlbumCell& cell = cellOfPhoto(photo);
        const QPoint from = cell.rect().center();
        const auto send = [&](QEvent::Type type, QPoint windowPoint, Qt::MouseButtons buttons) {
            const QPoint local = cell.mapFrom(&window, windowPoint);
            QMouseEvent event(type, local, window.mapToGlobal(windowPoint), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(&cell, &event);
        };
        const QPoint start = cell.mapTo(&window, from);
        send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(QEvent::MouseMove, start + QPoint(20, 0), Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    QPoint centreOfCell(int cell) const { return cells()[std::size_t(cell)]->geometry().center(); }
    void waitForAdder()
    {
        for (int i = 0; i < 3000 && page->adder().running(); ++i)
            QTest::qWait(5);
        ASSERT_FALSE(page->adder().running());
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    MainWindow window{opener, images, hooks, [] {}};
    RecordingDocuments documents;
    AlbumLibrary library{dir.path() / "LV2000.ini", LV_PROGRAM_DIR, dir.path() / "albums"};
    OpenAlbum openAlbum;
    std::unique_ptr<AlbumPage> page;
};

TEST_F(AlbumPageOnSkin, CellsNameFieldListAndScrollBarFollowTheSkin)
{
    makeAlbum(12);
    showPage();
    const auto first = window.controlRect(105);
    const auto right = window.controlRect(106);
    const auto below = window.controlRect(110);
    ASSERT_TRUE(first && right && below);
    const std::vector<AlbumCell*> grid = cells();
    for (int k = 0; k < 10; ++k) {
        ASSERT_NE(grid[std::size_t(k)], nullptr) << k;
        EXPECT_EQ(grid[std::size_t(k)]->objectName(), "albumpicwnd");
        EXPECT_EQ(grid[std::size_t(k)]->childId(), 105 + k);
        EXPECT_EQ(grid[std::size_t(k)]->size(), first->size());
    }
    EXPECT_EQ((std::vector{grid[0]->geometry(), grid[1]->geometry(), grid[5]->geometry()}),
              (std::vector{*first, *right, *below}));
    EXPECT_EQ(grid[9]->geometry().topLeft(),
              first->topLeft() + 4 * (right->topLeft() - first->topLeft()) + (below->topLeft() - first->topLeft()));

    auto* name = window.findChild<QLineEdit*>("field 201");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Praia");
    auto* list = ListOf(window);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ItemsOf(*list), (std::vector<std::string>{"Praia", "[Novo]"}));
    EXPECT_EQ(list->list().selection(), 0);
    auto* bar = dynamic_cast<ScrollControl*>(window.findChild<QWidget*>("scrollcontrol"));
    ASSERT_NE(bar, nullptr);
    // 12 photos in rows of 5: rows 0 to 1 first.
    EXPECT_EQ(std::tuple(bar->range().maximum, bar->isVisible(), bar->geometry().left()),
              std::tuple(1, true, cells()[4]->geometry().right() + 1 + 8));

    // The scroll buttons and the bar move the rows.
    const auto rows = [&] { return std::tuple(page->session().view().head(), bar->range().position); };
    window.handlers().call(skin::Handler::AlbumScroll, 0x00010000);
    EXPECT_EQ(rows(), std::tuple(1, 1));
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, 2));  // above the thumb: a page up
    EXPECT_EQ(rows(), std::tuple(0, 0));

    // A pick on "[Novo]" makes a new album, named in the list before it; the first row
    // brings the first album back as it was.
    page->scrollRows(1);
    clickPhoto(11);
    QTest::mouseClick(&list->popup(), Qt::LeftButton, Qt::NoModifier, list->rowRect(1).center());
    EXPECT_EQ(page->session().album().count(), 0u);
    EXPECT_EQ(ItemsOf(*list), (std::vector<std::string>{"Praia", "Novo álbum2", "[Novo]"}));
    EXPECT_EQ(list->list().selection(), 1);
    name = window.findChild<QLineEdit*>("field 201");  // made again for the album shown
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Novo álbum2");
    EXPECT_EQ(name->selectedText(), name->text());
    QTest::mouseClick(&list->popup(), Qt::LeftButton, Qt::NoModifier, list->rowRect(0).center());
    EXPECT_EQ(std::tuple(page->session().album().count(), page->session().view().head(), flags(), list->list().selection()),
              std::tuple(12u, 1, std::vector<int>{11}, 0));
    EXPECT_EQ(window.findChild<QLineEdit*>("field 201")->text(), "Praia");

    // Leaving the page takes its widgets away.
    ASSERT_TRUE(window.switchScreen(3));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(CellsOf(window).empty());
    EXPECT_EQ(window.findChild<QLineEdit*>("field 201"), nullptr);
    EXPECT_EQ(ListOf(window), nullptr);
}

TEST_F(AlbumPageOnSkin, TheHoverTipNamesThePhotoBesideThePointer)
{
    makeAlbum(10);
    showPage();
    AlbumCell& cell = cellOfPhoto(2);
    QMouseEvent hover(QEvent::MouseMove, QPointF(10, 10), cell.mapToGlobal(QPointF(10, 10)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&cell, &hover);
    auto* tip = window.findChild<QLabel*>("albumtip");
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(std::tuple(tip->isVisible(), tip->text(), tip->pos()),
              std::tuple(true, QString("  3. p2.bmp"), cell.mapTo(&window, QPoint(10, 10)) + QPoint(5, 30)));
}

TEST_F(AlbumPageOnSkin, DraggingPhotoTwoOntoSixAndOutOfTheGrid)
{
    makeAlbum(9);
    showPage();
    drag(2, centreOfCell(6));
    EXPECT_EQ(paths(), (std::vector<std::string>{"p0.bmp", "p1.bmp", "p3.bmp", "p4.bmp", "p5.bmp", "p6.bmp", "p2.bmp",
                                                 "p7.bmp", "p8.bmp"}));
    EXPECT_EQ(std::tuple(page->session().view().selected(), page->session().album().modified()), std::tuple(6, true));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the drag cursor went with the drag

    // Onto the empty workspace below the grid: the photo opens; onto an image window it
    // becomes a layer there.
    const QRect workspace = *window.controlRect(kWorkspaceControl);
    drag(4, QPoint(workspace.center().x(), workspace.bottom() - 20));
    ASSERT_EQ(documents.opened.size(), 1u);
    EXPECT_EQ(fs::path(documents.opened[0]).filename(), "p5.bmp");
    QWidget image(&window);
    image.setObjectName("image");
    image.setGeometry(workspace.left() + 10, workspace.bottom() - 100, 200, 90);
    image.show();
    drag(0, image.geometry().center());
    EXPECT_EQ(documents.layers, std::vector<int>{40});
    EXPECT_EQ(paths().size(), 9u);
}

TEST_F(AlbumPageOnSkin, ReadOnlyAlbumsIgnoreTheMenuDeleteAndScannedPhotos)
{
    makeAlbum(6, true);
    showPage();
    EXPECT_EQ(window.findChild<QLineEdit*>("field 201"), nullptr);
    auto* name = window.findChild<QLabel*>("albumname");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Praia");

    rightClick(3);
    EXPECT_EQ(window.findChild<QMenu*>("menu 102"), nullptr);
    QTimer::singleShot(100, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    QTest::keyClick(&cellOfPhoto(3), Qt::Key_Delete);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(page->takesAcquiredPhotos());
    EXPECT_FALSE(page->addAcquiredPhoto(photoPath(0), Picture(8, 8, 1), "Still Image File"));
    EXPECT_EQ(std::tuple(page->session().album().count(), page->session().album().modified()), std::tuple(6u, false));
}

TEST_F(AlbumPageOnSkin, TheDeleteKeyAsksAndTheViewFollows)
{
    makeAlbum(12);
    showPage();
    page->scrollRows(1);
    clickPhoto(10);
    clickPhoto(11, Qt::ShiftModifier);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(std::tuple(dialog->objectName(), dialog->windowTitle()),
                  std::tuple(QString("dialog 123"), QString("Excluir opções")));
        dialog->accept();
    });
    QTest::keyClick(&cellOfPhoto(11), Qt::Key_Delete);
    EXPECT_EQ(std::tuple(page->session().album().count(), page->session().view().head()), std::tuple(10u, 0));
    EXPECT_TRUE(fs::exists(photoPath(11)));  // only the thumbnails went

    // With the name field focused the key is the field's.
    auto* name = window.findChild<QLineEdit*>("field 201");
    ASSERT_NE(name, nullptr);
    clickPhoto(0);
    QApplication::setActiveWindow(&window);
    name->setFocus();
    ASSERT_TRUE(name->hasFocus());
    QTimer::singleShot(100, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    QTest::keyClick(name, Qt::Key_Delete);
    EXPECT_EQ(page->session().album().count(), 10u);
}

TEST_F(AlbumPageOnSkin, TheMenuGreysWhatCannotBeDone)
{
    makeAlbum(3);
    fs::remove(photoPath(1));
    showPage();
    using namespace album_command;
    // Whether cut, copy, properties, open as layer, paste, delete and help can be chosen.
    const auto openMenu = [&](int photo) {
        rightClick(photo);
        std::map<int, bool> enabled;
        if (QMenu* menu = window.findChild<QMenu*>("menu 102")) {
            for (QAction* a : menu->actions())
                enabled[a->objectName().toInt()] = a->isEnabled();
            menu->close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        std::vector<bool> shown;
        for (const int command : {kCut, kCopy, kProperties, kOpenAsLayer, kPaste, kDelete, kHelp})
            shown.push_back(enabled[command]);
        return shown;
    };
    EXPECT_EQ(openMenu(1), (std::vector<bool>{false, false, false, false, false, true, true}));
    EXPECT_EQ(flags(), std::vector<int>{1});
    documents.active = true;
    EXPECT_EQ(openMenu(2), (std::vector<bool>{true, true, true, true, false, true, true}));
    page->runMenuCommand(kCopy);
    EXPECT_EQ(openMenu(0), (std::vector<bool>{true, true, true, true, true, true, true}));
    page->runMenuCommand(kPaste);
    EXPECT_EQ(paths(), (std::vector<std::string>{"p0.bmp", "p1.bmp", "p2.bmp"}));  // moved to the end: it was last
    page->runMenuCommand(kOpenAsLayer);
    EXPECT_EQ(documents.layers.size(), 1u);
}

TEST_F(AlbumPageOnSkin, LeavingWritesTheAlbumAndReturningRestoresIt)
{
    makeAlbum(14);
    showPage();
    page->scrollRows(1);
    clickPhoto(13);
    drag(13, centreOfCell(5));  // photo 13 to place 10 (first of row 2 shown at head 1)
    ASSERT_EQ(paths()[10], "p13.bmp");
    auto* name = window.findChild<QLineEdit*>("field 201");
    name->setText("  Férias");
    ASSERT_TRUE(window.switchScreen(3));
    EXPECT_FALSE(page->showing());

    const album::AlbumFileContents saved = album::ReadAlbumContents((albums() / "album1.abm").string());
    ASSERT_EQ(saved.entries.size(), 14u);
    EXPECT_EQ(fs::path(saved.entries[10].path()).filename(), "p13.bmp");
    EXPECT_EQ(library.catalogue.name(0, 0), "Férias");

    ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));
    EXPECT_EQ(std::tuple(page->session().view().selected(), page->session().view().head(), flags(),
                         window.findChild<QLineEdit*>("field 201")->text()),
              std::tuple(10, 1, std::vector<int>{10}, QString("Férias")));
}

// A photo cut short joins and is listed once among the files added with a problem; a file
// that is no picture is refused and named; whole photos are not listed.
TEST_F(AlbumPageOnSkin, DroppedFilesJoinInOrderAndFailuresAreToldOnce)
{
    makeAlbum(2);
    showPage();
    WritePictures(dir, "p", 2, 7, 60, 20);
    std::ofstream(dir.file("quebrada.bmp")) << "not a picture";
    HDIB picture = AllocatePicture(300, 200, 24, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < int(picture.stride()); ++x)
            picture.row(y)[x] = std::uint8_t(x * y);
    ASSERT_EQ(WriteJpeg(dir.file("boa.jpg"), picture, 90), WriteResult::Written);
    auto bytes = ReadWholeFile(dir.file("boa.jpg")).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(dir.file("cortada.jpg"), bytes));
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& name : {photoPath(2), dir.file("quebrada.bmp"), dir.file("nota.txt"), dir.file("cortada.jpg"),
                                    photoPath(3), photoPath(0)})
        urls << QUrl::fromLocalFile(QString::fromStdString(name));
    mime.setUrls(urls);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the cell: the application passes drops only to the target of a real drag.
    static_cast<QObject*>(cells()[0])->event(&drop);
    ASSERT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    ASSERT_TRUE(page->adder().running() || page->session().album().count() > 2);
    waitForAdder();
    // The text file is no picture by its name; p0 moved to the end.
    EXPECT_EQ(paths(), (std::vector<std::string>{"p1.bmp", "p2.bmp", "cortada.jpg", "p3.bmp", "p0.bmp"}));
    EXPECT_EQ(flags(), std::vector<int>{4});
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& told = ui.messages[0].text;
    EXPECT_NE(told.find("Não foi possível adicionar 1 de 5 fotos"), std::string::npos) << told;
    const auto times = [&told](const std::string& part) {
        std::size_t n = 0;
        for (std::size_t at = told.find(part); at != std::string::npos; at = told.find(part, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ((std::vector{times("quebrada.bmp — "), times("cortada.jpg — "), times("p2.bmp — ")}),
              (std::vector<std::size_t>{1, 1, 0}))
        << told;
    EXPECT_EQ(window.findChild<QWidget*>("albumprogress"), nullptr);
}

// Counts the paint events of the cells it watches.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(const std::vector<AlbumCell*>& cells)
    {
        for (AlbumCell* cell : cells)
            cell->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(static_cast<AlbumCell*>(watched)->number());
        return false;
    }
    std::set<int> painted;
};

TEST_F(AlbumPageOnSkin, ArrivingPhotosRepaintTheCellsTheyChangeAndAllOfThemWhenTheGridScrolls)
{
    makeAlbum(9);
    showPage();
    WritePictures(dir, "p", 9, 12, 50, 30);
    // The sharp pictures of the photos shown arrive first, each repainting its cell.
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(album::LargeThumbnailFolder()) &&
                                 std::distance(fs::directory_iterator(album::LargeThumbnailFolder()), {}) >= 9; }, 5000));
    QTest::qWait(100);
    PaintCounter counter(cells());

    // Photo 9 fills the last cell: it and the old selection's cell change, nothing else.
    page->addFiles({photoPath(9)});
    waitForAdder();
    QTest::qWait(50);
    EXPECT_EQ(counter.painted, (std::set<int>{0, 9}));
    EXPECT_EQ(flags(), std::vector<int>{9});

    // A Ctrl-click keeps 9; photo 10 needs the next row, so every cell shows another photo.
    clickPhoto(4, Qt::ControlModifier);
    QTest::qWait(50);
    counter.painted.clear();
    page->addFiles({photoPath(10)});
    waitForAdder();
    QTest::qWait(50);
    EXPECT_EQ(std::tuple(page->session().view().head(), counter.painted.size()), std::tuple(1, 10u));

    // Photo 5 again moves to the end: the photos after its place moved up, so all repaint
    // although the rows stay.
    counter.painted.clear();
    page->addFiles({photoPath(5)});
    waitForAdder();
    QTest::qWait(50);
    EXPECT_EQ(std::tuple(page->session().view().head(), paths().back(), counter.painted.size()),
              std::tuple(1, std::string("p5.bmp"), 10u));
}

TEST_F(AlbumPageOnSkin, ScannedPhotosJoinTheShownAlbumAloneSelectedInViewAndAreWrittenWhenThePageGoes)
{
    makeAlbum(10);  // the grid exactly full
    showPage();
    clickPhoto(3);
    clickPhoto(6, Qt::ControlModifier);
    auto* bar = dynamic_cast<ScrollControl*>(window.findChild<QWidget*>("scrollcontrol"));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(page->takesAcquiredPhotos());

    HDIB scan = Picture(90, 60, 77);
    const std::string scanned = dir.file("0612AB01.JPG");
    ASSERT_EQ(WriteBmp(scanned, scan), WriteResult::Written);
    ASSERT_TRUE(page->addAcquiredPhoto(scanned, scan, "Still Image File"));
    ASSERT_EQ(page->session().album().count(), 11u);
    EXPECT_EQ(paths().back(), "0612AB01.JPG");
    // Sixteen characters reach the item values, which follow without a terminator.
    EXPECT_EQ(std::tuple(page->session().album().entry(10)->caption(), page->session().album().entry(10)->width()),
              std::tuple(std::string("Still Image File\x01"), 90u));
    EXPECT_EQ(std::tuple(flags(), page->session().view().selected()), std::tuple(std::vector<int>{10}, 10));
    // Photo 10 starts a third row: the grid moved down one and the bar with it.
    const auto& view = page->session().view();
    EXPECT_EQ(std::tuple(view.head(), bar->range().maximum, bar->range().position, view.cellOfPhoto(10)),
              std::tuple(1, 1, 1, 5));
    EXPECT_FALSE(page->session().album().modified()) << "an acquired photo is written to the album file at once";

    // A grab while photos dropped on the page are still arriving: all of them get in.
    WritePictures(dir, "p", 10, 13, 50, 40);
    page->addFiles({photoPath(10), photoPath(11), photoPath(12)});
    HDIB frame = Picture(64, 48, 200);
    const std::string grabbed = dir.file("0612AB02.JPG");
    ASSERT_EQ(WriteBmp(grabbed, frame), WriteResult::Written);
    ASSERT_TRUE(page->addAcquiredPhoto(grabbed, frame, "Still Image File"));
    waitForAdder();
    ASSERT_EQ(page->session().album().count(), 15u);
    const std::vector<std::string> names = paths();
    for (const char* name : {"0612AB02.JPG", "p10.bmp", "p11.bmp", "p12.bmp"})
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    EXPECT_EQ(std::tuple(view.selectedCount(), view.head()), std::tuple(1, view.maxHead()));

    // The same file again (its name came round once more) is listed once, at the end.
    ASSERT_TRUE(page->addAcquiredPhoto(scanned, scan, "Still Image File"));
    EXPECT_EQ(std::tuple(page->session().album().count(), paths().back(), flags()),
              std::tuple(15u, std::string("0612AB01.JPG"), std::vector<int>{14}));

    ASSERT_TRUE(window.switchScreen(3));
    EXPECT_FALSE(page->takesAcquiredPhotos());
    EXPECT_FALSE(page->addAcquiredPhoto(grabbed, frame, "Still Image File"));
    const album::AlbumFileContents saved = album::ReadAlbumContents((albums() / "album1.abm").string());
    ASSERT_EQ(saved.entries.size(), 15u);
    EXPECT_EQ(std::tuple(fs::path(saved.entries[14].path()).filename().string(), saved.entries[14].caption()),
              std::tuple(std::string("0612AB01.JPG"), std::string("Still Image File\x01")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AlbumPageOnSkin, TheGalleryShowsTheSystemAlbumsInAStripAndUsesThemAsLayers)
{
    page = std::make_unique<AlbumPage>(window, documents, hooks, library, openAlbum);
    ASSERT_TRUE(window.switchScreen(kGalleryScreen));
    EXPECT_EQ(page->session().category(), 11);
    const std::vector<AlbumCell*> strip = CellsOf(window);
    ASSERT_EQ(strip.size(), 6u);
    const auto first = window.controlRect(111);
    const auto second = window.controlRect(112);
    ASSERT_TRUE(first && second);
    for (AlbumCell* cell : strip)
        EXPECT_EQ(cell->geometry().topLeft(), first->topLeft() + cell->number() * (second->topLeft() - first->topLeft()));
    // System albums are read-only and the gallery has no name field.
    EXPECT_TRUE(page->session().album().readOnly());
    EXPECT_GT(page->session().album().count(), 0u);
    EXPECT_EQ(std::tuple(window.findChild<QLineEdit*>("field 201"), window.findChild<QLabel*>("albumname"), ListOf(window)),
              std::tuple(nullptr, nullptr, nullptr));
    // A scan made here goes nowhere but the photos folder.
    EXPECT_FALSE(page->takesAcquiredPhotos());
    EXPECT_FALSE(page->addAcquiredPhoto(photoPath(0), Picture(8, 8, 1), "Still Image File"));

    window.handlers().call(skin::Handler::AlbumCategory, 12);
    EXPECT_EQ(page->session().category(), 12);
    EXPECT_EQ(CellsOf(window).size(), 6u);
    // "Usar": the texture goes into the picture being edited as a layer.
    documents.active = true;
    clickPhoto(1);
    window.handlers().call(skin::Handler::AlbumOpenPhoto);
    EXPECT_EQ(std::tuple(documents.layers.size(), documents.opened.size()), std::tuple(1u, 0u));
    // Back on the user's page and again in the gallery, which starts at its first choice.
    ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));
    ASSERT_TRUE(window.switchScreen(kGalleryScreen));
    EXPECT_EQ(page->session().category(), 11);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(AlbumBrowserControl, GridFollowsTheSizeKeysMoveAndCaptionsAreWritten)
{
    lv::testing::TempDir dir;
    album::Album made;
    WritePictures(dir, "b", 0, 13, 100, 50, &made);
    ASSERT_TRUE(made.write(dir.file("viagem.abm")));

    AlbumBrowserStates states;
    QWidget dialog;
    dialog.setObjectName("printdialog");
    dialog.resize(600, 500);
    dialog.show();
    auto* caption = new QLineEdit(&dialog);
    caption->setObjectName("102");
    auto* bar = new QScrollBar(&dialog);
    bar->setObjectName("207");
    {
        AlbumBrowser browser(dialog, dir.path(), "/", states);
        browser.show();
        // A new state.
        EXPECT_EQ(std::tuple(browser.objectName(), browser.albumPath(), browser.columns(), browser.rows()),
                  std::tuple(QString("albumwnd"), dir.file("sample.abm"), 5, 2));
        ASSERT_TRUE(browser.openAlbum(dir.file("viagem.abm")));
        browser.resize(3 * 94 + 50, 3 * 112);
        EXPECT_EQ(std::tuple(browser.columns(), browser.rows()), std::tuple(3, 3));
        const auto cells = CellsOf(browser);
        ASSERT_EQ(cells.size(), 9u);
        for (AlbumCell* cell : cells)
            EXPECT_EQ(cell->geometry(), QRect(94 * (cell->number() % 3) + 2, 112 * (cell->number() / 3) + 2, 90, 108));

        QTest::keyClick(&browser, Qt::Key_Right);
        QTest::keyClick(&browser, Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(browser.selectedPhotos(), (std::vector<int>{1, 2, 3, 4}));
        QTest::keyClick(&browser, Qt::Key_Down);
        QTest::keyClick(&browser, Qt::Key_Down);
        QTest::keyClick(&browser, Qt::Key_Down);  // photo 12 is the last: it stays
        // The view followed it, one row at a time.
        EXPECT_EQ(std::tuple(browser.current(), browser.head(), bar->value()), std::tuple(12, 2, 2));
        QTest::keyClick(&browser, Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(browser.selectedPhotos(), (std::vector<int>{11, 12}));
        EXPECT_EQ(browser.selectedPaths().front(), dir.file("b11.bmp"));

        caption->setText("");
        // Typed a character at a time, accents too, as a keyboard gives them.
        for (const QChar c : QStringLiteral("Pôr do sol na praia, com a família toda reunida")) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(caption, &key);
        }
        EXPECT_EQ(browser.album().caption(11), "Pôr do sol na praia, com a família toda reunida");
        int chosen = -1;
        browser.onChosen([&](int photo) { chosen = photo; });
        QTest::keyClick(&browser, Qt::Key_Return);
        EXPECT_EQ(chosen, 11);
    }
    // The caption reached the file, and the parent's next browser comes back where it was.
    EXPECT_EQ(album::ReadAlbumContents(dir.file("viagem.abm")).entries[11].caption(),
              "Pôr do sol na praia, com a família toda reunida");
    AlbumBrowser again(dialog, dir.path(), "/", states);
    EXPECT_EQ(std::tuple(again.albumPath(), again.current(), again.selectedPhotos(), again.columns(), again.head()),
              std::tuple(dir.file("viagem.abm"), 11, std::vector<int>{11, 12}, 3, 2));
}

TEST(AlbumBrowserControl, TheCompanionListNamesTheUsersAlbumsAndOpensTheOnePicked)
{
    lv::testing::TempDir dir;
    fs::create_directories(dir.path() / "albums");
    AlbumLibrary library(dir.path() / "LV2000.ini", dir.path(), dir.path() / "albums");
    library.catalogue.addLine(0, "album1.abm=Praia");
    library.catalogue.addLine(0, "album2.abm=Serra");
    library.catalogue.setCurrent(0, 1);
    album::Album serra;
    HDIB picture = Picture(20, 20, 9);
    serra.append(*album::BuildEntry(picture, {"/serra.bmp", "", {1, 1, 1}}));
    ASSERT_TRUE(serra.write((dir.path() / "albums/album2.abm").string()));

    AlbumBrowserStates states;
    QWidget dialog;
    AlbumNameList list(&dialog);
    AlbumBrowser browser(dialog, dir.path() / "albums", dir.path(), states);
    AttachUserAlbumList(list, browser, library.catalogue);
    ASSERT_EQ(list.count(), 2);  // no "[Novo]" here
    EXPECT_EQ(std::tuple(list.item(0)->text(), list.currentRow()), std::tuple(QString("Praia"), 1));
    list.setCurrentRow(0);
    list.setCurrentRow(1);
    QApplication::processEvents();  // the choice comes after the list's own handling
    EXPECT_EQ(std::tuple(browser.albumPath(), browser.album().count()),
              std::tuple((dir.path() / "albums/album2.abm").string(), 1u));
}


// A real click on whatever widget lies at a point of the main window.
void ClickAt(QWidget& window, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* target = window.childAt(at);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(&window, at));
}

TEST_F(AlbumPageOnSkin, ExcluirWithNoPhotoSelectedOrTheListsMenuAsksAndDeletesTheAlbumButNotItsPhotos)
{
    makeAlbum(3);
    ASSERT_TRUE(fs::copy_file(albums() / "album1.abm", albums() / "album2.abm"));
    library.catalogue.addLine(0, "album2.abm=Serra");
    showPage();
    const auto deleteButton = window.controlRect(kAlbumDeleteButton);
    ASSERT_TRUE(deleteButton);
    clickPhoto(page->session().view().selected(), Qt::ControlModifier);
    ASSERT_EQ(page->session().view().selectedCount(), 0);

    ui.answers = {ui::Answer::No};
    ClickAt(window, deleteButton->center());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].question);
    EXPECT_NE(ui.messages[0].text.find("\"Praia\""), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(std::tuple(library.catalogue.count(0), fs::exists(albums() / "album1.abm")), std::tuple(2, true));

    ui.answers = {ui::Answer::Yes};
    ClickAt(window, deleteButton->center());
    EXPECT_EQ(std::tuple(library.catalogue.count(0), fs::exists(albums() / "album1.abm")), std::tuple(1, false));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(fs::exists(photoPath(i))) << i;
    auto* list = ListOf(window);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(std::tuple(ItemsOf(*list), page->session().album().count(), fs::path(openAlbum.name()).filename().string()),
              std::tuple(std::vector<std::string>{"Serra", "[Novo]"}, 3u, std::string("album2.abm")));

    // A right click on the list offers the same, for the album clicked.
    ui.answers = {ui::Answer::Yes};
    QTest::mouseClick(&list->popup(), Qt::RightButton, Qt::NoModifier, list->rowRect(0).center());
    auto* menu = window.findChild<QMenu*>("menu album list");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "&Excluir álbum");
    menu->actions()[0]->trigger();
    EXPECT_EQ(std::tuple(fs::exists(albums() / "album2.abm"), fs::exists(photoPath(0))), std::tuple(false, true));
    // The last album gone, a new empty one shows.
    EXPECT_EQ(std::tuple(page->session().album().count(), library.catalogue.count(0), ui.messages.size()),
              std::tuple(0u, 1, 3u));
}


// A notch of the wheel as the window system delivers it to a widget: up is positive.
void Wheel(QWidget& widget, int angle)
{
    const QPointF at = QRectF(widget.rect()).center();
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

TEST_F(AlbumPageOnSkin, TheWheelScrollsTheGridARowANotchAndTheBarFollows)
{
    makeAlbum(17);  // four rows, two shown: the first row shown goes from 0 to 2
    showPage();
    auto* bar = dynamic_cast<ScrollControl*>(window.findChild<QWidget*>("scrollcontrol"));
    ASSERT_NE(bar, nullptr);
    // Half a notch of a touchpad waits for its other half; the last row is the limit.
    const std::pair<int, int> notches[] = {{3, -120}, {0, -60}, {0, -60}, {7, -240}, {0, 120 * 5}};
    std::vector<int> heads;
    for (const auto& [cell, angle] : notches) {
        Wheel(*cells()[std::size_t(cell)], angle);
        heads.push_back(page->session().view().head());
        EXPECT_EQ(bar->range().position, heads.back());
    }
    EXPECT_EQ(heads, (std::vector{1, 1, 2, 2, 0}));
}


TEST_F(AlbumPageOnSkin, PicturesHideOnTheAlbumScreensAndLayersFromThereShowOnEditar)
{
    makeAlbum(3);
    documents.active = true;
    images.open = true;
    showPage();
    ASSERT_FALSE(images.shownOverWorkspace.empty());
    EXPECT_FALSE(images.shownOverWorkspace.back()) << "the grid has the workspace";
    ASSERT_TRUE(window.switchScreen(kGalleryScreen));
    EXPECT_FALSE(images.shownOverWorkspace.back());
    ASSERT_TRUE(window.switchScreen(2));
    EXPECT_TRUE(images.shownOverWorkspace.back()) << "back on an editing screen";
    ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));
    EXPECT_FALSE(images.shownOverWorkspace.back());

    // "A&brir como camada": the active picture takes it, and Editar shows it.
    clickPhoto(1);
    page->runMenuCommand(album_command::kOpenAsLayer);
    EXPECT_EQ(documents.layers, std::vector<int>{41});
    QTest::qWait(20);
    EXPECT_EQ(std::tuple(window.screen(), bool(images.shownOverWorkspace.back())), std::tuple(2, true));

    // A photo dragged out of the grid onto the workspace goes to the active picture too.
    ASSERT_TRUE(window.switchScreen(kUserAlbumScreen));
    const QRect workspace = *window.controlRect(kWorkspaceControl);
    drag(2, QPoint(workspace.center().x(), workspace.bottom() - 20));
    EXPECT_EQ(std::tuple(documents.layers, documents.opened.size()), std::tuple(std::vector<int>{41, 42}, 0u));
    QTest::qWait(20);
    EXPECT_EQ(window.screen(), 2);
}

// The grid draws the shared cache's sharp picture once it is there, the album's own
// thumbnail until then; the album file is not touched by it.
TEST_F(AlbumPageOnSkin, GridDrawsTheSharpCachedPictureAndKeepsTheAlbumFile)
{
    makeAlbum(2);
    const auto albumBytes = ReadWholeFile((albums() / "album1.abm").string());
    // A cached picture the album could not have made: pure red, for photo 1 only.
    const fs::path photo = photoPath(1);
    const fs::path cached = album::LargeThumbnailFolder() / album::ThumbnailFileName(album::FileUri(photo));
    fs::create_directories(cached.parent_path());
    HDIB red = Picture(256, 192, 0);
    for (int y = 0; y < red.height(); ++y)
        for (int x = 0; x < red.width(); ++x)
            red.row(y)[3 * x + 2] = 255;
    struct stat status {};
    ASSERT_EQ(::stat(photo.c_str(), &status), 0);
    const std::string mtime = std::to_string(status.st_mtime);
    MemorySink sink;
    ASSERT_TRUE(WritePngWithText(sink, red, {{"Thumb::URI", album::FileUri(photo)}, {"Thumb::MTime", mtime}}));
    ASSERT_TRUE(WriteWholeFile(cached.string(), sink.take()));
    ASSERT_TRUE(album::FreshLargeThumbnail(photo)) << "the test's cache file must be fresh";

    showPage();
    const auto centre = [&](int p) {
        AlbumCell& cell = cellOfPhoto(p);
        return QColor(cell.grab().toImage().pixel(cell.rect().center()));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return centre(1) == QColor(255, 0, 0); }, 5000)) << centre(1).name().toStdString();
    // Photo 0 had no cached picture: one is made from the photo itself, and drawn.
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(album::LargeThumbnailFolder() /
                                                         album::ThumbnailFileName(album::FileUri(photoPath(0)))); },
                                5000));
    page.reset();
    EXPECT_EQ(ReadWholeFile((albums() / "album1.abm").string()), albumBytes);
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
    EXPECT_EQ((std::vector{dialog.fieldText(8000), dialog.fieldText(8006), dialog.fieldText(8002), dialog.fieldText(8003),
                           dialog.fieldText(8004), dialog.fieldText(8005)}),
              (std::vector<decltype(dialog.fieldText(0))>{"foto", "/fotos/", "JPG", "2.0 KB", "10:20:30    01/02/2003",
                                                          "  4 x 3\n  24 Bits"}));

    dialog.show();
    dialog.accept();  // the name did not change: no rename asked
    EXPECT_EQ(std::tuple(asked.size(), dialog.isVisible()), std::tuple(0u, false));
    dialog.show();
    dialog.nameField()->setText("praia");
    dialog.accept();
    // The name is taken: another one is wanted.
    EXPECT_EQ(std::tuple(asked, dialog.isVisible()), std::tuple(std::vector<std::string>{"praia"}, true));
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
            HDIB picture = Picture(120, 80, 90);
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
    EXPECT_EQ(std::tuple(shown, result, answer()), std::tuple(2u, search::kSearchOpenPhoto, dir.file("praia2.bmp")));
    EXPECT_GE(loads, 1);  // the larger picture of the hit chosen comes through the load procedure
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
