// lumivista-tool mail and store (the download, and the other commands' refusals): the same
// libraries as the pages, from the command line.

#include "album/album_file.h"
#include "common/program_paths.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/tests/store_server.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

using lv::testing::CommandResult;
using lv::testing::RunCommand;
using lv::testing::TempDir;

namespace fs = std::filesystem;

const std::string kTool = LV_TOOL;

CommandResult Tool(const std::string& stdinText, const std::string& arguments)
{
    return RunCommand("printf '%s\\n' '" + stdinText + "' | " + kTool + " " + arguments);
}

class MailTool : public ::testing::Test {
protected:
    MailTool() { EXPECT_EQ(WriteJpeg(picture(), DibCreate(1800, 1200, 0x445566, false), 95), WriteResult::Written); }
    std::string picture() const { return dir.file("retrato.jpg"); }
    TempDir dir;
};

TEST_F(MailTool, BadCommandLinesAndUnreadablePictures)
{
    // The first without --to.
    for (const char* bad :
         {"", " --to a@b --smaller 800", " --to a@b --smtp http://host", " --to a@b --smtp smtp://h --security tls3"})
        EXPECT_EQ(Tool("", "mail " + picture() + bad).exitCode, 2) << bad;
    EXPECT_EQ(Tool("", "mail " + dir.file("nada.jpg") + " --to a@b").exitCode, 3);
    std::ofstream(dir.file("quebrada.jpg")) << "não é uma imagem";
    EXPECT_EQ(Tool("", "mail " + dir.file("quebrada.jpg") + " --to a@b --smaller 1024").exitCode, 3);
}

class StoreTool : public ::testing::Test {
protected:
    StoreTool()
    {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            EXPECT_EQ(WriteJpeg((store.served / name).string(), DibCreate(64, 48, 0x102030, false), 90),
                      WriteResult::Written);
    }
    std::string download(const std::string& extra) const
    {
        return "store download" + store.switches() + " --dir " + (dir.path() / "fotos").string() + " " + extra;
    }
    TempDir dir;
    testing::StoreServer store{dir.path(), {"ana.lima:Senha Forte"}};
};

TEST_F(StoreTool, RefusalsAndBadCommandLines)
{
    ASSERT_TRUE(store.started());
    const CommandResult refused = Tool("senha errada", download("--user ana.lima"));
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("Identificação do usuário ou senha incorreta."), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir.path() / "fotos" / "a.jpg"));
    EXPECT_EQ(Tool("", download("--user ana.lima")).exitCode, 2);  // no password
    EXPECT_EQ(Tool("x", "store download --user ana --dir /tmp").exitCode, 2);
    EXPECT_EQ(Tool("x", "store upload").exitCode, 2);
    // The password never on the command line: there is no option for it.
    EXPECT_EQ(Tool("x", download("--user ana.lima --password x")).exitCode, 2);
}

TEST_F(StoreTool, AUsersFileOfAPhotosNameIsKeptAndThePhotoJoinsTheAlbumOnceUnderAFreeName)
{
    ASSERT_TRUE(store.started());
    const std::string folder = (dir.path() / "fotos").string();
    fs::create_directories(folder);
    std::ofstream(folder + "/b.jpg") << "minha";
    const std::string albumFile = dir.file("loja.abm");
    const CommandResult r = Tool("Senha Forte", download("--user ANA.Lima --album " + albumFile + " --json"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"login\":0,\"count\":3,\"files\":[\"" + folder + "/a.jpg\",\"" + folder + "/b (2).jpg\",\"" +
                         folder + "/c.jpg\"],\"renamed\":1,\"left_for_space\":0}\n");
    EXPECT_NE(r.err.find("Fotos salvas com outro nome: 1"), std::string::npos) << r.err;
    std::ifstream mine(folder + "/b.jpg");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(mine), {}), "minha");

    const CommandResult again = Tool("Senha Forte", download("--user ana.lima --album " + albumFile));
    EXPECT_EQ(std::tuple(again.exitCode, again.out, again.err), std::tuple(0, "", "")) << again.err;
    const auto entries = album::ReadAlbumContents(albumFile).entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(std::tuple(entries[1].path(), entries[2].path()), std::tuple(folder + "/b (2).jpg", folder + "/c.jpg"));
}

// lumivista-tool mail --smaller through the desktop's mail program: the copy outlives the
// tool, in the temporary folder the program empties as it starts.
TEST(MailSmallerCopy, TheCopyStaysInTheUsersTemporaryFolderForTheMailProgram)
{
    lv::testing::TempDir dir;
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    // The mail program reads the attachment after xdg-email has returned, as a real one does.
    std::ofstream(bin / "xdg-email") << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                                     << dir.file("args") << "\n";
    fs::permissions(bin / "xdg-email", fs::perms::owner_all);
    const std::string picture = dir.file("retrato.jpg");
    ASSERT_EQ(WriteJpeg(picture, DibCreate(1800, 1200, 0x445566, false), 95), WriteResult::Written);

    const std::string environment = "PATH=" + bin.string() + ":$PATH XDG_DATA_HOME=" + dir.path().string() + " ";
    const auto r = lv::testing::RunCommand(environment + LV_TOOL " mail " + picture + " --to a@b --smaller 1024 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"sent\":true,\"result\":0,\"route\":\"desktop\",\"smaller\":1024}\n");

    const fs::path temp = ResolveWritableLocation(fs::path(LV_TOOL).parent_path(), dir.path() / "lumivista", kTempFolder);
    std::ifstream args(dir.file("args"));
    fs::path attached;
    for (std::string line; std::getline(args, line);)
        if (line.ends_with(".jpg") && line != picture)
            attached = line;
    ASSERT_FALSE(attached.empty());
    EXPECT_EQ(attached.parent_path(), temp);
    ASSERT_TRUE(fs::exists(attached)) << attached;
    EXPECT_LT(fs::file_size(attached), fs::file_size(picture));
    fs::remove(attached);
}

}  // namespace
}  // namespace lv::sharing
