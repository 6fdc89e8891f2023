// Thumbnails: sizes, nearest-neighbour sampling from every depth, the record an entry gets, the
// sampled JPEG reader against the full decoder, and the sharp thumbnails of the shared cache
// (its rules, embedded previews, photos stored turned).

#include "album/entry_builder.h"
#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "album/thumbnail.h"
#include "album_test_support.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/jpeg/jpeg_sampled.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace lv::album {
namespace {

TEST(ThumbnailSize, SidesFollowThe69PixelRuleWithRounding)
{
    // (50 × 69 + 50) / 100; the other side at least 1; (69 × 69 + 35) / 70.
    EXPECT_EQ((std::vector<Size>{ThumbnailSize(100, 50), ThumbnailSize(69, 69), ThumbnailSize(69, 10), ThumbnailSize(70, 70),
                                 ThumbnailSize(1, 1000), ThumbnailSize(1000, 1), ThumbnailSize(70, 69), ThumbnailSize(3000, 2000),
                                 ThumbnailSize(138, 1)}),
              (std::vector<Size>{{69, 35}, {69, 69}, {69, 10}, {69, 69}, {1, 69}, {69, 1}, {69, 68}, {69, 46}, {69, 1}}));
    EXPECT_EQ(std::tuple(ThumbnailRowBytes(69), ThumbnailRowBytes(1), ThumbnailBytes({69, 35})), std::tuple(208u, 4u, 7320u));
}

// Blue, green, red of the thumbnail's pixel (x, y from the bottom).
std::array<int, 3> thumbPixel(const AlbumEntry& entry, int x, int y)
{
    const std::uint8_t* p = entry.thumbnail().data() + 40 + std::size_t(y) * ThumbnailRowBytes(entry.thumbWidth()) +
                            std::size_t(x) * 3;
    return {p[0], p[1], p[2]};
}

// A palette picture of 140 × 100 whose pixel index depends on x and y; colour i is (i, 2i, 255 - i).
HDIB palettePicture(int bits)
{
    HDIB picture = AllocatePicture(140, 100, bits, 1u << bits);
    for (unsigned i = 0; i < (1u << bits); ++i)
        picture.colors()[i] = RgbQuad{std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(255 - i), 0};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 140; ++x)
            AddPackedPixel(picture.row(y), x, bits, unsigned(x * 3 + y * 5) % (1u << bits));
    return picture;
}

TEST(ThumbnailSampling, EveryDepthTakesTheNearestSourcePixelAndSmallPicturesAreCopiedWhole)
{
    HDIB words = AllocatePicture(140, 100, 16, 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 140; ++x)
            StoreLE16(words.row(y) + 2 * x, std::uint16_t((x % 32) | (y % 32) << 5 | (x / 32) << 10));
    // Pinned after checking every depth's pixels against the source pixels they stand for.
    std::uint32_t pinned = 2166136261u;
    const HDIB pictures[] = {palettePicture(1), palettePicture(4), palettePicture(8), std::move(words)};
    for (const HDIB& picture : pictures) {
        const auto entry = BuildEntry(picture, {"/p.bmp", "", {1, 1, 1}});
        ASSERT_TRUE(entry);
        EXPECT_EQ(std::tuple(entry->bitCount(), entry->thumbWidth(), entry->thumbHeight()),
                  std::tuple(picture.bitCount(), 69, 49));
        for (const std::uint8_t byte : entry->thumbnail())
            pinned = (pinned ^ byte) * 16777619u;
    }
    EXPECT_EQ(pinned, 2040935846u);
    // 140 × 100 → 69 × 49: thumbnail (x, y) takes source (x × 140 / 69, y × 100 / 49), corners included.
    const auto coordinates = BuildEntry(testing::CoordinatePicture(140, 100), {"/p.bmp", "", {1, 1, 1}});
    ASSERT_TRUE(coordinates);
    EXPECT_EQ((std::vector{thumbPixel(*coordinates, 0, 0), thumbPixel(*coordinates, 34, 20),
                           thumbPixel(*coordinates, 68, 48)}),
              (std::vector<std::array<int, 3>>{{0, 0, 7}, {68, 40, 7}, {137, 97, 7}}));
    // The other depths have no thumbnail.
    EXPECT_FALSE(BuildEntry(AllocatePicture(10, 10, 32, 0), {"/x.bmp", "", {1, 1, 1}}));
    EXPECT_FALSE(BuildEntry(HDIB(), {"/x.bmp", "", {1, 1, 1}}));

    // A picture no larger than a thumbnail is copied whole.
    const auto small = BuildEntry(testing::CoordinatePicture(69, 40), {"/s.bmp", "", {1, 1, 1}});
    ASSERT_TRUE(small);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 69; ++x)
            ASSERT_EQ(thumbPixel(*small, x, y), (std::array<int, 3>{x, y, 7}));
}

TEST(EntryRecord, CaptionSharesItsBytesWithTheItemValues)
{
    const HDIB picture = testing::CoordinatePicture(8, 8);
    auto still = BuildEntry(picture, {"/s.bmp", "Still Image File", {1, 1, 1}});
    EXPECT_EQ(std::tuple(still->caption(), still->itemValue(0)),
              std::tuple(std::string("Still Image File\x01", 17), 1)) << "the terminator is gone";

    auto item = BuildEntry(picture, {"/i.bmp", "moldura//dourada//grande", {3, 65535, 2}});
    EXPECT_EQ((std::vector<int>{item->itemValue(0), item->itemValue(1), item->itemValue(2)}),
              (std::vector<int>{3, 65535, 2}));
    EXPECT_EQ(item->caption().substr(0, 16), "moldura//dourada");

    // A caption typed later overwrites the values.
    item->setCaption("Aniversário da vovó, 80 anos");
    EXPECT_EQ(item->caption(), "Aniversário da vovó, 80 anos");
    EXPECT_NE(item->itemValue(0), 3);

    // Long texts are cut to the field on a character boundary, keeping the terminator.
    std::string longPath(126, 'a');
    longPath += "é";
    AlbumEntry e(0);
    e.setPath(longPath);
    EXPECT_EQ(e.path(), std::string(126, 'a'));
}

// The sampled JPEG reader against the full decoder: every grid pixel must be the pixel the
// whole decoded (and widened) picture has, for every layout the encoder can make.
const char* const kFixtures[] = {
    "baseline_420.jpg", "baseline_422.jpg", "baseline_444.jpg", "baseline_440.jpg", "baseline_411.jpg",
    "progressive_420.jpg", "progressive_444.jpg", "grey.jpg", "grey_progressive.jpg", "restart_420.jpg",
    "arithmetic_420.jpg", "rgb.jpg", "truncated_420.jpg", "small_420.jpg",
};

std::string fixture(const std::string& name)
{
    return "tests/fixtures/" + name;
}

HDIB fullDecode24(const std::string& path)
{
    ReadResult read = ReadJpeg(path);
    if (!read.ok() || read.image().bitCount() == 24)
        return read.take();
    return DibPromoteTo24(read.image());
}

// Compares every grid pixel with the fully decoded picture; returns the number that differ.
int differingPixels(const HDIB& full, const SampleGrid& grid, const SampledPixels& samples)
{
    int differ = 0;
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        const std::uint8_t* row = full.row(full.height() - 1 - grid.rows[r]);
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            const std::uint8_t* want = row + std::size_t(grid.columns[c]) * 3;
            const std::uint8_t* got = samples.bgr.data() + (r * grid.columns.size() + c) * 3;
            differ += std::memcmp(want, got, 3) != 0;
        }
    }
    return differ;
}

// Grids that land on every row position inside the decoder's row groups, after skips of
// every length, plus the thumbnail's own grid.
std::vector<SampleGrid> gridsFor(int width, int height)
{
    std::vector<SampleGrid> grids{ThumbnailGrid(width, height)};
    for (int step : {1, 2, 7, 16, 17, 33})
        for (int start : {0, 5, 15}) {
            SampleGrid grid;
            for (int x = 0; x < width; x += 3)
                grid.columns.push_back(x);
            grid.columns.push_back(width - 1);
            for (int y = start; y < height; y += step)
                grid.rows.push_back(y);
            grids.push_back(grid);
        }
    grids.push_back({{0, width / 2, width - 1}, {height - 1}});
    return grids;
}

TEST(JpegSamples, EveryGridPixelEqualsTheFullDecodeInEveryLayout)
{
    lv::testing::UiRecorder ui;
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        const HDIB full = fullDecode24(fixture(name));
        ASSERT_TRUE(full);
        for (const SampleGrid& grid : gridsFor(full.width(), full.height())) {
            const SampledPixels samples = ReadJpegSamples(fixture(name), [&grid](int, int) { return grid; });
            ASSERT_EQ(samples.code, ReadCode::Image);
            EXPECT_EQ(std::tuple(samples.width, samples.height, samples.xPelsPerMeter),
                      std::tuple(full.width(), full.height(), full.header().biXPelsPerMeter));
            EXPECT_EQ(differingPixels(full, grid, samples), 0) << grid.rows.size() << " rows";
        }
    }
}

TEST(JpegSamples, FastEntryIsByteForByteTheFullDecodeEntry)
{
    lv::testing::UiRecorder ui;
    const DocumentReaders readers = AlbumPhotoReaders();
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        const EntryLabel label{fixture(name), "", {1, 1, 1}};
        ASSERT_TRUE(GeneralReaderTakesAsJpeg(label.path));
        const SampledPixels samples = ReadJpegSamples(label.path, ThumbnailGrid);
        ASSERT_EQ(samples.code, ReadCode::Image);  // the fast way, not the fallback
        const auto fast = BuildEntryFromSamples(samples, 24, label);
        ReadResult photo = LoadPhotoForAlbum(label.path, readers);
        ASSERT_TRUE(photo.ok());
        const auto slow = BuildEntry(photo.image(), label);
        const BuiltEntry built = BuildPhotoEntry(label, readers);
        ASSERT_TRUE(fast && slow && built.entry);
        EXPECT_TRUE(*fast == *slow && *built.entry == *slow);
    }
}

TEST(JpegSamples, RefusesWhatTheFullReaderRefuses)
{
    lv::testing::UiRecorder ui;
    const auto all = [](int w, int h) { return ThumbnailGrid(w, h); };
    const auto bytes = ReadWholeFile(fixture("baseline_420.jpg"));
    ASSERT_TRUE(bytes);
    // Not JPEG at all, only the start of one, and a header promising more than the data could hold.
    std::vector<std::uint8_t> notJpeg(bytes->begin() + 100, bytes->end());
    std::vector<std::uint8_t> headerOnly(bytes->begin(), bytes->begin() + 40);
    std::vector<std::uint8_t> tooBig(*bytes);
    for (std::size_t i = 0; i + 8 < tooBig.size(); ++i) {
        if (tooBig[i] == 0xFF && tooBig[i + 1] == 0xC0) {  // frame header: height, width
            tooBig[i + 5] = 0xFF, tooBig[i + 6] = 0xF0, tooBig[i + 7] = 0xFF, tooBig[i + 8] = 0xF0;
            break;
        }
    }
    for (const auto* data : {&notJpeg, &headerOnly, &tooBig}) {
        MemorySource forFull(*data), forSamples(*data);
        const bool fullOk = ReadJpeg(forFull).ok();
        EXPECT_EQ(std::pair(fullOk, ReadJpegSamples(forSamples, all).code == ReadCode::Image), std::pair(false, false));
    }
    EXPECT_EQ(ReadJpegSamples("tests/fixtures/no-such.jpg", all).code, ReadCode::Broken);
    // A grid outside the picture is the caller's mistake, refused rather than read out of bounds.
    EXPECT_EQ(ReadJpegSamples(fixture("grey.jpg"), [](int w, int) { return SampleGrid{{w}, {0}}; }).code,
              ReadCode::Failure);
    EXPECT_EQ(ReadJpegSamples(fixture("grey.jpg"), [](int, int) { return SampleGrid{{0}, {3, 3}}; }).code,
              ReadCode::Failure);
}

// Sharp thumbnails: the shared cache's rules, rebuilding a stale one, the preview a JPEG embeds,
// and photos stored turned standing upright in the record and both thumbnails.
namespace fs = std::filesystem;

class LargeThumbnails : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_CACHE_HOME", dir_.file("cache").c_str(), 1); }
    void TearDown() override { ::unsetenv("XDG_CACHE_HOME"); }
    lv::testing::TempDir dir_;
};

std::int64_t modeOf(const fs::path& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? std::int64_t(status.st_mode & 0777) : -1;
}

TEST_F(LargeThumbnails, FollowTheSharedCacheRulesAsAnotherReaderSeesThem)
{
    const fs::path photo = dir_.path() / "férias 1.jpg";
    ASSERT_EQ(WriteJpeg(photo.string(), testing::CoordinatePicture(1200, 800), 90), WriteResult::Written);
    const HDIB made = LargeThumbnail(photo, AlbumPhotoReaders());
    ASSERT_TRUE(made);
    EXPECT_EQ(std::pair(made.width(), made.height()), std::pair(256, 170));
    const fs::path folder = dir_.path() / "cache" / "thumbnails" / "large";
    EXPECT_EQ(std::pair(modeOf(folder), modeOf(folder.parent_path())), std::pair(std::int64_t(0700), std::int64_t(0700)));
    const std::string uri = FileUri(photo);
    EXPECT_TRUE(uri.starts_with("file:///") && uri.ends_with("/f%C3%A9rias%201.jpg")) << uri;
    const fs::path file = folder / ThumbnailFileName(uri);
    EXPECT_EQ(modeOf(file), 0600);
    // Pillow and Python's own MD5 check the name and the chunks independently.
    const auto check = lv::testing::RunCommand(
        "/usr/bin/python3 -c \"import sys, hashlib, os, urllib.parse; from PIL import Image;"
        " p, f = sys.argv[1], sys.argv[2]; uri = 'file://' + urllib.parse.quote(p);"
        " im = Image.open(f); assert os.path.basename(f) == hashlib.md5(uri.encode()).hexdigest() + '.png', f;"
        " assert im.text['Thumb::URI'] == uri, im.text; assert im.text['Thumb::MTime'] == str(int(os.stat(p).st_mtime));"
        " assert max(im.size) == 256, im.size\" '"
        + photo.string() + "' '" + file.string() + "'");
    EXPECT_EQ(check.exitCode, 0) << check.err;
    // Read back from the cache, the same picture.
    const HDIB cached = FreshLargeThumbnail(photo);
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached.width(), 256);
}

TEST_F(LargeThumbnails, AStaleModificationTimeIsRebuilt)
{
    const fs::path photo = dir_.path() / "a.jpg";
    ASSERT_EQ(WriteJpeg(photo.string(), testing::CoordinatePicture(600, 600), 90), WriteResult::Written);
    ASSERT_TRUE(MakeLargeThumbnail(photo, AlbumPhotoReaders()));
    ASSERT_TRUE(FreshLargeThumbnail(photo));
    ASSERT_EQ(WriteJpeg(photo.string(), testing::CoordinatePicture(300, 100), 90), WriteResult::Written);
    fs::last_write_time(photo, fs::last_write_time(photo) + std::chrono::seconds(5));
    EXPECT_FALSE(FreshLargeThumbnail(photo));  // the photo changed since
    const HDIB remade = LargeThumbnail(photo, AlbumPhotoReaders());
    ASSERT_TRUE(remade);
    EXPECT_EQ(std::pair(remade.width(), remade.height()), std::pair(256, 85));
    EXPECT_TRUE(FreshLargeThumbnail(photo));
    // A photo that is gone, or unreadable, makes nothing and leaves nothing behind.
    EXPECT_FALSE(LargeThumbnail(dir_.path() / "missing.jpg", AlbumPhotoReaders()));
}

// Sharp thumbnails from the preview a JPEG's EXIF embeds: taken when it reaches the thumbnail's
// size and has the photo's shape (and turned upright with the photo), passed over when too
// small or letterboxed. The preview is blue and the photo red, so the thumbnail tells which.
struct Case {
    const char* name;
    int width, height, previewWidth, previewHeight, orientation;
    bool fromPreview;
    int thumbnailWidth, thumbnailHeight;
};

using PreviewThumbnails = LargeThumbnails;

TEST_F(PreviewThumbnails, ALargeEnoughPreviewOfThePhotosShapeIsTakenUpright)
{
    lv::testing::TempDir& dir = dir_;
    const DocumentReaders readers = AlbumPhotoReaders();
    const Case cases[] = {
        {"grande", 1200, 900, 320, 240, 1, true, 256, 192},
        {"deitada", 1200, 900, 320, 240, 6, true, 192, 256},
        {"pequena", 200, 100, 200, 100, 1, true, 200, 100},  // a preview as large as the photo will do
        {"miniatura", 1200, 900, 160, 120, 1, false, 256, 192},
        {"tarjas", 1200, 900, 320, 320, 1, false, 256, 192},
    };
    for (const Case& c : cases) {
        const std::string photo = dir.file(std::string(c.name) + ".jpg");
        ASSERT_EQ(WriteJpeg(photo, DibCreate(c.width, c.height, 0x0000FF, false), 90), WriteResult::Written);
        ASSERT_EQ(WriteJpeg(dir.file(std::string(c.name) + "-thumb.jpg"),
                            DibCreate(c.previewWidth, c.previewHeight, 0xFF0000, false), 60),
                  WriteResult::Written);
        ASSERT_EQ(std::system(("exiv2 -q -M'set Exif.Image.Orientation " + std::to_string(c.orientation) + "' '" + photo
                               + "' && exiv2 -q -it '" + photo + "'").c_str()), 0);
        const HDIB thumbnail = MakeLargeThumbnail(photo, readers);
        ASSERT_TRUE(thumbnail) << c.name;
        const std::uint8_t* middle = thumbnail.row(thumbnail.height() / 2) + thumbnail.width() / 2 * 3;
        EXPECT_EQ(std::tuple(middle[0] > 200 && middle[2] < 60, thumbnail.width(), thumbnail.height()),
                  std::tuple(c.fromPreview, c.thumbnailWidth, c.thumbnailHeight)) << c.name;
    }
}

// A phone's photo (32 × 16 upright, of coloured quarters), stored turned with EXIF
// `orientation`, at `scale` times that size.
std::string OrientedJpeg(const lv::testing::TempDir& dir, int orientation, const std::string& scale = "")
{
    const std::string photo = dir.file("foto" + std::to_string(orientation) + scale + ".jpg");
    EXPECT_EQ(lv::testing::RunCommand("/usr/bin/python3 " + lv::testing::ShellQuote(std::string(LV_SOURCE_DIR) + "/imagelib/tests/make_oriented_jpeg.py") +
                                  " " + std::to_string(orientation) + " " + lv::testing::ShellQuote(photo) + " " + scale).exitCode, 0);
    return photo;
}

// A phone's photo, stored turned with an EXIF orientation, gets an upright album record and
// thumbnail, and an upright sharp thumbnail, for every orientation.
TEST(OrientedPhoto, RecordAndThumbnailStandUprightForEveryOrientation)
{
    lv::testing::TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const BuiltEntry built = BuildPhotoEntry({OrientedJpeg(dir, orientation), {}, {1, 1, 1}}, AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        EXPECT_EQ(std::tuple(built.entry->width(), built.entry->height()), std::tuple(32, 16));
        const HDIB thumbnail = built.entry->thumbnailCopy();
        ASSERT_TRUE(thumbnail);
        // Top-left quarter red, bottom-right white (rows are stored bottom up).
        const int w = thumbnail.width(), h = thumbnail.height();
        const std::uint8_t* topLeft = thumbnail.row(h - 1 - h / 4) + 3 * (w / 4);
        const std::uint8_t* bottomRight = thumbnail.row(h / 4) + 3 * (3 * w / 4);
        EXPECT_TRUE(topLeft[2] > 200 && topLeft[0] < 60 && bottomRight[0] > 200 && bottomRight[1] > 200);
    }
}

// Large enough for the sharp thumbnail's JPEG decode at half scale, without an embedded preview.
using OrientedPhotoSharp = LargeThumbnails;

TEST_F(OrientedPhotoSharp, ThumbnailFromAReducedDecodeStandsUpright)
{
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const HDIB thumbnail = MakeLargeThumbnail(OrientedJpeg(dir_, orientation, "20"), AlbumPhotoReaders());
        ASSERT_TRUE(thumbnail);
        ASSERT_EQ(std::pair(thumbnail.width(), thumbnail.height()), std::pair(kLargeThumbnailSide, kLargeThumbnailSide / 2));
        // Quarters red, green / blue, white, blue first in memory and rows stored bottom up.
        const std::uint8_t expected[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
        for (int q = 0; q < 4; ++q)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(thumbnail.row(127 - (q / 2 * 64 + 32))[3 * (q % 2 * 128 + 64) + c], expected[q][c], 40)
                    << "quarter " << q;
    }
}

}  // namespace
}  // namespace lv::album
