#pragma once
// A local server for a test, started from a Python script of the repository: it prints
// "PORT <n>" once it listens, and is stopped when the object goes. Also the self-signed
// certificate the HTTPS and TLS tests trust, made at test time.

#include "common/testing/run_command.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lv::sharing::testing {

// The reference server's accounts file: NAME:PASSWORD lines, kept off its command line.
inline std::string AccountsFile(const std::filesystem::path& dir, const std::vector<std::string>& accounts)
{
    const std::filesystem::path file = dir / "accounts.txt";
    std::string text;
    for (const std::string& account : accounts)
        text += account + "\n";
    if (std::FILE* f = std::fopen(file.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return file.string();
}

class ServerProcess {
public:
    // `script` relative to the repository; false from started() when it did not come up.
    ServerProcess(const std::string& script, std::vector<std::string> arguments)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args = {"/usr/bin/python3", std::string(LV_SOURCE_DIR) + "/" + script};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (pid_ > 0)
            port_ = ReadPort(out[0]);
        ::close(out[0]);
    }
    ~ServerProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool started() const { return port_ > 0; }
    int port() const { return port_; }
    pid_t pid() const { return pid_; }

private:
    // The "PORT n" line, waiting at most 20 seconds.
    static int ReadPort(int fd)
    {
        std::string line;
        char c = 0;
        while (line.find('\n') == std::string::npos) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20000) <= 0 || ::read(fd, &c, 1) != 1)
                return 0;
            line += c;
        }
        return line.starts_with("PORT ") ? std::stoi(line.substr(5)) : 0;
    }

    pid_t pid_ = -1;
    int port_ = 0;
};

struct Certificate {
    std::string certificate;
    std::string key;
};

// A certificate for 127.0.0.1 and localhost, valid for a day; empty paths when openssl failed.
inline Certificate MakeSelfSignedCertificate(const std::filesystem::path& folder)
{
    const std::string cert = (folder / "server.pem").string();
    const std::string key = (folder / "server.key").string();
    const lv::testing::CommandResult r = lv::testing::RunCommand(
        "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost -addext "
        "subjectAltName=IP:127.0.0.1,DNS:localhost -keyout " + key + " -out " + cert);
    return r.exitCode == 0 ? Certificate{cert, key} : Certificate{};
}

}  // namespace lv::sharing::testing
