#include "edit/psd/psd_channels.h"

#include "common/little_endian.h"
#include "imagelib/codecs/picture_budget.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

constexpr std::uint64_t kDeflateBestRatio = 1032;

std::uint64_t rowBytes(const PsdPlaneShape& shape)
{
    return std::uint64_t(shape.width) * (shape.depth / 8);
}

std::uint64_t rowCount(const PsdPlaneShape& shape)
{
    return std::uint64_t(shape.height) * shape.planes;
}

// Brings a row to 8 bits per sample in place; 16-bit samples are rounded.
const std::uint8_t* narrowed(const std::uint8_t* row, const PsdPlaneShape& shape, std::vector<std::uint8_t>& narrow)
{
    if (shape.depth == 8)
        return row;
    for (std::uint32_t x = 0; x < shape.width; ++x)
        narrow[x] = std::uint8_t((std::uint32_t(LoadBE16(row + 2 * x)) * 255 + 32895) >> 16);
    return narrow.data();
}

bool decodeRaw(std::span<const std::uint8_t> data, const PsdPlaneShape& shape, std::uint32_t planesWanted,
               const PsdRowSink& sink)
{
    const std::uint64_t bytes = rowBytes(shape);
    std::vector<std::uint8_t> narrow(shape.width);
    for (std::uint32_t p = 0; p < planesWanted; ++p)
        for (std::uint32_t y = 0; y < shape.height; ++y) {
            const std::uint64_t at = (std::uint64_t(p) * shape.height + y) * bytes;
            sink(p, y, narrowed(data.data() + at, shape, narrow));
        }
    return true;
}

bool decodePackBits(std::span<const std::uint8_t> data, const PsdPlaneShape& shape, std::uint32_t planesWanted,
                    const PsdRowSink& sink)
{
    const std::uint64_t rows = rowCount(shape);
    std::uint64_t at = rows * 2;
    std::vector<std::uint8_t> row(rowBytes(shape));
    std::vector<std::uint8_t> narrow(shape.width);
    for (std::uint32_t p = 0; p < planesWanted; ++p)
        for (std::uint32_t y = 0; y < shape.height; ++y) {
            const std::uint64_t index = std::uint64_t(p) * shape.height + y;
            const std::uint32_t length = LoadBE16(data.data() + 2 * index);
            if (length > data.size() - at)
                return false;
            const std::size_t got = UnpackBits(data.subspan(at, length), row);
            std::fill(row.begin() + std::ptrdiff_t(got), row.end(), std::uint8_t(0));
            at += length;
            sink(p, y, narrowed(row.data(), shape, narrow));
        }
    return true;
}

bool inflateAll(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.next_out = out.data();
    std::size_t inLeft = data.size(), outLeft = out.size();
    int status = Z_OK;
    // zlib counts in 32 bits: feed it in slices.
    while (status == Z_OK && outLeft > 0) {
        const uInt inSlice = uInt(std::min<std::size_t>(inLeft, 1u << 30));
        const uInt outSlice = uInt(std::min<std::size_t>(outLeft, 1u << 30));
        stream.avail_in = inSlice;
        stream.avail_out = outSlice;
        status = inflate(&stream, Z_NO_FLUSH);
        inLeft -= inSlice - stream.avail_in;
        outLeft -= outSlice - stream.avail_out;
        if (status == Z_BUF_ERROR && inLeft == 0)
            break;
    }
    inflateEnd(&stream);
    return status == Z_OK || status == Z_STREAM_END || status == Z_BUF_ERROR;
}

// Undoes the per-row differences: each sample was stored as its difference from the one before.
void addPredicted(std::uint8_t* row, const PsdPlaneShape& shape)
{
    if (shape.depth == 8) {
        for (std::uint32_t x = 1; x < shape.width; ++x)
            row[x] = std::uint8_t(row[x] + row[x - 1]);
        return;
    }
    for (std::uint32_t x = 1; x < shape.width; ++x)
        StoreBE16(row + 2 * x, std::uint16_t(LoadBE16(row + 2 * x) + LoadBE16(row + 2 * (x - 1))));
}

bool decodeZip(std::span<const std::uint8_t> data, bool predicted, const PsdPlaneShape& shape,
               std::uint32_t planesWanted, const PsdRowSink& sink)
{
    const std::uint64_t bytes = rowBytes(shape);
    if (CheckPictureBudget(rowCount(shape) * bytes, data.size()))
        return false;
    std::vector<std::uint8_t> planes(std::size_t(rowCount(shape) * bytes));
    if (!inflateAll(data, planes))
        return false;
    std::vector<std::uint8_t> narrow(shape.width);
    for (std::uint32_t p = 0; p < planesWanted; ++p)
        for (std::uint32_t y = 0; y < shape.height; ++y) {
            std::uint8_t* row = planes.data() + (std::uint64_t(p) * shape.height + y) * bytes;
            if (predicted)
                addPredicted(row, shape);
            sink(p, y, narrowed(row, shape, narrow));
        }
    return true;
}

}  // namespace

std::uint64_t PsdMinimumEncodedBytes(std::uint16_t compression, const PsdPlaneShape& shape)
{
    const std::uint64_t rows = rowCount(shape);
    const std::uint64_t bytes = rowBytes(shape);
    switch (compression) {
    case kPsdRaw:
        return rows * bytes;
    case kPsdPackBits:
        // A row length each, and two bytes for every run of up to 128 bytes.
        return rows * 2 + rows * ((bytes + 127) / 128) * 2;
    case kPsdZip:
    case kPsdZipPredicted:
        return rows * bytes / kDeflateBestRatio;
    default:
        return 0;
    }
}

std::uint64_t PsdDecodedBytes(std::uint16_t compression, const PsdPlaneShape& shape)
{
    return compression == kPsdZip || compression == kPsdZipPredicted ? rowCount(shape) * rowBytes(shape) : 0;
}

std::size_t UnpackBits(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
{
    std::size_t i = 0, o = 0;
    while (i < in.size() && o < out.size()) {
        const int header = std::int8_t(in[i++]);
        if (header >= 0) {
            const std::size_t count = std::min({std::size_t(header) + 1, in.size() - i, out.size() - o});
            std::memcpy(out.data() + o, in.data() + i, count);
            i += std::size_t(header) + 1;
            o += count;
        } else if (header != -128 && i < in.size()) {
            const std::size_t count = std::min(std::size_t(1 - header), out.size() - o);
            std::memset(out.data() + o, in[i++], count);
            o += count;
        }
    }
    return o;
}

bool DecodePsdPlanes(std::span<const std::uint8_t> data, std::uint16_t compression, const PsdPlaneShape& shape,
                     std::uint32_t planesWanted, const PsdRowSink& sink)
{
    if ((shape.depth != 8 && shape.depth != 16) || planesWanted > shape.planes)
        return false;
    if (compression > kPsdZipPredicted || data.size() < PsdMinimumEncodedBytes(compression, shape))
        return false;
    switch (compression) {
    case kPsdRaw:
        return decodeRaw(data, shape, planesWanted, sink);
    case kPsdPackBits:
        return decodePackBits(data, shape, planesWanted, sink);
    default:
        return decodeZip(data, compression == kPsdZipPredicted, shape, planesWanted, sink);
    }
}

}  // namespace lv
