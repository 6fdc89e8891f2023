// Screen 24 in the running program: the open album's photos sent to the reference service
// (the count asked first, as nothing is selected) and a print order answered with its number.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/tests/program_runner.h"
#include "app/tests/screen_places.h"
#include "app/tests/skin_clicks.h"
#include "common/testing/run_command.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

TEST(StoreUploadRun, TheOpenAlbumGoesToTheServiceAndAnOrderGetsItsNumber)
{
    ProgramSandbox sandbox(1280, 1024);
    for (const char* library : {"liblvstore.so", "liblvmapi.so"})
        fs::create_symlink(fs::path(LV_PROGRAM_DIR) / library, sandbox.home() / library);
    const auto cert = sharing::testing::MakeSelfSignedCertificate(sandbox.file(""));
    ASSERT_FALSE(cert.certificate.empty());
    fs::create_directories(sandbox.file("served"));
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
    const sharing::testing::ServerProcess server(
        "scripts/photo_store_server.py",
        {"--photos", sandbox.file("served").string(), "--accounts",
         sharing::testing::AccountsFile(sandbox.file(""), {"ana.lima:Senha Forte"}), "--port", "0", "--cert",
         cert.certificate, "--key", cert.key, "--orders", sandbox.file("orders.jsonl").string()});
    ASSERT_TRUE(server.started());
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nLogin_ID=ana.lima\nAlbum Name=" << albumFile
                                        << "\n[SHARING]\nStoreServer=https://127.0.0.1:" << server.port()
                                        << "/\nStoreCertificate=" << cert.certificate << "\n";

    ASSERT_TRUE(sandbox.launch());
    sandbox.expectAnswers({{ClickOnControl(151), "screen 25 panels 0,25\n"},
                           {ClickOnPage(25, 24, SidePanelPlace()), "screen 24 panels 0,24\n"},
                           {ClickOnHandler(24, skin::Handler::UploadPhotos), "beep missing credentials\n"}});
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("key Tab"), 0);
    ASSERT_EQ(sandbox.send("type Senha Forte"), 0);
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::UploadPhotos), "upload login=0 sent=2 of 2\n"}});
    EXPECT_NE(sandbox.log().find("Enviar as 2 fotos do álbum aberto (" + albumFile + ")"), std::string::npos)
        << sandbox.log();
    EXPECT_NE(sandbox.log().find("2 fotos enviadas à loja de fotos."), std::string::npos) << sandbox.log();
    for (const std::string& name : names)
        EXPECT_EQ(RunCommand("cmp '" + sandbox.file(name).string() + "' '" + sandbox.file("served/" + name).string() + "'")
                      .exitCode,
                  0)
            << name;

    // The first photo with the first paper, centred: 600 × 400 is already 3:2.
    sandbox.expectAnswers({{ClickOnHandler(24, skin::Handler::OrderPrints), "order login=0 photo=0 order=0 number=LV-000001\n"}});
    EXPECT_NE(sandbox.log().find("Número do pedido: LV-000001"), std::string::npos) << sandbox.log();
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
    sandbox.expectAnswers({{ClickOnControl(151), "screen 25 panels 0,25\n"},
                           {ClickOnPage(25, 24, SidePanelPlace()), "screen 24 panels 0,24\n"},
                           {ClickOnHandler(24, skin::Handler::UploadPhotos), "upload login=0 sent=1 of 1\n"}});
    EXPECT_EQ(sandbox.log().find("Nenhuma foto está selecionada", questions + 1), std::string::npos) << sandbox.log();
    EXPECT_EQ(RunCommand("cmp '" + sandbox.file("serra.jpg").string() + "' '" +
                         sandbox.file("served/serra (2).jpg").string() + "'").exitCode,
              0);
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
    const std::string id = fs::path(address).parent_path().filename().string();
    EXPECT_TRUE(fs::is_regular_file(sandbox.file("served/.galleries/" + id + "/index.html"))) << id;
    EXPECT_TRUE(fs::is_regular_file(sandbox.file("served/.galleries/" + id + "/imagens/foto-002.jpg"))) << id;
    EXPECT_EQ(RunCommand("curl -sf --noproxy '*' --cacert " + cert.certificate + " '" + address + "'").exitCode, 0);
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("CreateLink1=" + address), std::string::npos);
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
}

}  // namespace
}  // namespace lv::testing
