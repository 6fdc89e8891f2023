// The properties dialog's facts and renaming a photo's file from it.

#include "album/photo_commands.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>

namespace lv::album {
namespace {

using testing::EntryFor;

TEST(PhotoProperties, FieldsAndTheirFormats)
{
    EXPECT_EQ(FormatFileSize(0), "0.0 KB");
    EXPECT_EQ(FormatFileSize(1536), "1.5 KB");
    EXPECT_EQ(FormatFileSize(4294967295u), "4194304.0 KB");
    std::tm t{};
    t.tm_hour = 7, t.tm_min = 5, t.tm_sec = 9, t.tm_mon = 2, t.tm_mday = 4, t.tm_year = 2003 - 1900;
    EXPECT_EQ(FormatLastWrite(t), "07:05:09    03/04/2003");  // month first
    t.tm_hour = 23, t.tm_mon = 11, t.tm_mday = 31;
    EXPECT_EQ(FormatLastWrite(t), "23:05:09    12/31/2003");
    EXPECT_EQ(FormatDimensions(3000, 2000, 24), "  3000 x 2000\n  24 Bits");

    lv::testing::TempDir dir;
    const std::string path = dir.file("Praia.Final.jpeg");
    std::ofstream(path) << "12345";
    std::tm when{};
    when.tm_year = 2021 - 1900, when.tm_mon = 5, when.tm_mday = 9, when.tm_hour = 14, when.tm_min = 30, when.tm_isdst = -1;
    const utimbuf times{std::mktime(&when), std::mktime(&when)};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
    AlbumEntry entry = EntryFor(80, 60, path);
    entry.setFileSize(2048);
    const PhotoProperties p = DescribePhoto(entry, path);
    EXPECT_EQ(p.name, "Praia.Final");
    EXPECT_EQ(p.folder, dir.path().string() + "/");
    EXPECT_EQ(p.extension, "JPEG");
    EXPECT_EQ(p.fileSize, "2.0 KB");  // what the record says, not the file
    EXPECT_EQ(p.lastWrite, "14:30:00    06/09/2021");
    EXPECT_EQ(p.dimensions, "  80 x 60\n  24 Bits");
    // A file that is gone keeps its record's facts and has no time.
    const PhotoProperties gone = DescribePhoto(entry, dir.file("nada"));
    EXPECT_EQ(gone.lastWrite, "");
    EXPECT_EQ(gone.extension, "");
}

TEST(PhotoRename, NewNameKeepsFolderAndUpperCasesTheExtension)
{
    EXPECT_EQ(RenamedPhotoPath("/fotos/foto.jpg", "praia"), "/fotos/praia.JPG");
    EXPECT_EQ(RenamedPhotoPath("/a.b/sem", "com"), "/a.b/com");
    EXPECT_EQ(RenamedPhotoPath("/x/dois.pontos.tif", "um"), "/x/um.TIF");

    lv::testing::TempDir dir;
    const std::string foto = dir.file("foto.jpg");
    std::ofstream(foto) << "jpeg";
    std::ofstream(dir.file("ocupado.JPG")) << "other";
    Album album;
    album.append(EntryFor(8, 8, foto));
    AlbumClipboard clipboard{*album.entry(0), foto};

    EXPECT_EQ(RenamePhoto(album, 0, "foto", clipboard, "/"), RenameResult::Unchanged);
    EXPECT_EQ(RenamePhoto(album, 0, "", clipboard, "/"), RenameResult::Unchanged);
    EXPECT_EQ(RenamePhoto(album, 0, "ocupado", clipboard, "/"), RenameResult::Exists);
    EXPECT_EQ(album.path(0), foto);
    EXPECT_FALSE(album.modified());
    EXPECT_EQ(RenamePhoto(album, 0, "nao/existe", clipboard, "/"), RenameResult::Failed);
    EXPECT_EQ(album.path(0), foto);
    EXPECT_TRUE(std::filesystem::exists(foto));

    ASSERT_EQ(RenamePhoto(album, 0, "praia", clipboard, "/"), RenameResult::Renamed);
    EXPECT_EQ(album.path(0), dir.file("praia.JPG"));
    EXPECT_TRUE(std::filesystem::exists(dir.file("praia.JPG")));
    EXPECT_FALSE(std::filesystem::exists(foto));
    EXPECT_TRUE(album.modified());
    EXPECT_EQ(clipboard.path, dir.file("praia.JPG"));
    EXPECT_EQ(clipboard.entry->path(), dir.file("praia.JPG"));

    // A clipboard that names another photo stays.
    AlbumClipboard other{std::nullopt, "/outra.jpg"};
    ASSERT_EQ(RenamePhoto(album, 0, "mar", other, "/"), RenameResult::Renamed);
    EXPECT_EQ(other.path, "/outra.jpg");
    EXPECT_EQ(RenamePhoto(album, 3, "x", other, "/"), RenameResult::Unchanged);
}

TEST(PhotoRename, RelativeEntriesBecomeAbsolute)
{
    lv::testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "sysalbum");
    std::ofstream(dir.file("sysalbum/sol.bmp")) << "bmp";
    Album album;
    AlbumEntry e = EntryFor(8, 8, "sysalbum/sol.bmp");
    e.setRelative(true);
    album.append(std::move(e));
    AlbumClipboard clipboard;
    ASSERT_EQ(RenamePhoto(album, 0, "lua", clipboard, dir.path()), RenameResult::Renamed);
    EXPECT_EQ(album.path(0), dir.file("sysalbum/lua.BMP"));
    EXPECT_FALSE(album.entry(0)->relative());
}

}  // namespace
}  // namespace lv::album
