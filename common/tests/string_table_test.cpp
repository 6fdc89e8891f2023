#include "common/string_table.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(StringTable, KnownEntriesKeepTheirExactTextAndUnknownOnesAreEmpty)
{
    EXPECT_EQ(LoadString(2356), "Formato de arquivo desconhecido.");
    EXPECT_EQ(LoadString(2389), ".BMP");
    EXPECT_EQ(LoadString(2394), ".JPG");
    EXPECT_EQ(LoadString(64468), "Salvar erro do arquivo do álbum.") << "the last entry";
    EXPECT_TRUE(HasString(2004));
    EXPECT_FALSE(HasString(2388));
    EXPECT_EQ(LoadString(-1), "");
    EXPECT_EQ(LoadString(99999), "");
}

}  // namespace
}  // namespace lv
