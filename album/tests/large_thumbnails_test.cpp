// Sharp thumbnails: the shared cache's rules, rebuilding a stale one, the preview a JPEG embeds,
// and photos stored turned standing upright in the record and both thumbnails.

#include "album/entry_builder.h"
#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace lv::album {
namespace {

namespace fs = std::filesystem;

HDIB Gradient(int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 24, 0, nullptr);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 255 / width), p[1] = std::uint8_t(y * 255 / height), p[2] = std::uint8_t((x ^ y) & 255);
        }
    return picture;
}

class LargeThumbnails : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_CACHE_HOME", dir_.file("cache").c_str(), 1); }
    void TearDown() override { ::unsetenv("XDG_CACHE_HOME"); }
    testing::TempDir dir_;
};

std::int64_t modeOf(const fs::path& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? std::int64_t(status.st_mode & 0777) : -1;
}

TEST_F(LargeThumbnails, FollowTheSharedCacheRulesAsAnotherReaderSeesThem)
{
    const fs::path photo = dir_.path() / "férias 1.jpg";
    ASSERT_EQ(WriteJpeg(photo.string(), Gradient(1200, 800), 90), WriteResult::Written);
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
    const auto check = testing::RunCommand(
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
    ASSERT_EQ(WriteJpeg(photo.string(), Gradient(600, 600), 90), WriteResult::Written);
    ASSERT_TRUE(MakeLargeThumbnail(photo, AlbumPhotoReaders()));
    ASSERT_TRUE(FreshLargeThumbnail(photo));
    ASSERT_EQ(WriteJpeg(photo.string(), Gradient(300, 100), 90), WriteResult::Written);
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
    testing::TempDir& dir = dir_;
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
std::string OrientedJpeg(const testing::TempDir& dir, int orientation, const std::string& scale = "")
{
    const std::string photo = dir.file("foto" + std::to_string(orientation) + scale + ".jpg");
    EXPECT_EQ(testing::RunCommand("/usr/bin/python3 " + testing::ShellQuote(std::string(LV_SOURCE_DIR) + "/imagelib/tests/make_oriented_jpeg.py") +
                                  " " + std::to_string(orientation) + " " + testing::ShellQuote(photo) + " " + scale).exitCode, 0);
    return photo;
}

// A phone's photo, stored turned with an EXIF orientation, gets an upright album record and
// thumbnail, and an upright sharp thumbnail, for every orientation.
TEST(OrientedPhoto, RecordAndThumbnailStandUprightForEveryOrientation)
{
    testing::TempDir dir;
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
        for (int q = 0; q < 4; ++q) {
            const std::uint8_t* seen = thumbnail.row(127 - (q / 2 * 64 + 32)) + 3 * (q % 2 * 128 + 64);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(seen[c], expected[q][c], 40) << "quarter " << q;
        }
    }
}

}  // namespace
}  // namespace lv::album
