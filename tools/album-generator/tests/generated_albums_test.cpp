// What the generator put in the program folder: read-only albums with the album code's thumbnails, pictures
// that look like something, textures that tile, and the catalogue lines that find them.

#include "album/album.h"
#include "album/album_file.h"
#include "album/catalogue.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "album_writer.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "system_albums.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

namespace lv::artwork {
namespace {

namespace fs = std::filesystem;
const fs::path kProgram = LV_PROGRAM_DIR;

std::size_t distinctColours(const HDIB& picture)
{
    std::set<std::uint32_t> seen;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* p = picture.row(y) + 3 * x;
            seen.insert(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16);
        }
    return seen.size();
}

TEST(GeneratedAlbums, EveryAlbumIsWholeReadOnlyAndPointsAtItsPictures)
{
    lv::testing::UiRecorder ui;
    const DocumentReaders readers = album::AlbumPhotoReaders();
    const auto albums = SystemAlbums();
    std::set<int> categories;
    for (const SystemAlbum& expected : albums) {
        SCOPED_TRACE(expected.key);
        categories.insert(expected.category);
        album::Album read;
        ASSERT_TRUE(read.read((kProgram / album::CategoryInfo(expected.category).folder / expected.key).string()));
        EXPECT_TRUE(read.readOnly());
        ASSERT_EQ(read.count(), expected.items.size());
        for (std::size_t i = 0; i < read.count(); ++i) {
            const album::AlbumEntry& entry = *read.entry(int(i));
            EXPECT_EQ(std::tuple(entry.relative(), entry.path()), std::tuple(true, expected.items[i].file));
            const std::string file = read.absolutePath(int(i), kProgram);
            ASSERT_TRUE(fs::exists(file)) << file;
            const album::BuiltEntry again =
                album::BuildPhotoEntry({file, expected.items[i].caption, {expected.items[i].values[0], 1, 1}}, readers);
            ASSERT_TRUE(again.entry);
            EXPECT_TRUE(std::ranges::equal(again.entry->thumbnail(), entry.thumbnail()));
            EXPECT_EQ(entry.caption().substr(0, 16), expected.items[i].caption.substr(0, 16));
            const HDIB picture = ReadBmp(file).take();
            ASSERT_TRUE(picture);
            EXPECT_GT(distinctColours(picture), 12u) << file;  // drawn, not a flat fill
        }
    }
    EXPECT_EQ(categories, (std::set<int>{1, 2, 5, 8, 9, 11, 12}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(GeneratedAlbums, StampsLieOnWhiteWithTheAppleAmongThem)
{
    const HDIB apple = ReadBmp((kProgram / "stamps/apple.bmp").string()).take();
    ASSERT_TRUE(apple);
    EXPECT_EQ(std::tuple(apple.width(), apple.bitCount()), std::tuple(kStampSide, 24));
    for (const auto& [x, y] : {std::pair{0, 0}, {127, 0}, {0, 127}, {127, 127}})
        EXPECT_EQ(apple.row(y)[3 * x] + apple.row(y)[3 * x + 1] + apple.row(y)[3 * x + 2], 3 * kStampBackground);
    const std::uint8_t* centre = apple.row(64) + 3 * 64;
    EXPECT_GT(centre[2], centre[1] + 60);  // red
    for (const char* name : {"star", "heart", "flower", "paw", "sun", "balloon"})
        EXPECT_TRUE(fs::exists(kProgram / "stamps" / (std::string(name) + ".bmp"))) << name;
}

TEST(GeneratedAlbums, TexturesTileWithoutASeam)
{
    for (const char* name : {"wood", "marble", "paper", "canvas", "stone", "fabric", "sand", "bricks"}) {
        SCOPED_TRACE(name);
        const HDIB t = ReadBmp((kProgram / "sysalbum/texture" / (std::string(name) + ".bmp")).string()).take();
        ASSERT_TRUE(t);
        const int w = t.width(), h = t.height();
        const auto difference = [&](int x0, int y0, int x1, int y1) {
            double sum = 0;
            for (int c = 0; c < 3; ++c)
                sum += std::abs(int(t.row(y0)[3 * x0 + c]) - int(t.row(y1)[3 * x1 + c]));
            return sum;
        };
        double seamX = 0, insideX = 0, seamY = 0, insideY = 0;
        for (int i = 0; i < h; ++i) {
            seamX += difference(w - 1, i, 0, i);
            insideX += difference(w / 2 - 1, i, w / 2, i);
        }
        for (int i = 0; i < w; ++i) {
            seamY += difference(i, h - 1, i, 0);
            insideY += difference(i, h / 2 - 1, i, h / 2);
        }
        EXPECT_LT(seamX, 2.5 * insideX + 3 * h);
        EXPECT_LT(seamY, 2.5 * insideY + 3 * w);
    }
}

TEST(GeneratedAlbums, CatalogueFindsEverySystemAlbum)
{
    lv::testing::TempDir dir;  // a user without any album sections of their own
    album::ProfileCatalogueStore store(dir.path() / "LV2000.ini", kProgram / album::kSystemCatalogueFile);
    const album::AlbumCatalogue catalogue(store, kProgram);
    EXPECT_EQ(std::tuple(catalogue.find(5, "shapes1.abm"), catalogue.name(5, 0)), std::tuple(0, "Formas"));
    for (const int effects : {1, 2, 3})
        EXPECT_EQ(catalogue.count(effects), 2);
    EXPECT_EQ(catalogue.count(0), 0);
    for (const int c : {1, 5, 8, 9, 11, 12})
        for (int i = 0; i < catalogue.count(c); ++i)
            EXPECT_TRUE(fs::exists(catalogue.albumPath(c, i))) << catalogue.albumPath(c, i);
    // An album of a later kind joins by being listed: the text groups albums by section.
    std::vector<SystemAlbum> extra = {{1, "a.abm", "A", {}}, {4, "f.abm", "Moldura", {}}, {3, "b.abm", "B", {}}};
    EXPECT_EQ(CatalogueText(extra).substr(CatalogueText(extra).find('[')),
              "[effects]\r\na.abm=A\r\nb.abm=B\r\n[Frame]\r\nf.abm=Moldura\r\n");
}

}  // namespace
}  // namespace lv::artwork
