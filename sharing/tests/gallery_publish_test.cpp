// A web album's gallery published to the reference service over TLS and fetched back from
// the address it answers; a cut file and a forgotten token along the way; paths that would
// leave the gallery, refused by both sides; services whose answers are hostile.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "output/web_album/web_album.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/gallery_publisher.h"
#include "sharing/store/store_protocol.h"
#include "sharing/store/upload_reply.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

namespace lv::sharing::store {
namespace {

namespace fs = std::filesystem;
using lv::testing::RunCommand;
using lv::testing::TempDir;

// A noisy photo, so that its published copy is large enough to be cut mid-file.
std::string NoisyPhoto(const fs::path& file, int width, int height)
{
    HDIB picture = DibCreate(width, height, 0x808080, false);
    std::mt19937 random{unsigned(width)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            picture.row(y)[x] = std::uint8_t(random());
    EXPECT_EQ(WriteJpeg(file.string(), picture, 95), WriteResult::Written);
    return file.string();
}

class GalleryPublishTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(dir.path() / "served");
        const std::vector<web::WebAlbumPhoto> photos = {{NoisyPhoto(dir.path() / "a.jpg", 900, 600), "Praia <&> \"sol\""},
                                                        {NoisyPhoto(dir.path() / "b.jpg", 500, 700), "Serra"}};
        ASSERT_TRUE(web::PublishWebAlbum(photos, dir.path() / "site", {"Viagem", 800}).ok);
        cert = testing::MakeSelfSignedCertificate(dir.path());
        ASSERT_FALSE(cert.certificate.empty());
    }
    std::unique_ptr<StoreClient> start(std::vector<std::string> extra)
    {
        std::vector<std::string> args = {"--photos", dir.file("served"), "--accounts",
                                         testing::AccountsFile(dir.path(), {"ana:Senha"}), "--port", "0", "--cert",
                                         cert.certificate, "--key", cert.key, "--galleries", dir.file("galleries")};
        args.insert(args.end(), extra.begin(), extra.end());
        server = std::make_unique<testing::ServerProcess>("scripts/photo_store_server.py", args);
        EXPECT_TRUE(server->started());
        auto client = std::make_unique<StoreClient>(
            StoreService{"https://127.0.0.1:" + std::to_string(server->port()), cert.certificate});
        EXPECT_EQ(client->login("ana", "Senha"), kOk);
        return client;
    }
    // Every file of the folder fetched back from beside the gallery's address and compared.
    void expectServedWhole(const std::string& address)
    {
        const std::string base = address.substr(0, address.size() - std::string("index.html").size());
        for (const GalleryFile& file : ListGallery(dir.path() / "site").files) {
            const std::string fetched = dir.file("fetched");
            ASSERT_EQ(RunCommand("curl -sf --noproxy '*' --cacert " + cert.certificate + " -o " + fetched + " '" +
                                 base + file.path + "'").exitCode, 0) << file.path;
            EXPECT_EQ(RunCommand("cmp " + fetched + " '" + dir.file("site/" + file.path) + "'").exitCode, 0) << file.path;
        }
    }

    TempDir dir;
    testing::Certificate cert;
    std::unique_ptr<testing::ServerProcess> server;
};

TEST_F(GalleryPublishTest, TheGalleryArrivesWholeAndIsServedAtTheAnsweredAddress)
{
    const auto client = start({});
    std::vector<PublishProgress> seen;
    const PublishOutcome out = PublishGallery(*client, dir.path() / "site", "Viagem", {[&seen](const PublishProgress& p) {
        seen.push_back(p);
    }});
    ASSERT_EQ(out.code, kOk) << out.file << out.problem;
    EXPECT_TRUE(out.address.starts_with("https://127.0.0.1:" + std::to_string(server->port()) + "/galleries/"))
        << out.address;
    EXPECT_TRUE(out.address.ends_with("/index.html"));
    const GalleryListing listing = ListGallery(dir.path() / "site");
    EXPECT_EQ(out.files, listing.files.size());
    EXPECT_EQ(out.bytes, listing.bytes);
    expectServedWhole(out.address);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().filesDone, listing.files.size());
    EXPECT_EQ(seen.back().bytesDone, listing.bytes);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_GE(seen[i].bytesDone, seen[i - 1].bytesDone) << "overall progress never goes back";

    // Cancelled once bytes went: it stops at a file, naming it, and no address comes.
    bool stop = false;
    const PublishOutcome cancelled = PublishGallery(*client, dir.path() / "site", "Viagem",
                                                    {[&stop](const PublishProgress&) { stop = true; }, [&stop] { return stop; }});
    EXPECT_EQ(cancelled.code, kCancelled);
    EXPECT_FALSE(cancelled.file.empty());
    EXPECT_TRUE(cancelled.address.empty());
}

TEST_F(GalleryPublishTest, ACutFileResumesAndAForgottenTokenIsRenewedOnce)
{
    const auto client = start({"--cut-upload-after", "20000", "--forget-tokens-after", "6"});
    int logins = 0;
    const PublishWatch watch{{}, {}, [&] {
        ++logins;
        return client->login("ana", "Senha") == kOk;
    }};
    const PublishOutcome out = PublishGallery(*client, dir.path() / "site", "Viagem", watch);
    ASSERT_EQ(out.code, kOk) << out.file;
    EXPECT_GE(out.resumes, 1);
    EXPECT_EQ(logins, 1);
    expectServedWhole(out.address);
}

TEST_F(GalleryPublishTest, PathsThatWouldLeaveTheGalleryAreRefusedByBothSides)
{
    for (const std::string& good : std::vector<std::string>{"index.html", "imagens/foto-001.jpg", "a/b/c/d.jpg", std::string(100, 'x')})
        EXPECT_TRUE(SafeGalleryPath(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", "../x", "a/../../x", "/etc/passwd", "a//b", "a/", ".hidden", "a/.b", "a/b/c/d/e",
                                  "a b.jpg", "fot\xc3\xa9.jpg", "a\\b", std::string(101, 'x')})
        EXPECT_FALSE(SafeGalleryPath(bad)) << bad;

    // A link in the folder is never followed: the folder is refused, naming it.
    fs::create_symlink("/etc/passwd", dir.path() / "site" / "senhas.html");
    const auto client = start({});
    const PublishOutcome linked = PublishGallery(*client, dir.path() / "site", "Viagem", {});
    EXPECT_EQ(linked.code, kBadArguments);
    EXPECT_TRUE(linked.problem.starts_with("senhas.html: ")) << linked.problem;
    EXPECT_EQ(UploadGalleryFile(*client, "g1", dir.file("a.jpg"), "../a.jpg", {}).code, kBadArguments);

    // The service refuses them too, and serves nothing outside a finished gallery.
    const std::string base = "https://127.0.0.1:" + std::to_string(server->port());
    const std::string curl = "curl -s --noproxy '*' --cacert " + cert.certificate + " -o /dev/null -w '%{http_code}' ";
    const GalleryOutcome gallery = CreateGallery(*client, "Viagem", 3, 100);
    ASSERT_EQ(gallery.code, kOk);
    const std::string token = "-H 'Authorization: Bearer " + client->token() + "' ";
    for (const char* path : {"..%2Fx", "%2Fetc%2Fpasswd", "a%2F..%2F..%2Fx", ".x", "a%2F%2Fb"})
        EXPECT_EQ(RunCommand(curl + token + "-d 'path=" + path + "&size=1' " + base + "/api/1/galleries/" + gallery.id +
                             "/files").out, "400") << path;
    EXPECT_EQ(RunCommand(curl + token + "-d 'path=x.jpg&size=101' " + base + "/api/1/galleries/" + gallery.id + "/files").out,
              "413") << "beyond the declared bytes";
    EXPECT_EQ(FinishGallery(*client, gallery.id).code, kRequestRefused) << "no index.html yet";
    EXPECT_EQ(RunCommand(curl + base + "/galleries/" + gallery.id + "/..%2F..%2Faccounts.txt").out, "404");
    EXPECT_EQ(CreateGallery(*client, "Grande", 1, kMaxGalleryBytes + 1).code, kRequestRefused);
}

TEST_F(GalleryPublishTest, HostileAnswersFailCleanlyWithinASecond)
{
    fs::create_directories(dir.path() / "one");
    std::ofstream(dir.path() / "one" / "index.html") << "<!doctype html><title>x</title>";
    for (const std::string answer : {"huge", "garbage", "bad-address", "wrong-id", "other-path"}) {
        const testing::ServerProcess hostile("sharing/tests/hostile_upload_server.py", {"--answer", answer});
        ASSERT_TRUE(hostile.started());
        StoreClient client({"http://127.0.0.1:" + std::to_string(hostile.port()), ""});
        ASSERT_EQ(client.login("ana", "x"), kOk);
        const auto began = std::chrono::steady_clock::now();
        const PublishOutcome out = PublishGallery(client, dir.path() / "one", "Um", {});
        EXPECT_EQ(out.code, kServiceFailed) << answer;
        EXPECT_TRUE(out.address.empty()) << answer;
        EXPECT_EQ(out.file, answer == "other-path" ? "index.html" : "") << answer;
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1)) << answer;
    }
    // The replies' own rules, whatever the connection did.
    EXPECT_FALSE(ParseGalleryReply("gallery=g1\naddress=https://h/galleries/g1/index.html\ngallery=g1\n", true));
    EXPECT_FALSE(ParseGalleryReply("gallery=g1\naddress=https://h/g1/index.html\"onload=x\n", true));
    EXPECT_FALSE(ParseGalleryReply("gallery=g/1\n", false));
    EXPECT_EQ(ParseGalleryReply("gallery=g1\naddress=https://h/x/g1/index.html\r\n", true)->address,
              "https://h/x/g1/index.html");
}

}  // namespace
}  // namespace lv::sharing::store
