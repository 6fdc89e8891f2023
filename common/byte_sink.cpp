#include "common/byte_sink.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

std::unique_ptr<FileSink> FileSink::Create(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    return std::make_unique<FileSink>(CreatedFile(fd));
}

FileSink::FileSink(CreatedFile file)
    : fd_(file.fd)
{
    buffer_.reserve(kFileBufferSize);
}

FileSink::~FileSink()
{
    close();
}

bool FileSink::writeToFile(const std::uint8_t* bytes, std::size_t count)
{
    while (count) {
        const ssize_t n = ::write(fd_, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        count -= std::size_t(n);
    }
    return true;
}

bool FileSink::flush()
{
    if (!failed_ && !buffer_.empty() && !writeToFile(buffer_.data(), buffer_.size()))
        failed_ = true;
    buffer_.clear();
    return !failed_;
}

bool FileSink::write(const void* bytes, std::size_t count)
{
    if (failed_ || fd_ < 0)
        return false;
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    if (buffer_.size() + count <= kFileBufferSize) {
        buffer_.insert(buffer_.end(), p, p + count);
    } else {
        if (!flush())
            return false;
        if (count >= kFileBufferSize) {
            if (!writeToFile(p, count))
                failed_ = true;
        } else {
            buffer_.insert(buffer_.end(), p, p + count);
        }
    }
    if (!failed_)
        position_ += count;
    return !failed_;
}

bool FileSink::seek(std::uint64_t position)
{
    if (!flush())
        return false;
    if (::lseek(fd_, off_t(position), SEEK_SET) < 0) {
        failed_ = true;
        return false;
    }
    position_ = position;
    return true;
}

bool FileSink::close()
{
    if (fd_ < 0)
        return !failed_;
    flush();
    if (::close(fd_) != 0)
        failed_ = true;
    fd_ = -1;
    return !failed_;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    auto sink = FileSink::Create(path);
    return sink && sink->write(bytes.data(), bytes.size()) && sink->close();
}

}  // namespace lv
