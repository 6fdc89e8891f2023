// The album page as the user meets it: a 1000-photo album's page shown and painted (target
// 100 ms), one row scrolled and repainted (target 8 ms), and 200 photos added through the
// page while the event loop keeps turning (no stall above 50 ms; the longest gap between two
// turns is the counter max_stall_ms). The same run builds the 200 entries without the page,
// so the page's own share is the ratio of the two.

#include "album/album_file.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/core/shell_state.h"
#include "app/windows/album_page.h"
#include "app/windows/main_window.h"
#include "bench_support.h"
#include "imagelib/jpeg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <filesystem>

namespace lv::bench {
namespace {

namespace fs = std::filesystem;

class NoDocuments final : public DocumentOpener, public app::ImageWindows, public app::AlbumDocuments {
public:
    bool acceptsFile(const std::string&) override { return false; }
    bool openDocument(const std::string&) override { return false; }
    bool anyOpen() const override { return false; }
    bool closeAll() override { return true; }
    bool activeScrollable() const override { return false; }
    void tick() override {}
    void activateAt(QPoint) override {}
    bool openPhoto(const std::string&) override { return false; }
    bool hasActiveImage() const override { return false; }
    bool addLayer(QWidget*, HDIB) override { return false; }
    bool isImageWindow(const QWidget*) const override { return false; }
};

// 1000 small photo files and the album listing them, made once per run.
const fs::path& LargeAlbumFolder()
{
    static const fs::path folder = [] {
        const fs::path dir = ScratchPath("album-window");
        fs::remove_all(dir);
        fs::create_directories(dir / "albums");
        album::Album made;
        HDIB base = MakePhoto(160, 120);
        for (int i = 0; i < 1000; ++i) {
            const std::string path = (dir / ("foto" + std::to_string(i) + ".bmp")).string();
            base.row(i % 120)[i % 300] = std::uint8_t(i);
            WriteBmp(path, base);
            made.append(*album::BuildEntry(base, {path, "", {1, 1, 1}}));
        }
        made.write((dir / "albums/album1.abm").string());
        return dir;
    }();
    return folder;
}

// The main window on the build's skin with the album page, the album listed as the user's.
struct PageFixture {
    PageFixture()
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(ScreenSize{1280, 1024}, 0);
        window.create();
        fs::remove(LargeAlbumFolder() / "LV2000.ini");
        if (library.catalogue.count(0) == 0)
            library.catalogue.addLine(0, "album1.abm=Mil fotos");
    }
    void paintCells()
    {
        for (QWidget* cell : window.findChildren<QWidget*>(QString::fromLatin1(app::kAlbumCellClass)))
            cell->repaint();
    }
    NoDocuments none;
    app::TestHooks hooks;
    app::MainWindow window{none, none, hooks, [] {}};
    app::AlbumLibrary library{LargeAlbumFolder() / "LV2000.ini", LV_PROGRAM_DIR, LargeAlbumFolder() / "albums"};
    app::AlbumPage page{window, none, hooks, library};
};

void BM_ShowAndPaintThousandPhotoPage(benchmark::State& state)
{
    PageFixture f;
    for (auto _ : state) {
        f.window.switchScreen(app::kUserAlbumScreen);
        f.paintCells();
        state.PauseTiming();
        f.window.switchScreen(3);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["photos"] = double(f.page.session().album().count());
}
BENCHMARK(BM_ShowAndPaintThousandPhotoPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_ScrollOneRowAndRepaint(benchmark::State& state)
{
    PageFixture f;
    f.window.switchScreen(app::kUserAlbumScreen);
    int step = 1;
    for (auto _ : state) {
        if (f.page.session().view().head() >= f.page.session().view().maxHead())
            step = -1;
        else if (f.page.session().view().head() == 0)
            step = 1;
        f.page.scrollRows(step);
        f.paintCells();
    }
}
BENCHMARK(BM_ScrollOneRowAndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// The photos of album_bench: 200 JPEGs of 3000 × 2000, kept between runs.
std::vector<std::string> BigPhotos()
{
    const fs::path folder = fs::temp_directory_path() / "lvbench-album-photos";
    fs::create_directories(folder);
    std::vector<std::string> out;
    HDIB base;
    for (int i = 0; i < 200; ++i) {
        const std::string path = (folder / ("photo" + std::to_string(1000 + i) + ".jpg")).string();
        out.push_back(path);
        if (fs::exists(path))
            continue;
        if (!base)
            base = MakePhoto(3000, 2000);
        HDIB photo = DibDuplicate(base);
        for (int y = (i * 37) % 1800; y < (i * 37) % 1800 + 200; ++y)
            for (std::size_t b = 0; b < photo.stride(); ++b)
                photo.row(y)[b] = std::uint8_t(std::min(255, photo.row(y)[b] + 40));
        WriteJpeg(path, photo, 90);
    }
    return out;
}

void BM_AddTwoHundredPhotosThroughThePage(benchmark::State& state)
{
    const std::vector<std::string> photos = BigPhotos();
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PageFixture f;
        f.window.switchScreen(app::kUserAlbumScreen);
        // An empty album to add to.
        f.page.newAlbum();
        QElapsedTimer sinceLastTurn;
        QTimer beat;
        beat.setInterval(2);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceLastTurn.nsecsElapsed()) / 1e6);
            sinceLastTurn.restart();
        });
        state.ResumeTiming();
        f.page.addFiles(photos);
        sinceLastTurn.start();
        beat.start();
        while (f.page.adder().running())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        beat.stop();
        state.PauseTiming();
        if (f.page.session().album().count() != photos.size())
            state.SkipWithError("not every photo was added");
        f.window.switchScreen(3);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["max_stall_ms"] = longest;
}
BENCHMARK(BM_AddTwoHundredPhotosThroughThePage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_BuildTwoHundredEntriesWithoutThePage(benchmark::State& state)
{
    const std::vector<std::string> photos = BigPhotos();
    std::vector<album::EntryLabel> labels;
    for (const std::string& p : photos)
        labels.push_back({p, "", {1, 1, 1}});
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (auto _ : state) {
        std::size_t built = 0;
        album::BuildPhotoEntries(labels, readers, album::DefaultJobs(),
                                 [&](std::size_t, album::BuiltEntry e) { built += e.entry ? 1 : 0; });
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BM_BuildTwoHundredEntriesWithoutThePage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("LUMIVISTA_HOME", LV_PROGRAM_DIR, 1);
    ::setenv("FONTCONFIG_FILE", LV_PROGRAM_DIR "/fonts.conf", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
