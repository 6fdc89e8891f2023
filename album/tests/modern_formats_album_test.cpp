// The newer formats join an album: dropped names are taken, and a camera raw file's entry
// comes from its embedded preview with the whole picture's size.

#include "album/browser_thumbnail.h"
#include "album/entry_builder.h"
#include "album/photo_adding.h"
#include "album/photo_loader.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/webp/webp.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

namespace lv::album {
namespace {

TEST(ModernFormatsAlbum, DroppedNewerFormatsAreTakenAndTheirEntriesBuilt)
{
    for (const char* name : {"a.webp", "b.HEIC", "c.heif", "d.avif", "e.jxl", "f.dng", "g.NEF", "h.cr2"})
        EXPECT_TRUE(DroppedPhotoAccepted(name)) << name;
    EXPECT_FALSE(DroppedPhotoAccepted("notes.txt"));

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    const std::string shot = dir.file("shot.dng");
    const std::string command = "/usr/bin/python3 " LV_SOURCE_DIR "/imagelib/tests/interop/make_dng.py " + shot + " 320 200 --preview 160";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const BuiltEntry raw = BuildPhotoEntry({shot, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(raw.entry);
    EXPECT_EQ(raw.entry->width(), 320);
    EXPECT_EQ(raw.entry->height(), 200);
    EXPECT_TRUE(BrowserThumbnail(shot, AlbumPhotoReaders()));

    const std::string web = dir.file("web.webp");
    ASSERT_EQ(WriteWebp(web, DibCreate(90, 60, 0x3366aa, false), {}), WriteResult::Written);
    const BuiltEntry webp = BuildPhotoEntry({web, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(webp.entry);
    EXPECT_EQ(webp.entry->width(), 90);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv::album
