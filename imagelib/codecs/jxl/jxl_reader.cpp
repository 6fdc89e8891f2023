#include "imagelib/codecs/jxl/jxl.h"

#include "imagelib/codecs/jxl/jxl_runner.h"
#include "imagelib/codecs/memory_decode.h"

#include <algorithm>

namespace lv {
namespace {

constexpr JxlPixelFormat kRgb8 = {3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};

// Rows arrive in pieces, from several threads, top-down.
void storePixels(void* opaque, std::size_t x, std::size_t y, std::size_t count, const void* pixels)
{
    HDIB& picture = *static_cast<HDIB*>(opaque);
    if (y >= std::size_t(picture.height()) || x + count > std::size_t(picture.width()))
        return;
    const auto* in = static_cast<const std::uint8_t*>(pixels);
    std::uint8_t* out = picture.row(int(std::size_t(picture.height()) - 1 - y)) + x * 3;
    for (std::size_t i = 0; i < count; ++i, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

// The profile matters only when the colours are not described by the plain encoding.
std::vector<std::uint8_t> embeddedProfile(const JxlLibrary& jxl, JxlDecoder* decoder)
{
    JxlColorEncoding encoding;
    if (jxl.JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) == JXL_DEC_SUCCESS
        && encoding.color_space == JXL_COLOR_SPACE_RGB && encoding.white_point == JXL_WHITE_POINT_D65
        && encoding.primaries == JXL_PRIMARIES_SRGB && encoding.transfer_function == JXL_TRANSFER_FUNCTION_SRGB)
        return {};
    std::size_t size = 0;
    if (jxl.JxlDecoderGetICCProfileSize(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) != JXL_DEC_SUCCESS || size == 0)
        return {};
    std::vector<std::uint8_t> icc(size);
    if (jxl.JxlDecoderGetColorAsICCProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, icc.data(), size) != JXL_DEC_SUCCESS)
        return {};
    return icc;
}

}  // namespace

// A bare codestream's two bytes or the container's first box; checked here, not by libjxl,
// so that telling formats apart never loads the library.
bool IsJxlHead(std::span<const std::uint8_t> head)
{
    static constexpr std::uint8_t kCodestream[] = {0xFF, 0x0A};
    static constexpr std::uint8_t kContainer[] = {0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    const auto startsWith = [head](std::span<const std::uint8_t> mark) {
        return head.size() >= mark.size() && std::equal(mark.begin(), mark.end(), head.begin());
    };
    return startsWith(kCodestream) || startsWith(kContainer);
}

ReadResult ReadJxl(ByteSource& source)
{
    std::uint8_t head[12] = {};
    const std::size_t got = source.read(head, sizeof head);
    if (!IsJxlHead({head, got}) || !source.seek(0))
        return ReadCode::NotThisFormat;
    std::vector<std::uint8_t> bytes;
    if (FileFailure failure = ReadRestIntoMemory(source, bytes))
        return UnreadInput(failure);

    const JxlLibrary* library = LoadedJxlLibrary();
    if (!library)
        return DecodeFailure(FileProblem::Unsupported, "JPEG XL");
    const JxlLibrary& jxl = *library;
    const std::unique_ptr<JxlDecoder, JxlDecoderFree> decoder(jxl.JxlDecoderCreate(nullptr), {&jxl});
    const JxlRunner runner = MakeJxlRunner(jxl);
    if (!decoder || !runner)
        return {ReadCode::Failure, {FileProblem::OutOfMemory}};
    jxl.JxlDecoderSetParallelRunner(decoder.get(), jxl.JxlThreadParallelRunner, runner.get());
    jxl.JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    jxl.JxlDecoderSetInput(decoder.get(), bytes.data(), bytes.size());
    jxl.JxlDecoderCloseInput(decoder.get());

    HDIB picture;
    std::vector<std::uint8_t> icc;
    for (;;) {
        switch (jxl.JxlDecoderProcessInput(decoder.get())) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (jxl.JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS)
                return DecodeFailure(FileProblem::Corrupt, "JPEG XL");
            FilePicture allocated = AllocateDecodedPicture(info.xsize, info.ysize, bytes.size());
            if (!allocated.picture)
                return RefusedPicture(allocated.failure);
            picture = std::move(allocated.picture);
            break;
        }
        case JXL_DEC_COLOR_ENCODING:
            icc = embeddedProfile(jxl, decoder.get());
            break;
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            if (!picture
                || jxl.JxlDecoderSetImageOutCallback(decoder.get(), &kRgb8, storePixels, &picture) != JXL_DEC_SUCCESS)
                return DecodeFailure(FileProblem::Corrupt, "JPEG XL");
            break;
        case JXL_DEC_FULL_IMAGE:
        case JXL_DEC_SUCCESS: {
            if (!picture)
                return DecodeFailure(FileProblem::Corrupt, "JPEG XL");
            ReadResult result(std::move(picture));
            result.facts().alreadyUpright = true;
            result.facts().iccProfile = std::move(icc);
            return result;
        }
        case JXL_DEC_NEED_MORE_INPUT:
            return DecodeFailure(FileProblem::Truncated, "JPEG XL");
        case JXL_DEC_ERROR:
            return DecodeFailure(FileProblem::Corrupt, "JPEG XL");
        default:
            break;
        }
    }
}

ReadResult ReadJxl(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadJxl(source); });
}

}  // namespace lv
