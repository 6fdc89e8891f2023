#include "album/orientation/lossless_jpeg_turn.h"

#include "imagelib/codecs/memory_decode.h"

#include <turbojpeg.h>

#include <memory>
#include <optional>

namespace lv::orientation {
namespace {

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TransformHandle = std::unique_ptr<void, HandleCloser>;

struct BufferFreer {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TurboBuffer = std::unique_ptr<unsigned char, BufferFreer>;

constexpr int kOperations[8] = {TJXOP_NONE,      TJXOP_HFLIP, TJXOP_ROT180, TJXOP_VFLIP,
                                TJXOP_TRANSPOSE, TJXOP_ROT90, TJXOP_TRANSVERSE, TJXOP_ROT270};

struct Header {
    int width = 0, height = 0, subsampling = -1;
};

std::optional<Header> ReadHeader(tjhandle handle, std::span<const std::uint8_t> jpeg)
{
    Header header;
    int colourSpace = 0;
    if (tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &header.width, &header.height,
                            &header.subsampling, &colourSpace) != 0)
        return std::nullopt;
    return header;
}

std::string BlockSize(int subsampling)
{
    if (subsampling < 0 || subsampling >= TJ_NUMSAMP)
        return "8×8";
    return std::to_string(tjMCUWidth[subsampling]) + "×" + std::to_string(tjMCUHeight[subsampling]);
}

}  // namespace

TurnedJpeg TurnJpegBlocks(std::span<const std::uint8_t> jpeg, int transform, EdgeBlocks edges)
{
    TurnedJpeg turned;
    const TransformHandle handle(tjInitTransform());
    if (!handle)
        return {{}, 0, 0, {FileProblem::OutOfMemory}};
    const auto header = ReadHeader(handle.get(), jpeg);
    if (!header)
        return {{}, 0, 0, {FileProblem::Corrupt, tjGetErrorStr2(handle.get())}};
    // The transform holds every block of the photo in memory: the same budget as a decode.
    if (FileFailure refused = CheckDecodedSize(header->width, header->height, jpeg.size()))
        return {{}, 0, 0, refused};

    tjtransform operation{};
    operation.op = kOperations[(transform >= 1 && transform <= 8 ? transform : 1) - 1];
    operation.options = edges == EdgeBlocks::Trim ? TJXOPT_TRIM : TJXOPT_PERFECT;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    const int status = tjTransform(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), 1, &output,
                                   &outputSize, &operation, TJFLAG_STOPONWARNING);
    const TurboBuffer owned(output);
    if (status != 0 || !output || outputSize == 0) {
        const std::string said = tjGetErrorStr2(handle.get());
        if (said.find("not perfect") != std::string::npos)
            return {{}, 0, 0,
                    {FileProblem::Unsupported, "a largura " + std::to_string(header->width) + " ou a altura " +
                                                   std::to_string(header->height) +
                                                   " não é múltiplo do bloco de " + BlockSize(header->subsampling) +
                                                   " pixels; escolha aparar as bordas"}};
        const bool cut = said.find("Premature end") != std::string::npos;
        return {{}, 0, 0, {cut ? FileProblem::Truncated : FileProblem::Corrupt, said}};
    }
    turned.bytes.assign(output, output + outputSize);
    const TransformHandle reader(tjInitTransform());
    const auto result = reader ? ReadHeader(reader.get(), turned.bytes) : std::nullopt;
    if (!result)
        return {{}, 0, 0, {FileProblem::Corrupt}};
    turned.width = result->width;
    turned.height = result->height;
    return turned;
}

}  // namespace lv::orientation
