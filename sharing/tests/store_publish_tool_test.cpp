// lumivista-tool store publish: an album's web gallery sent to the reference service over TLS.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;
using lv::testing::CommandResult;
using lv::testing::RunCommand;

TEST(StorePublishTool, PrintsTheAddressWhereTheGalleryIsServedAndFailsOnAWrongPassword)
{
    const lv::testing::TempDir dir;
    const auto cert = testing::MakeSelfSignedCertificate(dir.path());
    ASSERT_FALSE(cert.certificate.empty());
    fs::create_directories(dir.path() / "served");
    album::Album album;
    for (const char* name : {"a.jpg", "b.jpg"}) {
        ASSERT_EQ(WriteJpeg(dir.file(name), DibCreate(320, 240, 0x204060, false), 90), WriteResult::Written);
        auto built = album::BuildPhotoEntry({dir.file(name), "Foto <" + std::string(name) + ">"}, album::AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        album.append(std::move(*built.entry));
    }
    ASSERT_TRUE(album.write(dir.file("viagem.abm")));
    const testing::ServerProcess server(
        "scripts/photo_store_server.py",
        {"--photos", dir.file("served"), "--accounts", testing::AccountsFile(dir.path(), {"ana:Senha Forte"}), "--port",
         "0", "--cert", cert.certificate, "--key", cert.key});
    ASSERT_TRUE(server.started());
    const std::string command = LV_TOOL " store publish " + dir.file("viagem.abm") +
                                " --title 'Férias & sol' --size 200 --server https://127.0.0.1:" +
                                std::to_string(server.port()) + " --ca-file " + cert.certificate + " --user ana";

    const CommandResult published = RunCommand("printf 'Senha Forte\\n' | " + command + " --json");
    ASSERT_EQ(published.exitCode, 0) << published.err;
    const std::string prefix = "{\"address\":\"https://127.0.0.1:" + std::to_string(server.port()) + "/galleries/";
    ASSERT_TRUE(published.out.starts_with(prefix)) << published.out;
    // index.html, the stylesheet, two pages, two photos and two thumbnails.
    EXPECT_NE(published.out.find("/index.html\",\"files\":8,\"bytes\":"), std::string::npos) << published.out;
    const std::string address = published.out.substr(12, published.out.find("\",\"files\"") - 12);
    const CommandResult index = RunCommand("curl -sf --noproxy '*' --cacert " + cert.certificate + " '" + address + "'");
    EXPECT_EQ(index.exitCode, 0);
    EXPECT_NE(index.out.find("Férias &amp; sol"), std::string::npos) << index.out;
    EXPECT_NE(index.out.find("Foto &lt;a.jpg&gt;"), std::string::npos) << index.out;

    const CommandResult refused = RunCommand("printf 'errada\\n' | " + command);
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("O álbum na Web não foi publicado: "), std::string::npos) << refused.err;
    const CommandResult noAlbum = RunCommand("printf 'Senha Forte\\n' | " LV_TOOL " store publish " + dir.file("a.jpg") +
                                             " --server https://127.0.0.1:1 --user ana");
    EXPECT_NE(noAlbum.exitCode, 0);
    EXPECT_NE(noAlbum.err.find("not an album file"), std::string::npos) << noAlbum.err;
}

}  // namespace
}  // namespace lv::sharing
