// The photo store library as the program meets it: liblvstore.so from the program folder,
// speaking to the reference server started by the test over HTTPS with a certificate made
// at test time, into the photos folder of a temporary program folder.

#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/photo_fetcher.h"
#include "sharing/store/store_protocol.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <random>

namespace lv::sharing {
namespace {

using lv::testing::TempDir;
using testing::ServerProcess;

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed)
{
    std::vector<std::uint8_t> bytes(n);
    std::mt19937 random(seed);
    for (auto& b : bytes)
        b = std::uint8_t(random());
    return bytes;
}

void Put(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> Get(const std::filesystem::path& file)
{
    return ReadWholeFile(file.string()).value_or(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7});
}

std::int64_t ModifiedTime(const std::filesystem::path& file)
{
    struct stat st{};
    return ::stat(file.c_str(), &st) == 0 ? std::int64_t(st.st_mtim.tv_sec) : -1;
}

class StoreLibraryTest : public ::testing::Test {
protected:
    StoreLibraryTest()
    {
        std::filesystem::create_directories(served());
        certificate = testing::MakeSelfSignedCertificate(dir.path());
        photos = {{"Noite de São João.jpg", RandomBytes(1234567, 1)},
                  {"praia.jpg", RandomBytes(300000, 2)},
                  {"vazia.png", {}}};
        for (const auto& [name, bytes] : photos)
            Put(served() / name, bytes);
        Put(served() / ".escondida.jpg", RandomBytes(10, 3));
    }
    void SetUp() override { ASSERT_FALSE(certificate.certificate.empty()) << "openssl could not make a certificate"; }
    std::filesystem::path served() const { return dir.path() / "served"; }
    std::filesystem::path folder() const { return dir.path() / "program" / "photos"; }
    std::string log() const { return dir.file("requests.log"); }

    // The reference server over HTTPS with the extra switches.
    std::unique_ptr<ServerProcess> startServer(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"--photos", served().string(), "--accounts",
                                         testing::AccountsFile(dir.path(), {"ana.lima:Senha Forte", "bloqueado:x"}),
                                         "--locked", "bloqueado",
                                         "--port", "0", "--cert", certificate.certificate, "--key", certificate.key,
                                         "--log", log()};
        args.insert(args.end(), extra.begin(), extra.end());
        auto server = std::make_unique<ServerProcess>("scripts/photo_store_server.py", args);
        EXPECT_TRUE(server->started());
        address = "https://127.0.0.1:" + std::to_string(server->port()) + "/";
        return server;
    }

    StoreCalls calls(const std::string& ca)
    {
        std::optional<StoreCalls> prepared = PrepareDownload({"x", "y"}, &library);
        EXPECT_TRUE(prepared);
        prepared->setService(address.c_str(), ca.c_str());
        return *prepared;
    }

    TransferResult download(const std::string& user = "Ana.Lima", const std::string& password = "Senha Forte")
    {
        return RunTransfer(calls(certificate.certificate), {user, password}, folder());
    }

    std::vector<std::string> logged() const
    {
        std::vector<std::string> lines;
        std::ifstream in(log());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TempDir dir;
    lv::testing::UiRecorder ui;
    testing::Certificate certificate;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> photos;
    std::string address;
    LoadedStoreLibrary library{(std::filesystem::path(LV_PROGRAM_DIR) / store::kStoreLibraryFile).string()};
};

TEST_F(StoreLibraryTest, DownloadsEveryPhotoOnceWholeAndNamesThemInTheServicesOrder)
{
    const auto server = startServer();
    const TransferResult first = download();
    EXPECT_EQ(first.loginCode, 0);
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(first.names, (std::vector<std::string>{"Noite de São João.jpg", "praia.jpg", "vazia.png"}));
    for (const auto& [name, bytes] : photos) {
        EXPECT_EQ(Get(folder() / name), bytes) << name;
        EXPECT_EQ(ModifiedTime(folder() / name), ModifiedTime(served() / name));
    }
    EXPECT_FALSE(std::filesystem::exists(folder() / ".escondida.jpg"));

    // Already here: nothing comes again.
    const TransferResult second = download();
    EXPECT_EQ(second.loginCode, 0);
    EXPECT_EQ(second.count, 0);
    EXPECT_TRUE(second.names.empty());
    EXPECT_EQ(logged().size(), 3u);

    // A photo changed on the service comes again, whole, beside the old one, which may be
    // the user's own by now.
    const std::vector<std::uint8_t> old = photos[1].second;
    photos[1].second = RandomBytes(300001, 9);
    Put(served() / photos[1].first, photos[1].second);
    const TransferResult third = download();
    EXPECT_EQ(third.names, std::vector<std::string>{"praia (2).jpg"});
    EXPECT_EQ(Get(folder() / "praia (2).jpg"), photos[1].second);
    EXPECT_EQ(Get(folder() / "praia.jpg"), old);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StoreLibraryTest, ACutTransferContinuesWhereItStopped)
{
    const auto server = startServer({"--cut-after", "100000"});
    const TransferResult cut = download();
    EXPECT_EQ(cut.loginCode, 0);
    EXPECT_EQ(cut.count, -store::kCannotConnect);
    EXPECT_FALSE(std::filesystem::exists(folder() / photos[0].first));
    const auto partial = store::PartialPath(folder(), photos[0].first);
    ASSERT_TRUE(std::filesystem::exists(partial));
    EXPECT_GT(std::filesystem::file_size(partial), 0u);
    EXPECT_LE(std::filesystem::file_size(partial), 100000u);
    const auto kept = std::filesystem::file_size(partial);

    const TransferResult rest = download();
    EXPECT_EQ(rest.count, 1);  // the next photo is cut in its turn
    EXPECT_EQ(Get(folder() / photos[0].first), photos[0].second);
    EXPECT_FALSE(std::filesystem::exists(partial));
    const std::vector<std::string> requests = logged();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[1], photos[0].first + " " + std::to_string(kept));

    for (int tries = 0; tries < 10 && download().count != 0; ++tries) {
    }
    for (const auto& [name, bytes] : photos)
        EXPECT_EQ(Get(folder() / name), bytes) << name;
}

TEST_F(StoreLibraryTest, AServiceThatSendsTheWholeFileAgainIsTakenWhole)
{
    const auto server = startServer({"--ignore-range"});
    std::filesystem::create_directories(folder());
    // What a cut transfer left, stamped with the photo's time.
    const auto partial = store::PartialPath(folder(), photos[1].first);
    Put(partial, std::vector<std::uint8_t>(photos[1].second.begin(), photos[1].second.begin() + 5000));
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(ModifiedTime(served() / photos[1].first)), 0}};
    ::utimensat(AT_FDCWD, partial.c_str(), times, 0);
    EXPECT_EQ(download().count, 3);
    EXPECT_EQ(Get(folder() / photos[1].first), photos[1].second);
    EXPECT_EQ(logged()[1], photos[1].first + " 5000");
}

TEST_F(StoreLibraryTest, RefusalsComeAsTheLibrarysCodes)
{
    const auto server = startServer();
    EXPECT_EQ(download("ana.lima", "senha forte").loginCode, store::kLoginRefused);
    EXPECT_EQ(download("ninguem", "Senha Forte").loginCode, store::kLoginRefused);
    EXPECT_EQ(download("bloqueado", "x").loginCode, store::kAccountLocked);
    // The service's certificate is no one the system trusts.
    EXPECT_EQ(RunTransfer(calls(""), {"ana.lima", "Senha Forte"}, folder()).loginCode, store::kNotSecure);
    // The password would travel in the clear.
    address = "http://loja.exemplo.invalid/";
    EXPECT_EQ(download().loginCode, store::kNotSecure);
    address = "https://127.0.0.1:1/";
    EXPECT_EQ(download().loginCode, store::kCannotConnect);
    EXPECT_FALSE(std::filesystem::exists(folder() / photos[0].first));
}

TEST_F(StoreLibraryTest, TheListStopsWhenTheBufferIsFullAndTheRestComesNextTime)
{
    const auto server = startServer();
    StoreCalls c = calls(certificate.certificate);
    ASSERT_EQ(c.setUserInfo("ana.lima", "Senha Forte"), 0);
    std::filesystem::create_directories(folder());
    // Room for the first name and its zero, not for the second.
    std::vector<char> names(photos[0].first.size() + 1 + 5, 'x');
    EXPECT_EQ(c.downloadFile(folder().c_str(), names.data(), int(names.size())), 1);
    EXPECT_EQ(std::string(names.data()), photos[0].first);
    EXPECT_EQ(names.back(), '\0');
    std::vector<char> more(store::kFileListBytes);
    EXPECT_EQ(c.downloadFile(folder().c_str(), more.data(), int(more.size())), 2);
    EXPECT_EQ(FileListNames(more.data(), more.size(), 2), (std::vector<std::string>{"praia.jpg", "vazia.png"}));
    EXPECT_EQ(c.downloadFile(nullptr, more.data(), int(more.size())), -store::kBadArguments);
    EXPECT_EQ(c.downloadFile(folder().c_str(), more.data(), 0), -store::kBadArguments);
}

TEST_F(StoreLibraryTest, ProgressIsReportedAndACancelKeepsWhatCame)
{
    const auto server = startServer();
    StoreCalls c = calls(certificate.certificate);
    struct Seen {
        StoreCalls calls;
        std::vector<store::LibraryProgress> reports;
        std::int64_t cancelAfter = 0;
    } seen{c, {}, 600000};
    c.setProgress(
        [](void* context, const store::LibraryProgress* p) {
            auto& s = *static_cast<Seen*>(context);
            s.reports.push_back(*p);
            if (s.cancelAfter && p->bytesDone > s.cancelAfter)
                s.calls.cancel();
        },
        &seen);
    const TransferResult cancelled = RunTransfer(c, {"ana.lima", "Senha Forte"}, folder());
    EXPECT_EQ(cancelled.count, 0);
    ASSERT_FALSE(seen.reports.empty());
    EXPECT_EQ(seen.reports.front().bytesTotal, 1234567 + 300000);
    EXPECT_EQ(seen.reports.front().filesTotal, 3);
    EXPECT_TRUE(std::filesystem::exists(store::PartialPath(folder(), photos[0].first)));

    seen.reports.clear();
    seen.cancelAfter = 0;
    const TransferResult rest = RunTransfer(c, {"ana.lima", "Senha Forte"}, folder());
    EXPECT_EQ(rest.count, 3);
    ASSERT_FALSE(seen.reports.empty());
    EXPECT_LT(seen.reports.front().bytesTotal, 1234567 + 300000);  // what was kept is not fetched again
    EXPECT_EQ(seen.reports.back().bytesDone, seen.reports.back().bytesTotal);
    EXPECT_EQ(seen.reports.back().filesDone, 3);
    for (std::size_t i = 1; i < seen.reports.size(); ++i)
        ASSERT_GE(seen.reports[i].bytesDone, seen.reports[i - 1].bytesDone);
    c.setProgress(nullptr, nullptr);
}

TEST_F(StoreLibraryTest, TheLibrarysTextsForTheCodesTheProgramShows)
{
    const std::optional<StoreCalls> c = PrepareDownload({"x", "y"}, &library);
    ASSERT_TRUE(c);
    for (const int code : {3, 4, 5, 6, 7, 10}) {
        ui.messages.clear();
        ShowStoreMessage(*c, code);
        ASSERT_EQ(ui.messages.size(), 1u) << code;
        EXPECT_EQ(ui.messages[0].title, ui::kWarningTitle);
        EXPECT_EQ(ui.messages[0].icon, ui::Icon::Exclamation);
        EXPECT_FALSE(ui.messages[0].text.empty());
        EXPECT_LT(ui.messages[0].text.size(), 256u);
    }
    ui.messages.clear();
    for (const int code : {1, 2, 8, 9, 11, 12, -3})
        ShowStoreMessage(*c, code);
    EXPECT_TRUE(ui.messages.empty());
    char small[10];
    EXPECT_EQ(c->loadString(1017, small, sizeof small), 9);
    EXPECT_EQ(std::string(small), "Identific");
    EXPECT_EQ(c->loadString(2000, small, sizeof small), 0);
}

}  // namespace
}  // namespace lv::sharing
