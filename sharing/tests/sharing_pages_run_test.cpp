// The sharing pages as a user reads them: "Entrar" logs in and downloads, the toggle
// "Adicionar ao álbum" unchecked keeps the photos out of the album, "Abrir o site" opens the
// store's site; "Enviar" tells the user the mail went and empties the page for the next one.

#include "album/catalogue.h"
#include "app/tests/program_runner.h"
#include "app/tests/skin_clicks.h"
#include "common/testing/run_command.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;
using sharing::testing::ServerProcess;

std::string ClickOnHandler(int panel, skin::Handler handler)
{
    return ClickOn(panel, [&](const skin::ButtonDefinition& b) { return b.handler == handler; }, SidePanelPlace());
}

// To the e-mail page afresh through the hub, "Anexar a imagem" off: the page's fields as they
// were left, the focus before the first.
void OpenMailPageForText(ProgramSandbox& sandbox)
{
    ASSERT_EQ(sandbox.send(ClickOnControl(151)), 0);
    sandbox.expectAnswers({{ClickOnPage(25, 4, SidePanelPlace()), "screen 4 panels 0,4\n"}});
    ASSERT_EQ(sandbox.send(ClickOnHandler(4, skin::Handler::AttachActiveImage)), 0);
}

// Tab goes through Para, Assunto and Mensagem; an empty text leaves the field as it is.
void TypeIntoFields(ProgramSandbox& sandbox, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        ASSERT_EQ(sandbox.send("key Tab"), 0);
        if (!text.empty())
            ASSERT_EQ(sandbox.send("type " + text), 0);
    }
}

void LinkLibraries(const ProgramSandbox& sandbox)
{
    for (const char* library : {"liblvstore.so", "liblvmapi.so"})
        fs::create_symlink(fs::path(LV_PROGRAM_DIR) / library, sandbox.home() / library);
}

// A stand-in for the desktop's opener that writes down what it was asked to open.
fs::path OpenerStandIn(const ProgramSandbox& sandbox, const fs::path& record)
{
    const fs::path bin = sandbox.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\necho \"$1\" >> '" << record.string() << "'\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    return bin;
}

TEST(SharingPages, EntrarDownloadsAndTheUncheckedToggleKeepsThePhotosOutOfTheAlbum)
{
    // On X, where the desktop's opener is asked for the site.
    ProgramSandbox sandbox(1024, 768, Platform::X);
    if (!sandbox.displayReady())
        GTEST_SKIP() << "no virtual X server (xvfb)";
    LinkLibraries(sandbox);
    const auto cert = sharing::testing::MakeSelfSignedCertificate(sandbox.file(""));
    ASSERT_FALSE(cert.certificate.empty());
    const fs::path served = sandbox.file("served");
    fs::create_directories(served);
    for (const std::string name : {"a.jpg", "b.jpg"})
        ASSERT_EQ(WriteJpeg((served / name).string(), DibCreate(200, 100, 0x305070, false), 90), WriteResult::Written);
    ServerProcess server("scripts/photo_store_server.py", {"--photos", served.string(), "--accounts",
                                                           sharing::testing::AccountsFile(sandbox.file(""), {"ana.lima:Senha Forte"}), "--port", "0", "--cert",
                                                           cert.certificate, "--key", cert.key});
    ASSERT_TRUE(server.started());
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ANA.LIMA\n[SHARING]\nStoreServer=https://127.0.0.1:"
                                        << server.port() << "/\nStoreCertificate=" << cert.certificate
                                        << "\nStoreWebSite=https://loja.exemplo.com.br/\n";
    const fs::path opened = sandbox.file("opened.txt");
    const fs::path bin = OpenerStandIn(sandbox, opened);

    ASSERT_TRUE(sandbox.launch({}, {"PATH=" + bin.string() + ":" + std::getenv("PATH")})) << sandbox.log();
    sandbox.expectAnswers({{ClickOnControl(155), "screen 1 panels 0,1\n"},
                           {ClickOnPage(1, 6, SidePanelPlace()), "screen 6 panels 0,6\n"}});
    // Tab goes to the identifier (already there from the last run), then to the password.
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("type Senha Forte"), 0);
    // Checked at start: the click takes the photos out of the album.
    ASSERT_EQ(sandbox.send(ClickOnHandler(6, skin::Handler::AddDownloadsToAlbum)), 0);
    sandbox.expectAnswers({{ClickOnHandler(6, skin::Handler::ConnectPhotoStore), "delivered 2\n"}});
    EXPECT_NE(sandbox.log().find("download login=0 count=2\n"), std::string::npos) << sandbox.log();

    ASSERT_EQ(sandbox.send(ClickOnHandler(6, skin::Handler::OpenStoreWebSite)), 0);
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    EXPECT_NE(ReadTextFile(opened).find("https://loja.exemplo.com.br/"), std::string::npos)
        << "the site opens from its own button only: " << ReadTextFile(opened);
    EXPECT_EQ(ReadTextFile(opened).find('\n'), ReadTextFile(opened).rfind('\n')) << "once";

    album::ProfileCatalogueStore store(sandbox.configFile(), sandbox.home() / "none.ini");
    const album::AlbumCatalogue catalogue(store, sandbox.home(), sandbox.home() / "albums");
    EXPECT_EQ(catalogue.count(0), 0) << "no album made for photos kept out of it";
}

TEST(SharingPages, EnviarSaysTheMailWentAndEmptiesTheFieldsForTheNext)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const fs::path out = sandbox.file("mail");
    fs::create_directories(out);
    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out.string()});
    ASSERT_TRUE(server.started());
    std::ofstream(sandbox.configFile()) << "[SHARING]\nSmtpHost=127.0.0.1\nSmtpPort=" << server.port()
                                        << "\nSmtpSecurity=0\nSmtpFrom=ana@exemplo.com.br\n";

    ASSERT_TRUE(sandbox.launch()) << sandbox.log();
    OpenMailPageForText(sandbox);
    TypeIntoFields(sandbox, {"bia@exemplo.com", "Primeira", "Oi"});
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail),
                            "message Lumivista 2000: Mensagem enviada para bia@exemplo.com.\n"}});
    // Typed into the emptied fields, the second message has only the new words.
    OpenMailPageForText(sandbox);
    TypeIntoFields(sandbox, {"carla@exemplo.com", "Segunda", "Tchau"});
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail),
                            "message Lumivista 2000: Mensagem enviada para carla@exemplo.com.\n"}});
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);

    const std::string read = RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " +
                                        (out / "2.eml").string()).out;
    EXPECT_NE(read.find("to: carla@exemplo.com\n"), std::string::npos) << read;
    EXPECT_NE(read.find("subject: Segunda\n"), std::string::npos) << read;
    EXPECT_NE(read.find("body: 'Tchau'\n"), std::string::npos) << read;
}

TEST(SharingPages, AMessageThatCouldNotGoKeepsTheFieldsForTheNextTry)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const fs::path out = sandbox.file("mail");
    fs::create_directories(out);
    std::optional<ServerProcess> server(std::in_place, "sharing/tests/smtp_sink.py",
                                        std::vector<std::string>{"--out", out.string()});
    ASSERT_TRUE(server->started());
    const std::string port = std::to_string(server->port());
    std::ofstream(sandbox.configFile()) << "[SHARING]\nSmtpHost=127.0.0.1\nSmtpPort=" << port
                                        << "\nSmtpSecurity=0\nSmtpFrom=ana@exemplo.com.br\n";

    ASSERT_TRUE(sandbox.launch()) << sandbox.log();
    OpenMailPageForText(sandbox);
    TypeIntoFields(sandbox, {"bia@exemplo.com", "Guardado"});
    // The server is away: the message does not go.
    server.reset();
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail), "message Atenção: "}});
    EXPECT_EQ(sandbox.log().find("Mensagem enviada"), std::string::npos) << sandbox.log();
    // Back on the same port, the words still on the page go without being typed again, also
    // after a visit to another page.
    server.emplace("sharing/tests/smtp_sink.py", std::vector<std::string>{"--out", out.string(), "--port", port});
    ASSERT_TRUE(server->started());
    OpenMailPageForText(sandbox);
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail),
                            "message Lumivista 2000: Mensagem enviada para bia@exemplo.com.\n"}});
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    const std::string read = RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " +
                                        (out / "1.eml").string()).out;
    EXPECT_NE(read.find("subject: Guardado\n"), std::string::npos) << read;
}

}  // namespace
}  // namespace lv::testing
