// lumivista-tool mail and store: the same libraries as the pages, from the command line.

#include "album/album_file.h"
#include "common/string_table.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;
using lv::testing::CommandResult;
using lv::testing::RunCommand;
using lv::testing::TempDir;
using testing::ServerProcess;

const std::string kTool = LV_TOOL;

CommandResult Tool(const std::string& stdinText, const std::string& arguments)
{
    return RunCommand("printf '%s\\n' '" + stdinText + "' | " + kTool + " " + arguments);
}

std::string ReadMail(const fs::path& file)
{
    return RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py '" + file.string() + "'").out;
}

class MailTool : public ::testing::Test {
protected:
    MailTool()
    {
        fs::create_directories(out());
        EXPECT_EQ(WriteJpeg(picture(), DibCreate(1800, 1200, 0x445566, false), 95), WriteResult::Written);
    }
    fs::path out() const { return dir.path() / "out"; }
    std::string picture() const { return dir.file("retrato.jpg"); }
    TempDir dir;
};

TEST_F(MailTool, APictureGoesOutOverSmtpWithThePasswordFromStandardInput)
{
    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out().string(), "--account", "ana:segredo"});
    ASSERT_TRUE(server.started());
    const std::string smtp = "smtp://ana@127.0.0.1:" + std::to_string(server.port());
    const CommandResult r = Tool("segredo", "mail " + picture() + " --to bia@exemplo.com --subject 'Um retrato' --body "
                                            "'Veja só' --from ana@exemplo.com.br --smtp " + smtp +
                                            " --security none --smaller 1024 --json");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"sent\":true,\"result\":0,\"route\":\"smtp\",\"smaller\":1024}\n");
    const std::string mail = ReadMail(out() / "1.eml");
    EXPECT_NE(mail.find("subject: Um retrato\n"), std::string::npos) << mail;
    EXPECT_NE(mail.find("body: 'Veja só'\n"), std::string::npos) << mail;
    EXPECT_NE(mail.find("attachment: retrato.jpg|image/jpeg|"), std::string::npos) << mail;
    // The copy was made in a folder of its own and is gone.
    EXPECT_TRUE(fs::exists(picture()));

    const CommandResult wrong = Tool("errada", "mail " + picture() + " --to bia@exemplo.com --from ana@exemplo.com.br "
                                               "--smtp " + smtp + " --security none");
    EXPECT_EQ(wrong.exitCode, 4);
    EXPECT_NE(wrong.err.find(LoadString(7301)), std::string::npos) << wrong.err;
    EXPECT_FALSE(fs::exists(out() / "2.eml"));
}

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
        fs::create_directories(served());
        cert = testing::MakeSelfSignedCertificate(dir.path());
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            EXPECT_EQ(WriteJpeg((served() / name).string(), DibCreate(64, 48, 0x102030, false), 90),
                      WriteResult::Written);
    }
    fs::path served() const { return dir.path() / "served"; }
    std::string download(const std::string& extra) const
    {
        return "store download --server https://127.0.0.1:" + std::to_string(server->port()) + " --ca-file " +
               cert.certificate + " --dir " + (dir.path() / "fotos").string() + " " + extra;
    }
    void start()
    {
        server = std::make_unique<ServerProcess>(
            "scripts/photo_store_server.py",
            std::vector<std::string>{"--photos", served().string(), "--accounts",
                                     testing::AccountsFile(dir.path(), {"ana.lima:Senha Forte"}), "--port", "0",
                                     "--cert", cert.certificate, "--key", cert.key});
        ASSERT_TRUE(server->started());
    }
    TempDir dir;
    testing::Certificate cert;
    std::unique_ptr<ServerProcess> server;
};

TEST_F(StoreTool, DownloadsIntoTheFolderAndTheAlbumOnceEach)
{
    ASSERT_FALSE(cert.certificate.empty());
    start();
    const std::string albumFile = dir.file("loja.abm");
    const CommandResult r = Tool("Senha Forte", download("--user ANA.Lima --album " + albumFile + " --json"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string folder = (dir.path() / "fotos").string();
    EXPECT_EQ(r.out, "{\"login\":0,\"count\":3,\"files\":[\"" + folder + "/a.jpg\",\"" + folder + "/b.jpg\",\"" +
                         folder + "/c.jpg\"],\"renamed\":0,\"left_for_space\":0}\n");
    const auto entries = album::ReadAlbumContents(albumFile).entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].path(), folder + "/c.jpg");

    const CommandResult again = Tool("Senha Forte", download("--user ana.lima --album " + albumFile));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(album::ReadAlbumContents(albumFile).entries.size(), 3u);
}

TEST_F(StoreTool, RefusalsAndBadCommandLines)
{
    ASSERT_FALSE(cert.certificate.empty());
    start();
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
    ASSERT_FALSE(cert.certificate.empty());
    start();
    fs::create_directories(dir.path() / "fotos");
    std::ofstream(dir.path() / "fotos" / "b.jpg") << "minha";
    const std::string albumFile = dir.file("loja.abm");
    const CommandResult r = Tool("Senha Forte", download("--user ana.lima --album " + albumFile + " --json"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("/b (2).jpg\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"renamed\":1"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Fotos salvas com outro nome: 1"), std::string::npos) << r.err;
    std::ifstream mine(dir.path() / "fotos" / "b.jpg");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(mine), {}), "minha");

    const CommandResult again = Tool("Senha Forte", download("--user ana.lima --album " + albumFile));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "");
    const auto entries = album::ReadAlbumContents(albumFile).entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].path(), (dir.path() / "fotos" / "b (2).jpg").string());
}

}  // namespace
}  // namespace lv::sharing
