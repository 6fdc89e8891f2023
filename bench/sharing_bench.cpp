// Photo downloads from the reference server on the loop-back interface: 200 photos of about
// 3 MB. The transfer alone (login, list, every photo written whole into the folder) through
// the store library, over HTTP and HTTPS, with curl's own command fetching the same files on
// one connection as the yardstick; then the two steps that follow on the window's thread,
// opening each photo and adding it to the album, each timed on its own.
//
// The window stays responsive: during the transfer the window's thread only waits for 5 ms
// ticks (the counter ui_gap_ms is the longest wait between two), and the steps after it run
// one photo per turn of the event loop (step_ms is the longest turn), the photos decoded
// beside the window's thread.

#include "album/album_operations.h"
#include "album/catalogue.h"
#include "album/photo_loader.h"
#include "app/core/documents/document_io.h"
#include "bench_support.h"
#include "edit/layers.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "sharing/store/download_album.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/read_ahead.h"
#include "sharing/testing/server_process.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

namespace lv::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPhotos = 200;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The served photos, made once: one photo-like JPEG of about 3 MB, 200 names.
class Served {
public:
    static Served& Get()
    {
        static Served served;
        return served;
    }
    fs::path folder() const { return folder_; }
    std::uint64_t photoBytes() const { return photoBytes_; }
    const sharing::testing::Certificate& certificate() const { return certificate_; }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < kPhotos; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "foto_%03d.jpg", i);
            out.emplace_back(name);
        }
        return out;
    }

private:
    Served()
        : folder_(ScratchPath("store-served"))
    {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const fs::path first = folder_ / "foto_000.jpg";
        WriteJpeg(first.string(), MakePhoto(2800, 2100), 97);
        photoBytes_ = fs::file_size(first);
        for (const std::string& name : names())
            if (name != "foto_000.jpg")
                fs::copy_file(first, folder_ / name);
        certificate_ = sharing::testing::MakeSelfSignedCertificate(folder_.parent_path());
    }
    fs::path folder_;
    std::uint64_t photoBytes_ = 0;
    sharing::testing::Certificate certificate_;
};

// The reference server over HTTPS when the benchmark's argument says so, else over HTTP.
struct LocalService {
    std::unique_ptr<sharing::testing::ServerProcess> server;
    bool https = false;
    std::string address;
    std::string certificate;  // empty over HTTP
};

std::optional<LocalService> StartService(benchmark::State& state)
{
    const Served& served = Served::Get();
    LocalService service;
    service.https = state.range(0) != 0;
    std::vector<std::string> args = {"--photos", served.folder().string(), "--accounts",
                                     sharing::testing::AccountsFile(served.folder().parent_path(), {"ana:senha"}),
                                     "--port", "0"};
    if (service.https) {
        args.insert(args.end(), {"--cert", served.certificate().certificate, "--key", served.certificate().key});
        service.certificate = served.certificate().certificate;
    }
    service.server = std::make_unique<sharing::testing::ServerProcess>("scripts/photo_store_server.py", args);
    if (!service.server->started()) {
        state.SkipWithError("the reference server did not start");
        return std::nullopt;
    }
    service.address = std::string(service.https ? "https" : "http") + "://127.0.0.1:" +
                      std::to_string(service.server->port());
    return service;
}

void BM_StoreTransfer(benchmark::State& state)
{
    const Served& served = Served::Get();
    const std::optional<LocalService> service = StartService(state);
    if (!service)
        return;
    sharing::LoadedStoreLibrary library(LV_PROGRAM_DIR "/liblvstore.so");
    const std::optional<sharing::StoreCalls> calls = sharing::PrepareDownload({"ana", "senha"}, &library);
    if (!calls) {
        state.SkipWithError("liblvstore.so is missing");
        return;
    }
    calls->setService(service->address.c_str(), service->certificate.c_str());
    const fs::path folder = ScratchPath("store-photos");
    double longestGap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        state.ResumeTiming();
        std::atomic<bool> done = false;
        sharing::TransferResult result;
        std::thread worker([&] {
            result = sharing::RunTransfer(*calls, {"ana", "senha"}, folder);
            done = true;
        });
        // The window's thread meanwhile: a tick every 5 ms, and how late each came.
        auto last = Clock::now();
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const auto now = Clock::now();
            longestGap = std::max(longestGap, Milliseconds(now - last));
            last = now;
        }
        worker.join();
        if (result.count != kPhotos) {
            state.SkipWithError(("transfer failed: " + std::to_string(result.count)).c_str());
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kPhotos * std::int64_t(served.photoBytes()));
    state.counters["ui_gap_ms"] = longestGap;
    state.counters["photo_mb"] = double(served.photoBytes()) / 1e6;
}
BENCHMARK(BM_StoreTransfer)->Arg(0)->Arg(1)->ArgNames({"https"})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// curl's command fetching the same 200 photos on one connection: what the server and the
// loop-back interface give.
void BM_CurlCommandTransfer(benchmark::State& state)
{
    const Served& served = Served::Get();
    const std::optional<LocalService> service = StartService(state);
    if (!service)
        return;
    const std::string& address = service->address;
    const std::string ca = service->https ? " --cacert " + service->certificate : "";
    const std::string token =
        lv::testing::RunCommand("curl -s" + ca + " -d 'user=ana&password=senha' " + address + "/api/1/login").out;
    const fs::path folder = ScratchPath("curl-photos");
    fs::create_directories(folder);
    std::string command = "curl -s" + ca + " -H 'Authorization: Bearer " + token.substr(token.find('=') + 1, 32) + "'";
    for (const std::string& name : served.names())
        command += " " + address + "/api/1/photos/" + name + " -o " + (folder / name).string();
    RunShell(state, "curl", command);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kPhotos * std::int64_t(served.photoBytes()));
    fs::remove_all(folder);
}
BENCHMARK(BM_CurlCommandTransfer)->Arg(0)->Arg(1)->ArgNames({"https"})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
LV_TARGET_RATIO("BM_StoreTransfer/https:0", Wall, "BM_CurlCommandTransfer/https:0", Wall, 1.0, "curl over HTTP");
LV_TARGET_RATIO("BM_StoreTransfer/https:1", Wall, "BM_CurlCommandTransfer/https:1", Wall, 1.0, "curl over HTTPS");

// What the program does with each photo before showing it: the album's loader, a one-layer
// document, its composite. Read on the window's thread, or read ahead beside it (as the
// program does: the thread only collects the photo read meanwhile and starts the next one).
std::unique_ptr<LayerStack> ReadPhotoDocument(const std::string& path, const DocumentReaders& readers)
{
    ReadResult read = album::LoadPhotoForAlbum(path, readers);
    std::unique_ptr<LayerStack> stack = read.ok() ? CreateLayerStackFromImage(read.take()) : nullptr;
    return stack && RebuildComposite(*stack) ? std::move(stack) : nullptr;
}

void BM_OpenDownloadedPhotos(benchmark::State& state)
{
    const Served& served = Served::Get();
    const DocumentReaders readers = album::AlbumPhotoReaders();
    const bool readAhead = state.range(0) != 0;
    const std::vector<std::string> names = served.names();
    const auto pathOf = [&](std::size_t i) { return (served.folder() / names[i]).string(); };
    double longestStep = 0;
    for (auto _ : state) {
        sharing::ReadAhead<std::unique_ptr<LayerStack>> ahead(
            [&readers](const std::string& path) { return ReadPhotoDocument(path, readers); });
        if (readAhead)
            ahead.start(pathOf(0));
        for (std::size_t i = 0; i < names.size(); ++i) {
            // The event loop is free while the photo read ahead is not ready.
            while (!ahead.ready())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const auto start = Clock::now();
            std::optional<std::unique_ptr<LayerStack>> early = ahead.take(pathOf(i));
            if (readAhead && i + 1 < names.size())
                ahead.start(pathOf(i + 1));
            std::unique_ptr<LayerStack> stack = early ? std::move(*early) : ReadPhotoDocument(pathOf(i), readers);
            if (!stack) {
                state.SkipWithError("a photo did not open");
                return;
            }
            benchmark::DoNotOptimize(stack);
            longestStep = std::max(longestStep, Milliseconds(Clock::now() - start));
        }
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kPhotos);
    state.counters["step_ms"] = longestStep;
}
BENCHMARK(BM_OpenDownloadedPhotos)->Arg(0)->Arg(1)->ArgNames({"read_ahead"})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Each photo into the current album of the user's albums, written at once as designed.
void BM_AddDownloadsToAlbum(benchmark::State& state)
{
    const Served& served = Served::Get();
    const fs::path home = ScratchPath("store-album");
    double longestStep = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(home);
        fs::create_directories(home / "albums");
        album::ProfileCatalogueStore store(home / "LV2000.ini", home / "none.ini");
        album::AlbumCatalogue catalogue(store, home);
        album::Album open;
        album::AlbumSession session{open, catalogue, album::AlbumPhotoReaders(), {}};
        state.ResumeTiming();
        for (const std::string& name : served.names()) {
            const auto start = Clock::now();
            if (!sharing::AddDownloadToAlbum(session, (served.folder() / name).string())) {
                state.SkipWithError("a photo did not join the album");
                return;
            }
            longestStep = std::max(longestStep, Milliseconds(Clock::now() - start));
        }
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kPhotos);
    state.counters["step_ms"] = longestStep;
    fs::remove_all(home);
}
BENCHMARK(BM_AddDownloadsToAlbum)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
