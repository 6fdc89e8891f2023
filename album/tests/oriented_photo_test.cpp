// A phone's photo, stored turned with an EXIF orientation, gets an upright album record and
// thumbnail, and an upright sharp thumbnail, for every orientation.

#include "album/entry_builder.h"
#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::album {
namespace {

TEST(OrientedPhoto, RecordAndThumbnailStandUprightForEveryOrientation)
{
    testing::TempDir dir;
    const std::string script = std::string(LV_SOURCE_DIR) + "/imagelib/tests/make_oriented_jpeg.py";
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string photo = dir.file("foto" + std::to_string(orientation) + ".jpg");
        ASSERT_EQ(testing::RunCommand("/usr/bin/python3 " + testing::ShellQuote(script) + " " +
                                      std::to_string(orientation) + " " + testing::ShellQuote(photo)).exitCode, 0);
        const BuiltEntry built = BuildPhotoEntry({photo, {}, {1, 1, 1}}, AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        EXPECT_EQ(built.entry->width(), 32);
        EXPECT_EQ(built.entry->height(), 16);
        const HDIB thumbnail = built.entry->thumbnailCopy();
        ASSERT_TRUE(thumbnail);
        // Top-left quarter red, bottom-right white (rows are stored bottom up).
        const int w = thumbnail.width(), h = thumbnail.height();
        const std::uint8_t* topLeft = thumbnail.row(h - 1 - h / 4) + 3 * (w / 4);
        const std::uint8_t* bottomRight = thumbnail.row(h / 4) + 3 * (3 * w / 4);
        EXPECT_GT(topLeft[2], 200);
        EXPECT_LT(topLeft[0], 60);
        EXPECT_GT(bottomRight[0], 200);
        EXPECT_GT(bottomRight[1], 200);
    }
}

// Large enough for the sharp thumbnail's JPEG decode at half scale, without an embedded preview.
TEST(OrientedPhoto, SharpThumbnailFromAReducedDecodeStandsUpright)
{
    testing::TempDir dir;
    ::setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
    const std::string script = std::string(LV_SOURCE_DIR) + "/imagelib/tests/make_oriented_jpeg.py";
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string photo = dir.file("grande" + std::to_string(orientation) + ".jpg");
        ASSERT_EQ(testing::RunCommand("/usr/bin/python3 " + testing::ShellQuote(script) + " " + std::to_string(orientation)
                                      + " " + testing::ShellQuote(photo) + " 20").exitCode, 0);
        const HDIB thumbnail = MakeLargeThumbnail(photo, AlbumPhotoReaders());
        ASSERT_TRUE(thumbnail);
        ASSERT_EQ(thumbnail.width(), kLargeThumbnailSide);
        ASSERT_EQ(thumbnail.height(), kLargeThumbnailSide / 2);
        // Quarters red, green / blue, white, blue first in memory and rows stored bottom up.
        const std::uint8_t expected[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
        for (int q = 0; q < 4; ++q) {
            const std::uint8_t* seen = thumbnail.row(127 - (q / 2 * 64 + 32)) + 3 * (q % 2 * 128 + 64);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(seen[c], expected[q][c], 40) << "quarter " << q;
        }
    }
    ::unsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace lv::album
