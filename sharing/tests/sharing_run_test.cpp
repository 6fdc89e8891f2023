// The sharing screens in the running program: photos downloaded from the reference server
// into the program folder, opened and put in an album (or kept out of it); a picture e-mailed
// to a local SMTP server with the page's fields; the open album sent to the service, a print
// order answered with its number and a web album published there.

#include "album/album.h"
#include "album/album_file.h"
#include "album/catalogue.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/tests/program_runner.h"
#include "app/tests/screen_places.h"
#include "app/tests/skin_clicks.h"
#include "common/testing/run_command.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/tests/store_server.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;
using sharing::testing::ServerProcess;
using sharing::testing::StoreServer;

void LinkLibraries(const ProgramSandbox& sandbox)
{
    for (const char* library : {"liblvstore.so", "liblvmapi.so"})
        fs::create_symlink(fs::path(LV_PROGRAM_DIR) / library, sandbox.home() / library);
}

std::string Sha256Of(const fs::path& file)
{
    return RunCommand("sha256sum '" + file.string() + "'").out.substr(0, 64);
}

std::string ReadMail(const fs::path& file)
{
    return RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " + file.string()).out;
}

void ServeJpegs(const StoreServer& store, const std::vector<std::string>& names, int width, int height)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(WriteJpeg((store.served / names[i]).string(), DibCreate(width + int(i), height, 0x305070, false), 90),
                  WriteResult::Written);
}

// Tab goes through the page's fields in order; an empty text leaves the field as it is.
void TypeIntoFields(ProgramSandbox& sandbox, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        ASSERT_EQ(sandbox.send("key Tab"), 0);
        if (!text.empty()) {
            ASSERT_EQ(sandbox.send("type " + text), 0);
        }
    }
}

// The store's page through the hub ("Obter" at 155, or "Compartilhar" at 151 for screen 24).
void OpenStorePage(ProgramSandbox& sandbox, int hub = 155, int hubScreen = 1, std::uint32_t page = 6)
{
    sandbox.expectAnswers({{ClickOnControl(hub), "screen " + std::to_string(hubScreen) + " panels 0," + std::to_string(hubScreen) + "\n"},
                           {ClickOnPage(hubScreen, page, SidePanelPlace()), "screen " + std::to_string(page) + " panels 0," + std::to_string(page) + "\n"}});
}

// To the e-mail page afresh through the hub, "Anexar a imagem" toggled when asked.
void OpenMailPage(ProgramSandbox& sandbox, bool toggleAttachment = true)
{
    ASSERT_EQ(sandbox.send(ClickOnControl(151)), 0);
    sandbox.expectAnswers({{ClickOnPage(25, 4, SidePanelPlace()), "screen 4 panels 0,4\n"}});
    if (toggleAttachment) {
        ASSERT_EQ(sandbox.send(ClickOnHandler(4, skin::Handler::AttachActiveImage)), 0);
    }
}

// The photos of the user's only album, or a note of how many albums there are instead.
std::vector<std::string> AlbumPaths(const ProgramSandbox& sandbox)
{
    album::ProfileCatalogueStore store(sandbox.configFile(), sandbox.home() / "none.ini");
    const album::AlbumCatalogue catalogue(store, sandbox.home(), sandbox.home() / "albums");
    if (catalogue.count(0) != 1)
        return catalogue.count(0) ? std::vector<std::string>{std::to_string(catalogue.count(0)) + " albums"}
                                  : std::vector<std::string>{};
    std::vector<std::string> paths;
    for (const auto& entry : album::ReadAlbumContents(catalogue.albumPath(0, 0)).entries)
        paths.push_back(entry.path());
    return paths;
}

TEST(SharingRun, PhotosComeFromTheStoreIntoWindowsAndANewAlbum)
{
    ProgramSandbox sandbox;
    LinkLibraries(sandbox);
    const StoreServer store(sandbox.file(""), {"ana.lima:Senha Forte"});
    ASSERT_TRUE(store.started());
    const std::vector<std::string> names = {"a praia.jpg", "b serra.jpg", "c noite.jpg"};
    ServeJpegs(store, names, 300, 200);
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ANA.LIMA\n" << store.settings();

    ASSERT_TRUE(sandbox.launch());
    OpenStorePage(sandbox);
    // Nothing typed for the password yet: only a beep.
    sandbox.expectAnswers({{ClickOnHandler(6, skin::Handler::DownloadPhotos), "beep missing credentials\n"}});
    // Tab goes to the identifier (already there from the last run), then to the password.
    TypeIntoFields(sandbox, {"", "Senha Forte"});
    sandbox.expectAnswers({{ClickOnHandler(6, skin::Handler::DownloadPhotos), "delivered 3\n"}});
    EXPECT_NE(sandbox.log().find("download login=0 count=3\n"), std::string::npos);

    const fs::path photos = sandbox.home() / "photos";
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        EXPECT_EQ(Sha256Of(photos / name), Sha256Of(store.served / name)) << name;
        paths.push_back((photos / name).string());
    }
    // Three opened, two side by side at the end: the third took the place of the active one.
    const std::string state = sandbox.lastLine("state ");
    EXPECT_NE(state.find("state windows=2 active=" + paths[2] + " size=302x200"), std::string::npos) << state;

    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    const std::string config = ReadTextFile(sandbox.configFile());
    EXPECT_NE(config.find("Login_ID=ANA.LIMA\n"), std::string::npos) << config;
    EXPECT_EQ(config.find("Senha"), std::string::npos) << "the password is written nowhere";
    EXPECT_EQ(AlbumPaths(sandbox), paths);
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
    OpenMailPage(sandbox, false);
    TypeIntoFields(sandbox, {"bia@exemplo.com", "Fotos de férias", "Olá! Segue a foto."});
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail), "mail 0\n"}});
    EXPECT_EQ(sandbox.log().find("message Atenção"), std::string::npos) << sandbox.log();

    const std::string read = ReadMail(out / "1.eml");
    for (const char* field : {"from: ana@exemplo.com.br\n", "to: bia@exemplo.com\n", "subject: Fotos de férias\n",
                              "body: 'Olá! Segue a foto.'\n"})
        EXPECT_NE(read.find(field), std::string::npos) << field << read;
    // The smaller copy: a JPEG of the same name, far lighter than the picture.
    const std::string attachment = "attachment: Férias.jpg|image/jpeg|";
    const std::size_t at = read.find(attachment);
    ASSERT_NE(at, std::string::npos) << read;
    EXPECT_LT(std::stoul(read.substr(at + attachment.size())), fs::file_size(picture));

    // "Anexar a imagem" off: the text alone, typed again into the page the message emptied;
    // the user is told the mail went.
    OpenMailPage(sandbox);
    TypeIntoFields(sandbox, {"carla@exemplo.com", "Segunda", "Tchau"});
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail),
                            "message Lumivista 2000: Mensagem enviada para carla@exemplo.com.\n"}});
    const std::string second = ReadMail(out / "2.eml");
    for (const char* field : {"to: carla@exemplo.com\n", "subject: Segunda\n", "body: 'Tchau'\n"})
        EXPECT_NE(second.find(field), std::string::npos) << field << second;
    EXPECT_EQ(second.find("attachment:"), std::string::npos) << second;
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
}

TEST(SharingRun, AMessageThatCouldNotGoKeepsTheFieldsForTheNextTry)
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
    OpenMailPage(sandbox);
    TypeIntoFields(sandbox, {"bia@exemplo.com", "Guardado"});
    // The server is away: the message does not go.
    server.reset();
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail), "message Atenção: "}});
    EXPECT_EQ(sandbox.log().find("Mensagem enviada"), std::string::npos) << sandbox.log();
    // Back on the same port, the words still on the page go without being typed again, also
    // after a visit to another page.
    server.emplace("sharing/tests/smtp_sink.py", std::vector<std::string>{"--out", out.string(), "--port", port});
    ASSERT_TRUE(server->started());
    OpenMailPage(sandbox);
    sandbox.expectAnswers({{ClickOnHandler(4, skin::Handler::SendEmail),
                            "message Lumivista 2000: Mensagem enviada para bia@exemplo.com.\n"}});
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_NE(ReadMail(out / "1.eml").find("subject: Guardado\n"), std::string::npos);
}

TEST(SharingRun, EntrarDownloadsAndTheUncheckedToggleKeepsThePhotosOutOfTheAlbum)
{
    // On X, where the desktop's opener is asked for the site.
    ProgramSandbox sandbox(1024, 768, Platform::X);
    if (!sandbox.displayReady())
        GTEST_SKIP() << "no virtual X server (xvfb)";
    LinkLibraries(sandbox);
    const StoreServer store(sandbox.file(""), {"ana.lima:Senha Forte"});
    ASSERT_TRUE(store.started());
    ServeJpegs(store, {"a.jpg", "b.jpg"}, 200, 100);
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ANA.LIMA\n"
                                        << store.settings() << "StoreWebSite=https://loja.exemplo.com.br/\n";
    // A stand-in for the desktop's opener that writes down what it was asked to open.
    const fs::path opened = sandbox.file("opened.txt");
    const fs::path bin = sandbox.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\necho \"$1\" >> '" << opened.string() << "'\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);

    ASSERT_TRUE(sandbox.launch({}, {"PATH=" + bin.string() + ":" + std::getenv("PATH")})) << sandbox.log();
    OpenStorePage(sandbox);
    TypeIntoFields(sandbox, {"", "Senha Forte"});
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
    EXPECT_TRUE(AlbumPaths(sandbox).empty()) << "no album made for photos kept out of it";
}

// Screen 24: the open album's photos sent (the count asked first, as nothing is selected),
// a print order answered with its number, and a web album published on the service.
TEST(SharingRun, TheOpenAlbumGoesToTheServiceAndAnOrderGetsItsNumber)
{
    ProgramSandbox sandbox(1280, 1024);
    LinkLibraries(sandbox);
    const StoreServer store(sandbox.file(""), {"ana.lima:Senha Forte"}, {"--orders", sandbox.file("orders.jsonl").string()});
    ASSERT_TRUE(store.started());
    album::Album album;
    const std::vector<std::string> names = {"praia.jpg", "serra.jpg"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string photo = sandbox.file(names[i]).string();
        ASSERT_EQ(WriteJpeg(photo, DibCreate(600, 400 + int(i), 0x305070, false), 90), WriteResult::Written);
        auto built = album::BuildPhotoEntry({photo, names[i]}, album::AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        album.append(std::move(*built.entry));
    }
    const std::string albumFile = sandbox.file("viagem.abm").string();
    ASSERT_TRUE(album.write(albumFile));
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ana.lima\nAlbum Name=" << albumFile << "\n"
                                        << store.settings();
    const auto sameFile = [&](const std::string& ours, const std::string& served) {
        return RunCommand("cmp '" + sandbox.file(ours).string() + "' '" + (store.served / served).string() + "'").exitCode == 0;
    };

    ASSERT_TRUE(sandbox.launch());
    OpenStorePage(sandbox, 151, 25, 24);
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::UploadPhotos), "beep missing credentials\n"}});
    TypeIntoFields(sandbox, {"", "Senha Forte"});
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::UploadPhotos), "upload login=0 sent=2 of 2\n"}});
    EXPECT_NE(sandbox.log().find("Enviar as 2 fotos do álbum aberto (" + albumFile + ")"), std::string::npos)
        << sandbox.log();
    // The summary is logged just after the upload line, by the same callback.
    EXPECT_TRUE(sandbox.waitForLog("2 fotos enviadas à loja de fotos.")) << sandbox.log();
    for (const std::string& name : names)
        EXPECT_TRUE(sameFile(name, name)) << name;

    // The first photo with the first paper, centred: 600 × 400 is already 3:2.
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::OrderPrints), "order login=0 photo=0 order=0 number=LV-000001\n"}});
    EXPECT_TRUE(sandbox.waitForLog("Número do pedido: LV-000001")) << sandbox.log();
    const std::string orders = ReadTextFile(sandbox.file("orders.jsonl"));
    EXPECT_NE(orders.find("\"paper\": \"10x15\", \"copies\": 1, \"crop\": [0, 0, 600, 400], \"photo\": \"praia (2).jpg\""),
              std::string::npos)
        << orders;

    // A photo added on the album page is selected there, and is all that goes next time,
    // without a question.
    sandbox.expectAnswers({{ClickOnControl(147), "album shown screen=18"}});
    ASSERT_EQ(sandbox.send("albumfiles " + sandbox.file("serra.jpg").string()), 0);
    sandbox.expectAnswers({{ClickOnHandler(18, skin::Handler::AlbumAddPhotos), "album added "}});
    const std::size_t questions = sandbox.log().find("Nenhuma foto está selecionada");
    OpenStorePage(sandbox, 151, 25, 24);
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::UploadPhotos), "upload login=0 sent=1 of 1\n"}});
    EXPECT_EQ(sandbox.log().find("Nenhuma foto está selecionada", questions + 1), std::string::npos) << sandbox.log();
    EXPECT_TRUE(sameFile("serra.jpg", "serra (2).jpg"));
    // The same login publishes a web album: "Publicar", "No serviço de fotos"; the service
    // holds the gallery, the address is shown and joins "Meus links".
    sandbox.expectAnswers({{"screen 30", "screen 30 panels"},
                           {"webalbum add " + sandbox.file("praia.jpg").string() + "|" + sandbox.file("serra.jpg").string(),
                            "webalbum 2 photos"},
                           {ClickOnCaption(30, "Publicar"), "Abrir o álbum no navegador agora?"}});
    const std::string log = sandbox.log();
    const std::size_t at = log.find("webalbum address ") + 17;
    const std::string address = log.substr(at, log.find(" link ", at) - at);
    EXPECT_NE(log.find("webalbum where service"), std::string::npos) << log;
    EXPECT_NE(log.find("publicado no serviço de fotos:\n" + address), std::string::npos) << log;
    EXPECT_NE(log.find(" link 1 shown 1"), std::string::npos) << "the page shows the address: " << log;
    const fs::path gallery = store.served / ".galleries" / fs::path(address).parent_path().filename();
    EXPECT_TRUE(fs::is_regular_file(gallery / "index.html")) << gallery;
    EXPECT_TRUE(fs::is_regular_file(gallery / "imagens/foto-002.jpg")) << gallery;
    EXPECT_EQ(RunCommand("curl -sf --noproxy '*' --cacert " + store.cert.certificate + " '" + address + "'").exitCode, 0);
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("CreateLink1=" + address), std::string::npos);
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
}

}  // namespace
}  // namespace lv::testing
