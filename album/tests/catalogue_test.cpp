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
    EXPECT_EQ(std::tuple(catalogue.key(0, 3), catalogue.name(0, 3)), std::tuple("album8.abm", "Novo álbum8"));
    EXPECT_EQ(std::pair(catalogue.find(0, "ALBUM7.ABM"), catalogue.find(0, "album9.abm")), std::pair(1, -1));
    EXPECT_EQ(std::pair(catalogue.albumPath(0, 3), catalogue.albumPath(5, 0)),
              std::pair((dir.path() / "program/albums/album8.abm").string(), std::string()));
    // Written at once, in list order.
    const auto lines = section("albums");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(std::tuple(lines[3].key, lines[3].value), std::tuple("album8.abm", "Novo álbum8"));

    EXPECT_EQ((std::vector<int>{AlbumNumber("album12.abm"), AlbumNumber("12album.abm"), AlbumNumber("x3.y7.abm"), AlbumNumber("semponto")}),
              (std::vector<int>{12, 0, 3, 0}));
}

TEST_F(CatalogueFiles, ACategoryHoldsAHundredAlbums)
{
    for (int i = 1; i <= 100; ++i)
        catalogue.addLine(12, "t" + std::to_string(i) + ".abm=Textura");
    EXPECT_EQ(std::tuple(catalogue.addLine(12, "t101.abm=Demais"), catalogue.count(12), catalogue.newAlbum(12, "Novo álbum")),
              std::tuple(101, 100, 0));
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
    EXPECT_EQ(std::tuple(catalogue.name(0, 0), catalogue.key(0, 0), section("albums")[0].value),
              std::tuple("Férias  na praia=2024", "album1.abm", "Férias  na praia=2024"));
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
    EXPECT_EQ(std::tuple(catalogue.count(0), catalogue.key(0, 1), catalogue.current(0)), std::tuple(2, "album3.abm", 0));
    ASSERT_TRUE(catalogue.remove(0, 0));
    EXPECT_EQ(std::tuple(catalogue.current(0), section("albums").size()), std::tuple(0, 1u));
}

TEST_F(CatalogueFiles, CurrentAlbumAndViewValuesLiveInTheirSections)
{
    writeConfig("[ALBUMCUR]\r\nalbums=-4\r\nshape=2\r\n[albums]\r\nalbum1.abm=Casa\r\n");
    // Negative reads as 0; category 10 shares the section of 0; 12's is missing.
    EXPECT_EQ((std::vector<int>{catalogue.current(0), catalogue.current(10), catalogue.current(5), catalogue.current(12)}),
              (std::vector<int>{0, 0, 2, 0}));
    ASSERT_TRUE(catalogue.setCurrent(12, 3));
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMCUR", "Texture"), "3");

    ASSERT_TRUE(catalogue.setViewValue(0, 0, 57, ViewValue::Position));
    ASSERT_TRUE(catalogue.setViewValue(0, 0, 9, ViewValue::Head));
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMPOS", "albums_album1.abm"), "57");
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMHEAD", "albums_album1.abm"), "9");
    EXPECT_EQ(std::tuple(catalogue.viewValue(0, 0, ViewValue::Position), catalogue.viewValue(0, 0, ViewValue::Head),
                         catalogue.viewValue(0, 1, ViewValue::Head)),
              std::tuple(57, 9, 0));
}

TEST_F(CatalogueFiles, SharedSectionsStoreTheFirstCategorysCopy)
{
    writeConfig("[effects]\nfx1.abm=Efeitos\n[albums]\nalbum2.abm=Meu\n");
    EXPECT_EQ(std::tuple(catalogue.count(2), catalogue.line(10, 0)), std::tuple(1, "album2.abm=Meu"));
    catalogue.addLine(2, "fx2.abm=Só na cópia");
    catalogue.copyCategory(4, 2);
    EXPECT_EQ(catalogue.count(4), 2);
    ASSERT_TRUE(catalogue.writeBack());
    // The effects section is category 1's copy.
    EXPECT_EQ(std::pair(section("effects").size(), section("Frame").size()), std::pair(std::size_t(1), std::size_t(2)));
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
    // The user's empty section wins.
    EXPECT_EQ(std::tuple(catalogue.name(5, 0), catalogue.count(12), catalogue.albumPath(5, 0)),
              std::tuple("Formas", 0, (dir.path() / "program/sysalbum/shapes1.abm").string()));

    // With a folder of the user's own, only the user's albums move there.
    writeConfig("[albums]\nalbum1.abm=Casa\n");
    const AlbumCatalogue installed(store, dir.path() / "program", dir.path() / "data/albums");
    const std::string mine = (dir.path() / "data/albums/album1.abm").string();
    EXPECT_EQ(std::tuple(installed.albumPath(0, 0), installed.albumPath(10, 0), installed.albumPath(5, 0)),
              std::tuple(mine, mine, (dir.path() / "program/sysalbum/shapes1.abm").string()));
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
