#include "common/byte_source.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lv {
namespace {

constexpr std::size_t kFileBufferSize = 64 * 1024;

}  // namespace

std::optional<std::uint8_t> ByteSource::readU8()
{
    std::uint8_t b[1];
    return readExact(b, 1) ? std::optional(b[0]) : std::nullopt;
}
std::optional<std::uint16_t> ByteSource::readLE16()
{
    std::uint8_t b[2];
    return readExact(b, 2) ? std::optional(LoadLE16(b)) : std::nullopt;
}
std::optional<std::uint32_t> ByteSource::readLE32()
{
    std::uint8_t b[4];
    return readExact(b, 4) ? std::optional(LoadLE32(b)) : std::nullopt;
}
std::optional<std::uint16_t> ByteSource::readBE16()
{
    std::uint8_t b[2];
    return readExact(b, 2) ? std::optional(LoadBE16(b)) : std::nullopt;
}
std::optional<std::uint32_t> ByteSource::readBE32()
{
    std::uint8_t b[4];
    return readExact(b, 4) ? std::optional(LoadBE32(b)) : std::nullopt;
}

std::size_t MemorySource::read(void* destination, std::size_t count)
{
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n)
        std::memcpy(destination, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

bool MemorySource::seek(std::uint64_t position)
{
    if (position > bytes_.size())
        return false;
    position_ = std::size_t(position);
    return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, FileFailure* failure)
{
    const auto refuse = [failure](FileProblem problem) {
        if (failure)
            *failure = {problem, {}};
        return nullptr;
    };
    // Non-blocking, so that a pipe or device under a picture's name can't hold the open
    // (a FIFO without a writer would wait forever); only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        // ENXIO: a socket, or a device without its driver.
        if (errno == ENXIO || errno == ENODEV)
            return refuse(FileProblem::NotRegularFile);
        return refuse(errno == ENOTDIR ? FileProblem::NotFound : ProblemFromErrno(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return refuse(FileProblem::DiskError);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(S_ISDIR(st.st_mode) ? FileProblem::UnknownFormat : FileProblem::NotRegularFile);
    }
    // Regular files ignore the flag, but reads should never see EAGAIN from it.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<FileSource>(OpenedFile(fd, std::uint64_t(st.st_size)));
}

FileSource::FileSource(OpenedFile file)
    : fd_(file.fd)
    , size_(file.size)
    , buffer_(kFileBufferSize)
{
}

FileSource::~FileSource()
{
    ::close(fd_);
}

std::size_t FileSource::readFromFile(void* destination, std::size_t count)
{
    std::size_t done = 0;
    auto* out = static_cast<std::uint8_t*>(destination);
    while (done < count) {
        const ssize_t got = ::read(fd_, out + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += std::size_t(got);
    }
    filePosition_ += done;
    return done;
}

std::size_t FileSource::read(void* destination, std::size_t count)
{
    auto* out = static_cast<std::uint8_t*>(destination);
    std::size_t done = 0;
    while (done < count) {
        if (bufferStart_ < bufferEnd_) {
            const std::size_t n = std::min(count - done, bufferEnd_ - bufferStart_);
            std::memcpy(out + done, buffer_.data() + bufferStart_, n);
            bufferStart_ += n;
            done += n;
            continue;
        }
        const std::size_t want = count - done;
        if (want >= buffer_.size()) {
            // The buffer no longer lies just before the descriptor: forget it, or a seek
            // back into what this read passed over would find the old bytes.
            bufferStart_ = bufferEnd_ = 0;
            done += readFromFile(out + done, want);
            break;
        }
        bufferStart_ = 0;
        bufferEnd_ = readFromFile(buffer_.data(), buffer_.size());
        if (bufferEnd_ == 0)
            break;
    }
    position_ += done;
    return done;
}

bool FileSource::seek(std::uint64_t position)
{
    if (position > size_)
        return false;
    // Stay inside the buffer when the target is already there.
    const std::uint64_t bufferBase = filePosition_ - bufferEnd_;
    if (position >= bufferBase && position <= filePosition_) {
        bufferStart_ = std::size_t(position - bufferBase);
        position_ = position;
        return true;
    }
    if (::lseek(fd_, off_t(position), SEEK_SET) < 0)
        return false;
    filePosition_ = position;
    position_ = position;
    bufferStart_ = bufferEnd_ = 0;
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path)
{
    auto file = FileSource::Open(path);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(std::size_t(file->size()));
    if (!file->readExact(bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes;
}

}  // namespace lv
