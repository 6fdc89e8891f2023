#include "app/core/recent_lists.h"
#include "memory_store.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

std::vector<std::string> directories(const RecentLists& r)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < RecentLists::kSize; ++i)
        out.push_back(r.directory(i));
    return out;
}

std::vector<std::string> files(const RecentLists& r)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < RecentLists::kSize; ++i)
        out.push_back(r.file(i));
    return out;
}

TEST(RecentLists, AddingTheSameFileTwiceChangesNothingTheSecondTime)
{
    RecentLists r;
    r.add("/home/ana/fotos/praia.jpg");
    r.add("/home/ana/docs/carta.bmp");
    r.add("/home/ana/fotos/praia.jpg");
    const auto dirs = directories(r);
    const auto names = files(r);
    r.add("/home/ana/fotos/praia.jpg");
    EXPECT_EQ(directories(r), dirs);
    EXPECT_EQ(files(r), names);
    EXPECT_EQ(r.mostRecentDirectory(), "/home/ana/fotos");
    EXPECT_EQ(r.file(1), "/home/ana/docs/carta.bmp");
}

TEST(RecentLists, AnEleventhDirectoryPushesTheOldestOut)
{
    RecentLists r;
    for (int i = 0; i < 11; ++i)
        r.add("/d" + std::to_string(i) + "/f.jpg");
    EXPECT_EQ(r.directory(0), "/d10");
    EXPECT_EQ(r.directory(9), "/d1");
    EXPECT_EQ(r.file(9), "/d1/f.jpg");
    for (std::size_t i = 0; i < RecentLists::kSize; ++i)
        EXPECT_NE(r.directory(i), "/d0");
}

TEST(RecentLists, AnEntryFoundFurtherDownMovesToTheFrontAndTheOnesAboveMoveDown)
{
    RecentLists r;
    for (const char* d : {"/a", "/b", "/c", "/d"})
        r.add(std::string(d) + "/x.jpg");
    r.add("/b/y.jpg");  // "/b" was third
    EXPECT_EQ((std::vector<std::string>{r.directory(0), r.directory(1), r.directory(2), r.directory(3)}),
              (std::vector<std::string>{"/b", "/d", "/c", "/a"}));
    EXPECT_EQ(r.file(0), "/b/y.jpg");
    EXPECT_EQ(r.file(4), "/a/x.jpg");
    r.add("/B/x.jpg");  // comparison is case-sensitive
    EXPECT_EQ(r.directory(0), "/B");
    EXPECT_EQ(r.directory(1), "/b");
}

TEST(RecentLists, TheFolderIsTheTextBeforeTheLastSlash)
{
    EXPECT_EQ(DirectoryOf("/home/ana/praia.jpg"), "/home/ana");
    EXPECT_EQ(DirectoryOf("/praia.jpg"), "/");
    EXPECT_EQ(DirectoryOf("praia.jpg"), "");
    EXPECT_EQ(DirectoryOf("fotos/"), "fotos");
}

TEST(RecentLists, SaveAndLoadKeepAllTwentySlots)
{
    testing::MemoryStore store;
    Settings settings(store);
    RecentLists r;
    r.add("/um/1.jpg");
    r.add("/dois/" + std::string(300, 'n') + ".jpg");
    ASSERT_TRUE(r.save(settings));
    EXPECT_EQ(store.values.size(), 20u);
    EXPECT_EQ(store.values["USUÁRIO/File1"], "/um/1.jpg");
    EXPECT_EQ(store.values["USUÁRIO/LastDir9"], "");
    EXPECT_EQ(store.values["USUÁRIO/File0"].size(), RecentLists::kEntryBytes);

    RecentLists loaded;
    loaded.load(settings);
    for (std::size_t i = 0; i < RecentLists::kSize; ++i) {
        EXPECT_EQ(loaded.directory(i), r.directory(i));
        EXPECT_EQ(loaded.file(i), r.file(i));
    }
    store.failingKey = "LastDir3";
    EXPECT_FALSE(r.save(settings));
}

}  // namespace
}  // namespace lv
