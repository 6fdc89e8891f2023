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

// Everything left in the stream.
inline std::string ReadAll(std::FILE* stream)
{
    std::string text;
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), stream)) > 0;)
        text.append(buf.data(), n);
    return text;
}

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
        result.out = ReadAll(pipe);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (std::FILE* f = std::fopen(errPath, "r")) {
        result.err = ReadAll(f);
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
