// The album catalogue: numbering, names, deleting, the current album, shared sections and
// the configuration file it lives in.

#include "album/catalogue.h"
#include "common/byte_sink.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::album {
namespace {

class CatalogueFiles : public ::testing::Test {
protected:
    CatalogueFiles()
        : store(dir.path() / "LV2000.ini", dir.path() / "program/sysalbum/albums.ini")
        , catalogue(store, dir.path() / "program")
    {
        std::filesystem::create_directories(dir.path() / "program/albums");
        std::filesystem::create_directories(dir.path() / "program/sysalbum");
    }
    void writeConfig(const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile((dir.path() / "LV2000.ini").string(), {text.begin(), text.end()}));
    }
    std::vector<profile::Entry> section(std::string_view name)
    {
        return profile::ReadSection(dir.path() / "LV2000.ini", name);
    }

    lv::testing::TempDir dir;
    ProfileCatalogueStore store;
    AlbumCatalogue catalogue;
};

TEST_F(CatalogueFiles, NewAlbumsAreNumberedAfterTheLargestKey)
{
    EXPECT_EQ(catalogue.newAlbum(0, "Novo álbum"), 1);
    EXPECT_EQ(catalogue.line(0, 0), "album1.abm=Novo álbum1");
    catalogue.addLine(0, "album7.abm=Viagem");
    catalogue.addLine(0, "capa.abm=Sem número");
    EXPECT_EQ(catalogue.newAlbum(0, "Novo álbum"), 8);
    EXPECT_EQ(catalogue.key(0, 3), "album8.abm");
    EXPECT_EQ(catalogue.name(0, 3), "Novo álbum8");
    EXPECT_EQ(catalogue.find(0, "ALBUM7.ABM"), 1);
    EXPECT_EQ(catalogue.find(0, "album9.abm"), -1);
    EXPECT_EQ(catalogue.albumPath(0, 3), (dir.path() / "program/albums/album8.abm").string());
    EXPECT_EQ(catalogue.albumPath(5, 0), "");
    // Written at once, in list order.
    const auto lines = section("albums");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].key, "album8.abm");
    EXPECT_EQ(lines[3].value, "Novo álbum8");

    EXPECT_EQ(AlbumNumber("album12.abm"), 12);
    EXPECT_EQ(AlbumNumber("12album.abm"), 0);
    EXPECT_EQ(AlbumNumber("x3.y7.abm"), 3);
    EXPECT_EQ(AlbumNumber("semponto"), 0);
}

TEST_F(CatalogueFiles, ACategoryHoldsAHundredAlbums)
{
    for (int i = 1; i <= 100; ++i)
        catalogue.addLine(12, "t" + std::to_string(i) + ".abm=Textura");
    EXPECT_EQ(catalogue.addLine(12, "t101.abm=Demais"), 101);
    EXPECT_EQ(catalogue.count(12), 100);
    EXPECT_EQ(catalogue.newAlbum(12, "Novo álbum"), 0);
}

TEST_F(CatalogueFiles, RenamedNamesLoseLineBreaksAndOverlongTails)
{
    catalogue.newAlbum(0, "Novo álbum");
    const std::string name64(64, 'n'), name65(65, 'n');
    ASSERT_TRUE(catalogue.rename(0, 0, name65));
    EXPECT_EQ(catalogue.name(0, 0), std::string(63, 'n'));
    ASSERT_TRUE(catalogue.rename(0, 0, name64));
    EXPECT_EQ(catalogue.name(0, 0), name64);
    // Characters, not bytes: 64 accented letters stay whole.
    std::string accented;
    for (int i = 0; i < 64; ++i)
        accented += "ã";
    ASSERT_TRUE(catalogue.rename(0, 0, accented));
    EXPECT_EQ(catalogue.name(0, 0), accented);
    ASSERT_TRUE(catalogue.rename(0, 0, "Férias\r\nna praia=2024"));
    EXPECT_EQ(catalogue.name(0, 0), "Férias  na praia=2024");
    EXPECT_EQ(catalogue.key(0, 0), "album1.abm");
    EXPECT_EQ(section("albums")[0].value, "Férias  na praia=2024");
    EXPECT_FALSE(catalogue.rename(0, 5, "x"));
}

TEST_F(CatalogueFiles, DeletingRemovesFileAndLineAndStepsTheCurrentAlbumBack)
{
    for (int i = 0; i < 3; ++i)
        catalogue.newAlbum(0, "A");
    const std::string second = catalogue.albumPath(0, 1);
    ASSERT_TRUE(WriteWholeFile(second, {'R', 'E', 'Z', 'E'}));
    catalogue.setCurrent(0, 2);
    ASSERT_TRUE(catalogue.remove(0, 1));
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_EQ(catalogue.count(0), 2);
    EXPECT_EQ(catalogue.key(0, 1), "album3.abm");
    EXPECT_EQ(catalogue.current(0), 0);
    ASSERT_TRUE(catalogue.remove(0, 0));
    EXPECT_EQ(catalogue.current(0), 0);
    EXPECT_EQ(section("albums").size(), 1u);
}

TEST_F(CatalogueFiles, CurrentAlbumAndViewValuesLiveInTheirSections)
{
    writeConfig("[ALBUMCUR]\r\nalbums=-4\r\nshape=2\r\n[albums]\r\nalbum1.abm=Casa\r\n");
    EXPECT_EQ(catalogue.current(0), 0);   // negative reads as 0
    EXPECT_EQ(catalogue.current(10), 0);  // the same section
    EXPECT_EQ(catalogue.current(5), 2);
    EXPECT_EQ(catalogue.current(12), 0);  // missing
    ASSERT_TRUE(catalogue.setCurrent(12, 3));
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMCUR", "Texture"), "3");

    ASSERT_TRUE(catalogue.setViewValue(0, 0, 57, ViewValue::Position));
    ASSERT_TRUE(catalogue.setViewValue(0, 0, 9, ViewValue::Head));
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMPOS", "albums_album1.abm"), "57");
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMHEAD", "albums_album1.abm"), "9");
    EXPECT_EQ(catalogue.viewValue(0, 0, ViewValue::Position), 57);
    EXPECT_EQ(catalogue.viewValue(0, 0, ViewValue::Head), 9);
    EXPECT_EQ(catalogue.viewValue(0, 1, ViewValue::Head), 0);
}

TEST_F(CatalogueFiles, SharedSectionsStoreTheFirstCategorysCopy)
{
    writeConfig("[effects]\nfx1.abm=Efeitos\n[albums]\nalbum2.abm=Meu\n");
    EXPECT_EQ(catalogue.count(2), 1);
    EXPECT_EQ(catalogue.line(10, 0), "album2.abm=Meu");
    catalogue.addLine(2, "fx2.abm=Só na cópia");
    catalogue.copyCategory(4, 2);
    EXPECT_EQ(catalogue.count(4), 2);
    ASSERT_TRUE(catalogue.writeBack());
    EXPECT_EQ(section("effects").size(), 1u);  // category 1's copy
    EXPECT_EQ(section("Frame").size(), 2u);
    catalogue.copyCategory(13, 0);  // ignored
    catalogue.copyCategory(1, 2);
    ASSERT_TRUE(catalogue.writeBack());
    EXPECT_EQ(section("effects").size(), 2u);
}

TEST_F(CatalogueFiles, SystemAlbumsComeFromTheProgramFolderUntilTheUserHasTheSection)
{
    const std::string defaults = "[shape]\nshapes1.abm=Formas\n[Texture]\ntex1.abm=Texturas\n";
    ASSERT_TRUE(WriteWholeFile((dir.path() / "program/sysalbum/albums.ini").string(), {defaults.begin(), defaults.end()}));
    writeConfig("[Texture]\n");
    EXPECT_EQ(catalogue.name(5, 0), "Formas");
    EXPECT_EQ(catalogue.count(12), 0);  // the user's empty section wins
    EXPECT_EQ(catalogue.albumPath(5, 0), (dir.path() / "program/sysalbum/shapes1.abm").string());

    // With a folder of the user's own, only the user's albums move there.
    writeConfig("[albums]\nalbum1.abm=Casa\n");
    const AlbumCatalogue installed(store, dir.path() / "program", dir.path() / "data/albums");
    EXPECT_EQ(installed.albumPath(0, 0), (dir.path() / "data/albums/album1.abm").string());
    EXPECT_EQ(installed.albumPath(10, 0), (dir.path() / "data/albums/album1.abm").string());
    EXPECT_EQ(installed.albumPath(5, 0), (dir.path() / "program/sysalbum/shapes1.abm").string());
}

TEST_F(CatalogueFiles, PhotosOfARelocatedAlbumAreLookedForInItsFolder)
{
    writeConfig("[albums]\nalbum1.abm=Casa\nalbum2.abm=Praia\n[ALBUMCUR]\nalbums=1\n"
                "[Filepath]\nalbums_album2.abm=/media/cartao/fotos\n");
    EXPECT_EQ(catalogue.relocatedPhotoPath(0, "C:/Fotos/praia01.jpg"), "/media/cartao/fotos/praia01.jpg");
    catalogue.setCurrent(0, 0);
    EXPECT_EQ(catalogue.relocatedPhotoPath(0, "C:/Fotos/praia01.jpg"), "C:/Fotos/praia01.jpg");
}

}  // namespace
}  // namespace lv::album
