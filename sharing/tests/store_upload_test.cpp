// The store's protocol: its texts read strictly (login reply, photo list, names, addresses,
// print crops, order lines, upload and order replies), and photos, print orders and web
// galleries sent to the reference service over TLS.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "output/web_album/web_album.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/gallery_publisher.h"
#include "sharing/store/photo_fetcher.h"
#include "sharing/store/photo_list.h"
#include "sharing/store/photo_uploader.h"
#include "sharing/store/print_order.h"
#include "sharing/store/store_client.h"
#include "sharing/store/store_protocol.h"
#include "sharing/store/upload_reply.h"
#include "sharing/testing/server_process.h"
#include "sharing/tests/store_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

namespace lv::sharing::store {
namespace {

using lv::testing::RunCommand;
using lv::testing::TempDir;
using sharing::testing::ServerProcess;

TEST(LoginReply, TheTokenLineAmongOthers)
{
    // "token=abc" has no line end; a token with a space could not travel in a header.
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"token=abc\n", "abc"}, {"user=ana\r\ntoken=x-1_Y\r\nexpires=10\r\n", "x-1_Y"}, {"token=abc", "abc"},
        {" token=abc\n", std::nullopt}, {"token=\n", std::nullopt}, {"token=a b\n", std::nullopt}, {"", std::nullopt},
        {"token=" + std::string(kMaxTokenBytes, 'a'), std::string(kMaxTokenBytes, 'a')},
        {"token=" + std::string(kMaxTokenBytes + 1, 'a'), std::nullopt}, {std::string("token=a\0b", 9), std::nullopt}};
    for (const auto& [reply, token] : cases)
        EXPECT_EQ(ParseLoginReply(reply), token) << reply;
}

TEST(PhotoList, BadLinesAreLeftOutAndTheRestKept)
{
    const auto list = ParsePhotoList(
        "-1\t0\tneg.jpg\n"
        "+1\t0\tplus.jpg\n"
        "1x\t0\tjunk.jpg\n"
        "\t0\tnosize.jpg\n"
        "1\t\tnotime.jpg\n"
        "1\t0\n"
        "99999999999999999999\t0\toverflow.jpg\n" +
        std::to_string(kMaxPhotoBytes + 1) + "\t0\ttoo_big.jpg\n" +
        std::to_string(kMaxPhotoBytes) + "\t-5\tbefore_1970.jpg\n"
        "1\t0\tgood.jpg\n"
        "1\t0\tgood.jpg\n");
    EXPECT_EQ(list, (std::vector<PhotoEntry>{{"before_1970.jpg", kMaxPhotoBytes, -5}, {"good.jpg", 1, 0}}));
}

TEST(PhotoList, StopsAtTheLimitOfPhotos)
{
    std::string text;
    for (std::size_t i = 0; i < kMaxListedPhotos + 5; ++i)
        text += "1\t0\tp" + std::to_string(i) + ".jpg\n";
    const auto list = ParsePhotoList(text);
    ASSERT_EQ(list.size(), kMaxListedPhotos);
    EXPECT_EQ(list.back().name, "p" + std::to_string(kMaxListedPhotos - 1) + ".jpg");
}

TEST(PhotoNames, OnlyNamesThatStayInTheFolder)
{
    for (const char* good : {"a.jpg", "São João 2000.JPG", "a..b", "x~y", "1"})
        EXPECT_TRUE(SafePhotoName(good)) << good;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", ".oculto", "../x.jpg", "a/b.jpg", "a\\b.jpg", "/abs.jpg",
                                  std::string("a\0b", 3), "tab\there", "del\x7f", "\xC3\x28.jpg",
                                  std::string(kMaxNameBytes + 1, 'a')})
        EXPECT_FALSE(SafePhotoName(bad)) << bad;
    EXPECT_TRUE(SafePhotoName(std::string(kMaxNameBytes, 'a')));
}

TEST(StoreAddresses, HttpOnlyToThisComputer)
{
    for (const char* good : {"https://loja.exemplo.com.br", "https://loja.exemplo.com.br:8443/prefixo/",
                             "http://127.0.0.1:8765", "http://localhost:8765/", "http://[::1]:8765/"})
        EXPECT_TRUE(AddressAllowed(good)) << good;
    for (const char* bad : {"http://loja.exemplo.com.br", "http://127.0.0.1.exemplo.com/", "ftp://127.0.0.1/",
                            "file:///etc/passwd", ""})
        EXPECT_FALSE(AddressAllowed(bad)) << bad;
}

TEST(StoreAddresses, JoiningAndEncoding)
{
    EXPECT_EQ(JoinUrl("https://a.b/", "/api/1/login"), "https://a.b/api/1/login");
    EXPECT_EQ(JoinUrl("https://a.b/loja", "api/1/login"), "https://a.b/loja/api/1/login");
    EXPECT_EQ(EncodePathSegment("São João #1?.jpg"), "S%C3%A3o%20Jo%C3%A3o%20%231%3F.jpg");
    EXPECT_EQ(EncodePathSegment("a-b_c.d~e"), "a-b_c.d~e");
}

TEST(PartialFiles, HiddenBesideThePhoto)
{
    EXPECT_EQ(PartialPath("/f", "praia.jpg"), std::filesystem::path("/f/.praia.jpg.part"));
    // A name from the list never starts with ".", so no photo can be taken for a partial one.
    EXPECT_FALSE(SafePhotoName(PartialPath("/f", "praia.jpg").filename().string()));
}

TEST(PrintOrder, TheCropIsTheLargestCentredPartOfThePapersShapeLyingAsThePhotoDoes)
{
    const PaperSize& tenByFifteen = *FindPaper("10x15");
    EXPECT_EQ(CentredCrop(600, 400, tenByFifteen), (CropRect{0, 0, 600, 400}));   // already 3:2
    EXPECT_EQ(CentredCrop(400, 600, tenByFifteen), (CropRect{0, 0, 400, 600}));   // upright too
    EXPECT_EQ(CentredCrop(800, 400, tenByFifteen), (CropRect{100, 0, 600, 400}));  // too wide: sides go
    EXPECT_EQ(CentredCrop(500, 500, tenByFifteen), (CropRect{83, 0, 333, 500}));   // square: upright
    EXPECT_EQ(CentredCrop(1, 1, tenByFifteen), (CropRect{0, 0, 1, 1}));
    EXPECT_EQ(CentredCrop(0, 10, tenByFifteen), CropRect{});
    EXPECT_EQ(FindPaper("9x13"), nullptr);
    // Dragging stops at the photo's edges.
    EXPECT_EQ(MovedCrop({100, 0, 600, 400}, 500, -20, 800, 400), (CropRect{200, 0, 600, 400}));
    EXPECT_EQ(MovedCrop({100, 0, 600, 400}, -500, 0, 800, 400), (CropRect{0, 0, 600, 400}));
}

TEST(PrintOrder, LinesAreWrittenOnlyWhenEveryFieldIsValid)
{
    const CropRect crop{0, 2, 64, 43};
    EXPECT_EQ(OrderText({{"a b.jpg", "13x18", 99, crop}}), "13x18\t99\t0,2,64,43\ta b.jpg\n");
    EXPECT_EQ(OrderText({{"a.jpg", "13x18", 0, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "13x18", 100, crop}}), "");
    EXPECT_EQ(OrderText({{"a\tb.jpg", "13x18", 1, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "A4", 1, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "10x15", 1, {0, 0, 0, 5}}}), "");
    EXPECT_EQ(ParseCrop("0,2,64,43"), crop);
    for (const char* bad : {"", "1,2,3", "1,2,3,4,", "1,2,3,0", "-1,2,3,4", "1, 2,3,4", "1,2,3,4x", "99999999999,1,1,1"})
        EXPECT_FALSE(ParseCrop(bad)) << bad;
}

TEST(UploadReply, OnlyWellFormedKnownLinesAreTaken)
{
    const auto done = store::ParseUploadReply("offset=3000\r\nname=praia (2).jpg\n", 3000);
    ASSERT_TRUE(done);
    EXPECT_EQ(std::tuple(done->offset, done->name), std::tuple(3000u, "praia (2).jpg"));
    EXPECT_EQ(store::ParseUploadReply("session=a_1-B\noffset=0", 10)->session, "a_1-B");
    for (const char* bad : {"", "offset=3001", "offset=-1", "offset= 5", "offset=1\noffset=1", "session=../x",
                            "session=", "name=.hidden", "name=a/b", "size=3", "offset=1\n\n", "offset=12345678901234567890"})
        EXPECT_FALSE(store::ParseUploadReply(bad, 3000)) << bad;
    EXPECT_EQ(store::ParseOrderReply("order=LV-000001\n"), "LV-000001");
    for (const char* bad : {"order=", "order=<b>", "order=1\norder=2", "numero=1", "order=123456789012345678901234567890123"})
        EXPECT_FALSE(store::ParseOrderReply(bad)) << bad;
}

namespace fs = std::filesystem;

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
    // The reference service over TLS with `extra` switches; a client logged in as "ana".
    std::unique_ptr<StoreClient> start(std::vector<std::string> extra)
    {
        extra.insert(extra.end(), {"--log", dir.file("server.log"), "--orders", dir.file("orders.jsonl"), "--galleries",
                                   dir.file("galleries")});
        server = std::make_unique<testing::StoreServer>(dir.path(), std::vector<std::string>{"ana:Senha Forte"}, extra);
        auto client = std::make_unique<StoreClient>(StoreService{server->address(), ca()});
        EXPECT_EQ(client->login("ana", "Senha Forte"), kOk);
        return client;
    }
    fs::path served(const std::string& name) const { return dir.path() / "served" / "ana" / name; }
    std::string ca() const { return server->cert.certificate; }

    TempDir dir;
    std::unique_ptr<testing::StoreServer> server;
};

TEST_F(StoreUploadTest, PhotosArriveByteIdenticalOverTlsAndAnOrderIsAnsweredWithItsNumber)
{
    const auto client = start({});
    std::uint64_t reported = 0;
    const TransferWatch watch{[&reported](std::uint64_t bytes) { reported += bytes; }, {}};
    const std::vector<std::pair<std::string, std::size_t>> photos = {{"praia.jpg", 1}, {"serra ç.jpg", 700000},
                                                                     {"vazia.jpg", 0}, {"praia (cópia).jpg", 1500001}};
    for (const auto& [name, size] : photos) {
        const std::string file = RandomPhoto(dir.path() / name, size);
        const UploadOutcome sent = UploadPhoto(*client, file, name, watch);
        ASSERT_EQ(sent.code, kOk) << name;
        EXPECT_EQ(std::tuple(sent.storedName, sent.resumes, sent.bytesSent), std::tuple(name, 0, size));
        EXPECT_EQ(Text(served(name)), Text(file)) << name;
    }
    EXPECT_EQ(reported, 1u + 700000 + 1500001) << "progress counts each byte once";
    // A second photo of the same name is kept beside the first, never over it.
    EXPECT_EQ(UploadPhoto(*client, dir.file("praia.jpg"), "praia.jpg", {}).storedName, "praia (2).jpg");

    const OrderOutcome order = SendOrder(*client, "10x15\t2\t0,0,300,200\tpraia.jpg\n20x30\t1\t5,0,200,300\tpraia (2).jpg\n");
    EXPECT_EQ(std::tuple(order.code, order.number), std::tuple(kOk, "LV-000001"));
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

class GalleryPublishTest : public StoreUploadTest {
protected:
    void SetUp() override
    {
        StoreUploadTest::SetUp();
        const std::vector<web::WebAlbumPhoto> photos = {{NoisyPhoto(dir.path() / "a.jpg", 900, 600), "Praia <&> \"sol\""},
                                                        {NoisyPhoto(dir.path() / "b.jpg", 500, 700), "Serra"}};
        ASSERT_TRUE(web::PublishWebAlbum(photos, dir.path() / "site", {"Viagem", 800}).ok);
    }
    // Every file of the folder fetched back from beside the gallery's address and compared.
    void expectServedWhole(const std::string& address)
    {
        const std::string base = address.substr(0, address.size() - std::string("index.html").size());
        for (const GalleryFile& file : ListGallery(dir.path() / "site").files) {
            const std::string fetched = dir.file("fetched");
            ASSERT_EQ(RunCommand("curl -sf --noproxy '*' --cacert " + ca() + " -o " + fetched + " '" +
                                 base + file.path + "'").exitCode, 0) << file.path;
            EXPECT_EQ(RunCommand("cmp " + fetched + " '" + dir.file("site/" + file.path) + "'").exitCode, 0) << file.path;
        }
    }
};

TEST_F(GalleryPublishTest, TheGalleryArrivesWholeAndIsServedAtTheAnsweredAddress)
{
    const auto client = start({});
    std::vector<PublishProgress> seen;
    const PublishOutcome out = PublishGallery(*client, dir.path() / "site", "Viagem", {[&seen](const PublishProgress& p) {
        seen.push_back(p);
    }});
    ASSERT_EQ(out.code, kOk) << out.file << out.problem;
    EXPECT_TRUE(out.address.starts_with(server->address() + "/galleries/")) << out.address;
    EXPECT_TRUE(out.address.ends_with("/index.html"));
    const GalleryListing listing = ListGallery(dir.path() / "site");
    EXPECT_EQ(std::tuple(out.files, out.bytes), std::tuple(listing.files.size(), listing.bytes));
    expectServedWhole(out.address);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(std::tuple(seen.back().filesDone, seen.back().bytesDone), std::tuple(listing.files.size(), listing.bytes));
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
        return client->login("ana", "Senha Forte") == kOk;
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
    const std::string base = server->address();
    const std::string curl = "curl -s --noproxy '*' --cacert " + ca() + " -o /dev/null -w '%{http_code}' ";
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
