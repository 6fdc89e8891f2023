#pragma once
// The download folder, held open: every name is looked at and opened relative to it and
// never through a symbolic link, so a link planted under a photo's name cannot send the
// photo's bytes anywhere else. A file is only ever created, appended to or renamed to a
// name nothing holds; nothing already in the folder is replaced.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace lv::sharing::store {

// A file descriptor, closed when it goes.
class OwnedFd {
public:
    OwnedFd() = default;
    explicit OwnedFd(int fd)
        : fd_(fd)
    {
    }
    ~OwnedFd();
    OwnedFd(OwnedFd&& other) noexcept
        : fd_(std::exchange(other.fd_, -1))
    {
    }
    OwnedFd& operator=(OwnedFd&& other) noexcept;
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

enum class EntryKind { Missing, Regular, Link, Other };

struct FolderEntry {
    EntryKind kind = EntryKind::Missing;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // seconds since 1970
};

class DownloadFolder {
public:
    // The folder, made when missing; nothing when it cannot be opened as a folder.
    static std::optional<DownloadFolder> Open(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    // What `name` is, without following a link.
    FolderEntry look(const std::string& name) const;
    // `name` opened for writing: appended to (keeping `keep` bytes, cutting the rest) or made
    // new. Refused for a link or anything but a regular file.
    OwnedFd openForWriting(const std::string& name, std::uint64_t keep) const;
    // Renames `from` to `to` only when nothing is named `to`.
    bool renameToFree(const std::string& from, const std::string& to) const;
    void remove(const std::string& name) const;
    // The bytes the user may still write there. Test builds: LUMIVISTA_TEST_FREE_BYTES.
    std::uint64_t freeBytes() const;

private:
    DownloadFolder(std::filesystem::path path, OwnedFd fd)
        : path_(std::move(path))
        , fd_(std::move(fd))
    {
    }
    std::filesystem::path path_;
    OwnedFd fd_;
};

// Gives the file the service's time, so the next download knows it is the same photo.
void StampTime(int fd, std::int64_t modified);

}  // namespace lv::sharing::store
