#include "imagelib/codecs/memory_decode.h"

#include "imagelib/codecs/chunked_read.h"
#include "imagelib/dib_convert.h"

#include <cstring>

namespace lv {

namespace {

template<typename Bytes>
FileFailure readRest(ByteSource& source, Bytes& bytes)
{
    const std::uint64_t rest = source.remaining();
    if (rest > kPictureBudgetBytes)
        return {FileProblem::TooLarge, {}};
    switch (ReadInChunks(source, std::size_t(rest), bytes)) {
    case ChunkedRead::Complete: return {};
    case ChunkedRead::Short: return {FileProblem::Truncated, {}};
    case ChunkedRead::Cancelled: return {FileProblem::Cancelled, {}};
    }
    return {FileProblem::Truncated, {}};
}

}  // namespace

FileFailure ReadRestIntoMemory(ByteSource& source, std::vector<std::uint8_t>& bytes)
{
    return readRest(source, bytes);
}

FileFailure ReadRestIntoMemory(ByteSource& source, FileBytes& bytes)
{
    return readRest(source, bytes);
}

FileFailure CheckDecodedSize(std::int64_t width, std::int64_t height, std::uint64_t fileBytes)
{
    if (width <= 0 || height <= 0)
        return {FileProblem::Corrupt, {}};
    if (width > kMaxPictureDimension || height > kMaxPictureDimension)
        return {FileProblem::TooLarge, {}};
    return CheckPictureBudget(std::uint64_t(DibStride(std::uint64_t(width), 24)) * std::uint64_t(height), fileBytes);
}

FilePicture AllocateDecodedPicture(std::int64_t width, std::int64_t height, std::uint64_t fileBytes)
{
    if (FileFailure refused = CheckDecodedSize(width, height, fileBytes))
        return {{}, std::move(refused)};
    return AllocateFilePicture(width, height, 24, 0, fileBytes);
}

void StoreTopDownRgb(HDIB& picture, const std::uint8_t* pixels, std::size_t rowBytes, int channels)
{
    const int width = picture.width(), height = picture.height();
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* in = pixels + std::size_t(top) * rowBytes;
        std::uint8_t* out = picture.row(height - 1 - top);
        for (int x = 0; x < width; ++x, in += channels, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

std::vector<std::uint8_t> TopDownRgb(const HDIB& original)
{
    const HDIB promoted = original.bitCount() == 24 ? HDIB() : DibPromoteTo24(original);
    const HDIB& picture = original.bitCount() == 24 ? original : promoted;
    if (!picture)
        return {};
    const int width = picture.width(), height = picture.height();
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3 * std::size_t(height));
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* in = picture.row(height - 1 - top);
        std::uint8_t* out = rgb.data() + std::size_t(top) * std::size_t(width) * 3;
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return rgb;
}

}  // namespace lv
