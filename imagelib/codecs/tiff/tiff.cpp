#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/codecs/picture_budget.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/tiff/lzw_pieces.h"
#include "imagelib/codecs/chunked_read.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff_camera.h"
#include "imagelib/codecs/tiff/tiff_directory.h"
#include "imagelib/codecs/tiff/tiff_rgb.h"
#include "imagelib/codecs/tiff/tiff_icc.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

namespace lv {
namespace {

constexpr std::uint32_t kUncompressed = 1;
constexpr std::uint32_t kLzwCompression = 5;
constexpr int kRowsPerCheckpoint = 16;

// Polls for cancel and reports progress at every sixteenth row; false on cancel.
bool rowCheckpoint(int row, int height, std::string_view caption)
{
    if (row % kRowsPerCheckpoint != 0)
        return true;
    if (AbortRequested())
        return false;
    ReportProgress(caption, int(std::int64_t(row) * 100 / height));
    return true;
}

// Files store rows top first; pictures bottom first.
std::uint8_t* topRow(HDIB& picture, int row)
{
    return picture.row(picture.height() - 1 - row);
}

struct StripTable {
    std::vector<std::uint32_t> offsets;
    std::optional<std::vector<std::uint32_t>> byteCounts;

    std::optional<std::uint64_t> byteCount(std::size_t strip) const
    {
        if (byteCounts && strip < byteCounts->size())
            return (*byteCounts)[strip];
        return std::nullopt;
    }
};

std::optional<StripTable> readStripTable(ByteSource& source, const TiffInfo& info)
{
    StripTable strips;
    auto offsets = ReadTiffValues(source, info.order, info.stripOffsets);
    if (!info.stripOffsets.present() || !offsets || offsets->empty())
        return std::nullopt;
    strips.offsets = std::move(*offsets);
    if (info.stripByteCounts.present()) {
        strips.byteCounts = ReadTiffValues(source, info.order, info.stripByteCounts);
        if (!strips.byteCounts)
            return std::nullopt;
    }
    return strips;
}

std::optional<std::vector<RgbQuad>> paletteOf(ByteSource& source, const TiffInfo& info, unsigned depth)
{
    constexpr RgbQuad black{0, 0, 0, 0}, white{255, 255, 255, 0};
    std::vector<RgbQuad> palette;
    if (depth == 24)
        return palette;
    if (depth == 1)
        return info.photometric >= 1 ? std::vector{black, white} : std::vector{white, black};
    if (info.photometric == 1) {
        palette.resize(256);
        FillGreyRamp(palette.data(), 256);
        return palette;
    }
    // Three blocks of 16-bit values, red, green, blue; the high byte is the component.
    const std::uint32_t perChannel = info.colorMap.count / 3;
    if (perChannel == 0)
        return std::nullopt;
    TiffValueList map = info.colorMap;
    map.count = 3 * perChannel;
    const auto values = ReadTiffValues(source, info.order, map);
    if (!values)
        return std::nullopt;
    const std::uint32_t entries = std::min(perChannel, 1u << depth);
    for (std::uint32_t i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t((*values)[2 * perChannel + i] >> 8),
                           std::uint8_t((*values)[perChannel + i] >> 8), std::uint8_t((*values)[i] >> 8), 0});
    return palette;
}

// Red and blue trade places in each row as it arrives, while it is in the cache.
void swapRedAndBlue(std::uint8_t* pixels, int width)
{
    CopySwappingRedAndBlue(pixels, pixels, std::size_t(width));
}

// Plain rows are read in runs this large, straight from the file past its buffer, and each
// is copied to its place from there (turned on the way, for colour).
constexpr std::size_t kRunBytes = std::size_t(256) << 10;

ReadCode readPlainStrips(ByteSource& source, const TiffInfo& info, const StripTable& strips, HDIB& picture,
                         std::size_t rowBytes, bool rgb)
{
    const int height = picture.height();
    const std::uint64_t perRun = std::max<std::uint64_t>(1, kRunBytes / rowBytes);
    std::vector<std::uint8_t> run(std::size_t(perRun) * rowBytes);
    int row = 0;
    for (std::size_t s = 0; s < strips.offsets.size() && row < height; ++s) {
        const std::uint64_t bytes = strips.byteCount(s).value_or(std::uint64_t(rowBytes) * info.rowsPerStrip);
        const std::uint64_t rows = strips.offsets.size() >= 2 ? bytes / rowBytes : std::uint64_t(height);
        if (!source.seek(strips.offsets[s]))
            return ReadCode::Failure;
        for (std::uint64_t r = 0; r < rows && row < height;) {
            const std::size_t count = std::size_t(std::min({perRun, rows - r, std::uint64_t(height - row)}));
            if (!source.readExact(run.data(), count * rowBytes))
                return ReadCode::Failure;
            for (std::size_t k = 0; k < count; ++k, ++r, ++row) {
                if (!rowCheckpoint(row, height, kProgressReading))
                    return ReadCode::Failure;
                const std::uint8_t* in = run.data() + k * rowBytes;
                if (rgb)
                    CopySwappingRedAndBlue(in, topRow(picture, row), std::size_t(picture.width()));
                else
                    std::memcpy(topRow(picture, row), in, rowBytes);
            }
        }
    }
    return ReadCode::Image;
}

// Takes decoded bytes into the picture's rows, top row first, undoing horizontal
// differencing as each row completes.
class RowFiller final : public LzwOutput {
public:
    RowFiller(HDIB& picture, std::size_t rowBytes, std::size_t predictorStep, bool rgb)
        : picture_(picture)
        , rowBytes_(rowBytes)
        , step_(predictorStep)
        , rgb_(rgb)
    {
    }

    bool write(const std::uint8_t* bytes, std::size_t count) override
    {
        while (count > 0) {
            std::uint8_t* row = topRow(picture_, row_);
            const std::size_t take = std::min(count, rowBytes_ - filled_);
            std::memcpy(row + filled_, bytes, take);
            filled_ += take;
            bytes += take;
            count -= take;
            if (filled_ < rowBytes_)
                continue;
            if (step_)
                for (std::size_t i = step_; i < rowBytes_; ++i)
                    row[i] = std::uint8_t(row[i] + row[i - step_]);
            if (rgb_)
                swapRedAndBlue(row, picture_.width());
            filled_ = 0;
            if (++row_ == picture_.height())
                return false;
            if (!rowCheckpoint(row_, picture_.height(), kProgressReading)) {
                cancelled_ = true;
                return false;
            }
        }
        return true;
    }

    bool full() const { return row_ == picture_.height(); }
    bool cancelled() const { return cancelled_; }

private:
    HDIB& picture_;
    std::size_t rowBytes_;
    std::size_t step_;
    bool rgb_;
    int row_ = 0;
    std::size_t filled_ = 0;
    bool cancelled_ = false;
};

ReadCode readLzwStrips(ByteSource& source, const TiffInfo& info, const StripTable& strips, HDIB& picture,
                       std::size_t rowBytes, unsigned depth, bool rgb)
{
    const std::size_t step = info.predictor >= 2 ? (depth == 24 ? 3 : 1) : 0;
    RowFiller rows(picture, rowBytes, step, rgb);
    const auto decoder = std::make_unique<LzwDecoder>(LzwFlavour::Tiff, 8);
    for (std::size_t s = 0; s < strips.offsets.size() && !rows.full(); ++s) {
        const std::uint64_t offset = strips.offsets[s];
        if (offset > source.size() || !source.seek(offset))
            return ReadCode::Failure;
        std::vector<std::uint8_t> data;
        const std::uint64_t count = strips.byteCount(s).value_or(source.size() - offset);
        if (count > source.remaining() || ReadInChunks(source, std::size_t(count), data) != ChunkedRead::Complete)
            return ReadCode::Failure;
        if (decoder->decode(data, rows) == LzwStop::BadCode || rows.cancelled())
            return ReadCode::Failure;
    }
    return ReadCode::Image;
}

}  // namespace

ReadResult ReadTiff(ByteSource& source)
{
    const std::optional<TiffInfo> found = ReadTiffDirectory(source);
    if (!found)
        return ReadCode::Failure;
    const TiffInfo& info = *found;
    const std::uint64_t depth = std::uint64_t(info.samplesPerPixel) * info.bitsPerSample;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return ReadCode::Failure;
    const unsigned bits = unsigned(depth);
    if (PictureBytes(info.width, info.height, bits) == 0)
        return ReadCode::Failure;
    if (info.compression != kUncompressed && info.compression != kLzwCompression)
        return {ReadCode::Failure, {FileProblem::Unsupported, "TIFF com compressão " + std::to_string(info.compression)}};
    const bool camera = info.camera && bits == 24;
    const std::size_t rowBytes = camera ? 2 * std::size_t(info.width) : (bits * std::size_t(info.width) + 7) / 8;

    // Refuse sizes the file couldn't fill even at LZW's best ratio before allocating them.
    const std::uint64_t capacity = info.compression == kLzwCompression ? source.size() * kLzwMaxExpansion : source.size();
    if (std::uint64_t(rowBytes) * info.height > capacity)
        return {ReadCode::Failure, {FileProblem::Truncated, {}}};
    if (FileFailure refused = CheckPictureBudget(PictureBytes(info.width, info.height, bits), source.size()))
        return {ReadCode::Failure, refused};
    const std::optional<StripTable> strips = readStripTable(source, info);
    const std::optional<std::vector<RgbQuad>> palette = paletteOf(source, info, bits);
    if (!strips || !palette)
        return ReadCode::Failure;

    FileFailure shortage;
    HDIB picture = AllocatePicture(info.width, info.height, bits, unsigned(palette->size()), &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    picture.header().biXPelsPerMeter = TiffPixelsPerMeter(info.xResolution, info.resolutionUnit);
    picture.header().biYPelsPerMeter = TiffPixelsPerMeter(info.yResolution, info.resolutionUnit);
    std::copy(palette->begin(), palette->end(), picture.colors());

    const bool rgb = bits == 24 && !camera;
    const ReadCode code = info.compression == kLzwCompression
                              ? readLzwStrips(source, info, *strips, picture, rowBytes, bits, rgb)
                              : readPlainStrips(source, info, *strips, picture, rowBytes, rgb);
    if (code != ReadCode::Image)
        return code;
    if (camera)
        ExpandCameraRows(picture);
    ReadResult result(std::move(picture));
    result.facts().iccProfile = ReadTiffIccProfile(source, info);
    return result;
}

ReadResult ReadTiff(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadTiff(*source);
}

namespace {

constexpr std::uint16_t kShort = 3, kLong = 4, kAscii = 2, kRational = 5;
constexpr std::uint32_t kHeaderBytes = 8 + 2 + kTiffWrittenEntries * 12 + 4;
static_assert(kHeaderBytes == kTiffXResolutionOffset);
constexpr char kDocumentNameText[] = "Verandolith";
constexpr char kDocumentName[16] = "Verandolith";  // the rest of the 16 bytes are zero

struct WrittenEntry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint32_t value;  // stored as Intel-order u32: a SHORT lands in the first two bytes
};

// Rows as the file holds them: top first, no padding, red before blue.
class FileRows {
public:
    explicit FileRows(const HDIB& image)
        : image_(image)
        , bytes_((std::size_t(image.bitCount()) * std::size_t(image.width()) + 7) / 8)
        , rgb_(image.bitCount() == 24)
    {
    }
    std::size_t bytes() const { return bytes_; }
    void copyRow(int top, std::uint8_t* to) const
    {
        const std::uint8_t* row = image_.row(image_.height() - 1 - top);
        if (rgb_)
            CopySwappingRedAndBlue(row, to, std::size_t(image_.width()));
        else
            std::memcpy(to, row, bytes_);
    }

private:
    const HDIB& image_;
    std::size_t bytes_;
    bool rgb_;
};

struct PixelOutcome {
    WriteResult result;
    std::uint64_t bytes;
};

// Rows are gathered in file order into blocks well past the sink's own buffer, so each
// block goes to the file in one write without being copied through that buffer first.
constexpr std::size_t kPlainBlockBytes = 256 * 1024;

PixelOutcome writePlainRows(ByteSink& sink, const HDIB& image)
{
    const FileRows rows(image);
    const int height = image.height();
    const int perBlock = int(std::clamp<std::size_t>(kPlainBlockBytes / std::max<std::size_t>(rows.bytes(), 1), 1,
                                                     std::size_t(height)));
    std::vector<std::uint8_t> block(rows.bytes() * std::size_t(perBlock));
    for (int y = 0; y < height; y += perBlock) {
        const int count = std::min(perBlock, height - y);
        for (int k = 0; k < count; ++k) {
            if (!rowCheckpoint(y + k, height, kProgressWriting))
                return {WriteResult::NotWritten, 0};
            rows.copyRow(y + k, block.data() + std::size_t(k) * rows.bytes());
        }
        if (!sink.write(block.data(), std::size_t(count) * rows.bytes()))
            return {WriteResult::Failed, 0};
    }
    return {WriteResult::Written, std::uint64_t(rows.bytes()) * std::uint64_t(height)};
}

PixelOutcome writeLzwRows(ByteSink& sink, const HDIB& image)
{
    const FileRows rows(image);
    const LzwStripOutcome coded = WriteLzwStrip(
        sink, image.height(), rows.bytes(), CurrentSaveOptions().threads,
        [&](int y, std::uint8_t* to) { rows.copyRow(y, to); },
        [&](int y) { return rowCheckpoint(y, image.height(), kProgressWriting); });
    switch (coded.result) {
    case LzwStripOutcome::Result::Written:
        return {WriteResult::Written, coded.bytes};
    case LzwStripOutcome::Result::Cancelled:
        return {WriteResult::NotWritten, 0};
    case LzwStripOutcome::Result::Failed:
        break;
    }
    return {WriteResult::Failed, 0};
}

std::uint32_t dotsPerInch(std::int32_t pixelsPerMeter)
{
    return std::uint32_t(std::max<std::int64_t>(DpiFromPixelsPerMetre(pixelsPerMeter), 0));
}

}  // namespace

WriteResult WriteTiff(ByteSink& sink, const HDIB& image, std::span<const std::uint8_t> iccProfile)
{
    if (!image)
        return WriteResult::NotWritten;
    const ImageType type = DibGetType(image);
    if (type == IMG_NONE)
        return WriteResult::NotWritten;
    const bool rgb = type == IMG_RGB24;
    const bool palette = type != IMG_RGB24 && type != IMG_GREY8 && type != IMG_MONO;
    // libtiff ignores, with a warning, a colour map of other than 2^depth entries: the unused
    // entries are written black.
    const std::uint32_t colours = palette ? 1u << image.bitCount() : 0;
    const std::uint32_t used = std::min(image.clrUsed(), colours);
    const std::uint32_t tablesEnd = kTiffTablesOffset + (rgb ? 6 : 0) + 6 * colours;
    const bool compress = CurrentSaveOptions().compress;

    // Room for the header, written last when the strip's size is known, then the colour map.
    if (!sink.writeZeros(kTiffTablesOffset + (rgb ? 6 : 0)))
        return WriteResult::Failed;
    if (palette) {
        std::vector<std::uint8_t> map(6 * std::size_t(colours));
        for (std::uint32_t i = 0; i < used; ++i) {
            const RgbQuad& c = image.colors()[i];
            StoreLE16(&map[2 * i], std::uint16_t(c.rgbRed << 8));
            StoreLE16(&map[2 * (colours + i)], std::uint16_t(c.rgbGreen << 8));
            StoreLE16(&map[2 * (2 * colours + i)], std::uint16_t(c.rgbBlue << 8));
        }
        if (!sink.write(map.data(), map.size()))
            return WriteResult::Failed;
    }

    const PixelOutcome pixels = compress ? writeLzwRows(sink, image) : writePlainRows(sink, image);
    if (pixels.result != WriteResult::Written)
        return pixels.result;
    const std::optional<TiffIccPlacement> icc = rgb ? AppendTiffIccProfile(sink, iccProfile) : std::nullopt;
    if (rgb && !iccProfile.empty() && !icc)
        return WriteResult::Failed;

    const std::uint32_t photometric = rgb ? 2 : (!palette || used == 2) ? 1 : 3;
    const std::uint32_t width = std::uint32_t(image.width()), height = std::uint32_t(image.height());
    // libtiff reads a file silently only when its tags are sorted, known for its compression
    // and of the count it expects: the name's count stops at its terminating zero, the
    // sixteenth entry without a colour map is a valid Threshholding, and an uncompressed file
    // carries Orientation where a compressed one has Predictor.
    std::array<WrittenEntry, kTiffWrittenEntries> entries = {{
        {256, kShort, 1, width},
        {257, kShort, 1, height},
        {258, kShort, rgb ? 3u : 1u, rgb ? kTiffTablesOffset : std::uint32_t(image.bitCount())},
        {259, kShort, 1, compress ? kLzwCompression : kUncompressed},
        {262, kShort, 1, photometric},
        {269, kAscii, sizeof kDocumentNameText, kTiffDocumentNameOffset},
        {273, kLong, 1, tablesEnd},
        {277, kShort, 1, rgb ? 3u : 1u},
        {278, kLong, 1, height},
        {279, kLong, 1, std::uint32_t(pixels.bytes)},
        {282, kRational, 1, kTiffXResolutionOffset},
        {283, kRational, 1, kTiffYResolutionOffset},
        {284, kShort, 1, 1},
        {296, kShort, 1, 2},
        compress ? WrittenEntry{317, kShort, 1, 1} : WrittenEntry{274, kShort, 1, 1},
        // Without a colour map the sixteenth entry is the colour profile's, else a valid
        // Threshholding.
        palette ? WrittenEntry{320, kShort, 3 * colours, kTiffTablesOffset}
        : icc   ? WrittenEntry{kTiffIccProfileTag, kTiffUndefined, icc->count, icc->offset}
                : WrittenEntry{263, kShort, 1, 1},
    }};
    std::sort(entries.begin(), entries.end(), [](const WrittenEntry& a, const WrittenEntry& b) { return a.tag < b.tag; });

    std::array<std::uint8_t, kTiffTablesOffset + 6> header{};
    header[0] = header[1] = 'I';
    StoreLE16(&header[2], 42);
    StoreLE32(&header[4], 8);
    StoreLE16(&header[8], kTiffWrittenEntries);
    for (std::size_t i = 0; i < kTiffWrittenEntries; ++i) {
        std::uint8_t* e = &header[10 + 12 * i];
        StoreLE16(e, entries[i].tag);
        StoreLE16(e + 2, entries[i].type);
        StoreLE32(e + 4, entries[i].count);
        StoreLE32(e + 8, entries[i].value);
    }
    StoreLE32(&header[kTiffXResolutionOffset], dotsPerInch(image.header().biXPelsPerMeter));
    StoreLE32(&header[kTiffXResolutionOffset + 4], 1);
    StoreLE32(&header[kTiffYResolutionOffset], dotsPerInch(image.header().biYPelsPerMeter));
    StoreLE32(&header[kTiffYResolutionOffset + 4], 1);
    std::memcpy(&header[kTiffDocumentNameOffset], kDocumentName, sizeof kDocumentName);
    if (rgb)
        for (int i = 0; i < 3; ++i)
            StoreLE16(&header[kTiffTablesOffset + 2 * i], 8);

    if (!sink.seek(0) || !sink.write(header.data(), kTiffTablesOffset + (rgb ? 6 : 0)))
        return WriteResult::Failed;
    return WriteResult::Written;
}

WriteResult WriteTiff(const std::string& path, const HDIB& image, std::span<const std::uint8_t> iccProfile)
{
    if (!image)
        return WriteResult::NotWritten;
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteTiff(sink, image, iccProfile); });
}

}  // namespace lv
