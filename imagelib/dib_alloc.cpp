#include "imagelib/dib_alloc.h"

#include "common/memory_shortage.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

HDIB allocateWithSpare(std::size_t bytes)
{
    if (bytes > kMaxPictureBytes + 2048)
        return {};
    return HDIB::AllocateZeroed(bytes + kDibSpareBytes);
}

}  // namespace

HDIB DibAlloc(std::size_t bytes, FileFailure* shortage)
{
    HDIB dib = allocateWithSpare(bytes);
    if (!dib && shortage)
        *shortage = MemoryShortage();
    else if (!dib)
        TellMemoryShortage();
    return dib;
}

HDIB DibDuplicate(const HDIB& source, FileFailure* shortage)
{
    if (!source)
        return {};
    // The copy keeps the source's full size, spare bytes included.
    HDIB copy = DibAlloc(source.size() >= kDibSpareBytes ? source.size() - kDibSpareBytes : 0, shortage);
    if (!copy)
        return {};
    if (copy.size() != source.size() && !copy.resize(source.size()))
        return {};
    std::memcpy(copy.data(), source.data(), source.size());
    return copy;
}

HDIB DibCopyBytes(HDIB destination, const HDIB& source, std::size_t offset, std::size_t count)
{
    if (!source || offset > source.size())
        return destination;
    if (count == 0 || count > source.size() - offset)
        count = source.size() - offset;
    if (!destination)
        destination = HDIB::AllocateZeroed(count);
    else if (destination.size() < count && !destination.resize(count))
        return destination;
    if (destination && count)
        std::memcpy(destination.data(), source.data() + offset, count);
    return destination;
}

ImageType DibGetType(const HDIB& dib)
{
    if (!dib)
        return IMG_NONE;
    const BitmapInfoHeader& h = dib.header();
    switch (h.biBitCount) {
    case 1:
        return IMG_MONO;
    case 4:
        return IMG_PAL4;
    case 24:
        return IMG_RGB24;
    case 8: {
        if (h.biClrUsed != 256)
            return IMG_PAL8;
        const RgbQuad* table = dib.colors();
        for (int i = 0; i < 256; ++i)
            if (table[i].rgbRed != i || table[i].rgbGreen != i || table[i].rgbBlue != i)
                return IMG_PAL8;
        return IMG_GREY8;
    }
    default:
        return IMG_NONE;
    }
}

std::uint64_t PictureBytes(std::int64_t width, std::int64_t height, unsigned bitCount)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureDimension || height > kMaxPictureDimension)
        return 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24)
        return 0;
    const std::uint64_t bytes = DibStride(std::uint64_t(width), bitCount) * std::uint64_t(height);
    return bytes <= kMaxPictureBytes ? bytes : 0;
}

HDIB AllocatePicture(std::int64_t width, std::int64_t height, unsigned bitCount, unsigned clrUsed,
                     FileFailure* shortage)
{
    const std::uint64_t rows = PictureBytes(width, height, bitCount);
    if (rows == 0 || clrUsed > 256)
        return {};
    HDIB dib = DibAlloc(std::size_t(kDibHeaderSize + 4 * clrUsed + rows), shortage);
    if (dib)
        WritePictureHeader(dib, std::int32_t(width), std::int32_t(height), bitCount, clrUsed, rows);
    return dib;
}

void WritePictureHeader(HDIB& dib, std::int32_t width, std::int32_t height, unsigned bitCount, unsigned clrUsed,
                        std::uint64_t rowBytes)
{
    BitmapInfoHeader& h = dib.header();
    h.biSize = kDibHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(bitCount);
    h.biSizeImage = std::uint32_t(rowBytes);
    h.biClrUsed = clrUsed;
}

HDIB DibAllocDerived(const HDIB& source, int width, int height, unsigned bitCount, unsigned clrUsed,
                     FileFailure* shortage)
{
    const std::uint64_t rows = DibStride(std::uint32_t(width), bitCount) * std::uint64_t(height);
    HDIB result = DibAlloc(std::size_t(kDibHeaderSize + 4 * std::uint64_t(clrUsed) + rows), shortage);
    if (!result)
        return result;
    BitmapInfoHeader& h = result.header();
    h = source.header();
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = std::uint16_t(bitCount);
    h.biClrUsed = clrUsed;
    h.biSizeImage = std::uint32_t(rows);
    return result;
}

void FillGreyRamp(RgbQuad* table, unsigned colours)
{
    for (unsigned i = 0; i < colours; ++i) {
        const auto v = std::uint8_t(colours > 1 ? i * 255 / (colours - 1) : 0);
        table[i] = {v, v, v, 0};
    }
}

}  // namespace lv
