#include "app/core/recent_lists.h"
#include "memory_store.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(RecentLists, AddingTheSameFileTwiceChangesNothingTheSecondTime)
{
    RecentLists r;
    r.add("/home/ana/fotos/praia.jpg");
    r.add("/home/ana/docs/carta.bmp");
    r.add("/home/ana/fotos/praia.jpg");
    const RecentLists before = r;
    r.add("/home/ana/fotos/praia.jpg");
    EXPECT_EQ(r, before);
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
    const char* const order[] = {"/b", "/d", "/c", "/a"};
    for (std::size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(r.directory(i), order[i]);
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
    EXPECT_EQ(loaded, r);
    store.failingKey = "LastDir3";
    EXPECT_FALSE(r.save(settings));
}

}  // namespace
}  // namespace lv
