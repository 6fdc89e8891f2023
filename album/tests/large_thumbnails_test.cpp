#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_alloc.h"

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
    EXPECT_EQ(made.width(), 256);
    EXPECT_EQ(made.height(), 170);
    const fs::path folder = dir_.path() / "cache" / "thumbnails" / "large";
    EXPECT_EQ(modeOf(folder), 0700);
    EXPECT_EQ(modeOf(folder.parent_path()), 0700);
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
    EXPECT_EQ(remade.width(), 256);
    EXPECT_EQ(remade.height(), 85);
    EXPECT_TRUE(FreshLargeThumbnail(photo));
    // A photo that is gone, or unreadable, makes nothing and leaves nothing behind.
    EXPECT_FALSE(LargeThumbnail(dir_.path() / "missing.jpg", AlbumPhotoReaders()));
}

}  // namespace
}  // namespace lv::album
