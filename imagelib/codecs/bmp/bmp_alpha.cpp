#include "imagelib/codecs/bmp/bmp_alpha.h"

#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/alpha_rows.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lv {
namespace {

constexpr std::uint16_t kSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kSrgb = 0x73524742;  // "sRGB", as the header's colour-space type
constexpr std::uint32_t kImagesIntent = 4;
constexpr std::uint32_t kDataOffset = kBmpFileHeaderSize + kBmpAlphaHeaderSize;

std::array<std::uint8_t, kDataOffset> headers(const HDIB& image)
{
    const auto width = std::uint32_t(image.width()), height = std::uint32_t(image.height());
    const std::uint32_t dataBytes = width * height * 4;
    std::array<std::uint8_t, kDataOffset> out{};
    StoreLE16(&out[0], kSignature);
    StoreLE32(&out[2], kDataOffset + dataBytes);
    StoreLE32(&out[10], kDataOffset);
    std::uint8_t* info = &out[kBmpFileHeaderSize];
    StoreLE32(info, kBmpAlphaHeaderSize);
    StoreLE32(info + 4, width);
    StoreLE32(info + 8, height);
    StoreLE16(info + 12, 1);
    StoreLE16(info + 14, 32);
    StoreLE32(info + 16, kBitFields);
    StoreLE32(info + 20, dataBytes);
    StoreLE32(info + 24, std::uint32_t(image.header().biXPelsPerMeter));
    StoreLE32(info + 28, std::uint32_t(image.header().biYPelsPerMeter));
    StoreLE32(info + 40, 0x00FF0000u);
    StoreLE32(info + 44, 0x0000FF00u);
    StoreLE32(info + 48, 0x000000FFu);
    StoreLE32(info + 52, kBmpAlphaMask);
    StoreLE32(info + 56, kSrgb);
    StoreLE32(info + 108, kImagesIntent);
    return out;
}

}  // namespace

WriteResult WriteBmpWithAlpha(ByteSink& sink, const HDIB& image, const HDIB& alpha)
{
    if (!AlphaFitsPicture(image, alpha))
        return WriteResult::NotWritten;
    const auto head = headers(image);
    if (!sink.write(head.data(), head.size()))
        return WriteResult::Failed;
    return WriteBgraRows(sink, image, alpha);
}

WriteResult WriteBmpWithAlpha(const std::string& path, const HDIB& image, const HDIB& alpha)
{
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteBmpWithAlpha(sink, image, alpha); },
                          {WriteResult::CannotCreate, WriteResult::Failed});
}

}  // namespace lv
