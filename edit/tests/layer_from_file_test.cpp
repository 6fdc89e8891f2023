// A layer added from a file is named after the file; layers of a layered file keep theirs.

#include "edit/layer_commands.h"
#include "edit/layer_file_name.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(LayerFromFile, NamedAfterTheFileWithoutFolderOrExtensionCutTo63Characters)
{
    EXPECT_EQ(LayerNameForPicturePath("/fotos/praia.2024.jpg"), "praia.2024");
    EXPECT_EQ(LayerNameForPicturePath("céu"), "céu");
    EXPECT_EQ(LayerNameForPicturePath("/fotos/.oculta"), ".oculta") << "a leading dot is no extension";
    EXPECT_EQ(LayerNameForPicturePath("/fotos.d/semponto"), "semponto");
    EXPECT_EQ(LayerNameForPicturePath(std::string(63, 'a') + ".bmp"), std::string(63, 'a'));
    std::string accented;
    for (int i = 0; i < 70; ++i)
        accented += "ç";
    std::string cut;
    for (int i = 0; i < 63; ++i)
        cut += "ç";
    EXPECT_EQ(LayerNameForPicturePath("/x/" + accented + ".png"), cut) << "characters, not bytes";
}

TEST(LayerFromFile, AFlatFileGivesItsNameAndALayeredOneKeepsItsOwn)
{
    auto document = CreateLayerStackFromImage(SolidPicture(20, 10, {1, 2, 3}));
    ASSERT_TRUE(document);
    const auto flat = CreateLayerStackFromImage(SolidPicture(8, 8, {9, 9, 9}));
    ASSERT_TRUE(AddLayersFrom(*document, *flat, "/fotos/Pôr do sol.jpg"));
    EXPECT_EQ(LayerNames(*document), (std::vector<std::string>{"Pôr do sol", "Fundo"}));

    auto layered = CreateLayerStackFromImage(SolidPicture(8, 8, {9, 9, 9}));
    layered->layers[0].name = "Céu";
    ASSERT_TRUE(AddLayersFrom(*document, *layered, "/fotos/montagem.vlf"));
    EXPECT_EQ(LayerNames(*document)[0], "Céu");
    ASSERT_TRUE(AddLayersFrom(*document, *flat));
    EXPECT_EQ(LayerNames(*document)[0], "Fundo") << "without a file (the clipboard) nothing is renamed";
}

}  // namespace
}  // namespace lv::testing
