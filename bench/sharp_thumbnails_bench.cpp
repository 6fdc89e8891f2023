// The album grid's sharp 256-pixel thumbnails, each made and stored in the cache on one
// worker: from a 12-megapixel DNG's 1024-pixel embedded preview, from a 12-megapixel JPEG's
// 640 × 480 EXIF preview, and the same JPEG without one (the reduced-scale decode); a full
// decode of that JPEG is the anchor.

#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "bench_support.h"

#include <cstdlib>
#include <filesystem>

namespace lv::bench {
namespace {

// A 4000 × 3000 photo, with or without a 640 × 480 preview in its EXIF.
std::string PhotoJpeg(bool withPreview)
{
    const std::string made = ScratchPath(withPreview ? "sharp12mp-preview.jpg" : "sharp12mp.jpg");
    if (!std::filesystem::exists(made)) {
        WriteJpeg(made, MakePhoto(4000, 3000), 90);
        if (withPreview) {
            const std::string thumb = ScratchPath("sharp12mp-preview-thumb.jpg");
            WriteJpeg(thumb, MakePhoto(640, 480), 75);
            if (std::system(("exiv2 -q -it '" + made + "'").c_str()) != 0)
                std::filesystem::remove(made);
        }
    }
    return made;
}

void MakeThumbnails(benchmark::State& state, const std::string& photo)
{
    ::setenv("XDG_CACHE_HOME", ScratchPath("sharp-cache").c_str(), 1);
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (auto _ : state) {
        const HDIB thumbnail = album::MakeLargeThumbnail(photo, readers);
        if (!thumbnail || std::max(thumbnail.width(), thumbnail.height()) != album::kLargeThumbnailSide) {
            state.SkipWithError("no thumbnail");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SharpThumbnailRawPreview(benchmark::State& state)
{
    MakeThumbnails(state, CameraRawWithPreview());
}
BENCHMARK(BM_SharpThumbnailRawPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SharpThumbnailJpegPreview(benchmark::State& state)
{
    MakeThumbnails(state, PhotoJpeg(true));
}
BENCHMARK(BM_SharpThumbnailJpegPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SharpThumbnailJpegReducedDecode(benchmark::State& state)
{
    MakeThumbnails(state, PhotoJpeg(false));
}
BENCHMARK(BM_SharpThumbnailJpegReducedDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegFullDecode(benchmark::State& state)
{
    const std::string photo = PhotoJpeg(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJpeg(photo).ok());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JpegFullDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
