#include "sharing/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>

extern char** environ;

namespace lv::sharing {
namespace {

class Pipe {
public:
    Pipe()
    {
        if (::pipe2(ends_.data(), O_CLOEXEC) != 0)
            ends_ = {-1, -1};
    }
    ~Pipe()
    {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    bool ok() const { return ends_[0] >= 0; }
    int read() const { return ends_[0]; }
    int write() const { return ends_[1]; }
    void closeRead() { CloseEnd(ends_[0]); }
    void closeWrite() { CloseEnd(ends_[1]); }

private:
    static void CloseEnd(int& fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    std::array<int, 2> ends_{};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// A helper that stops reading must not kill us: SIGPIPE is held back on this thread while
// we write to it, and one that came is taken before the mask is restored.
class PipeSignalBlocked {
public:
    PipeSignalBlocked()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalBlocked()
    {
        const timespec none{0, 0};
        while (sigtimedwait(&pipe_, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalBlocked(const PipeSignalBlocked&) = delete;
    PipeSignalBlocked& operator=(const PipeSignalBlocked&) = delete;

private:
    sigset_t pipe_;
    sigset_t previous_;
};

int WaitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Writes the input and reads the output together, so neither side blocks on a full pipe.
std::string Exchange(int in, int out, const std::string& input, std::size_t maxOutput)
{
    std::string output;
    std::size_t written = 0;
    std::array<char, 4096> buffer{};
    if (input.empty()) {
        ::close(in);
        in = -1;
    }
    while (out >= 0) {
        std::array<pollfd, 2> fds = {{{out, POLLIN, 0}, {in, POLLOUT, 0}}};
        if (::poll(fds.data(), in >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (in >= 0 && fds[1].revents) {
            const ssize_t n = ::write(in, input.data() + written, input.size() - written);
            if (n > 0)
                written += std::size_t(n);
            if (n <= 0 || written == input.size()) {
                ::close(in);
                in = -1;
            }
        }
        if (fds[0].revents) {
            const ssize_t n = ::read(out, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            output.append(buffer.data(), std::min(std::size_t(n), maxOutput - std::min(maxOutput, output.size())));
        }
    }
    if (in >= 0)
        ::close(in);
    return output;
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input, std::size_t maxOutput)
{
    if (arguments.empty())
        return {};
    Pipe in;
    Pipe out;
    if (!in.ok() || !out.ok())
        return {};
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), in.read(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), out.write(), STDOUT_FILENO);
    std::vector<std::string> args = arguments;
    pid_t pid = -1;
    if (::posix_spawnp(&pid, args[0].c_str(), actions.get(), nullptr, Pointers(args).data(), environ) != 0)
        return {};
    in.closeRead();
    out.closeWrite();
    const int inFd = ::dup(in.write());
    in.closeWrite();
    ProgramResult result;
    {
        PipeSignalBlocked blocked;
        result.output = Exchange(inFd, out.read(), input, maxOutput);
    }
    result.exitCode = WaitFor(pid);
    return result;
}

bool StartProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    if (arguments.empty())
        return false;
    std::map<std::string, std::string> merged;
    const auto set = [&merged](const std::string& entry) {
        const std::size_t eq = entry.find('=');
        merged[entry.substr(0, eq)] = eq == std::string::npos ? std::string() : entry.substr(eq + 1);
    };
    for (char** e = environ; *e; ++e)
        set(*e);
    for (const std::string& entry : environment)
        set(entry);
    std::vector<std::string> env;
    for (const auto& [name, value] : merged)
        env.push_back(name + "=" + value);
    std::vector<std::string> args = arguments;
    // Everything the children use is made before they exist: after fork only
    // async-signal-safe calls are allowed.
    const std::vector<char*> argv = Pointers(args);
    const std::vector<char*> envp = Pointers(env);
    Pipe failure;  // the grandchild's errno when exec fails; closed by a successful exec
    if (!failure.ok())
        return false;
    // A middle process that exits at once, so the program is nobody's child to reap here.
    const pid_t middle = ::fork();
    if (middle < 0)
        return false;
    if (middle == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0) {
            ::execvpe(argv[0], argv.data(), envp.data());
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(failure.write(), &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(program < 0 ? 1 : 0);
    }
    failure.closeWrite();
    if (WaitFor(middle) != 0)
        return false;
    int error = 0;
    ssize_t n;
    while ((n = ::read(failure.read(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return n == 0;
}

std::optional<std::filesystem::path> FindOnPath(std::string_view name)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / name;
            if (::access(candidate.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(candidate))
                return candidate;
        }
        if (colon == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace lv::sharing
