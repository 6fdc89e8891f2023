#pragma once
// Real ways for a file write to fail, for tests of the safe write path: a small full
// filesystem, the sink's "disk full" hook, and another user's rights.

#include "common/testing/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lv::testing {

// A tmpfs of `bytes` bytes in a fresh folder, when this process may mount one (root with
// the right to mount); mounted() says whether it could.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes)
    {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = ::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    std::string file(const std::string& name) const { return dir_.file(name); }
    const std::filesystem::path& path() const { return dir_.path(); }

private:
    TempDir dir_;
    bool mounted_ = false;
};

// Every file sink made while this lives fails its writes beyond `bytes` with "no space left".
class DiskFullAfter {
public:
    explicit DiskFullAfter(std::size_t bytes) { ::setenv("LUMIVISTA_TEST_DISK_FULL_AFTER", std::to_string(bytes).c_str(), 1); }
    ~DiskFullAfter() { ::unsetenv("LUMIVISTA_TEST_DISK_FULL_AFTER"); }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;
};

// Runs `body` in a child process as the unprivileged user "nobody" (65534) and returns its
// exit status, or -1 when the child could not become that user (not started as root).
inline int RunAsOtherUser(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(255);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace lv::testing
