#include "common/settings.h"
#include "common/testing/temp_dir.h"
#include "memory_store.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

TEST(Settings, UsuarioKeysAreLookedUpByTheirStringTableNames)
{
    testing::TempDir dir;
    const auto ini = dir.file("LV2000.ini");
    std::ofstream(ini, std::ios::binary) << "[usu\xE1rio]\r\nbrushsize=24\r\nALBUM NAME=f\xE9rias.abm\r\n";
    ProfileStore store(ini);
    Settings settings(store);
    EXPECT_EQ(settings.get(setting::kBrushSize), 24);
    EXPECT_EQ(settings.get(setting::kAlbumName), "férias.abm");
    EXPECT_EQ(settings.get(setting::kBrushSpeed), 20);

    ASSERT_TRUE(settings.set(setting::kBrushShape, -2));
    EXPECT_EQ(store.read("USUÁRIO", "BrushShape"), "-2");
    EXPECT_EQ(settings.getInt(setting::kBrushShape.id, 0), -2);
}

TEST(Settings, TextReadsAreLimitedTo127And255Bytes)
{
    testing::MemoryStore store;
    Settings settings(store);
    const std::string longText(300, 'x');
    store.values = {{"USUÁRIO/ScanCalParam", longText}, {"USER/SLIDESHOW", longText}};
    EXPECT_EQ(settings.get(setting::kScanCalParam).size(), 127u);
    EXPECT_EQ(settings.get(setting::kSlideshow).size(), 255u);
    EXPECT_EQ(settings.userGetString("absent", "padrão"), "padrão");
}

TEST(Settings, UserFlagsAreTrueOnlyAbove0AndAreWrittenAsOneOrZero)
{
    testing::MemoryStore store;
    Settings settings(store);
    store.values = {{"USER/a", "2"}, {"USER/b", "-1"}, {"USER/c", "junk"}};
    EXPECT_TRUE(settings.userGetBool("a", false));
    EXPECT_FALSE(settings.userGetBool("b", true));
    EXPECT_FALSE(settings.userGetBool("c", true));
    EXPECT_TRUE(settings.userGetBool("absent", true));

    ASSERT_TRUE(settings.userSetBool("LastbStart", true));
    ASSERT_TRUE(settings.userSetInt("CAMERA_NUM", 8));
    EXPECT_EQ(store.values["USER/LastbStart"], "1");
    EXPECT_EQ(settings.get(setting::kCameraNum), 8);
    EXPECT_EQ(settings.get(setting::kFor640), 0);
}

}  // namespace
}  // namespace lv
