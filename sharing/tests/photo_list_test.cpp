#include "sharing/store/photo_fetcher.h"
#include "sharing/store/photo_list.h"
#include "sharing/store/store_client.h"
#include "sharing/store/store_protocol.h"

#include <gtest/gtest.h>

namespace lv::sharing::store {
namespace {

TEST(LoginReply, TheTokenLineAmongOthers)
{
    // "token=abc" has no line end; a token with a space could not travel in a header.
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"token=abc\n", "abc"}, {"user=ana\r\ntoken=x-1_Y\r\nexpires=10\r\n", "x-1_Y"}, {"token=abc", "abc"},
        {" token=abc\n", std::nullopt}, {"token=\n", std::nullopt}, {"token=a b\n", std::nullopt}, {"", std::nullopt},
        {"token=" + std::string(kMaxTokenBytes, 'a'), std::string(kMaxTokenBytes, 'a')},
        {"token=" + std::string(kMaxTokenBytes + 1, 'a'), std::nullopt}, {std::string("token=a\0b", 9), std::nullopt}};
    for (const auto& [reply, token] : cases)
        EXPECT_EQ(ParseLoginReply(reply), token) << reply;
}

TEST(PhotoList, LinesInTheServicesOrder)
{
    const auto list = ParsePhotoList("3000000\t949410309\tpraia.jpg\n12\t0\tNoite de São João.png\r\n0\t5\tvazia.jpg");
    EXPECT_EQ(list, (std::vector<PhotoEntry>{{"praia.jpg", 3000000, 949410309},
                                              {"Noite de São João.png", 12, 0},
                                              {"vazia.jpg", 0, 5}}));
}

TEST(PhotoList, BadLinesAreLeftOutAndTheRestKept)
{
    const auto list = ParsePhotoList(
        "-1\t0\tneg.jpg\n"
        "+1\t0\tplus.jpg\n"
        "1x\t0\tjunk.jpg\n"
        "\t0\tnosize.jpg\n"
        "1\t\tnotime.jpg\n"
        "1\t0\n"
        "99999999999999999999\t0\toverflow.jpg\n" +
        std::to_string(kMaxPhotoBytes + 1) + "\t0\ttoo_big.jpg\n" +
        std::to_string(kMaxPhotoBytes) + "\t-5\tbefore_1970.jpg\n"
        "1\t0\tgood.jpg\n"
        "1\t0\tgood.jpg\n");
    EXPECT_EQ(list, (std::vector<PhotoEntry>{{"before_1970.jpg", kMaxPhotoBytes, -5}, {"good.jpg", 1, 0}}));
}

TEST(PhotoList, StopsAtTheLimitOfPhotos)
{
    std::string text;
    for (std::size_t i = 0; i < kMaxListedPhotos + 5; ++i)
        text += "1\t0\tp" + std::to_string(i) + ".jpg\n";
    const auto list = ParsePhotoList(text);
    ASSERT_EQ(list.size(), kMaxListedPhotos);
    EXPECT_EQ(list.back().name, "p" + std::to_string(kMaxListedPhotos - 1) + ".jpg");
}

TEST(PhotoNames, OnlyNamesThatStayInTheFolder)
{
    for (const char* good : {"a.jpg", "São João 2000.JPG", "a..b", "x~y", "1"})
        EXPECT_TRUE(SafePhotoName(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", ".oculto", "../x.jpg", "a/b.jpg", "a\\b.jpg", "/abs.jpg",
                                  std::string("a\0b", 3), "tab\there", "del\x7f", "\xC3\x28.jpg",
                                  std::string(kMaxNameBytes + 1, 'a')})
        EXPECT_FALSE(SafePhotoName(bad)) << bad;
    EXPECT_TRUE(SafePhotoName(std::string(kMaxNameBytes, 'a')));
}

TEST(StoreAddresses, HttpOnlyToThisComputer)
{
    for (const char* good : {"https://loja.exemplo.com.br", "https://loja.exemplo.com.br:8443/prefixo/",
                             "http://127.0.0.1:8765", "http://localhost:8765/", "http://[::1]:8765/"})
        EXPECT_TRUE(AddressAllowed(good)) << good;
    for (const char* bad : {"http://loja.exemplo.com.br", "http://127.0.0.1.exemplo.com/", "ftp://127.0.0.1/",
                            "file:///etc/passwd", ""})
        EXPECT_FALSE(AddressAllowed(bad)) << bad;
}

TEST(StoreAddresses, JoiningAndEncoding)
{
    EXPECT_EQ(JoinUrl("https://a.b/", "/api/1/login"), "https://a.b/api/1/login");
    EXPECT_EQ(JoinUrl("https://a.b/loja", "api/1/login"), "https://a.b/loja/api/1/login");
    EXPECT_EQ(EncodePathSegment("São João #1?.jpg"), "S%C3%A3o%20Jo%C3%A3o%20%231%3F.jpg");
    EXPECT_EQ(EncodePathSegment("a-b_c.d~e"), "a-b_c.d~e");
}

TEST(PartialFiles, HiddenBesideThePhoto)
{
    EXPECT_EQ(PartialPath("/f", "praia.jpg"), std::filesystem::path("/f/.praia.jpg.part"));
    // A name from the list never starts with ".", so no photo can be taken for a partial one.
    EXPECT_FALSE(SafePhotoName(PartialPath("/f", "praia.jpg").filename().string()));
}

}  // namespace
}  // namespace lv::sharing::store
