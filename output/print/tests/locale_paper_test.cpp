#include "output/print/locale_paper.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

TEST(LocalePaper, TheLocaleNamesItsPaperAndAMissingLocaleNone)
{
    EXPECT_EQ(LocalePaper("C"), (PaperMillimetres{210, 297})) << "glibc's C locale prints on A4";
    EXPECT_EQ(LocalePaper("xx_NOWHERE.UTF-8"), std::nullopt);
}

}  // namespace
}  // namespace lv::print
