#pragma once
// Starts the program for a test on Qt's offscreen platform or on a virtual X server of its
// own, with its own program folder (the build's skin, help pages and sounds linked into it),
// configuration folder, screen size and test log, and waits for it without sleeping blindly:
// every run test's session is launch, send or ask, quit.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lv::testing {

// A virtual X server for one test ("Xvfb"), on a display number it picks itself; stopped with
// the object. `display()` is empty when no server could be started (the test then skips).
class VirtualDisplay {
public:
    VirtualDisplay(int width, int height)
    {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        std::vector<std::string> arguments = {"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const bool spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        std::string number;
        pollfd wait{pipe[0], POLLIN, 0};
        char c = 0;
        while (spawned && ::poll(&wait, 1, 10000) > 0 && ::read(pipe[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(pipe[0]);
        if (!spawned)
            pid_ = -1;
        else if (!number.empty())
            display_ = ":" + number;
    }
    ~VirtualDisplay()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

enum class Platform { Offscreen, X };

// The value of " name=value" in a "state ..." line of the log.
inline std::string StateField(const std::string& state, const std::string& name)
{
    const std::size_t at = state.find(" " + name + "=");
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + name.size() + 2;
    if (state.compare(start, 1, "[") == 0)
        return state.substr(start + 1, state.find(']', start) - start - 1);
    return state.substr(start, state.find(' ', start) - start);
}

// A bitmap file the program wrote; empty when it can't be read.
inline HDIB ReadBmpFile(const std::filesystem::path& path)
{
    ReadResult result = ReadBmp(path.string());
    return result.ok() ? result.take() : HDIB{};
}

inline std::string ReadTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ProgramSandbox {
public:
    explicit ProgramSandbox(int screenWidth = 1280, int screenHeight = 1024, Platform platform = Platform::Offscreen)
    {
        if (platform == Platform::X)
            x_ = std::make_unique<VirtualDisplay>(screenWidth, screenHeight);
        std::filesystem::create_directories(home());
        for (const char* data : {"ui", "help", "Click1.wav", "Click2.wav"})
            std::filesystem::create_symlink(std::filesystem::path(LV_PROGRAM_DIR) / data, home() / data);
        std::filesystem::create_directories(configDir());
        std::filesystem::create_directories(runtimeDir());
        std::filesystem::permissions(runtimeDir(), std::filesystem::perms::owner_all);
        setScreens({{0, 0, screenWidth, screenHeight}});
    }
    // A copy a failed test left running goes before its folder and display.
    ~ProgramSandbox()
    {
        if (pid_ > 0)
            killHard();
    }
    ProgramSandbox(const ProgramSandbox&) = delete;
    ProgramSandbox& operator=(const ProgramSandbox&) = delete;

    // The offscreen platform's monitors, the primary one first.
    struct Monitor {
        int x, y, width, height;
    };
    void setScreens(const std::vector<Monitor>& monitors) const
    {
        std::ofstream json(screenConfig());
        json << "{\"screens\": [";
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            const Monitor& m = monitors[i];
            json << (i ? ", " : "") << "{\"name\": \"screen" << i << "\", \"x\": " << m.x << ", \"y\": " << m.y
                 << ", \"width\": " << m.width << ", \"height\": " << m.height
                 << ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}";
        }
        json << "]}";
    }

    std::filesystem::path home() const { return dir_.path() / "program"; }
    std::filesystem::path configDir() const { return dir_.path() / "config"; }
    std::filesystem::path configFile() const { return configDir() / "LV2000.ini"; }
    std::filesystem::path logFile() const { return dir_.path() / "log.txt"; }
    std::filesystem::path screenConfig() const { return dir_.path() / "screen.json"; }
    std::filesystem::path runtimeDir() const { return dir_.path() / "runtime"; }
    // $XDG_DATA_HOME: where the changeable data goes when the program folder is read-only.
    std::filesystem::path dataHome() const { return dir_.path() / "data"; }
    std::filesystem::path file(const std::string& name) const { return dir_.path() / name; }

    std::string log() const { return ReadTextFile(logFile()); }

    // On the X platform: whether the virtual server runs (tests skip without one).
    bool displayReady() const { return !x_ || !x_->display().empty(); }
    // On the X platform: the virtual server's display (":N"), for tools that drive it.
    std::string display() const { return x_ ? x_->display() : std::string(); }

    // Starts the program with extra variables ("NAME=value"); returns its process id.
    pid_t start(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnvironment = {})
    {
        std::map<std::string, std::string> env;
        const auto set = [&env](const std::string& entry) {
            const auto eq = entry.find('=');
            env[entry.substr(0, eq)] = eq == std::string::npos ? "" : entry.substr(eq + 1);
        };
        for (char** e = environ; *e; ++e)
            set(*e);
        const std::string platform = x_ ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen:configfile=" + screenConfig().string();
        for (const std::string& ours : {platform, "LUMIVISTA_HOME=" + home().string(),
                                        "LUMIVISTA_CONFIG_DIR=" + configDir().string(),
                                        "LUMIVISTA_TEST_LOG=" + logFile().string(), "XDG_RUNTIME_DIR=" + runtimeDir().string(),
                                        "XDG_DATA_HOME=" + dataHome().string()})
            set(ours);
        if (x_) {
            set("DISPLAY=" + x_->display());
            // Qt's X11 platform keeps a desktop-bus connection for the life of the process.
            set("LSAN_OPTIONS=suppressions=" + std::string(LV_SOURCE_DIR) + "/app/tests/lsan.supp");
        }
        for (const std::string& extra : extraEnvironment)
            set(extra);
        std::vector<std::string> envStrings;
        for (const auto& [name, value] : env)
            envStrings.push_back(name + "=" + value);
        std::vector<std::string> argStrings = {LV_PROGRAM};
        argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());

        const auto pointers = [](std::vector<std::string>& strings) {
            std::vector<char*> out;
            for (std::string& s : strings)
                out.push_back(s.data());
            out.push_back(nullptr);
            return out;
        };
        pid_t pid = -1;
        const bool spawned =
            posix_spawn(&pid, LV_PROGRAM, nullptr, nullptr, pointers(argStrings).data(), pointers(envStrings).data()) == 0;
        return spawned ? pid : -1;
    }

    // Starts the test's copy and waits for `ready` in the log after its start (the log may hold
    // an earlier session's); false when it did not start or never got there.
    bool launch(const std::vector<std::string>& arguments = {}, const std::vector<std::string>& extraEnvironment = {},
                const std::string& ready = "ready ")
    {
        const std::size_t before = log().size();
        pid_ = start(arguments, extraEnvironment);
        return pid_ > 0 && PollUntil([&] { return log().find(ready, before) != std::string::npos; });
    }
    // Sends the command that ends the launched copy ("quit", "key Ctrl+Q") and returns its
    // exit code.
    int quit(const std::string& command = "quit")
    {
        if (pid_ <= 0)
            return -1;
        EXPECT_EQ(send(command), 0) << command;
        return wait(std::exchange(pid_, -1));
    }
    // Ends the launched copy as a crash would; whether it died of the signal.
    bool killHard()
    {
        if (pid_ <= 0)
            return false;
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFSIGNALED(status);
    }

    // The exit code, or -1 when the program had to be killed after the time limit.
    static int wait(pid_t pid, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        int status = 0;
        if (!PollUntil([&] { return waitpid(pid, &status, WNOHANG) != 0; }, limit)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int run(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnvironment = {})
    {
        const pid_t pid = start(arguments, extraEnvironment);
        return pid < 0 ? -1 : wait(pid);
    }

    // Sends a test command ("click X Y", "key F1", "quit", ...) to the running copy through
    // a second one, which returns once the first has acted on it.
    int send(const std::string& command) { return run({}, {"LUMIVISTA_TEST_SEND=" + command}); }

    // Sends a test command and waits for the program to log a line starting with `reply`
    // after it; the last such line, empty when none came.
    std::string ask(const std::string& command, const std::string& reply = "state ")
    {
        const std::size_t before = linesStarting(reply).size();
        send(command);
        PollUntil([&] { return linesStarting(reply).size() > before; });
        return lastLine(reply);
    }

    // The active picture as the program shows it ("dump" into the named file); empty when
    // the program could not dump it.
    HDIB shownPicture(const std::string& name)
    {
        return ask("dump " + file(name).string(), "dumped ") == "dumped ok" ? ReadBmpFile(file(name)) : HDIB();
    }

    // Sends each test command and waits for its answer in the log after it.
    void expectAnswers(const std::vector<std::pair<std::string, std::string>>& steps)
    {
        for (const auto& [command, logged] : steps) {
            const std::size_t before = log().size();
            ASSERT_EQ(send(command), 0) << command;
            ASSERT_TRUE(PollUntil([&] { return log().find(logged, before) != std::string::npos; }))
                << command << " did not log " << logged << "\n" << log();
        }
    }

    std::string lastLine(const std::string& prefix) const
    {
        const std::vector<std::string> lines = linesStarting(prefix);
        return lines.empty() ? std::string() : lines.back();
    }

    // Waits until the log holds the text (`times` times).
    bool waitForLog(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(30), int times = 1) const
    {
        return PollUntil(
            [&] {
                const std::string all = log();
                int found = 0;
                for (std::size_t at = all.find(text); at != std::string::npos && found < times; at = all.find(text, at + 1))
                    ++found;
                return found >= times;
            },
            limit);
    }

private:
    // Checks every 10 ms until `done` holds; false when the limit passed first.
    template <class Done>
    static bool PollUntil(Done done, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    std::vector<std::string> linesStarting(const std::string& prefix) const
    {
        std::vector<std::string> lines;
        std::istringstream in(log());
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0)
                lines.push_back(line);
        return lines;
    }

    TempDir dir_;
    std::unique_ptr<VirtualDisplay> x_;
    pid_t pid_ = -1;
};

// A run test on a virtual X server of its own, skipped where none can start.
class OnVirtualX : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!sandbox.displayReady())
            GTEST_SKIP() << "no virtual X server (xvfb)";
    }
    ProgramSandbox sandbox{1280, 1024, Platform::X};
};

}  // namespace lv::testing
