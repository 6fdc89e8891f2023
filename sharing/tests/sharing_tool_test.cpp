// lumivista-tool mail and store (download, upload, order, publish): the same libraries as the
// pages, from the command line.

#include "album/album.h"
#include "album/album_file.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"
#include "common/string_table.h"
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
using testing::ServerProcess;

namespace fs = std::filesystem;

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
    for (const char* field : {"subject: Um retrato\n", "body: 'Veja só'\n", "attachment: retrato.jpg|image/jpeg|"})
        EXPECT_NE(mail.find(field), std::string::npos) << mail;
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

TEST_F(StoreTool, UploadsOrdersAndRefusesAWrongPasswordAsTheDownloadDoes)
{
    ASSERT_TRUE(store.started());
    const std::string service = store.switches() + " --user ANA.Lima";
    for (const char* name : {"d.jpg", "e.jpg"})
        ASSERT_EQ(WriteJpeg(dir.file(name), DibCreate(64, 48, 0x102030, false), 90), WriteResult::Written);

    const CommandResult sent = Tool("Senha Forte", "store upload " + dir.file("d.jpg") + " " + dir.file("e.jpg") +
                                                       service + " --json");
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_EQ(sent.out, "{\"sent\":2,\"photos\":[{\"file\":\"" + dir.file("d.jpg") + "\",\"code\":0,\"name\":\"d.jpg\"},"
                        "{\"file\":\"" + dir.file("e.jpg") + "\",\"code\":0,\"name\":\"e.jpg\"}]}\n");
    EXPECT_EQ(RunCommand("cmp " + (store.served / "e.jpg").string() + " " + dir.file("e.jpg")).exitCode, 0);

    // The photo goes again (as "d (2).jpg") and the print takes its centred 3:2 part.
    const CommandResult order = Tool("Senha Forte", "store order " + dir.file("d.jpg") + " --paper 10x15 --copies 3" +
                                                        service + " --json");
    EXPECT_EQ(order.exitCode, 0) << order.err;
    EXPECT_EQ(order.out, "{\"order\":\"LV-000001\",\"photo\":\"d (2).jpg\",\"paper\":\"10x15\",\"copies\":3,"
                         "\"crop\":[0,2,64,43]}\n");

    const CommandResult upload = Tool("errada", "store upload " + dir.file("d.jpg") + service);
    EXPECT_EQ(upload.exitCode, 3);
    EXPECT_NE(upload.err.find("Identificação do usuário ou senha incorreta."), std::string::npos) << upload.err;
    EXPECT_EQ(upload.err, Tool("errada", "store download --dir " + dir.file("in") + service).err);
    EXPECT_EQ(Tool("x", "store order " + dir.file("d.jpg") + " --paper 9x9" + service).exitCode, 2);
    EXPECT_EQ(Tool("x", "store order " + dir.file("d.jpg") + " --paper 10x15 --crop 1,2,3" + service).exitCode, 2);
}

TEST_F(StoreTool, PublishPrintsTheAddressWhereTheGalleryIsServedAndFailsOnAWrongPassword)
{
    ASSERT_TRUE(store.started());
    album::Album album;
    for (const char* name : {"a.jpg", "b.jpg"}) {
        ASSERT_EQ(WriteJpeg(dir.file(name), DibCreate(320, 240, 0x204060, false), 90), WriteResult::Written);
        auto built = album::BuildPhotoEntry({dir.file(name), "Foto <" + std::string(name) + ">"}, album::AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        album.append(std::move(*built.entry));
    }
    ASSERT_TRUE(album.write(dir.file("viagem.abm")));
    const std::string command = "store publish " + dir.file("viagem.abm") + " --title 'Férias & sol' --size 200" +
                                store.switches() + " --user ana.lima";

    const CommandResult published = Tool("Senha Forte", command + " --json");
    ASSERT_EQ(published.exitCode, 0) << published.err;
    ASSERT_TRUE(published.out.starts_with("{\"address\":\"" + store.address() + "/galleries/")) << published.out;
    // index.html, the stylesheet, two pages, two photos and two thumbnails.
    EXPECT_NE(published.out.find("/index.html\",\"files\":8,\"bytes\":"), std::string::npos) << published.out;
    const std::string address = published.out.substr(12, published.out.find("\",\"files\"") - 12);
    const CommandResult index = RunCommand("curl -sf --noproxy '*' --cacert " + store.cert.certificate + " '" + address + "'");
    EXPECT_EQ(index.exitCode, 0);
    EXPECT_NE(index.out.find("Férias &amp; sol"), std::string::npos) << index.out;
    EXPECT_NE(index.out.find("Foto &lt;a.jpg&gt;"), std::string::npos) << index.out;

    const CommandResult refused = Tool("errada", command);
    EXPECT_TRUE(refused.exitCode != 0 && refused.out.empty()) << refused.out;
    EXPECT_NE(refused.err.find("O álbum na Web não foi publicado: "), std::string::npos) << refused.err;
    const CommandResult noAlbum = Tool("Senha Forte", "store publish " + dir.file("a.jpg") + " --server https://127.0.0.1:1 --user ana");
    EXPECT_NE(noAlbum.exitCode, 0);
    EXPECT_NE(noAlbum.err.find("not an album file"), std::string::npos) << noAlbum.err;
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
