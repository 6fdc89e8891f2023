#include "common/profile.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lv::profile {
namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class Profile : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string ini = dir.file("LV2000.ini");
};

TEST_F(Profile, AbsentFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(ReadInt(ini, "USUÁRIO", "UndoLevel", 32), 32);
    EXPECT_EQ(ReadString(ini, "USUÁRIO", "Album Name", "sample.abm", 127), "sample.abm");
    EXPECT_TRUE(ReadSection(ini, "USER").empty());
    EXPECT_FALSE(std::filesystem::exists(ini)) << "reading must not create the file";

    spit(ini, "[USER]\nFOR_640=1\nEmpty=\n");
    EXPECT_EQ(ReadInt(ini, "USUÁRIO", "FOR_640", 7), 7);
    EXPECT_EQ(ReadInt(ini, "USER", "Other", 7), 7);
    EXPECT_EQ(ReadInt(ini, "USER", "Empty", 7), 7);
    EXPECT_EQ(ReadString(ini, "USER", "Empty", "x", 255), "");
}

TEST_F(Profile, SectionAndKeyNamesIgnoreCaseIncludingAccentedCapitals)
{
    spit(ini, "[USUÁRIO]\nBrushSize=24\n");
    EXPECT_EQ(ReadInt(ini, "usuário", "brushsize", 0), 24);
    EXPECT_EQ(ReadInt(ini, "  Usuário ", "BRUSHSIZE", 0), 24);
    EXPECT_EQ(ReadInt(ini, "usuario", "BrushSize", 0), 0) << "a different letter is a different name";

    ASSERT_TRUE(WriteInt(ini, "usuÁrio", "BRUSHSIZE", 8));
    EXPECT_EQ(slurp(ini), "[USUÁRIO]\nBrushSize=8\n") << "the file keeps its own spelling";
}

TEST_F(Profile, WritesCreateFileAndSectionAndKeepEverythingElse)
{
    const auto inSub = (dir.path() / "sub" / "LV2000.ini").string();
    ASSERT_TRUE(WriteInt(inSub, "USUÁRIO", "Version", 200));
    EXPECT_EQ(slurp(inSub), "[USUÁRIO]\nVersion=200\n");

    spit(inSub, "; kept\r\n[ALBUMCUR]\r\nalbum1.abm=Férias1\r\n\r\n[USUÁRIO]\r\nActR=255\r\n\r\n[Recent Sizes]\r\nsize0=640,480,Pixel\r\n");
    ASSERT_TRUE(WriteInt(inSub, "USUÁRIO", "ActG", -3));
    ASSERT_TRUE(WriteString(inSub, "USUÁRIO", "ActR", "12"));
    ASSERT_TRUE(WriteString(inSub, "USER", "SLIDESHOW", "Cortina"));
    EXPECT_EQ(slurp(inSub),
              "; kept\r\n[ALBUMCUR]\r\nalbum1.abm=Férias1\r\n\r\n[USUÁRIO]\r\nActR=12\r\nActG=-3\r\n\r\n"
              "[Recent Sizes]\r\nsize0=640,480,Pixel\r\n\r\n[USER]\r\nSLIDESHOW=Cortina\r\n");
    EXPECT_EQ(ReadInt(inSub, "USUÁRIO", "ActG", 0), -3);
    EXPECT_EQ(ReadString(inSub, "USER", "SLIDESHOW", "", 255), "Cortina");
}

TEST_F(Profile, WindowsCodePageFilesReadAsUtf8AndAreRewrittenInUtf8)
{
    spit(ini, "[USU\xC1RIO]\r\nAlbum Name=F\xE9rias \x80 2000.abm\r\nLogin_ID=jos\xE9\r\n");
    EXPECT_EQ(ReadString(ini, "USUÁRIO", "Album Name", "", 127), "Férias € 2000.abm");
    ASSERT_TRUE(WriteString(ini, "USUÁRIO", "Login_ID", "joão"));
    EXPECT_EQ(slurp(ini), "[USUÁRIO]\r\nAlbum Name=Férias € 2000.abm\r\nLogin_ID=joão\r\n");
}

TEST_F(Profile, ValuesAreTrimmedUnquotedAndCutOnACharacterBoundary)
{
    spit(ini, "\xEF\xBB\xBF[s]\n  key  =  \"  padded  \"  \nlong=ááááá\nn1= -12abc\nn2=abc\nn3=+7\nbig=4294967297\n"
              "[s]\nkey=second section ignored\n");
    EXPECT_EQ(ReadString(ini, "s", "key", "", 255), "  padded  ");
    EXPECT_EQ(ReadString(ini, "s", "long", "", 5), "áá") << "5 bytes hold two two-byte letters";
    EXPECT_EQ(ReadString(ini, "s", "missing", "ááá", 3), "á") << "the default is cut too";
    // The big one wraps like the platform's conversion.
    EXPECT_EQ((std::vector<int>{ReadInt(ini, "s", "n1", 0), ReadInt(ini, "s", "n2", 5), ReadInt(ini, "s", "n3", 0),
                                ReadInt(ini, "s", "big", 0)}),
              (std::vector<int>{-12, 0, 7, 1}));
    EXPECT_EQ(ParseProfileInt("2147483648"), -2147483647 - 1);
}

TEST_F(Profile, SectionsAreListedReplacedAndDeleted)
{
    spit(ini, "[ALBUMCUR]\nalbum1.abm=Praia1\n; note\nnot a key\nalbum2.abm=Festa2\n\n[USER]\nLabels=3\n");
    const auto entries = ReadSection(ini, "albumcur");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::tuple(entries[1].key, entries[1].value), std::tuple(std::string("album2.abm"), std::string("Festa2")));

    ASSERT_TRUE(WriteSection(ini, "ALBUMCUR", {{"album3.abm", "Casa3"}}));
    EXPECT_EQ(slurp(ini), "[ALBUMCUR]\nalbum3.abm=Casa3\n\n[USER]\nLabels=3\n");
    ASSERT_TRUE(WriteSection(ini, "new", {{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(ReadInt(ini, "new", "b", 0), 2);

    ASSERT_TRUE(DeleteKey(ini, "USER", "labels"));
    EXPECT_TRUE(DeleteKey(ini, "USER", "labels")) << "already gone";
    ASSERT_TRUE(DeleteSection(ini, "albumcur"));
    EXPECT_EQ(slurp(ini), "[USER]\n\n[new]\na=1\nb=2\n");
}

TEST_F(Profile, WritesThatWouldNotReadBackAreRefusedAndLeaveTheFileAlone)
{
    spit(ini, "[s]\nk=1\n");
    for (const auto& [section, key, value] : {std::tuple{"s", "k", "two\nlines"}, {"s", "a=b", "1"}, {"s", "", "1"},
                                              {"s]", "k", "1"}})
        EXPECT_FALSE(WriteString(ini, section, key, value)) << section << " " << key;
    EXPECT_FALSE(WriteSection(ini, "s", {{"ok", "1"}, {"[bad", "2"}}));
    EXPECT_EQ(slurp(ini), "[s]\nk=1\n");
    EXPECT_FALSE(WriteString(dir.path().string(), "s", "k", "1")) << "a folder is not a profile file";
}

TEST_F(Profile, WritingThroughASymbolicLinkKeepsTheLink)
{
    const auto link = dir.file("link.ini");
    spit(ini, "[s]\nk=1\n");
    std::filesystem::create_symlink(ini, link);
    ASSERT_TRUE(WriteInt(link, "s", "k", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(slurp(ini), "[s]\nk=2\n");
}

}  // namespace
}  // namespace lv::profile
