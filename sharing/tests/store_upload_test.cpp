// Photos sent to the reference service and print orders for them: byte-identical arrival
// over TLS, a connection cut mid-photo continued from the service's offset, and services
// whose answers are hostile.

#include "common/testing/temp_dir.h"
#include "sharing/store/photo_uploader.h"
#include "sharing/store/store_protocol.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

namespace lv::sharing::store {
namespace {

namespace fs = std::filesystem;
using lv::testing::TempDir;
using sharing::testing::ServerProcess;

std::string Text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string RandomPhoto(const fs::path& file, std::size_t size)
{
    std::mt19937 random{unsigned(size)};
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

class StoreUploadTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir.path() / "served" / "ana"); }
    // The reference server with `extra` switches; a client logged in as "ana".
    std::unique_ptr<StoreClient> start(std::vector<std::string> extra, bool tls = false)
    {
        std::vector<std::string> args = {"--photos", dir.file("served"), "--accounts",
                                         testing::AccountsFile(dir.path(), {"ana:Senha Forte"}), "--port", "0",
                                         "--log", dir.file("server.log"), "--orders", dir.file("orders.jsonl")};
        std::string ca;
        if (tls) {
            const auto cert = testing::MakeSelfSignedCertificate(dir.path());
            args.insert(args.end(), {"--cert", cert.certificate, "--key", cert.key});
            ca = cert.certificate;
        }
        args.insert(args.end(), extra.begin(), extra.end());
        server = std::make_unique<ServerProcess>("scripts/photo_store_server.py", args);
        EXPECT_TRUE(server->started());
        auto client = std::make_unique<StoreClient>(
            StoreService{std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(server->port()), ca});
        EXPECT_EQ(client->login("ana", "Senha Forte"), kOk);
        return client;
    }
    fs::path served(const std::string& name) const { return dir.path() / "served" / "ana" / name; }

    TempDir dir;
    std::unique_ptr<ServerProcess> server;
};

TEST_F(StoreUploadTest, PhotosArriveByteIdenticalOverTlsAndAnOrderIsAnsweredWithItsNumber)
{
    const auto client = start({}, true);
    std::uint64_t reported = 0;
    const TransferWatch watch{[&reported](std::uint64_t bytes) { reported += bytes; }, {}};
    const std::vector<std::pair<std::string, std::size_t>> photos = {{"praia.jpg", 1}, {"serra ç.jpg", 700000},
                                                                     {"vazia.jpg", 0}, {"praia (cópia).jpg", 1500001}};
    for (const auto& [name, size] : photos) {
        const std::string file = RandomPhoto(dir.path() / name, size);
        const UploadOutcome sent = UploadPhoto(*client, file, name, watch);
        ASSERT_EQ(sent.code, kOk) << name;
        EXPECT_EQ(sent.storedName, name);
        EXPECT_EQ(sent.resumes, 0);
        EXPECT_EQ(sent.bytesSent, size);
        EXPECT_EQ(Text(served(name)), Text(file)) << name;
    }
    EXPECT_EQ(reported, 1u + 700000 + 1500001) << "progress counts each byte once";
    // A second photo of the same name is kept beside the first, never over it.
    EXPECT_EQ(UploadPhoto(*client, dir.file("praia.jpg"), "praia.jpg", {}).storedName, "praia (2).jpg");

    const OrderOutcome order = SendOrder(*client, "10x15\t2\t0,0,300,200\tpraia.jpg\n20x30\t1\t5,0,200,300\tpraia (2).jpg\n");
    EXPECT_EQ(order.code, kOk);
    EXPECT_EQ(order.number, "LV-000001");
    EXPECT_NE(Text(dir.file("orders.jsonl")).find("\"crop\": [0, 0, 300, 200], \"photo\": \"praia.jpg\""), std::string::npos)
        << Text(dir.file("orders.jsonl"));
    // A crop of another shape than the paper's, a photo the service does not hold: refused.
    EXPECT_EQ(SendOrder(*client, "10x15\t1\t0,0,300,300\tpraia.jpg\n").code, kRequestRefused);
    EXPECT_EQ(SendOrder(*client, "10x15\t1\t0,0,300,200\tnenhuma.jpg\n").code, kRequestRefused);
}

TEST_F(StoreUploadTest, ACutConnectionContinuesFromTheServicesOffsetNotFromTheStart)
{
    constexpr std::size_t kSize = 3'000'000;
    constexpr std::size_t kCut = 200'000;
    const auto client = start({"--cut-upload-after", std::to_string(kCut)});
    const std::string file = RandomPhoto(dir.path() / "longa.jpg", kSize);
    const UploadOutcome sent = UploadPhoto(*client, file, "longa.jpg", {});
    ASSERT_EQ(sent.code, kOk);
    EXPECT_EQ(sent.resumes, 1);
    EXPECT_EQ(Text(served("longa.jpg")), Text(file));
    // The second PUT starts where the service stopped reading and carries only the rest (the
    // first may have pushed the whole photo into the loopback's buffers before the break).
    EXPECT_EQ(Text(dir.file("server.log")), "PUT longa.jpg 0\nPUT longa.jpg " + std::to_string(kCut) + "\n");
    EXPECT_LE(sent.bytesSent, kSize + (kSize - kCut));
    EXPECT_GE(sent.bytesSent, kCut + (kSize - kCut));
}

TEST_F(StoreUploadTest, HostileAnswersFailCleanlyAndQuickly)
{
    const std::string file = RandomPhoto(dir.path() / "foto.jpg", 5000);
    for (const std::string answer : {"huge", "bad-session", "garbage", "beyond"}) {
        const ServerProcess hostile("sharing/tests/hostile_upload_server.py", {"--answer", answer});
        ASSERT_TRUE(hostile.started());
        StoreClient client({"http://127.0.0.1:" + std::to_string(hostile.port()), ""});
        ASSERT_EQ(client.login("ana", "x"), kOk);
        const auto began = std::chrono::steady_clock::now();
        EXPECT_EQ(UploadPhoto(client, file, "foto.jpg", {}).code, kServiceFailed) << answer;
        if (answer == "huge" || answer == "garbage") {
            EXPECT_EQ(SendOrder(client, "10x15\t1\t0,0,3,2\tfoto.jpg\n").code, kServiceFailed) << answer;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(20)) << answer;
    }
}

}  // namespace
}  // namespace lv::sharing::store
