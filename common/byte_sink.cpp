#include "common/byte_sink.h"

#include "common/little_endian.h"
#include "common/save_temporaries.h"
#include "common/write_durability.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace lv {
namespace {
constexpr std::size_t kFileBufferSize = 64 * 1024;
}

bool ByteSink::writeLE16(std::uint16_t v)
{
    std::uint8_t b[2];
    StoreLE16(b, v);
    return write(b, 2);
}
bool ByteSink::writeLE32(std::uint32_t v)
{
    std::uint8_t b[4];
    StoreLE32(b, v);
    return write(b, 4);
}
bool ByteSink::writeBE16(std::uint16_t v)
{
    std::uint8_t b[2];
    StoreBE16(b, v);
    return write(b, 2);
}
bool ByteSink::writeBE32(std::uint32_t v)
{
    std::uint8_t b[4];
    StoreBE32(b, v);
    return write(b, 4);
}
bool ByteSink::writeZeros(std::size_t count)
{
    static constexpr std::uint8_t zeros[256] = {};
    while (count) {
        const std::size_t n = std::min(count, sizeof zeros);
        if (!write(zeros, n))
            return false;
        count -= n;
    }
    return true;
}

bool MemorySink::write(const void* bytes, std::size_t count)
{
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    if (count)
        std::memcpy(bytes_.data() + position_, bytes, count);
    position_ += count;
    return true;
}

bool MemorySink::seek(std::uint64_t position)
{
    if (position > bytes_.size())
        bytes_.resize(std::size_t(position));
    position_ = std::size_t(position);
    return true;
}

namespace {

constexpr int kMaxLinksFollowed = 40;
constexpr mode_t kDefaultUmask = 022;

namespace fs = std::filesystem;

// The file a chain of symbolic links ends at (which need not exist yet).
fs::path followLinks(fs::path path)
{
    for (int i = 0; i < kMaxLinksFollowed; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            break;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// The process's umask, read without changing it (changing it would race other threads).
mode_t currentUmask()
{
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (!status)
        return kDefaultUmask;
    char line[256];
    unsigned value = kDefaultUmask;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Umask: %o", &value) == 1)
            break;
    std::fclose(status);
    return mode_t(value);
}

#ifdef LV_TEST_DRIVER
std::uint64_t testFailureAfter()
{
    const char* text = std::getenv("LUMIVISTA_TEST_DISK_FULL_AFTER");
    return text && *text ? std::strtoull(text, nullptr, 10) : UINT64_MAX;
}
#else
constexpr std::uint64_t testFailureAfter()
{
    return UINT64_MAX;
}
#endif

FileFailure failureOf(int error)
{
    return {ProblemFromErrno(error), {}};
}

// Makes the replacement look like the old file: its permission bits and owner.
void copyOwnership(int fd, const struct stat* old)
{
    if (!old) {
        ::fchmod(fd, 0666 & ~currentUmask());
        return;
    }
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
        if (::fchown(fd, old->st_uid, old->st_gid) != 0 && ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
            // Not allowed to give the file away: it stays ours, with the old permissions.
        }
    }
    ::fchmod(fd, old->st_mode & 07777);
}

// Makes the rename itself durable.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::unique_ptr<FileSink> FileSink::Create(const std::string& path, FileFailure* failure)
{
    const auto refuse = [failure](FileFailure why) {
        if (failure)
            *failure = std::move(why);
        return nullptr;
    };
    const fs::path target = followLinks(path);
    const fs::path folder = target.parent_path();
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return refuse(failureOf(EISDIR));
        if (!S_ISREG(old.st_mode)) {
            // A device or a pipe holds no old file to protect, and must not be renamed over.
            // Opened without waiting: a pipe nobody reads would hold the save for ever.
            const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
            if (fd < 0)
                return refuse(errno == ENXIO || errno == ENODEV ? FileFailure{FileProblem::NotRegularFile, {}}
                                                                : failureOf(errno));
            // Someone reads it: the writes may wait for them as any pipe's do.
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return std::make_unique<FileSink>(CreatedFile{fd, {}, target.string(), testFailureAfter()});
        }
        if ((old.st_mode & 0222) == 0)
            return refuse({FileProblem::ReadOnlyFile, {}});
        if (::access(target.c_str(), W_OK) != 0)
            return refuse(failureOf(errno));
    }
    // Saving into the folder is the moment to clear what killed saves left in it.
    RemoveStaleSaveTemporaries(folder.string());
    std::string temporary = SaveTemporaryTemplate(target.string());
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        std::error_code ec;
        if (error == ENOENT || (!folder.empty() && !fs::is_directory(folder, ec)))
            return refuse({FileProblem::FolderMissing, {}});
        return refuse(failureOf(error));
    }
    copyOwnership(fd, exists ? &old : nullptr);
    return std::make_unique<FileSink>(CreatedFile{fd, std::move(temporary), target.string(), testFailureAfter()});
}

FileSink::FileSink(CreatedFile file)
    : fd_(file.fd)
    , temporary_(std::move(file.temporary))
    , target_(std::move(file.target))
    , failAfter_(file.failAfter)
{
    buffer_.reserve(kFileBufferSize);
}

FileSink::~FileSink()
{
    if (!committed_)
        discard();
}

bool FileSink::fail(int error)
{
    if (!failure_)
        failure_ = failureOf(error ? error : EIO);
    return false;
}

bool FileSink::writeToFile(const std::uint8_t* bytes, std::size_t count)
{
    while (count) {
        std::size_t allowed = count;
        if (failAfter_ != UINT64_MAX) {
            if (fileBytes_ >= failAfter_)
                return fail(ENOSPC);
            allowed = std::size_t(std::min<std::uint64_t>(count, failAfter_ - fileBytes_));
        }
        const ssize_t n = ::write(fd_, bytes, allowed);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC);
        bytes += n;
        count -= std::size_t(n);
        fileBytes_ += std::uint64_t(n);
    }
    return true;
}

bool FileSink::flush()
{
    if (!failure_ && fd_ >= 0 && !buffer_.empty())
        writeToFile(buffer_.data(), buffer_.size());
    buffer_.clear();
    return !failure_;
}

bool FileSink::write(const void* bytes, std::size_t count)
{
    if (failure_ || fd_ < 0)
        return false;
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    if (buffer_.size() + count <= kFileBufferSize) {
        buffer_.insert(buffer_.end(), p, p + count);
    } else {
        if (!flush())
            return false;
        if (count >= kFileBufferSize)
            writeToFile(p, count);
        else
            buffer_.insert(buffer_.end(), p, p + count);
    }
    if (!failure_)
        position_ += count;
    return !failure_;
}

bool FileSink::seek(std::uint64_t position)
{
    if (!flush())
        return false;
    if (::lseek(fd_, off_t(position), SEEK_SET) < 0)
        return fail(errno);
    position_ = position;
    return true;
}

bool FileSink::close()
{
    if (committed_)
        return true;
    const bool direct = temporary_.empty();
    const bool sync = !direct && WritesAreSynced();
    if (fd_ < 0 || !flush() || (sync && ::fsync(fd_) != 0 && !fail(errno))) {
        discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || (!direct && ::rename(temporary_.c_str(), target_.c_str()) != 0)) {
        fail(errno);
        discard();
        return false;
    }
    committed_ = true;
    if (sync)
        syncFolder(fs::path(target_).parent_path());
    return true;
}

void FileSink::discard()
{
    if (committed_)
        return;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, FileFailure* failure)
{
    auto sink = FileSink::Create(path, failure);
    if (!sink)
        return false;
    if (sink->write(bytes.data(), bytes.size()) && sink->close())
        return true;
    if (failure)
        *failure = sink->failure();
    return false;
}

}  // namespace lv
