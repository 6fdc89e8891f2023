#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/picture_budget.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/gif/gif_blocks.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/chunked_read.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace lv {
namespace {

constexpr int kRowsPerCheckpoint = 16;
constexpr std::uint8_t kLocalTableFlag = 0x80;
constexpr std::uint8_t kInterlacedFlag = 0x40;

enum class TwoColourTable { BlackAndWhite, FromFile };

unsigned depthOfExponent(int exponent)
{
    return exponent == 1 ? 1 : exponent <= 4 ? 4 : 8;
}

// Rows in the order the file stores them, counted from the top: interlaced images store
// every 8th row from 0, every 8th from 4, every 4th from 2, then the odd rows.
std::vector<int> rowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    order.reserve(std::size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    constexpr int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [start, step] : passes)
        for (int y = start; y < height; y += step)
            order.push_back(y);
    return order;
}

// Packs decoded pixels into the picture's rows in the file's row order, at the picture's depth.
class PixelPacker final : public LzwOutput {
public:
    PixelPacker(HDIB& picture, bool interlaced)
        : picture_(picture)
        , width_(std::size_t(picture.width()))
        , depth_(picture.bitCount())
        , order_(rowOrder(picture.height(), interlaced))
    {
    }

    bool write(const std::uint8_t* pixels, std::size_t count) override
    {
        while (count > 0) {
            std::uint8_t* row = picture_.row(picture_.height() - 1 - order_[std::size_t(y_)]);
            const std::size_t take = std::min(count, width_ - x_);
            if (depth_ == 8)
                std::memcpy(row + x_, pixels, take);
            else
                for (std::size_t i = 0; i < take; ++i)
                    AddPackedPixel(row, int(x_ + i), depth_, pixels[i] & ((1u << depth_) - 1));
            x_ += take;
            pixels += take;
            count -= take;
            if (x_ < width_)
                continue;
            x_ = 0;
            if (++y_ == picture_.height())
                return false;
            if (y_ % kRowsPerCheckpoint == 0) {
                if (AbortRequested()) {
                    cancelled_ = true;
                    return false;
                }
                ReportProgress(kProgressReading, int(std::int64_t(y_) * 100 / picture_.height()));
            }
        }
        return true;
    }

    bool cancelled() const { return cancelled_; }

private:
    HDIB& picture_;
    std::size_t width_;
    int depth_;
    std::vector<int> order_;
    std::size_t x_ = 0;
    int y_ = 0;
    bool cancelled_ = false;
};

// Builds and decodes the image whose descriptor starts at `descriptor`.
ReadResult decodeImage(std::span<const std::uint8_t> file, const GifScreen& screen, std::size_t descriptor,
                       TwoColourTable twoColours)
{
    if (descriptor > file.size() || file.size() - descriptor < kGifDescriptorSize)
        return ReadCode::Failure;
    const std::uint8_t* d = &file[descriptor];
    const std::uint16_t width = LoadLE16(d + 5), height = LoadLE16(d + 7);
    const std::uint8_t flags = d[9];
    int exponent = screen.exponent;
    std::optional<std::size_t> table;
    if (screen.globalTable)
        table = kGifScreenEnd;
    std::size_t data = descriptor + kGifDescriptorSize;
    if (flags & kLocalTableFlag) {
        exponent = (flags & 7) + 1;
        table = data;
        data += 3u << exponent;
    }
    const unsigned depth = depthOfExponent(exponent);
    const unsigned colours = 1u << exponent;
    if (PictureBytes(width, height, depth) == 0 || data >= file.size())
        return ReadCode::Failure;
    // Refuse a picture the rest of the file couldn't fill even at LZW's best ratio.
    if (std::uint64_t(width) * height > std::uint64_t(file.size() - data) * kLzwMaxExpansion)
        return {ReadCode::Failure, {FileProblem::Truncated, {}}};
    if (FileFailure refused = CheckPictureBudget(PictureBytes(width, height, depth), file.size() - data))
        return {ReadCode::Failure, refused};
    const bool tableNeeded = depth > 1 || twoColours == TwoColourTable::FromFile;
    if (tableNeeded && (!table || *table + 3 * colours > file.size()))
        return ReadCode::Failure;
    const int rootBits = file[data];
    if (rootBits < 1 || rootBits > 8)
        return ReadCode::Failure;

    FileFailure shortage;
    HDIB picture = AllocatePicture(width, height, depth, colours, &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    RgbQuad* palette = picture.colors();
    if (!tableNeeded) {
        palette[0] = {0, 0, 0, 0};
        palette[1] = {255, 255, 255, 0};
    } else {
        for (unsigned i = 0; i < colours; ++i) {
            const std::uint8_t* rgb = &file[*table + 3 * i];
            palette[i] = {rgb[2], rgb[1], rgb[0], 0};
        }
    }

    const std::vector<std::uint8_t> codes = GatherGifSubBlocks(file, data + 1);
    PixelPacker pixels(picture, flags & kInterlacedFlag);
    const auto decoder = std::make_unique<LzwDecoder>(LzwFlavour::Gif, rootBits);
    if (decoder->decode(codes, pixels) == LzwStop::BadCode || pixels.cancelled())
        return ReadCode::Failure;
    return picture;
}

}  // namespace

ReadResult ReadGif(ByteSource& source)
{
    if (!source.seek(0))
        return ReadCode::Failure;
    std::vector<std::uint8_t> file;
    if (ReadInChunks(source, std::size_t(source.size()), file) != ChunkedRead::Complete)
        return ReadCode::Failure;
    const std::optional<GifScreen> screen = ReadGifScreen(file);
    if (!screen)
        return ReadCode::Failure;
    const std::optional<std::size_t> descriptor = ScanForGifDescriptor(file, screen->afterGlobalTable);
    if (!descriptor)
        return ReadCode::Failure;
    return decodeImage(file, *screen, *descriptor, TwoColourTable::BlackAndWhite);
}

ReadResult ReadGif(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Failure, notice};
    return ReadGif(*source);
}

HDIB ReadGifStream(std::span<const std::uint8_t> file)
{
    const std::optional<GifScreen> screen = ReadGifScreen(file);
    if (!screen)
        return {};
    const std::optional<GifBlockWalk> walk = WalkGifBlocks(file, screen->afterGlobalTable);
    if (!walk)
        return {};
    return decodeImage(file, *screen, walk->descriptor, TwoColourTable::FromFile).take();
}

HDIB ReadGifStream(const std::string& path)
{
    const auto file = ReadWholeFile(path);
    if (!file)
        return {};
    return ReadGifStream(std::span<const std::uint8_t>(*file));
}

namespace {

void unpackRow(const std::uint8_t* row, int width, int bits, std::uint8_t* pixels)
{
    for (int x = 0; x < width; ++x)
        pixels[x] = std::uint8_t(PackedPixel(row, x, bits));
}

WriteResult encodePixels(ByteSink& sink, const HDIB& image, int rootBits, bool interlaced)
{
    const int width = image.width(), height = image.height(), bits = image.bitCount();
    GifSubBlockSink blocks(sink);
    LzwEncoder encoder(LzwFlavour::Gif, rootBits, blocks);
    encoder.begin();
    std::vector<std::uint8_t> pixels(bits == 8 ? 0 : std::size_t(width));
    const std::vector<int> order = rowOrder(height, interlaced);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (AbortRequested())
            return WriteResult::NotWritten;
        if (i % kRowsPerCheckpoint == 0)
            ReportProgress(kProgressWriting, int(std::int64_t(i) * 100 / height));
        const std::uint8_t* row = image.row(height - 1 - order[i]);
        if (bits != 8) {
            unpackRow(row, width, bits, pixels.data());
            row = pixels.data();
        }
        encoder.encode(row, std::size_t(width));
    }
    if (!encoder.end() || !blocks.finish())
        return WriteResult::Failed;
    return WriteResult::Written;
}

// The outcome for a picture the writer won't take, with its message; nothing when it will.
std::optional<WriteResult> refusal(const HDIB& image)
{
    if (!image)
        return WriteResult::NotWritten;
    const int bits = image.bitCount();
    if (bits > 8)
        return WriteResult(WriteResult::CannotCreate,
                           WordedFailure(FileProblem::DepthNotWritable, std::string(kGifDepthRefusedMessage)));
    if (bits != 1 && bits != 4 && bits != 8)
        return WriteResult::NotWritten;
    return std::nullopt;
}

std::uint8_t topLeftPixel(const HDIB& image)
{
    const std::uint8_t first = image.row(image.height() - 1)[0];
    return image.bitCount() == 8 ? first : image.bitCount() == 4 ? std::uint8_t(first >> 4) : std::uint8_t(first >> 7);
}

}  // namespace

WriteResult WriteGif(ByteSink& sink, const HDIB& image)
{
    if (const auto refused = refusal(image))
        return *refused;
    const int bits = image.bitCount();
    const SaveOptions& options = CurrentSaveOptions();
    const std::uint8_t screenFlags = bits == 8 ? 0xF7 : bits == 4 ? 0xB3 : 0x80;
    const int rootBits = bits == 1 ? 2 : bits;
    const unsigned entries = 1u << bits;
    const auto width = std::uint16_t(image.width()), height = std::uint16_t(image.height());

    const char* signature = options.transparent ? "GIF89a" : "GIF87a";
    std::vector<std::uint8_t> head(signature, signature + 6);
    const auto put16 = [&head](std::uint16_t v) { head.insert(head.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
    put16(width);
    put16(height);
    head.insert(head.end(), {screenFlags, 0, 0});
    for (unsigned i = 0; i < entries; ++i) {
        const RgbQuad c = i < image.clrUsed() ? image.colors()[i] : RgbQuad{0, 0, 0, 0};
        head.insert(head.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    }
    // The picture's top-left colour is taken as its background and made transparent.
    if (options.transparent)
        head.insert(head.end(), {kGifExtensionByte, 0xF9, 4, 1, 0, 0, topLeftPixel(image), 0});
    head.push_back(kGifDescriptorByte);
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    head.push_back(options.interlace ? kInterlacedFlag : 0);
    head.push_back(std::uint8_t(rootBits));
    if (!sink.write(head.data(), head.size()))
        return WriteResult::Failed;

    const WriteResult result = encodePixels(sink, image, rootBits, options.interlace);
    if (result != WriteResult::Written)
        return result;
    return sink.writeU8(kGifTrailerByte) ? WriteResult::Written : WriteResult::Failed;
}

WriteResult WriteGif(const std::string& path, const HDIB& image)
{
    if (const auto refused = refusal(image))
        return *refused;
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteGif(sink, image); });
}

WriteResult WriteGifImageData(ByteSink& sink, const HDIB& image)
{
    if (const auto refused = refusal(image))
        return *refused;
    const int rootBits = image.bitCount() == 1 ? 2 : image.bitCount();
    if (!sink.writeU8(std::uint8_t(rootBits)))
        return WriteResult::Failed;
    return encodePixels(sink, image, rootBits, false);
}

}  // namespace lv
