// lumivista-tool store upload and store order against the reference service over TLS.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;
using lv::testing::CommandResult;
using lv::testing::RunCommand;

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(StoreUploadTool, UploadsOrdersAndRefusesAWrongPasswordAsTheDownloadDoes)
{
    const lv::testing::TempDir dir;
    const auto cert = testing::MakeSelfSignedCertificate(dir.path());
    ASSERT_FALSE(cert.certificate.empty());
    fs::create_directories(dir.path() / "served");
    const testing::ServerProcess server(
        "scripts/photo_store_server.py",
        {"--photos", dir.file("served"), "--accounts", testing::AccountsFile(dir.path(), {"ana.lima:Senha Forte"}),
         "--port", "0", "--cert", cert.certificate, "--key", cert.key});
    ASSERT_TRUE(server.started());
    const std::string service = " --server https://127.0.0.1:" + std::to_string(server.port()) + " --ca-file " +
                                cert.certificate + " --user ANA.Lima";
    const auto tool = [](const std::string& password, const std::string& arguments) {
        return RunCommand("printf '%s\\n' '" + password + "' | " LV_TOOL " " + arguments);
    };
    for (const char* name : {"a.jpg", "b.jpg"})
        ASSERT_EQ(WriteJpeg(dir.file(name), DibCreate(64, 48, 0x102030, false), 90), WriteResult::Written);

    const CommandResult sent = tool("Senha Forte", "store upload " + dir.file("a.jpg") + " " + dir.file("b.jpg") +
                                                       service + " --json");
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_EQ(sent.out, "{\"sent\":2,\"photos\":[{\"file\":\"" + dir.file("a.jpg") + "\",\"code\":0,\"name\":\"a.jpg\"},"
                        "{\"file\":\"" + dir.file("b.jpg") + "\",\"code\":0,\"name\":\"b.jpg\"}]}\n");
    EXPECT_EQ(Bytes(dir.path() / "served" / "b.jpg"), Bytes(dir.file("b.jpg")));

    // The photo goes again (as "a (2).jpg") and the print takes its centred 3:2 part.
    const CommandResult order = tool("Senha Forte", "store order " + dir.file("a.jpg") + " --paper 10x15 --copies 3" +
                                                        service + " --json");
    EXPECT_EQ(order.exitCode, 0) << order.err;
    EXPECT_EQ(order.out, "{\"order\":\"LV-000001\",\"photo\":\"a (2).jpg\",\"paper\":\"10x15\",\"copies\":3,"
                         "\"crop\":[0,2,64,43]}\n");

    const CommandResult upload = tool("errada", "store upload " + dir.file("a.jpg") + service);
    const CommandResult download = tool("errada", "store download --dir " + dir.file("in") + service);
    EXPECT_EQ(upload.exitCode, 3);
    EXPECT_NE(upload.err.find("Identificação do usuário ou senha incorreta."), std::string::npos) << upload.err;
    EXPECT_EQ(upload.err, download.err);
    EXPECT_EQ(tool("x", "store order " + dir.file("a.jpg") + " --paper 9x9" + service).exitCode, 2);
    EXPECT_EQ(tool("x", "store order " + dir.file("a.jpg") + " --paper 10x15 --crop 1,2,3" + service).exitCode, 2);
}

}  // namespace
}  // namespace lv::sharing
