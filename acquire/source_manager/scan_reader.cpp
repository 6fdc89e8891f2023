#include "acquire/source_manager/scan_reader.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace lv::twain {
namespace {

constexpr std::size_t kMaxWholeBytes = std::size_t(1) << 31;
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

std::size_t ThreadCount()
{
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end; it.increment(error))
        ++count;
    return count;
}

// Backends that read on a thread of their own cancel it when the scan ends, even after it
// has delivered everything, and may catch it in the middle of its exit while it holds the
// loader's lock: the process then hangs at its next library load or unload, or at exit.
// Giving the thread a moment to end first (it has nothing left to do) closes that window.
void LetReaderThreadEnd(std::size_t threadsWhileScanning)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(200);
    while (ThreadCount() >= threadsWhileScanning && steady_clock::now() < deadline)
        std::this_thread::sleep_for(microseconds(200));
}

}  // namespace

std::unique_ptr<ScanReader> ScanReader::Start(SaneDevice& device, bool zeroIsWhite, SANE_Status& status)
{
    status = device.start();
    if (status != SANE_STATUS_GOOD)
        return nullptr;
    std::unique_ptr<ScanReader> reader(new ScanReader(device, zeroIsWhite));
    reader->threadsWhileScanning_ = ThreadCount();
    status = sane_get_parameters(device.handle(), &reader->params_);
    const SANE_Frame frame = reader->params_.format;
    const bool threePass = frame == SANE_FRAME_RED || frame == SANE_FRAME_GREEN || frame == SANE_FRAME_BLUE;
    if (status != SANE_STATUS_GOOD || !FormatOfParameters(reader->params_, threePass, reader->format_)) {
        if (status == SANE_STATUS_GOOD)
            status = SANE_STATUS_UNSUPPORTED;
        device.cancel();
        return nullptr;
    }
    if (!threePass && reader->params_.lines >= 0 && reader->params_.bytes_per_line > 0)
        reader->frameBytesLeft_ = std::size_t(reader->params_.lines) * std::size_t(reader->params_.bytes_per_line);
    if ((threePass || reader->params_.lines < 0) && !reader->readWhole(threePass)) {
        status = SANE_STATUS_IO_ERROR;
        device.cancel();
        return nullptr;
    }
    return reader;
}

ScanReader::~ScanReader()
{
    // A scan read to its last row is read on to its end, as the scanner interface expects.
    if (whole_.empty() && !ended_ && rowsLeft() == 0) {
        std::uint8_t rest[4096];
        for (int reads = 0; reads < 64; ++reads) {
            SANE_Int length = 0;
            if (sane_read(device_.handle(), rest, SANE_Int(sizeof rest), &length) != SANE_STATUS_GOOD)
                break;
        }
    }
    device_.cancel();
}

std::optional<std::size_t> ScanReader::readBytes(std::uint8_t* out, std::size_t bytes)
{
    std::size_t got = 0;
    while (got < bytes) {
        SANE_Int length = 0;
        std::size_t ask = std::min<std::size_t>(bytes - got, 1 << 20);
        // The frame's last byte is asked for alone, once the backend's reader has ended.
        if (frameBytesLeft_ && *frameBytesLeft_ > 1)
            ask = std::min(ask, *frameBytesLeft_ - 1);
        else if (frameBytesLeft_ && *frameBytesLeft_ == 1)
            LetReaderThreadEnd(threadsWhileScanning_);
        const SANE_Status status = sane_read(device_.handle(), out + got, SANE_Int(ask), &length);
        if (status == SANE_STATUS_EOF)
            break;
        if (status != SANE_STATUS_GOOD)
            return std::nullopt;
        got += std::size_t(length);
        if (frameBytesLeft_)
            *frameBytesLeft_ -= std::min(*frameBytesLeft_, std::size_t(length));
    }
    return got;
}

void ScanReader::fillWhite(std::uint8_t* row) const
{
    // White is all ones unless zero was asked to be white, for every pixel type.
    std::memset(row, zeroIsWhite_ ? 0x00 : 0xFF, format_.rowBytes);
}

bool ScanReader::read(std::uint8_t* out, int rows, std::size_t stride)
{
    rows = std::clamp(rows, 0, rowsLeft());
    if (!whole_.empty()) {
        for (int r = 0; r < rows; ++r)
            std::memcpy(out + std::size_t(r) * stride, whole_.data() + std::size_t(next_ + r) * format_.rowBytes,
                        format_.rowBytes);
        next_ += rows;
        return true;
    }
    const std::size_t line = std::size_t(params_.bytes_per_line);
    const int chunkRows = std::max(1, int(kChunkBytes / std::max<std::size_t>(line, 1)));
    for (int r = 0; r < rows;) {
        const int chunk = std::min(rows - r, chunkRows);
        raw_.resize(line * std::size_t(chunk));
        std::size_t whole = 0;  // complete rows that arrived
        if (!ended_) {
            const auto got = readBytes(raw_.data(), raw_.size());
            if (!got)
                return false;
            whole = *got / line;
            ended_ = *got < raw_.size();
        }
        for (int i = 0; i < chunk; ++i) {
            std::uint8_t* row = out + std::size_t(r + i) * stride;
            if (std::size_t(i) < whole)
                ConvertRow(params_, raw_.data() + std::size_t(i) * line, row, format_, zeroIsWhite_);
            else
                fillWhite(row);
        }
        r += chunk;
    }
    next_ += rows;
    return true;
}

bool ScanReader::readWhole(bool threePass)
{
    const std::size_t line = std::size_t(params_.bytes_per_line);
    const int width = format_.width;
    std::vector<std::uint8_t> raw(line);
    int height = params_.lines;
    int rowsRead = 0;
    for (;;) {
        int row = 0;
        for (;;) {
            if (height >= 0 && row >= height)
                break;
            const auto got = readBytes(raw.data(), line);
            if (!got)
                return false;
            if (*got < line)
                break;
            if (std::size_t(row + 1) * format_.rowBytes > kMaxWholeBytes)
                return false;
            if (whole_.size() < std::size_t(row + 1) * format_.rowBytes)
                whole_.resize(std::size_t(row + 1) * format_.rowBytes, 0);
            std::uint8_t* out = whole_.data() + std::size_t(row) * format_.rowBytes;
            if (threePass)
                ConvertPlaneRow(params_, raw.data(), out, width, params_.format - SANE_FRAME_RED);
            else
                ConvertRow(params_, raw.data(), out, format_, zeroIsWhite_);
            ++row;
        }
        rowsRead = std::max(rowsRead, row);
        if (!threePass || params_.last_frame)
            break;
        // The next colour: drain what's left of this frame, then start it.
        for (auto got = readBytes(raw.data(), line); got && *got == line; got = readBytes(raw.data(), line)) {
        }
        if (device_.start() != SANE_STATUS_GOOD || sane_get_parameters(device_.handle(), &params_) != SANE_STATUS_GOOD)
            return false;
        if (params_.pixels_per_line != width || std::size_t(params_.bytes_per_line) != line)
            return false;
    }
    format_.height = rowsRead;
    if (threePass && zeroIsWhite_)
        for (std::uint8_t& b : whole_)
            b = std::uint8_t(255 - b);
    if (whole_.empty() && rowsRead == 0)
        return false;
    return true;
}

}  // namespace lv::twain
