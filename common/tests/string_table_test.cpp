#include "common/string_table.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(StringTable, KnownEntriesKeepTheirExactTextAndUnknownOnesAreEmpty)
{
    EXPECT_EQ(LoadString(2356), "Formato de arquivo desconhecido.");
    EXPECT_EQ(LoadString(2389), ".BMP");
    EXPECT_EQ(LoadString(2394), ".JPG");
    EXPECT_TRUE(HasString(2004));
    EXPECT_FALSE(HasString(2388));
    EXPECT_EQ(LoadString(-1), "");
}

TEST(StringTable, TextsKeepTheirBlanksLineBreaksAndAccents)
{
    EXPECT_EQ(LoadString(6462),
              "Mude a configuração do display para uma resolução de 800 x 600 ou mais alta para executar o "
              "Lumivista 2000. ");
    EXPECT_EQ(LoadString(2344), " Visualizar %d%%  ");
    EXPECT_EQ(LoadString(2363), "\nfoi modificado. Deseja salvá-lo?");
    EXPECT_EQ(LoadString(64468), "Salvar erro do arquivo do álbum.") << "the last entry";
}

}  // namespace
}  // namespace lv
