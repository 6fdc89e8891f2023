// A contact sheet of 200 photo-like 3000 x 2000 JPEGs (1-inch thumbnails with their file
// names, 49 a page, 5 pages) written to PDF at 600 dots per inch: in this process, and by
// lumivista-tool with its peak memory, against ImageMagick's montage and libvips' thumbnails
// joined into sheets, in the same run.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "bench_support.h"
#include "output/print/contact_sheet.h"
#include "output/print/print_photo_loader.h"
#include "output/qt_print/qt_printer.h"

#include <QGuiApplication>

#include <filesystem>
#include <thread>

namespace lv::bench {
namespace {

namespace fs = std::filesystem;

const print::ContactSheetSettings kSettings{1, 0, true};  // 1 inch, 0.125-inch gaps: 7 x 7 a page

const std::string& Album()
{
    static const std::string path = [] {
        const std::string out = ScratchPath("print-sheet.abm");
        if (fs::exists(out))
            return out;
        std::vector<album::EntryLabel> labels;
        for (const std::string& p : StandardPhotos())
            labels.push_back({p, "", {1, 1, 1}});
        album::Album made;
        album::BuildPhotoEntries(labels, album::AlbumPhotoReaders(), 0,
                                 [&](std::size_t, album::BuiltEntry built) { made.append(std::move(*built.entry)); });
        made.write(out);
        return out;
    }();
    return path;
}

void BM_ContactSheetInProcess(benchmark::State& state)
{
    const auto& photos = StandardPhotos();
    const std::string out = ScratchPath("sheet-inprocess.pdf");
    for (auto _ : state) {
        print::PdfPrinter printer(out);
        const print::ContactSheetLayout layout =
            print::PlanContactSheet(kSettings, printer.metrics(print::Orientation::Portrait), int(photos.size()));
        print::PhotoPrefetcher prefetch(photos, layout.thumbWidth, layout.thumbHeight, print::PrefetchThreads(),
                                        print::PrefetchAhead());
        if (!print::PrintContactSheet(printer, kSettings, photos, prefetch.loader()))
            state.SkipWithError("not printed");
    }
    state.counters["pdf_mb"] = double(fs::file_size(out)) / 1e6;
    std::remove(out.c_str());
}
BENCHMARK(BM_ContactSheetInProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole command, with the peak memory of the process (the largest child so far; this
// runs before the other programs).
void BM_ContactSheetTool(benchmark::State& state)
{
    const std::string out = ScratchPath("sheet-tool.pdf");
    RunShell(state, LV_PROGRAM_DIR "/lumivista-tool",
             std::string(LV_PROGRAM_DIR "/lumivista-tool print sheet ") + Album() + " --pdf " + out +
                 " --size 1 --spacing 0 --captions");
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
    std::remove(out.c_str());
}
BENCHMARK(BM_ContactSheetTool)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// 600-pixel thumbnails 7 x 7 a sheet with file names; the JPEG size hint lets ImageMagick
// decode at a reduced scale too.
void BM_ImageMagickMontage(benchmark::State& state)
{
    const std::string out = ScratchPath("montage");
    fs::create_directories(out);
    const std::string folder = fs::path(StandardPhotos().front()).parent_path().string();
    // A page at a time: montage keeps every picture of a run in memory, beyond its policy's limits for 200.
    RunShell(state, "montage",
             "cd " + out + " && ls " + folder + "/*.jpg | split -l 49 - page- && for p in page-*; do montage "
             "-define jpeg:size=1200x1200 $(cat $p) -thumbnail 600x600 -label '%f' -pointsize 60 -geometry +38+38 "
             "-tile 7x7 $p.jpg; done");
    fs::remove_all(out);
}
BENCHMARK(BM_ImageMagickMontage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
LV_TARGET_RATIO("BM_ContactSheetTool", Wall, "BM_ImageMagickMontage", Wall, 1.0, "ImageMagick montage");

// Shrink-on-load thumbnails, then joined 7 across into sheets.
void BM_VipsThumbnailJoin(benchmark::State& state)
{
    const std::string out = ScratchPath("vips-sheet");
    fs::create_directories(out);
    const std::string folder = fs::path(StandardPhotos().front()).parent_path().string();
    RunShell(state, "vips",
             "vipsthumbnail -s 600 -o " + out + "/%s.v " + folder + "/*.jpg && cd " + out +
                 " && ls *.v | split -l 49 - page- && for p in page-*; do vips arrayjoin \"$(tr '\\n' ' ' < $p)\" "
                 "$p.jpg --across 7 --shim 75; done");
    fs::remove_all(out);
}
BENCHMARK(BM_VipsThumbnailJoin)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    lv::bench::Album();  // made before the timings
    ::lv::bench::RunBenchmarksWithTargets();
    return 0;
}
