#include "common/testing/temp_dir.h"
#include "sharing/links/favourite_links.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lv::sharing {
namespace {

TEST(FavouriteLinks, AddressInUserNameInVuruviziAndRefusedAddressesNotWritten)
{
    testing::TempDir dir;
    ProfileStore store(dir.path() / "LV2000.ini");
    FavouriteLinks links;
    links[0] = {"Notícias & <mais>", "https://example.org/a?b=1&c=2"};
    links[2] = {"", "HTTP://Example.org"};
    links[4] = {"Perigoso", "file:///etc/passwd"};
    ASSERT_TRUE(WriteFavouriteLinks(store, links));
    std::ifstream in(store.file());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("CreateLink1=https://example.org/a?b=1&c=2"), std::string::npos) << text.str();
    const FavouriteLinks back = ReadFavouriteLinks(store);
    EXPECT_EQ(back[0], links[0]);
    EXPECT_EQ(store.read("vuruvizi", "CreateLink1"), "Notícias & <mais>");
    EXPECT_EQ(back[2].address, "HTTP://Example.org");
    EXPECT_EQ(ShownLinkName(back, 2), "Link 3");
    EXPECT_EQ(back[4], FavouriteLink{}) << "a refused address is never stored";
}

TEST(FavouriteLinks, OnlyHttpAndHttpsWithASiteAreOpened)
{
    for (const char* good : {"http://a.example", "https://a.example/x y?"}) {
        const auto refused = RefusedLinkAddress(good);
        EXPECT_EQ(refused.has_value(), std::string(good).find(' ') != std::string::npos) << good;
    }
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://a.example", "https://", "http:///x",
                            "-https://a.example", "https://a.example/\n--x"}) {
        const auto refused = RefusedLinkAddress(bad);
        ASSERT_TRUE(refused) << bad;
        if (*bad)
            EXPECT_NE(refused->find(std::string("\"") + bad), std::string::npos) << "names the address: " << *refused;
    }
}

}  // namespace
}  // namespace lv::sharing
