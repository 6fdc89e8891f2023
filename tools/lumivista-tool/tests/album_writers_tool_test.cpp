// Several copies of the tool adding to one album at once, as scripts and the program's own
// download do: each re-reads the album under its lock, so no photo is lost.

#include "album/album_file.h"
#include "album/album_lock.h"
#include "common/byte_sink.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

class AlbumWriters : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        for (int i = 0; i < kWriters; ++i)
            writePicture(photo(i), 8 + i, 6, [i](int x, int y) { return testing::Rgb{std::uint8_t(x * 20), std::uint8_t(y * 30), std::uint8_t(i)}; });
    }
    static std::string photo(int i) { return "foto" + std::to_string(i) + ".bmp"; }

    // Every writer started at once in the background; the shell fails when any of them did.
    testing::CommandResult addAllAtOnce(const std::string& album) const
    {
        std::string script;
        for (int i = 0; i < kWriters; ++i)
            script += std::string(LV_TOOL) + " album add " + ShellQuote(album) + " " + quoted(photo(i)) + " & p" +
                      std::to_string(i) + "=$!; ";
        script += "s=0; ";
        for (int i = 0; i < kWriters; ++i)
            script += "wait $p" + std::to_string(i) + " || s=1; ";
        script += "exit $s";
        return testing::RunCommand("sh -c " + ShellQuote(script));
    }

    static constexpr int kWriters = 8;
};

TEST_F(AlbumWriters, EightAddsAtOnceKeepEveryPhoto)
{
    for (int round = 0; round < 5; ++round) {
        const std::string album = file("partilhado" + std::to_string(round) + ".abm");
        const auto run = addAllAtOnce(album);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto contents = album::ReadAlbumContents(album);
        ASSERT_TRUE(contents.complete);
        ASSERT_EQ(contents.entries.size(), std::size_t(kWriters)) << "round " << round;
        for (int i = 0; i < kWriters; ++i) {
            EXPECT_TRUE(std::any_of(contents.entries.begin(), contents.entries.end(),
                                    [&](const album::AlbumEntry& e) { return e.path() == file(photo(i)); }))
                << photo(i) << " lost in round " << round;
        }
        EXPECT_TRUE(std::filesystem::exists(album::AlbumLockPath(album)));
    }
}

TEST_F(AlbumWriters, AReadOnlyAlbumIsLeftAsItIs)
{
    ASSERT_EQ(Tool("album make " + quoted("sistema.abm") + " " + quoted(photo(0))).exitCode, 0);
    auto bytes = album::EncodeAlbum(album::ReadAlbumContents(file("sistema.abm")).entries);
    bytes[album::kReadOnlyOffset] = 1;
    ASSERT_TRUE(WriteWholeFile(file("sistema.abm"), bytes));
    std::filesystem::remove(album::AlbumLockPath(file("sistema.abm")));

    for (const char* command : {"album add ", "album make "}) {
        const auto run = Tool(command + quoted("sistema.abm") + " " + quoted(photo(1)));
        EXPECT_EQ(run.exitCode, 4) << command;
        EXPECT_NE(run.err.find("read-only album"), std::string::npos) << run.err;
    }
    EXPECT_EQ(album::ReadAlbumContents(file("sistema.abm")).entries.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(album::AlbumLockPath(file("sistema.abm"))));
}

}  // namespace
}  // namespace lv
