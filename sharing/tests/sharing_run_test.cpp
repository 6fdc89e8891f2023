// The sharing screens in the running program: photos downloaded from the reference server
// into the program folder, opened and put in an album; a picture e-mailed to a local SMTP
// server with the page's fields.

#include "album/album_file.h"
#include "album/catalogue.h"
#include "app/tests/program_runner.h"
#include "app/tests/skin_clicks.h"
#include "common/byte_source.h"
#include "common/testing/run_command.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;
using sharing::testing::ServerProcess;

void LinkLibraries(const ProgramSandbox& sandbox)
{
    for (const char* library : {"liblvstore.so", "liblvmapi.so"})
        fs::create_symlink(fs::path(LV_PROGRAM_DIR) / library, sandbox.home() / library);
}

std::string Sha256Of(const fs::path& file)
{
    return RunCommand("sha256sum '" + file.string() + "'").out.substr(0, 64);
}

TEST(SharingRun, PhotosComeFromTheStoreIntoWindowsAndANewAlbum)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const auto cert = sharing::testing::MakeSelfSignedCertificate(sandbox.file(""));
    ASSERT_FALSE(cert.certificate.empty());
    const fs::path served = sandbox.file("served");
    fs::create_directories(served);
    const std::vector<std::string> names = {"a praia.jpg", "b serra.jpg", "c noite.jpg"};
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(WriteJpeg((served / names[i]).string(), DibCreate(300 + int(i), 200, 0x305070, false), 90),
                  WriteResult::Written);
    ServerProcess server("scripts/photo_store_server.py", {"--photos", served.string(), "--accounts",
                                                           sharing::testing::AccountsFile(sandbox.file(""), {"ana.lima:Senha Forte"}), "--port", "0", "--cert",
                                                           cert.certificate, "--key", cert.key});
    ASSERT_TRUE(server.started());
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ANA.LIMA\n[SHARING]\nStoreServer=https://127.0.0.1:"
                                        << server.port() << "/\nStoreCertificate=" << cert.certificate << "\n";

    ASSERT_TRUE(sandbox.launch());
    // Nothing typed for the password yet: only a beep.
    sandbox.expectAnswers({{ClickOnControl(155), "screen 1 panels 0,1\n"},
                           {ClickOnPage(1, 6, SidePanelPlace()), "screen 6 panels 0,6\n"},
                           {ClickOnHandler(6, skin::Handler::DownloadPhotos), "beep missing credentials\n"}});
    // Tab goes to the identifier (already there from the last run), then to the password.
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("type Senha Forte"), 0);
    sandbox.expectAnswers({{ClickOnHandler(6, skin::Handler::DownloadPhotos), "delivered 3\n"}});
    EXPECT_NE(sandbox.log().find("download login=0 count=3\n"), std::string::npos);

    const fs::path photos = sandbox.home() / "photos";
    for (const std::string& name : names)
        EXPECT_EQ(Sha256Of(photos / name), Sha256Of(served / name)) << name;
    // Three opened, two side by side at the end: the third took the place of the active one.
    const std::string state = sandbox.lastLine("state ");
    EXPECT_NE(state.find("state windows=2 active=" + (photos / names[2]).string() + " size=302x200"), std::string::npos)
        << state;

    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    const std::string config = ReadTextFile(sandbox.configFile());
    EXPECT_NE(config.find("Login_ID=ANA.LIMA\n"), std::string::npos) << config;
    EXPECT_EQ(config.find("Senha"), std::string::npos) << "the password is written nowhere";

    album::ProfileCatalogueStore store(sandbox.configFile(), sandbox.home() / "none.ini");
    const album::AlbumCatalogue catalogue(store, sandbox.home(), sandbox.home() / "albums");
    ASSERT_EQ(catalogue.count(0), 1);
    const auto entries = album::ReadAlbumContents(catalogue.albumPath(0, 0)).entries;
    ASSERT_EQ(entries.size(), 3u);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(entries[i].path(), (photos / names[i]).string());
}

TEST(SharingRun, TheActivePictureGoesToTheSmtpServerWithThePagesFields)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const fs::path out = sandbox.file("mail");
    fs::create_directories(out);
    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out.string(), "--account", "ana:segredo"});
    ASSERT_TRUE(server.started());
    // The password comes from the key ring, here a stand-in that knows only this account
    // (the attributes come in name order: server, service, user).
    const fs::path bin = sandbox.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "secret-tool") << "#!/bin/sh\n[ \"$1\" = lookup ] && [ \"$7\" = ana ] && printf segredo\n";
    fs::permissions(bin / "secret-tool", fs::perms::owner_all);
    std::ofstream(sandbox.configFile()) << "[SHARING]\nSmtpHost=127.0.0.1\nSmtpPort=" << server.port()
                                        << "\nSmtpSecurity=0\nSmtpUser=ana\nSmtpFrom=ana@exemplo.com.br\n"
                                           "SmallerCopy=1024\n";
    const std::string picture = sandbox.file("Férias.jpg");
    ASSERT_EQ(WriteJpeg(picture, DibCreate(2000, 1500, 0x336699, false), 95), WriteResult::Written);

    ASSERT_TRUE(sandbox.launch({picture}, {"PATH=" + bin.string() + ":" + std::getenv("PATH")}, "open " + picture + " ok\n"))
        << sandbox.log();
    ASSERT_EQ(sandbox.send(ClickOnControl(151)), 0);
    sandbox.expectAnswers({{ClickOnPage(25, 4, SidePanelPlace()), "screen 4 panels 0,4\n"}});
    // Tab goes through Para, Assunto and Mensagem.
    for (const std::string text : {"bia@exemplo.com", "Fotos de férias", "Olá! Segue a foto."}) {
        ASSERT_EQ(sandbox.send("key Tab"), 0);
        ASSERT_EQ(sandbox.send("type " + text), 0);
    }
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail), "mail 0\n"}});
    EXPECT_EQ(sandbox.log().find("message Atenção"), std::string::npos) << sandbox.log();

    const std::string read = RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " +
                                        (out / "1.eml").string()).out;
    EXPECT_NE(read.find("from: ana@exemplo.com.br\n"), std::string::npos) << read;
    EXPECT_NE(read.find("to: bia@exemplo.com\n"), std::string::npos) << read;
    EXPECT_NE(read.find("subject: Fotos de férias\n"), std::string::npos) << read;
    EXPECT_NE(read.find("body: 'Olá! Segue a foto.'\n"), std::string::npos) << read;
    // The smaller copy: a JPEG of the same name, far lighter than the picture.
    const std::size_t at = read.find("attachment: Férias.jpg|image/jpeg|");
    ASSERT_NE(at, std::string::npos) << read;
    const std::size_t size = std::stoul(read.substr(at + std::string("attachment: Férias.jpg|image/jpeg|").size()));
    EXPECT_LT(size, fs::file_size(picture));

    // "Anexar a imagem" off: the text alone, typed again into the page the message emptied.
    ASSERT_EQ(sandbox.send(ClickOnControl(151)), 0);
    sandbox.expectAnswers({{ClickOnPage(25, 4, SidePanelPlace()), "screen 4 panels 0,4\n"}});
    ASSERT_EQ(sandbox.send(ClickOnHandler(4, skin::Handler::AttachActiveImage)), 0);
    for (const std::string text : {"bia@exemplo.com", "Fotos de férias", "Olá! Segue a foto."}) {
        ASSERT_EQ(sandbox.send("key Tab"), 0);
        ASSERT_EQ(sandbox.send("type " + text), 0);
    }
    // The program logs the result once the server has taken the message.
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail), "mail 0\n"}});
    const std::string second = RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " +
                                          (out / "2.eml").string()).out;
    EXPECT_NE(second.find("subject: Fotos de férias\n"), std::string::npos) << second;
    EXPECT_EQ(second.find("attachment:"), std::string::npos) << second;

    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
}

TEST(SharingRun, FilesAndLinksUnderThePhotosNamesStayAndTheClosingMessageSaysWhereThePhotosWent)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const auto cert = sharing::testing::MakeSelfSignedCertificate(sandbox.file(""));
    ASSERT_FALSE(cert.certificate.empty());
    const fs::path served = sandbox.file("served");
    fs::create_directories(served);
    for (const char* name : {"praia.jpg", "serra.jpg"})
        ASSERT_EQ(WriteJpeg((served / name).string(), DibCreate(120, 80, 0x305070, false), 90), WriteResult::Written);
    ServerProcess server("scripts/photo_store_server.py",
                         {"--photos", served.string(), "--accounts",
                          sharing::testing::AccountsFile(sandbox.file(""), {"ana.lima:Senha Forte"}), "--port", "0",
                          "--cert", cert.certificate, "--key", cert.key});
    ASSERT_TRUE(server.started());
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ANA.LIMA\n[SHARING]\nStoreServer=https://127.0.0.1:"
                                        << server.port() << "/\nStoreCertificate=" << cert.certificate << "\n";
    // The user's own file under one name, a link to a file outside under the other.
    const fs::path photos = sandbox.home() / "photos";
    fs::create_directories(photos);
    std::ofstream(photos / "praia.jpg") << "minha";
    std::ofstream(sandbox.file("fora.txt")) << "fora";
    fs::create_symlink(sandbox.file("fora.txt"), photos / "serra.jpg");

    ASSERT_TRUE(sandbox.launch());
    sandbox.expectAnswers({{ClickOnControl(155), "screen 1 panels 0,1\n"},
                           {ClickOnPage(1, 6, SidePanelPlace()), "screen 6 panels 0,6\n"}});
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("type Senha Forte"), 0);
    sandbox.expectAnswers({{ClickOnHandler(6, skin::Handler::DownloadPhotos), "delivered 2\n"}});
    EXPECT_TRUE(sandbox.waitForLog("message Lumivista 2000: Fotos salvas com outro nome: 2.")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("link simbólico"), std::string::npos) << sandbox.log();
    EXPECT_EQ(ReadTextFile(photos / "praia.jpg"), "minha");
    EXPECT_EQ(ReadTextFile(sandbox.file("fora.txt")), "fora");
    EXPECT_EQ(Sha256Of(photos / "praia (2).jpg"), Sha256Of(served / "praia.jpg"));
    EXPECT_EQ(Sha256Of(photos / "serra (2).jpg"), Sha256Of(served / "serra.jpg"));
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);

    album::ProfileCatalogueStore store(sandbox.configFile(), sandbox.home() / "none.ini");
    const album::AlbumCatalogue catalogue(store, sandbox.home(), sandbox.home() / "albums");
    ASSERT_EQ(catalogue.count(0), 1);
    const auto entries = album::ReadAlbumContents(catalogue.albumPath(0, 0)).entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path(), (photos / "praia (2).jpg").string());
}

}  // namespace
}  // namespace lv::testing
