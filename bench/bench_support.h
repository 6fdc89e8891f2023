#pragma once
// Pictures and helpers shared by the benchmarks.

#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"

#include <benchmark/benchmark.h>

#include "imagelib/codecs/jpeg/jpeg.h"

#include "bench_targets.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace lv::bench {

// A photo-like 24-bit picture: smooth light with texture and edges, deterministic.
inline HDIB MakePhoto(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    std::uint32_t seed = 2024;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = dib.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            const int cx = x - width / 2, cy = y - height / 2;
            const int light = 255 - int((std::int64_t(cx) * cx + std::int64_t(cy) * cy) * 200 / (std::int64_t(width) * width / 4 + std::int64_t(height) * height / 4));
            const auto clamp = [](int v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
            const int band = (x / 97 + y / 61) % 3 * 30;
            p[0] = clamp(light * (x % 251) / 251 + noise + band);
            p[1] = clamp(light - band + noise);
            p[2] = clamp(light * (y % 199) / 199 + noise);
        }
    }
    dib.header().biXPelsPerMeter = dib.header().biYPelsPerMeter = 2835;
    return dib;
}

// 200 photo-like 3000 x 2000 JPEGs, made once and kept between runs (delete the folder to make
// them again). Each is a little different: a lighter band moves down the picture.
inline const std::vector<std::string>& StandardPhotos()
{
    static const std::vector<std::string> paths = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "lvbench-album-photos";
        std::filesystem::create_directories(folder);
        std::vector<std::string> out;
        HDIB base;
        for (int i = 0; i < 200; ++i) {
            const std::string path = (folder / ("photo" + std::to_string(1000 + i) + ".jpg")).string();
            out.push_back(path);
            if (std::filesystem::exists(path))
                continue;
            if (!base)
                base = MakePhoto(3000, 2000);
            HDIB photo = DibDuplicate(base);
            for (int y = (i * 37) % 1800; y < (i * 37) % 1800 + 200; ++y)
                for (std::size_t b = 0; b < photo.stride(); ++b)
                    photo.row(y)[b] = std::uint8_t(std::min(255, photo.row(y)[b] + 40));
            WriteJpeg(path, photo, 90);
        }
        return out;
    }();
    return paths;
}

// Scratch files live in memory-backed storage when there is some, so disks don't skew figures.
inline std::string ScratchPath(const std::string& name)
{
    const std::filesystem::path shm = "/dev/shm";
    const auto dir = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    return (dir / ("lvbench-" + name)).string();
}

// A 12-megapixel DNG with a 1024-px embedded preview, made once by the tests' own maker (the
// file is removed again when the maker fails, so the benchmark skips).
inline const std::string& CameraRawWithPreview()
{
    static const std::string path = [] {
        const std::string made = ScratchPath("preview12mp.dng");
        if (!std::filesystem::exists(made)) {
            const std::string command = "/usr/bin/python3 " LV_SOURCE_DIR "/imagelib/tests/interop/make_dng.py " + made
                                        + " 4000 3000 --preview 1024";
            if (std::system(command.c_str()) != 0)
                std::filesystem::remove(made);
        }
        return made;
    }();
    return path;
}

inline bool HaveCommand(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// No outside command may hold a run up for ever: a hung anchor once stopped a whole run for
// twenty minutes.
inline constexpr int kCommandSecondsLimit = 300;
inline constexpr int kTimedOut = -2;

// Runs `commandLine` through the shell with its output dropped, in its own process group, and
// kills the group once it has run `seconds`. The exit status, kTimedOut, or -1 when it could
// not start.
inline int RunLimited(const std::string& commandLine, int seconds = kCommandSecondsLimit)
{
    const std::string line = commandLine + " >/dev/null 2>&1";
    const char* const argv[] = {"/bin/sh", "-c", line.c_str(), nullptr};
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t child = 0;
    const int started = posix_spawn(&child, "/bin/sh", nullptr, &attributes, const_cast<char* const*>(argv), ::environ);
    posix_spawnattr_destroy(&attributes);
    if (started != 0)
        return -1;

    std::mutex lock;
    std::condition_variable finished;
    bool done = false, killed = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> hold(lock);
        if (!finished.wait_for(hold, std::chrono::seconds(seconds), [&] { return done; })) {
            killed = true;
            kill(-child, SIGKILL);
        }
    });
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    {
        const std::lock_guard<std::mutex> hold(lock);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    if (killed)
        return kTimedOut;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string CommandFailure(const std::string& commandLine, int status)
{
    return status == kTimedOut ? "timed out after " + std::to_string(kCommandSecondsLimit) + " s: " + commandLine
                               : "failed: " + commandLine;
}

// Processor time (user + system) used so far by finished child processes, in milliseconds.
inline double ChildCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs a shell command (under the time limit) and adds the processor time it used to `total` (milliseconds). False
// when the command failed.
inline bool AddCommandCpu(const std::string& commandLine, double& total)
{
    const double before = ChildCpuMilliseconds();
    if (RunLimited(commandLine) != 0)
        return false;
    total += ChildCpuMilliseconds() - before;
    return true;
}

// Times one shell command per iteration, under the time limit; skipped when the program is
// missing or the command fails or hangs. The
// counter child_cpu_ms is the processor time the command used per run, comparable with
// the CPU column of in-process benchmarks when the machine is busy.
inline void RunShell(benchmark::State& state, const std::string& program, const std::string& commandLine)
{
    if (!HaveCommand(program)) {
        state.SkipWithError((program + " is not installed").c_str());
        return;
    }
    const double before = ChildCpuMilliseconds();
    for (auto _ : state)
        if (const int status = RunLimited(commandLine); status != 0) {
            state.SkipWithError(CommandFailure(commandLine, status).c_str());
            break;
        }
    if (state.iterations() > 0)
        state.counters["child_cpu_ms"] = (ChildCpuMilliseconds() - before) / double(state.iterations());
}

}  // namespace lv::bench
