// The download from the photo store: the command around a library of plain functions, the album and the
// read-ahead, liblvstore.so against the reference server over HTTPS, and a service and a folder that do harm.

#include "album/album_file.h"
#include "album/photo_loader.h"
#include "common/byte_source.h"
#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "sharing/store/download_album.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/photo_download.h"
#include "sharing/store/photo_fetcher.h"
#include "sharing/store/read_ahead.h"
#include "sharing/store/store_protocol.h"
#include "sharing/testing/server_process.h"
#include "sharing/tests/store_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using lv::testing::TempDir;
using testing::ServerProcess;

// What the stand-in library saw and answers.
struct LibraryScript {
    int loginAnswer = 0;
    std::vector<std::string> files;
    std::optional<int> countAnswer;  // the number of files when not given
    std::string user;
    std::string password;
    std::string folder;
    int downloads = 0;
};
LibraryScript* script = nullptr;

int SetUserInfo(const char* user, const char* password)
{
    script->user = user;
    script->password = password;
    return script->loginAnswer;
}

int DownloadFile(const char* folder, char* names, int size)
{
    ++script->downloads;
    script->folder = folder;
    std::size_t at = 0;
    for (const std::string& f : script->files) {
        std::memcpy(names + at, f.c_str(), f.size() + 1);
        at += f.size() + 1;
    }
    EXPECT_EQ(size, store::kFileListBytes);
    return script->countAnswer.value_or(int(script->files.size()));
}

int LoadText(int id, char* buffer, int size)
{
    const std::string text = "texto " + std::to_string(id);
    std::snprintf(buffer, std::size_t(size), "%s", text.c_str());
    return int(text.size());
}

class FakeLibrary final : public StoreLibrary {
public:
    bool loaded() const override { return isLoaded; }
    void* resolve(const char* name) const override
    {
        const auto it = exports.find(name);
        return it == exports.end() ? nullptr : it->second;
    }
    bool isLoaded = true;
    std::map<std::string, void*> exports = {
        {store::kSetUserInfoName, reinterpret_cast<void*>(&SetUserInfo)},
        {store::kDownloadFileName, reinterpret_cast<void*>(&DownloadFile)},
        {store::kLoadStringName, reinterpret_cast<void*>(&LoadText)},
    };
};

class Photos final : public DownloadedPhotos {
public:
    bool open(const std::string& path) override
    {
        windows.push_back(path);
        return path.find("ruim") == std::string::npos;
    }
    void addToAlbum(const std::string& path) override { album.push_back(path); }
    std::vector<std::string> windows;
    std::vector<std::string> album;
};

class DownloadCommand : public ::testing::Test {
protected:
    DownloadCommand() { script = &lib; }
    ~DownloadCommand() override { script = nullptr; }

    // The command from the first check to the last photo, all on this thread.
    void run(const StoreCredentials& credentials)
    {
        const std::optional<StoreCalls> calls = PrepareDownload(credentials, &library);
        if (!calls)
            return;
        const TransferResult result = RunTransfer(*calls, credentials, dir.path() / "photos");
        if (result.loginCode != 0) {
            ShowStoreMessage(*calls, result.loginCode);
            return;
        }
        for (const std::string& name : result.names)
            DeliverPhoto(dir.path() / "photos", name, photos, false);
    }

    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    LibraryScript lib;
    FakeLibrary library;
    Photos photos;
};

TEST_F(DownloadCommand, WithoutTheLibraryOrOneOfItsCallsTheInternetFunctionIsNotReady)
{
    library.isLoaded = false;
    run({"ana", "senha"});
    library.isLoaded = true;
    library.exports.erase(store::kDownloadFileName);
    run({"ana", "senha"});
    EXPECT_EQ(PrepareDownload({"ana", "senha"}, nullptr), std::nullopt);
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages)
        EXPECT_EQ(std::tie(m.text, m.title, m.icon),
                  std::tuple(LoadString(kInternetNotReadyString), ui::kWarningTitle, ui::Icon::Exclamation));
    EXPECT_TRUE(lib.user.empty());
}

TEST_F(DownloadCommand, TheIdentifierGoesInLowerCaseAndThePasswordAsTyped)
{
    run({"ANA.Lima_ÁÉÇ×Ö", "SeNhA Ç"});
    EXPECT_EQ(std::tuple(lib.user, lib.password, lib.folder),
              std::tuple("ana.lima_áéç×ö", "SeNhA Ç", (dir.path() / "photos").string()));
    EXPECT_TRUE(fs::is_directory(dir.path() / "photos"));
}

TEST_F(DownloadCommand, CredentialsAreCutTo128Bytes)
{
    run({std::string(130, 'A'), std::string(127, 'p') + "çx"});
    EXPECT_EQ(lib.user, std::string(128, 'a'));
    EXPECT_EQ(lib.password, std::string(127, 'p'));  // never half a character
}

TEST_F(DownloadCommand, ARefusedLoginShowsTheLibrarysTextAndFetchesNothing)
{
    for (const auto& [code, text] : std::vector<std::pair<int, std::string>>{
             {3, "texto 1016"}, {4, "texto 1017"}, {5, "texto 1018"}, {6, "texto 1019"}, {7, "texto 1020"},
             {10, "texto 1022"}, {8, ""}, {9, ""}, {1, ""}, {-4, ""}}) {
        ui.messages.clear();
        lib.loginAnswer = code;
        run({"ana", "senha"});
        EXPECT_EQ(ui.messages.empty() ? "" : ui.messages[0].text, text) << code;
    }
    EXPECT_EQ(lib.downloads, 0);
    // Without the library's texts nothing is said.
    library.exports.erase(store::kLoadStringName);
    ui.messages.clear();
    lib.loginAnswer = 4;
    run({"ana", "senha"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadCommand, NoFilesIsSilent)
{
    lib.countAnswer = 0;
    lib.files = {"a.jpg"};
    run({"ana", "senha"});
    lib.countAnswer = -3;
    run({"ana", "senha"});
    EXPECT_TRUE(photos.windows.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FileList, NamesWithinTheBufferOnly)
{
    const char buffer[] = "a.jpg\0b.jpg\0c";
    EXPECT_EQ(FileListNames(buffer, sizeof buffer - 1, 3), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(FileListNames(buffer, sizeof buffer - 1, 1), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(FileListNames(buffer, sizeof buffer, 5), (std::vector<std::string>{"a.jpg", "b.jpg", "c"}));
    const char empties[] = "\0\0a\0";
    for (const auto& [names, bytes, count] : {std::tuple{empties, sizeof empties, 3}, {buffer, std::size_t(0), 3},
                                              {buffer, sizeof buffer, 0}, {buffer, sizeof buffer, -2}})
        EXPECT_TRUE(FileListNames(names, bytes, count).empty()) << bytes << " " << count;
}

// Downloaded photos join the user's current album through the album library; opening only counts.
class AlbumPhotos final : public DownloadedPhotos {
public:
    explicit AlbumPhotos(album::AlbumSession& session)
        : session_(session)
    {
    }
    bool open(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    void addToAlbum(const std::string& path) override { AddDownloadToAlbum(session_, path); }
    std::vector<std::string> opened;

private:
    album::AlbumSession& session_;
};

class DownloadAlbum : public ::testing::Test {
protected:
    DownloadAlbum()
        : store(dir.path() / "LV2000.ini", dir.path() / "none.ini")
        , catalogue(store, dir.path() / "program")
        , session{open, catalogue, album::AlbumPhotoReaders(), {}}
    {
        fs::create_directories(folder());
        fs::create_directories(dir.path() / "program" / "albums");
        catalogue.newAlbum(kUserAlbumsCategory, "Casa");
        catalogue.newAlbum(kUserAlbumsCategory, "Fotos da loja");
        catalogue.setCurrent(kUserAlbumsCategory, 1);
        for (const char* name : {"c.jpg", "a.jpg", "b.jpg"})
            EXPECT_EQ(WriteJpeg((folder() / name).string(), DibCreate(120, 80, 0x204060, false), 90),
                      WriteResult::Written);
    }
    fs::path folder() const { return dir.path() / "program" / "photos"; }
    std::vector<std::string> albumPaths(int index) const
    {
        std::vector<std::string> paths;
        const std::string file = catalogue.albumPath(kUserAlbumsCategory, index);
        if (fs::exists(file))
            for (const auto& entry : album::ReadAlbumContents(file).entries)
                paths.push_back(entry.path());
        return paths;
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    album::ProfileCatalogueStore store;
    album::AlbumCatalogue catalogue;
    album::Album open;
    album::AlbumSession session;
};

TEST_F(DownloadAlbum, APhotoTheAlbumCantReadShowsItsMessageAndIsLeftOut)
{
    std::ofstream(folder() / "quebrada.jpg") << "not a picture";
    AlbumPhotos photos(session);
    DeliverPhoto(folder(), "quebrada.jpg", photos, false);
    DeliverPhoto(folder(), "a.jpg", photos, false);
    EXPECT_EQ(albumPaths(1), std::vector<std::string>{(folder() / "a.jpg").string()});
    ASSERT_EQ(ui.messages.size(), 1u);
    // A photo the program saved itself (value −99) that won't read is the save-error message.
    EXPECT_TRUE(ui.messages[0].text.starts_with(LoadString(album::kSaveErrorString))) << ui.messages[0].text;
}

// Reading the next photo beside the window's thread: handed over only for the path started,
// quiet towards the user, and never left running behind its owner.
TEST(ReadAhead, ReadsOnAnotherThreadQuietlyAndHandsOverOnlyThePathStartedOnce)
{
    lv::testing::UiRecorder recorder;
    std::atomic<int> reads = 0;
    ReadAhead<std::thread::id> ahead([&](const std::string& path) {
        ++reads;
        ui::Current().showMessage(path, "Atenção", ui::Icon::Exclamation);
        ui::Current().beep();
        return std::this_thread::get_id();
    });
    EXPECT_TRUE(ahead.ready());
    EXPECT_FALSE(ahead.take("a"));

    ahead.start("a");
    const std::optional<std::thread::id> reader = ahead.take("a");
    ASSERT_TRUE(reader);
    EXPECT_NE(*reader, std::this_thread::get_id());
    EXPECT_FALSE(ahead.take("a"));

    // Started for one path, asked for another: dropped, and the caller reads it itself.
    ahead.start("b");
    EXPECT_FALSE(ahead.take("c"));
    EXPECT_TRUE(ahead.ready());
    EXPECT_FALSE(ahead.take("b"));

    // A second start waits for the first and keeps only its own.
    ahead.start("d");
    ahead.start("e");
    EXPECT_FALSE(ahead.take("d"));
    ahead.start("e");
    EXPECT_TRUE(ahead.take("e"));

    EXPECT_EQ(std::tuple(int(reads), recorder.messages.size(), recorder.beeps), std::tuple(5, 0u, 0));
}

TEST(ReadAhead, NotReadyWhileReadingAndTheOwnerWaitsForTheReadUnderWay)
{
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::atomic<int> finished = 0;
    {
        ReadAhead<std::string> ahead([&](const std::string& path) {
            opened.wait();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++finished;
            return path + "!";
        });
        ahead.start("x");
        EXPECT_FALSE(ahead.ready());
        gate.set_value();
        EXPECT_EQ(ahead.take("x"), "x!");
        ahead.start("y");
    }
    EXPECT_EQ(finished, 2);
}

// liblvstore.so from the program folder against the reference server over HTTPS, with a certificate
// made at test time, into the photos folder of a temporary program folder.
std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed)
{
    std::vector<std::uint8_t> bytes(n);
    std::mt19937 random(seed);
    for (auto& b : bytes)
        b = std::uint8_t(random());
    return bytes;
}

template <typename Bytes>
void Put(const fs::path& file, const Bytes& bytes)
{
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::optional<std::vector<std::uint8_t>> Get(const fs::path& file)
{
    return ReadWholeFile(file.string());
}

std::int64_t ModifiedTime(const fs::path& file)
{
    struct stat st{};
    return ::stat(file.c_str(), &st) == 0 ? std::int64_t(st.st_mtim.tv_sec) : -1;
}

class StoreLibraryTest : public ::testing::Test {
protected:
    StoreLibraryTest()
    {
        fs::create_directories(served());
        photos = {{"Noite de São João.jpg", RandomBytes(1234567, 1)},
                  {"praia.jpg", RandomBytes(300000, 2)},
                  {"vazia.png", {}}};
        for (const auto& [name, bytes] : photos)
            Put(served() / name, bytes);
        Put(served() / ".escondida.jpg", RandomBytes(10, 3));
    }
    fs::path served() const { return dir.path() / "served"; }
    fs::path folder() const { return dir.path() / "program" / "photos"; }
    std::string log() const { return dir.file("requests.log"); }

    // The reference server over HTTPS with the extra switches.
    std::unique_ptr<testing::StoreServer> startServer(std::vector<std::string> extra = {})
    {
        extra.insert(extra.end(), {"--locked", "bloqueado", "--log", log()});
        auto server = std::make_unique<testing::StoreServer>(
            dir.path(), std::vector<std::string>{"ana.lima:Senha Forte", "bloqueado:x"}, extra);
        address = server->address() + "/";
        ca = server->cert.certificate;
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
        return RunTransfer(calls(ca), {user, password}, folder());
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
    std::string ca;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> photos;
    std::string address;
    LoadedStoreLibrary library{(fs::path(LV_PROGRAM_DIR) / store::kStoreLibraryFile).string()};
};

TEST_F(StoreLibraryTest, DownloadsEveryPhotoOnceWholeAndNamesThemInTheServicesOrder)
{
    const auto server = startServer();
    const TransferResult first = download();
    EXPECT_EQ(std::tuple(first.loginCode, first.count, first.names),
              std::tuple(0, 3, std::vector<std::string>{"Noite de São João.jpg", "praia.jpg", "vazia.png"}));
    for (const auto& [name, bytes] : photos) {
        EXPECT_EQ(Get(folder() / name), bytes) << name;
        EXPECT_EQ(ModifiedTime(folder() / name), ModifiedTime(served() / name));
    }
    EXPECT_FALSE(fs::exists(folder() / ".escondida.jpg"));

    // Already here: nothing comes again.
    const TransferResult second = download();
    EXPECT_EQ(std::tuple(second.loginCode, second.count, second.names), std::tuple(0, 0, std::vector<std::string>{}));
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
    EXPECT_EQ(std::tuple(cut.loginCode, cut.count), std::tuple(0, -store::kCannotConnect));
    EXPECT_FALSE(fs::exists(folder() / photos[0].first));
    const auto partial = store::PartialPath(folder(), photos[0].first);
    ASSERT_TRUE(fs::exists(partial));
    const auto kept = fs::file_size(partial);
    EXPECT_TRUE(kept > 0 && kept <= 100000u) << kept;

    const TransferResult rest = download();
    EXPECT_EQ(rest.count, 1);  // the next photo is cut in its turn
    EXPECT_EQ(Get(folder() / photos[0].first), photos[0].second);
    EXPECT_FALSE(fs::exists(partial));
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
    fs::create_directories(folder());
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
    EXPECT_FALSE(fs::exists(folder() / photos[0].first));
}

TEST_F(StoreLibraryTest, TheListStopsWhenTheBufferIsFullAndTheRestComesNextTime)
{
    const auto server = startServer();
    StoreCalls c = calls(ca);
    ASSERT_EQ(c.setUserInfo("ana.lima", "Senha Forte"), 0);
    fs::create_directories(folder());
    // Room for the first name and its zero, not for the second.
    std::vector<char> names(photos[0].first.size() + 1 + 5, 'x');
    EXPECT_EQ(c.downloadFile(folder().c_str(), names.data(), int(names.size())), 1);
    EXPECT_EQ(std::tuple(std::string(names.data()), names.back()), std::tuple(photos[0].first, '\0'));
    std::vector<char> more(store::kFileListBytes);
    EXPECT_EQ(c.downloadFile(folder().c_str(), more.data(), int(more.size())), 2);
    EXPECT_EQ(FileListNames(more.data(), more.size(), 2), (std::vector<std::string>{"praia.jpg", "vazia.png"}));
    EXPECT_EQ(c.downloadFile(nullptr, more.data(), int(more.size())), -store::kBadArguments);
    EXPECT_EQ(c.downloadFile(folder().c_str(), more.data(), 0), -store::kBadArguments);
}

TEST_F(StoreLibraryTest, ProgressIsReportedAndACancelKeepsWhatCame)
{
    const auto server = startServer();
    StoreCalls c = calls(ca);
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
    EXPECT_TRUE(fs::exists(store::PartialPath(folder(), photos[0].first)));

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

TEST_F(StoreLibraryTest, TheLibrarysTextsAreCutToTheBuffer)
{
    const std::optional<StoreCalls> c = PrepareDownload({"x", "y"}, &library);
    ASSERT_TRUE(c);
    char small[10];
    EXPECT_EQ(c->loadString(1017, small, sizeof small), 9);
    EXPECT_EQ(std::string(small), "Identific");
    EXPECT_EQ(c->loadString(2000, small, sizeof small), 0);
}

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
    // The library pointed at the hostile server started with `serverArgs`.
    StoreCalls& connect(const std::vector<std::string>& serverArgs)
    {
        server = std::make_unique<ServerProcess>("sharing/tests/hostile_store_server.py", serverArgs);
        EXPECT_TRUE(server->started());
        std::optional<StoreCalls> prepared = PrepareDownload({"x", "y"}, &library);
        EXPECT_TRUE(prepared && prepared->setService && prepared->lastReport && prepared->setProgress);
        calls = *prepared;
        calls.setService(("http://127.0.0.1:" + std::to_string(server->port()) + "/").c_str(), "");
        return calls;
    }
    TransferResult download(const std::vector<std::string>& serverArgs)
    {
        connect(serverArgs);
        return again();
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
    Put(outside() / "alvo.txt", std::string("do usuário"));
    Put(outside() / "parcial.txt", std::string("também"));
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
    EXPECT_EQ(Get(folder() / "alvo (2).jpg"), Expected("alvo.jpg", 5000));
    EXPECT_EQ(Get(folder() / "outra (2).jpg"), Expected("outra.jpg", 3000));
    EXPECT_EQ(std::tuple(result.report.savedUnderOtherName, result.report.besideLinks), std::tuple(3, 3));
    const std::string notes = DownloadNotes(result.report, folder());
    for (const std::string& part : {"Fotos salvas com outro nome: 3"s, "link simbólico"s, folder().string()})
        EXPECT_NE(notes.find(part), std::string::npos) << notes;
}

TEST_F(HostileStoreTest, AnEndlessBodyIsCutAtTheListedSizeAndNeverHeldInMemory)
{
    constexpr std::size_t kBig = 64u << 20;
    struct Watch {
        long before = 0;
        long peak = 0;
    } watch;
    StoreCalls& c = connect({"--photo", "pequena.jpg:1000:endless",
                            "--photo", "grande.jpg:" + std::to_string(kBig) + ":endless"});
    c.setProgress(
        [](void* context, const store::LibraryProgress* p) {
            auto& w = *static_cast<Watch*>(context);
            if (w.before == 0)
                w.before = ResidentKilobytes();
            if (p->bytesDone > std::int64_t(48u << 20) && w.peak == 0)
                w.peak = ResidentKilobytes();
        },
        &watch);
    const auto start = std::chrono::steady_clock::now();
    const TransferResult result = again();
    c.setProgress(nullptr, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(Get(folder() / "pequena.jpg"), Expected("pequena.jpg", 1000));
    EXPECT_EQ(fs::file_size(folder() / "grande.jpg"), kBig);
    EXPECT_FALSE(fs::exists(store::PartialPath(folder(), "grande.jpg")));
    ASSERT_GT(watch.peak, 0);
    EXPECT_LT(watch.peak - watch.before, 24L * 1024) << "kB resident while 48 MB had come";
}

TEST_F(HostileStoreTest, TenThousandPhotosAllComeInRoundsThroughTheFixedNameBuffer)
{
    const TransferResult result = download({"--many", "10000"});
    EXPECT_EQ(result.count, 10000);
    ASSERT_EQ(result.names.size(), 10000u);
    EXPECT_EQ(std::set<std::string>(result.names.begin(), result.names.end()).size(), 10000u);
    EXPECT_EQ(std::tuple(result.names.front(), result.names.back()), std::tuple("foto-00001.jpg", "foto-10000.jpg"));
    EXPECT_EQ(Get(folder() / "foto-10000.jpg"), Expected("foto-10000.jpg", 16));
    EXPECT_EQ(again().count, 0);
}

TEST_F(HostileStoreTest, PhotosBeyondTheFreeDiskSpaceAreLeftOutAndTheUserIsTold)
{
    ::setenv("LUMIVISTA_TEST_FREE_BYTES", "2500", 1);
    const TransferResult result = download({"--photo", "a.jpg:1000", "--photo", "b.jpg:2000", "--photo", "c.jpg:1000"});
    ::unsetenv("LUMIVISTA_TEST_FREE_BYTES");
    EXPECT_EQ(result.names, (std::vector<std::string>{"a.jpg", "c.jpg"}));
    EXPECT_FALSE(fs::exists(folder() / "b.jpg"));
    EXPECT_EQ(std::tuple(result.report.leftForSpace, result.report.bytesLeft), std::tuple(1, 2000));
    const std::string notes = DownloadNotes(result.report, folder());
    for (const std::string& part : {"falta de espaço em disco: 1"s, folder().string()})
        EXPECT_NE(notes.find(part), std::string::npos) << notes;
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
