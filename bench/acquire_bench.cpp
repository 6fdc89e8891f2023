// Scanning: a 300-dpi colour A4 page from the scanner interface's test backend by memory
// transfer (source manager, transfer, bitmap fixing), against the interface's own front end
// and a bare read of the same scan in this process.

#include "acquire/scan_without_dialog.h"
#include "acquire/twain_transfers.h"
#include "imagelib/dib_alloc.h"
#include "acquire/tests/sane_test_backend.h"
#include "bench_support.h"

#include <sane/sane.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using namespace lv;

constexpr double kA4Width = 210, kA4Height = 297;  // millimetres

// The test backend normally stops at 200 mm; this one takes a whole A4 page.
void UseA4Backend()
{
    static const bool done = [] {
        testing::UseSaneTestBackend({{"geometry_max", "300.0"}, {"test-picture", "\"Color pattern\""}});
        return true;
    }();
    (void)done;
}

void BM_ScanA4MemoryTransfer(benchmark::State& state)
{
    UseA4Backend();
    twain::SourceManagerFile library(std::string(LV_PROGRAM_DIR) + "/" + twain::kSourceManagerFile);
    twain::ScanRequest request;
    request.device = "test:0";
    request.dotsPerInch = 300;
    request.pixelType = twain::TWPT_RGB;
    request.memoryTransfer = state.range(0) != 0;
    request.areaInInches = twain::TW_FRAME{twain::DoubleToFix32(0), twain::DoubleToFix32(0),
                                           twain::DoubleToFix32(kA4Width / 25.4), twain::DoubleToFix32(kA4Height / 25.4)};
    for (auto _ : state) {
        twain::ScanOutcome outcome = twain::ScanWithoutDialog(library, request);
        if (!outcome.picture) {
            state.SkipWithError(outcome.error.c_str());
            break;
        }
        benchmark::DoNotOptimize(outcome.picture.data());
        state.SetBytesProcessed(state.bytes_processed() + std::int64_t(outcome.picture.stride()) * outcome.picture.height());
    }
    state.SetLabel(request.memoryTransfer ? "memory transfer" : "native transfer");
}
BENCHMARK(BM_ScanA4MemoryTransfer)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The same scan read straight from the interface into one buffer: the floor.
void BM_ScanA4BareRead(benchmark::State& state)
{
    UseA4Backend();
    SANE_Int version = 0;
    sane_init(&version, nullptr);
    SANE_Handle handle = nullptr;
    if (sane_open("test:0", &handle) != SANE_STATUS_GOOD) {
        state.SkipWithError("no test device");
        return;
    }
    const auto set = [handle](const char* name, const void* value) {
        SANE_Int count = 0;
        sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr);
        for (int i = 1; i < count; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i);
            if (d && d->name && std::strcmp(d->name, name) == 0) {
                sane_control_option(handle, i, SANE_ACTION_SET_VALUE, const_cast<void*>(value), nullptr);
                return;
            }
        }
    };
    char mode[] = "Color";
    set("mode", mode);
    const SANE_Word dpi = SANE_FIX(300), width = SANE_FIX(kA4Width), height = SANE_FIX(kA4Height);
    set("resolution", &dpi);
    set("br-x", &width);
    set("br-y", &height);
    std::vector<SANE_Byte> buffer;
    for (auto _ : state) {
        sane_start(handle);
        SANE_Parameters p{};
        sane_get_parameters(handle, &p);
        buffer.resize(std::size_t(p.bytes_per_line) * std::size_t(p.lines));
        std::size_t got = 0;
        SANE_Int length = 0;
        while (got < buffer.size() && sane_read(handle, buffer.data() + got, SANE_Int(std::min<std::size_t>(buffer.size() - got, 1 << 20)), &length) == SANE_STATUS_GOOD)
            got += std::size_t(length);
        sane_cancel(handle);
        benchmark::DoNotOptimize(buffer.data());
    }
    sane_close(handle);
}
BENCHMARK(BM_ScanA4BareRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The fixing alone, on a page of the same size: the share of the memory transfer's time that
// turning the rows and the pixels takes.
void BM_FixA4Bitmap(benchmark::State& state)
{
    HDIB page = AllocatePicture(2480, 3507, 24, 0);
    for (std::size_t i = 0; i < page.header().biSizeImage; ++i)
        page.pixels()[i] = std::uint8_t(i * 7);
    for (auto _ : state) {
        twain::FixTransferredBitmap(page, page.height(), twain::TWPT_RGB);
        benchmark::DoNotOptimize(page.data());
    }
}
BENCHMARK(BM_FixA4Bitmap)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Debian's test backend cancels its reader thread at the frame's end; now and then that
// leaves the loader's lock taken and scanimage hangs in its exit after writing the page.
// Such a run is killed and retried, and only the runs that ended count.
void BM_ScanA4Scanimage(benchmark::State& state)
{
    if (!bench::HaveCommand("scanimage")) {
        state.SkipWithError("scanimage is not installed");
        return;
    }
    UseA4Backend();
    const std::string out = bench::ScratchPath("scanimage.pnm");
    const std::string command = "timeout -s KILL 20 scanimage -d test:0 --mode Color --resolution 300 -x 210 -y 297 "
                                "--format=pnm -o " + out + " >/dev/null 2>&1";
    int hangs = 0;
    for (auto _ : state) {
        for (int attempt = 0;; ++attempt) {
            const auto start = std::chrono::steady_clock::now();
            const int status = std::system(command.c_str());
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (status == 0) {
                state.SetIterationTime(took.count());
                break;
            }
            const bool killed = WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL;
            if (!killed || attempt == 3) {
                state.SkipWithError(("failed: " + command).c_str());
                break;
            }
            ++hangs;
        }
    }
    state.counters["exit_hangs"] = hangs;
    std::remove(out.c_str());
}
BENCHMARK(BM_ScanA4Scanimage)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);

}  // namespace

LV_BENCH_MAIN()
