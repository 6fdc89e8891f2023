// What the sharing screens keep: the settings file, the key ring, the smaller copy and the
// favourite links.

#include "common/byte_source.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/keyring.h"
#include "sharing/links/favourite_links.h"
#include "sharing/mail/smaller_copy.h"
#include "sharing/sharing_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lv::sharing {
namespace {

using lv::testing::TempDir;

TEST(SharingSettingsFile, RoundTripAndOtherSectionsKept)
{
    TempDir dir;
    const auto ini = dir.path() / "LV2000.ini";
    std::ofstream(ini) << "[USER]\nLastbStart=1\n[SHARING]\nOld=1\n";
    SharingSettings s;
    s.mailClient = "/opt/cliente/5.0/cliente";
    s.smtpHost = "smtp.exemplo.com.br";
    s.smtpPort = 2525;
    s.smtpSecurity = mapi::SmtpSecurity::Tls;
    s.smtpUser = "ana";
    s.smtpFrom = "Ana <ana@exemplo.com.br>";
    s.smallerCopy = 1600;
    s.storeServer = "https://127.0.0.1:8443/";
    s.storeCertificate = "/tmp/c.pem";
    ASSERT_TRUE(WriteSharingSettings(ini, s));
    EXPECT_EQ(ReadSharingSettings(ini), s);
    EXPECT_EQ(profile::ReadInt(ini, "USER", "LastbStart", 0), 1);
    EXPECT_EQ(s.webSite(), "https://127.0.0.1:8443/");
}

TEST(SharingSettingsFile, DefaultsAndValuesOutOfRange)
{
    TempDir dir;
    const auto ini = dir.path() / "LV2000.ini";
    EXPECT_EQ(ReadSharingSettings(ini), SharingSettings{});
    std::ofstream(ini) << "[SHARING]\nSmtpPort=70000\nSmtpSecurity=7\nSmallerCopy=800\nStoreServer=\n";
    const SharingSettings s = ReadSharingSettings(ini);
    EXPECT_EQ(std::tuple(s.smtpPort, s.smtpSecurity, s.smallerCopy, s.storeServer),
              std::tuple(0, mapi::SmtpSecurity::StartTls, 0, kDefaultStoreServer));
}

class Keyring : public ::testing::Test {
protected:
    Keyring()
    {
        std::filesystem::create_directories(dir.path() / "bin");
        tool = dir.path() / "bin" / "secret-tool";
        // A key ring in a folder: "store" keeps stdin under the attributes, "lookup" prints it.
        std::ofstream(tool) << "#!/bin/sh\nverb=$1; shift\n[ \"${1#--label=}\" != \"$1\" ] && { echo \"$1\" >> "
                            << dir.file("labels") << "; shift; }\nkey=$(printf '%s_' \"$@\" | tr '/ ' '__')\n"
                            << "case $verb in\n store) cat > " << dir.file("") << "secret_$key ;;\n"
                            << " lookup) cat " << dir.file("") << "secret_$key 2>/dev/null || exit 1 ;;\n"
                            << " clear) rm -f " << dir.file("") << "secret_$key ;;\nesac\n";
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
        savedPath = std::getenv("PATH");
        setenv("PATH", ((dir.path() / "bin").string() + ":" + savedPath).c_str(), 1);
    }
    ~Keyring() override { setenv("PATH", savedPath.c_str(), 1); }
    TempDir dir;
    std::filesystem::path tool;
    std::string savedPath;
};

TEST_F(Keyring, PasswordsGoInAndComeOutByTheirAttributes)
{
    ASSERT_TRUE(KeyringAvailable());
    const auto ana = SmtpSecretAttributes("smtp.exemplo.com", "ana");
    const auto bia = SmtpSecretAttributes("smtp.exemplo.com", "bia");
    EXPECT_EQ(LookupSecret(ana), std::nullopt);
    ASSERT_TRUE(StoreSecret("Lumivista 2000: e-mail", ana, "s3nh@ com espaço"));
    EXPECT_EQ(LookupSecret(ana), "s3nh@ com espaço");
    EXPECT_EQ(LookupSecret(bia), std::nullopt);
    EXPECT_TRUE(ForgetSecret(ana));
    EXPECT_EQ(LookupSecret(ana), std::nullopt);
    const auto labels = ReadWholeFile(dir.file("labels")).value_or(std::vector<std::uint8_t>{});
    EXPECT_EQ(std::string(labels.begin(), labels.end()), "--label=Lumivista 2000: e-mail\n");
}

TEST_F(Keyring, WithoutTheToolNothingIsKept)
{
    std::filesystem::remove(tool);
    setenv("PATH", (dir.path() / "bin").c_str(), 1);
    EXPECT_FALSE(KeyringAvailable());
    EXPECT_FALSE(StoreSecret("x", SmtpSecretAttributes("h", "u"), "p"));
    EXPECT_EQ(LookupSecret(SmtpSecretAttributes("h", "u")), std::nullopt);
}

TEST(SmallerCopy, TheLongestSideFitsAndTheShapeStays)
{
    EXPECT_EQ(FittedSize({4000, 3000}, 1024), (Size{1024, 768}));
    EXPECT_EQ(FittedSize({3000, 4000}, 1600), (Size{1200, 1600}));
    EXPECT_EQ(FittedSize({1025, 1}, 1024), (Size{1024, 1}));
    EXPECT_EQ(FittedSize({30000, 7}, 1024), (Size{1024, 1}));  // never below one pixel
    EXPECT_EQ(FittedSize({1024, 1000}, 1024), (Size{1024, 1000}));
    EXPECT_EQ(FittedSize({800, 600}, 1600), (Size{800, 600}));
    EXPECT_EQ(FittedSize({800, 600}, 0), (Size{800, 600}));
    EXPECT_EQ(std::tuple(ValidSmallerSide(0), ValidSmallerSide(1024), ValidSmallerSide(1000)),
              std::tuple(true, true, false));
}

TEST(SmallerCopy, ALargePictureGoesAsAJpegCopyInTheTemporaryFolder)
{
    TempDir dir;
    const std::string big = dir.file("foto grande.jpg");
    ASSERT_EQ(WriteJpeg(big, DibCreate(2000, 1500, 0x336699, false), 90), WriteResult::Written);
    const auto copy = MakeSmallerCopy(big, 1024, dir.path() / "temp", LibraryDocumentReaders());
    ASSERT_TRUE(copy);
    EXPECT_EQ(*copy, (dir.path() / "temp" / "foto grande.jpg").string());
    const ReadResult read = ReadJpeg(*copy);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(std::tuple(read.image().width(), read.image().height()), std::tuple(1024, 768));
    // A second copy of the same name does not replace the first.
    EXPECT_EQ(*MakeSmallerCopy(big, 1600, dir.path() / "temp", LibraryDocumentReaders()),
              (dir.path() / "temp" / "foto grande-2.jpg").string());
}

TEST(SmallerCopy, ASmallJpegGoesAsItIsAndOtherSmallFilesAsJpeg)
{
    TempDir dir;
    const std::string small = dir.file("pequena.jpg");
    ASSERT_EQ(WriteJpeg(small, DibCreate(300, 200, 0x112233, false), 90), WriteResult::Written);
    EXPECT_EQ(MakeSmallerCopy(small, 1024, dir.path() / "temp", LibraryDocumentReaders()), small);
    EXPECT_EQ(MakeSmallerCopy(dir.file("nao existe.jpg"), 1024, dir.path() / "temp", LibraryDocumentReaders()),
              std::nullopt);
}

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
        if (*bad) {
            EXPECT_NE(refused->find(std::string("\"") + bad), std::string::npos) << "names the address: " << *refused;
        }
    }
}

}  // namespace
}  // namespace lv::sharing
