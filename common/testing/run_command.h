#pragma once
// Runs a program for a test and collects its output and exit status.

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace lv::testing {

struct CommandResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline CommandResult RunCommand(const std::string& commandLine)
{
    char errPath[] = "/tmp/lvcmd-XXXXXX";
    const int errFd = mkstemp(errPath);
    CommandResult result;
    if (errFd < 0)
        return result;
    close(errFd);
    const std::string full = commandLine + " 2>" + errPath;
    if (std::FILE* pipe = popen(full.c_str(), "r")) {
        std::array<char, 4096> buf{};
        std::size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
            result.out.append(buf.data(), n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (std::FILE* f = std::fopen(errPath, "r")) {
        std::array<char, 4096> buf{};
        std::size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0)
            result.err.append(buf.data(), n);
        std::fclose(f);
    }
    std::remove(errPath);
    return result;
}

// Quotes one argument for the shell.
inline std::string ShellQuote(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace lv::testing
