// The download against a service and a folder that try to do harm: links planted under the
// listed names, a user's own file of the same name, a photo whose body never ends, a list
// longer than the library's name buffer, a disk too small; and the reference server against
// a client that lies about its length or says nothing.

#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/photo_fetcher.h"
#include "sharing/store/store_protocol.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;
using lv::testing::TempDir;
using testing::ServerProcess;

constexpr std::int64_t kServiceTime = 1600000000;

// The hostile server's bytes for a photo.
std::vector<std::uint8_t> Expected(const std::string& name, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t((i + name.size()) * 31);
    return bytes;
}

std::string Text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return 0;
}

class HostileStoreTest : public ::testing::Test {
protected:
    TransferResult download(const std::vector<std::string>& serverArgs)
    {
        server = std::make_unique<ServerProcess>("sharing/tests/hostile_store_server.py", serverArgs);
        EXPECT_TRUE(server->started());
        std::optional<StoreCalls> prepared = PrepareDownload({"x", "y"}, &library);
        EXPECT_TRUE(prepared && prepared->setService && prepared->lastReport);
        calls = *prepared;
        calls.setService(("http://127.0.0.1:" + std::to_string(server->port()) + "/").c_str(), "");
        return RunTransfer(calls, {"ana", "senha"}, folder());
    }
    TransferResult again() { return RunTransfer(calls, {"ana", "senha"}, folder()); }
    fs::path folder() const { return dir.path() / "photos"; }
    fs::path outside() const { return dir.path() / "outside"; }

    TempDir dir;
    lv::testing::UiRecorder ui;
    LoadedStoreLibrary library{(fs::path(LV_PROGRAM_DIR) / store::kStoreLibraryFile).string()};
    std::unique_ptr<ServerProcess> server;
    StoreCalls calls;
};

TEST_F(HostileStoreTest, LinksUnderListedNamesAreLeftAloneAndThePhotosTakeFreeNames)
{
    fs::create_directories(folder());
    fs::create_directories(outside());
    Put(outside() / "alvo.txt", "do usuário");
    Put(outside() / "parcial.txt", "também");
    fs::create_symlink(outside() / "alvo.txt", folder() / "alvo.jpg");
    fs::create_symlink(outside() / "parcial.txt", store::PartialPath(folder(), "outra.jpg"));
    fs::create_symlink(outside() / "nada.txt", folder() / "pendente.jpg");  // names nothing yet

    const TransferResult result = download({"--photo", "alvo.jpg:5000", "--photo", "outra.jpg:3000",
                                            "--photo", "pendente.jpg:100"});
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(result.names, (std::vector<std::string>{"alvo (2).jpg", "outra (2).jpg", "pendente (2).jpg"}));
    EXPECT_EQ(Text(outside() / "alvo.txt"), "do usuário");
    EXPECT_EQ(Text(outside() / "parcial.txt"), "também");
    EXPECT_FALSE(fs::exists(outside() / "nada.txt"));
    EXPECT_TRUE(fs::is_symlink(folder() / "alvo.jpg"));
    EXPECT_TRUE(fs::is_symlink(store::PartialPath(folder(), "outra.jpg")));
    EXPECT_EQ(ReadWholeFile((folder() / "alvo (2).jpg").string()), Expected("alvo.jpg", 5000));
    EXPECT_EQ(ReadWholeFile((folder() / "outra (2).jpg").string()), Expected("outra.jpg", 3000));
    EXPECT_EQ(result.report.savedUnderOtherName, 3);
    EXPECT_EQ(result.report.besideLinks, 3);
    const std::string notes = DownloadNotes(result.report, folder());
    EXPECT_NE(notes.find("Fotos salvas com outro nome: 3"), std::string::npos) << notes;
    EXPECT_NE(notes.find("link simbólico"), std::string::npos) << notes;
    EXPECT_NE(notes.find(folder().string()), std::string::npos) << notes;
}

TEST_F(HostileStoreTest, AUsersFileOfTheSameNameIsKeptAndThePhotoComesOnlyOnce)
{
    fs::create_directories(folder());
    Put(folder() / "foto.jpg", "a foto do próprio usuário");
    // The photo already downloaded: same name, size and time.
    const std::vector<std::uint8_t> had = Expected("igual.jpg", 700);
    Put(folder() / "igual.jpg", std::string(had.begin(), had.end()));
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(kServiceTime), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder() / "igual.jpg").c_str(), times, 0), 0);

    const TransferResult first = download({"--photo", "foto.jpg:2000", "--photo", "igual.jpg:700"});
    EXPECT_EQ(first.names, std::vector<std::string>{"foto (2).jpg"});
    EXPECT_EQ(Text(folder() / "foto.jpg"), "a foto do próprio usuário");
    EXPECT_EQ(ReadWholeFile((folder() / "foto (2).jpg").string()), Expected("foto.jpg", 2000));
    EXPECT_EQ(first.report.savedUnderOtherName, 1);
    EXPECT_EQ(first.report.besideLinks, 0);
    EXPECT_EQ(DownloadNotes(first.report, folder()).find("link"), std::string::npos);

    // Downloaded once under the free name: the next download fetches nothing, so nothing
    // joins the album again.
    const TransferResult second = again();
    EXPECT_EQ(second.count, 0);
    EXPECT_TRUE(second.names.empty());
    EXPECT_FALSE(fs::exists(folder() / "foto (3).jpg"));
    EXPECT_TRUE(DownloadNotes(second.report, folder()).empty());
}

TEST_F(HostileStoreTest, AnEndlessBodyIsCutAtTheListedSizeAndNeverHeldInMemory)
{
    constexpr std::size_t kBig = 64u << 20;
    long before = 0;
    long peak = 0;
    struct Watch {
        long* before;
        long* peak;
    } watch{&before, &peak};
    const auto server = std::make_unique<ServerProcess>(
        "sharing/tests/hostile_store_server.py",
        std::vector<std::string>{"--photo", "pequena.jpg:1000:endless", "--photo", "grande.jpg:" + std::to_string(kBig) + ":endless"});
    ASSERT_TRUE(server->started());
    std::optional<StoreCalls> c = PrepareDownload({"x", "y"}, &library);
    ASSERT_TRUE(c && c->setProgress);
    c->setService(("http://127.0.0.1:" + std::to_string(server->port()) + "/").c_str(), "");
    c->setProgress(
        [](void* context, const store::LibraryProgress* p) {
            auto& w = *static_cast<Watch*>(context);
            if (*w.before == 0)
                *w.before = ResidentKilobytes();
            if (p->bytesDone > std::int64_t(48u << 20) && *w.peak == 0)
                *w.peak = ResidentKilobytes();
        },
        &watch);
    const auto start = std::chrono::steady_clock::now();
    const TransferResult result = RunTransfer(*c, {"ana", "senha"}, folder());
    c->setProgress(nullptr, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(ReadWholeFile((folder() / "pequena.jpg").string()), Expected("pequena.jpg", 1000));
    EXPECT_EQ(fs::file_size(folder() / "grande.jpg"), kBig);
    EXPECT_FALSE(fs::exists(store::PartialPath(folder(), "grande.jpg")));
    ASSERT_GT(peak, 0);
    EXPECT_LT(peak - before, 24L * 1024) << "kB resident while 48 MB had come";
}

TEST_F(HostileStoreTest, TenThousandPhotosAllComeInRoundsThroughTheFixedNameBuffer)
{
    const TransferResult result = download({"--many", "10000"});
    EXPECT_EQ(result.count, 10000);
    ASSERT_EQ(result.names.size(), 10000u);
    EXPECT_EQ(std::set<std::string>(result.names.begin(), result.names.end()).size(), 10000u);
    EXPECT_EQ(result.names.front(), "foto-00001.jpg");
    EXPECT_EQ(result.names.back(), "foto-10000.jpg");
    EXPECT_EQ(ReadWholeFile((folder() / "foto-10000.jpg").string()), Expected("foto-10000.jpg", 16));
    EXPECT_EQ(again().count, 0);
}

TEST_F(HostileStoreTest, PhotosBeyondTheFreeDiskSpaceAreLeftOutAndTheUserIsTold)
{
    ::setenv("LUMIVISTA_TEST_FREE_BYTES", "2500", 1);
    const TransferResult result = download({"--photo", "a.jpg:1000", "--photo", "b.jpg:2000", "--photo", "c.jpg:1000"});
    ::unsetenv("LUMIVISTA_TEST_FREE_BYTES");
    EXPECT_EQ(result.names, (std::vector<std::string>{"a.jpg", "c.jpg"}));
    EXPECT_FALSE(fs::exists(folder() / "b.jpg"));
    EXPECT_EQ(result.report.leftForSpace, 1);
    EXPECT_EQ(result.report.bytesLeft, 2000);
    const std::string notes = DownloadNotes(result.report, folder());
    EXPECT_NE(notes.find("falta de espaço em disco: 1"), std::string::npos) << notes;
    EXPECT_NE(notes.find(folder().string()), std::string::npos) << notes;
}

// A raw connection to the reference server: what it answers, and whether it hangs up
// within `seconds`.
struct Exchange {
    std::string reply;
    bool closed = false;
};

Exchange Talk(int port, const std::string& request, int seconds)
{
    Exchange out;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                out.closed = true;
                break;
            }
            out.reply.append(buffer, std::size_t(n));
        }
    }
    ::close(fd);
    return out;
}

TEST(ReferenceStoreServer, RefusesBadLengthsAndHangsUpOnSilentClients)
{
    TempDir dir;
    fs::create_directories(dir.path() / "served");
    ServerProcess server("scripts/photo_store_server.py",
                         {"--photos", (dir.path() / "served").string(), "--accounts",
                          testing::AccountsFile(dir.path(), {"ana:segredo de ana"}), "--port", "0", "--idle-timeout",
                          "1"});
    ASSERT_TRUE(server.started());
    // The password is nowhere on its command line.
    std::ifstream cmdline("/proc/" + std::to_string(server.pid()) + "/cmdline", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(cmdline), {}).find("segredo"), std::string::npos);

    const std::string login = "POST /api/1/login HTTP/1.1\r\nHost: x\r\nContent-Length: ";
    for (const std::string length : {"-1", "abc", "+5", "99999999999999999999"}) {
        const Exchange bad = Talk(server.port(), login + length + "\r\n\r\nuser=ana", 5);
        EXPECT_TRUE(bad.reply.starts_with("HTTP/1.1 4")) << length << ": " << bad.reply;
        EXPECT_TRUE(bad.closed) << length;
    }
    const std::string form = "user=ana&password=segredo+de+ana";
    const Exchange good = Talk(server.port(), login + std::to_string(form.size()) + "\r\n\r\n" + form, 5);
    EXPECT_TRUE(good.reply.starts_with("HTTP/1.1 200")) << good.reply;
    EXPECT_NE(good.reply.find("token="), std::string::npos);
    // Kept alive after a good request, then let go once the client stays silent.
    EXPECT_TRUE(good.closed);
    const Exchange silent = Talk(server.port(), "", 5);
    EXPECT_TRUE(silent.closed);
}

}  // namespace
}  // namespace lv::sharing
