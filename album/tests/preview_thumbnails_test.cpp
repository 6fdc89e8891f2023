// Sharp thumbnails from the preview a JPEG's EXIF embeds: taken when it reaches the thumbnail's
// size and has the photo's shape (and turned upright with the photo), passed over when too
// small or letterboxed. The preview is blue and the photo red, so the thumbnail tells which.

#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::album {
namespace {

struct Case {
    const char* name;
    int width, height, previewWidth, previewHeight, orientation;
    bool fromPreview;
    int thumbnailWidth, thumbnailHeight;
};

TEST(PreviewThumbnails, ALargeEnoughPreviewOfThePhotosShapeIsTakenUpright)
{
    testing::TempDir dir;
    ::setenv("XDG_CACHE_HOME", dir.file("cache").c_str(), 1);
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
        EXPECT_EQ(middle[0] > 200 && middle[2] < 60, c.fromPreview) << c.name;
        EXPECT_EQ(thumbnail.width(), c.thumbnailWidth) << c.name;
        EXPECT_EQ(thumbnail.height(), c.thumbnailHeight) << c.name;
    }
    ::unsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace lv::album
