// Building album entries from 200 photo-like 3000 x 2000 JPEGs, against two thumbnailers of
// other programs in the same run, and the album chores that must feel instant: refreshing,
// reading and writing a 1000-photo album.

#include "album/album.h"
#include "album/album_file.h"
#include "album/album_operations.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "bench_support.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <filesystem>

namespace lv::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 200;  // StandardPhotos()
constexpr int kAlbumSize = 1000;

const std::vector<std::string>& Photos()
{
    return StandardPhotos();
}

void MakeAlbum(benchmark::State& state, unsigned jobs)
{
    const auto& photos = Photos();
    std::vector<album::EntryLabel> labels;
    for (const std::string& p : photos)
        labels.push_back({p, "", {1, 1, 1}});
    const DocumentReaders readers = album::AlbumPhotoReaders();
    const std::string out = ScratchPath("make.abm");
    for (auto _ : state) {
        album::Album made;
        album::BuildPhotoEntries(labels, readers, jobs, [&](std::size_t, album::BuiltEntry built) {
            made.append(std::move(*built.entry));
        });
        if (made.count() != labels.size() || !made.write(out))
            state.SkipWithError("the album was not made");
    }
    state.counters["photos_per_s"] = benchmark::Counter(double(kPhotos) * double(state.iterations()), benchmark::Counter::kIsRate);
    std::remove(out.c_str());
}

void BM_AlbumMakeOneWorker(benchmark::State& state)
{
    MakeAlbum(state, 1);
}
BENCHMARK(BM_AlbumMakeOneWorker)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AlbumMakeDefaultWorkers(benchmark::State& state)
{
    MakeAlbum(state, 0);
}
BENCHMARK(BM_AlbumMakeDefaultWorkers)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Decodes at a reduced scale, so its thumbnails are not the exact samples.
void BM_GraphicsMagickThumbnails(benchmark::State& state)
{
    const std::string out = ScratchPath("gm-thumbs");
    fs::create_directories(out);
    const std::string folder = fs::path(Photos().front()).parent_path().string();
    RunShell(state, "gm", "cd " + folder + " && gm mogrify -output-directory " + out + " -size 138x138 -thumbnail 69x69 *.jpg");
    state.counters["photos_per_s"] = benchmark::Counter(double(kPhotos) * double(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove_all(out);
}
BENCHMARK(BM_GraphicsMagickThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_VipsThumbnails(benchmark::State& state)
{
    const std::string out = ScratchPath("vips-thumbs");
    fs::create_directories(out);
    const std::string folder = fs::path(Photos().front()).parent_path().string();
    RunShell(state, "vipsthumbnail", "vipsthumbnail -s 69 -o " + out + "/%s.jpg " + folder + "/*.jpg");
    state.counters["photos_per_s"] = benchmark::Counter(double(kPhotos) * double(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove_all(out);
}
BENCHMARK(BM_VipsThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// GraphicsMagick decodes at 1/8 scale; our thumbnails are exact samples of the whole photo.
LV_TARGET_RATIO("BM_AlbumMakeOneWorker", Wall, "BM_GraphicsMagickThumbnails", Wall, 1.01, "gm mogrify -thumbnail");
LV_TARGET_RATIO("BM_AlbumMakeDefaultWorkers", Wall, "BM_GraphicsMagickThumbnails", Wall, 0.5, "gm mogrify -thumbnail");

// A 1000-photo album whose files all exist and are unchanged.
struct BigAlbum {
    BigAlbum()
        : folder(fs::temp_directory_path() / "lvbench-album-files")
        , path(ScratchPath("big.abm"))
    {
        fs::create_directories(folder);
        const HDIB picture = MakePhoto(120, 80);
        for (int i = 0; i < kAlbumSize; ++i) {
            const std::string file = (folder / ("p" + std::to_string(i) + ".bin")).string();
            if (!fs::exists(file))
                WriteWholeFile(file, {std::uint8_t(i), 1, 2, 3});
            album.append(*album::BuildEntry(picture, {file, "", {1, 1, 1}}));
        }
        album.write(path);
    }
    ~BigAlbum() { std::remove(path.c_str()); }
    fs::path folder;
    std::string path;
    album::Album album;
};

BigAlbum& Big()
{
    static BigAlbum big;
    return big;
}

void BM_RefreshUnchanged1000(benchmark::State& state)
{
    album::Album& album = Big().album;
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (auto _ : state) {
        const album::RefreshReport report = album::RefreshAlbum(album, "/", readers);
        if (report.rebuilt != 0 || report.missing != 0)
            state.SkipWithError("the album was not unchanged");
    }
}
BENCHMARK(BM_RefreshUnchanged1000)->Unit(benchmark::kMillisecond);

void BM_Read1000(benchmark::State& state)
{
    const std::string& path = Big().path;
    album::Album album;
    for (auto _ : state)
        if (!album.read(path) || album.count() != kAlbumSize)
            state.SkipWithError("the album did not read back");
}
BENCHMARK(BM_Read1000)->Unit(benchmark::kMillisecond);

// Everything up to the disk flush: encoding and handing the bytes to the file system.
void BM_Write1000BeforeFlush(benchmark::State& state)
{
    const album::Album& album = Big().album;
    const std::string out = ScratchPath("write.abm");
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes = album::EncodeAlbum(album.entries());
        auto sink = FileSink::Create(out);
        if (!sink || !sink->write(bytes.data(), bytes.size()) || !sink->flush())
            state.SkipWithError("cannot write");
    }
    std::remove(out.c_str());
}
BENCHMARK(BM_Write1000BeforeFlush)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
