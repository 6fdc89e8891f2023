#include "acquire/source_manager/scan_reader.h"

#include <algorithm>
#include <cstring>

namespace lv::twain {
namespace {

constexpr std::size_t kMaxWholeBytes = std::size_t(1) << 31;
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

}  // namespace

std::unique_ptr<ScanReader> ScanReader::Start(SaneDevice& device, bool zeroIsWhite, SANE_Status& status)
{
    status = device.start();
    if (status != SANE_STATUS_GOOD)
        return nullptr;
    std::unique_ptr<ScanReader> reader(new ScanReader(device, zeroIsWhite));
    status = sane_get_parameters(device.handle(), &reader->params_);
    const SANE_Frame frame = reader->params_.format;
    const bool threePass = frame == SANE_FRAME_RED || frame == SANE_FRAME_GREEN || frame == SANE_FRAME_BLUE;
    if (status != SANE_STATUS_GOOD || !FormatOfParameters(reader->params_, threePass, reader->format_)) {
        if (status == SANE_STATUS_GOOD)
            status = SANE_STATUS_UNSUPPORTED;
        device.cancel();
        return nullptr;
    }
    if ((threePass || reader->params_.lines < 0) && !reader->readWhole(threePass)) {
        status = SANE_STATUS_IO_ERROR;
        device.cancel();
        return nullptr;
    }
    return reader;
}

ScanReader::~ScanReader()
{
    device_.cancel();
}

std::optional<std::size_t> ScanReader::readBytes(std::uint8_t* out, std::size_t bytes)
{
    std::size_t got = 0;
    while (got < bytes) {
        SANE_Int length = 0;
        const auto ask = SANE_Int(std::min<std::size_t>(bytes - got, 1 << 20));
        const SANE_Status status = sane_read(device_.handle(), out + got, ask, &length);
        if (status == SANE_STATUS_EOF)
            break;
        if (status != SANE_STATUS_GOOD)
            return std::nullopt;
        got += std::size_t(length);
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
