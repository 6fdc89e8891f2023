#pragma once
// An open lock file whose flock this process holds; released and closed with the object.
// flock, not fcntl: its locks belong to the open file, so two threads of one process exclude
// each other as two processes do, and closing another descriptor of the same file elsewhere
// in the process does not drop it.

#include <filesystem>
#include <optional>

namespace lv {

class LockedFile {
public:
    // The lock on an existing regular file, or nothing when another open file holds it (a
    // running copy, or another object of this process) or the file can't be opened.
    static std::optional<LockedFile> TryLock(const std::filesystem::path& file);
    // The lock on `file`, created when missing, once no other holder has it; nothing (with
    // errno) when the file can't be opened or created.
    static std::optional<LockedFile> WaitForLock(const std::filesystem::path& file);

    LockedFile(LockedFile&& other) noexcept;
    LockedFile& operator=(LockedFile&& other) noexcept;
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    ~LockedFile();

private:
    explicit LockedFile(int fd)
        : fd_(fd)
    {
    }
    int fd_ = -1;
};

}  // namespace lv
