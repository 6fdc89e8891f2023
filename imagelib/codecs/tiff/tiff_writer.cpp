#include "imagelib/codecs/tiff/tiff.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/lzw_pieces.h"
#include "imagelib/codecs/tiff/tiff_plan.h"
#include "imagelib/codecs/tiff/tiff_icc.h"
#include "imagelib/codecs/tiff/tiff_progress.h"
#include "imagelib/codecs/tiff/tiff_rgb.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>

namespace lv {
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

// Rows as the file holds them (top first, no padding, red before blue), for the strip
// writers: prepare(first, count) makes rows [first, first + count) ready, in order on the
// writing thread, and false stops the write; copyRow then serves them from any thread.
class FileRows {
public:
    virtual ~FileRows() = default;
    virtual bool prepare(int first, int count) = 0;
    virtual void copyRow(int top, std::uint8_t* to) const = 0;
};

class PictureRows final : public FileRows {
public:
    explicit PictureRows(const HDIB& image)
        : image_(image)
        , bytes_((std::size_t(image.bitCount()) * std::size_t(image.width()) + 7) / 8)
        , rgb_(image.bitCount() == 24)
    {
    }
    bool prepare(int, int) override { return true; }
    void copyRow(int top, std::uint8_t* to) const override
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

// A source's rows a band at a time, in one buffer the bands share: enough rows for the
// whole of what is coded at once, and never fewer than fill this many bytes.
constexpr std::size_t kBandBytes = 256 * 1024;

class BandRows final : public FileRows {
public:
    explicit BandRows(RgbRowSource& source)
        : source_(source)
        , rowBytes_(3 * std::size_t(source.width()))
        , bandRows_(int(std::max<std::size_t>(1, kBandBytes / rowBytes_)))
    {
    }
    bool prepare(int first, int count) override
    {
        if (first + count <= end_)
            return true;
        const int rows = std::min(source_.height() - end_, std::max(first + count - end_, bandRows_));
        const std::size_t bytes = std::size_t(rows) * rowBytes_;
        if (band_.size() < bytes)
            band_.resize(bytes);
        if (!source_.nextRows({band_.data(), bytes}))
            return false;
        start_ = end_;
        end_ += rows;
        return true;
    }
    void copyRow(int top, std::uint8_t* to) const override
    {
        std::memcpy(to, band_.data() + std::size_t(top - start_) * rowBytes_, rowBytes_);
    }

private:
    RgbRowSource& source_;
    std::size_t rowBytes_;
    int bandRows_;
    std::vector<std::uint8_t> band_;
    int start_ = 0;  // the band's rows
    int end_ = 0;
};

// What the directory says of the picture.
struct WrittenPicture {
    std::uint32_t width;
    std::uint32_t height;
    unsigned bitCount;
    bool rgb;
    bool palette;
    std::span<const RgbQuad> colours;  // a palette's used entries
    std::int32_t xPixelsPerMeter;
    std::int32_t yPixelsPerMeter;

    std::size_t rowBytes() const { return (std::size_t(bitCount) * width + 7) / 8; }
};

struct PixelOutcome {
    WriteResult result;
    std::uint64_t bytes;
};

// Rows are gathered in file order into blocks well past the sink's own buffer, so each
// block goes to the file in one write without being copied through that buffer first.
constexpr std::size_t kPlainBlockBytes = 256 * 1024;

PixelOutcome writePlainRows(ByteSink& sink, FileRows& rows, int height, std::size_t rowBytes)
{
    const int perBlock = int(std::clamp<std::size_t>(kPlainBlockBytes / std::max<std::size_t>(rowBytes, 1), 1,
                                                     std::size_t(height)));
    std::vector<std::uint8_t> block(rowBytes * std::size_t(perBlock));
    for (int y = 0; y < height; y += perBlock) {
        const int count = std::min(perBlock, height - y);
        for (int k = 0; k < count; ++k) {
            if (!TiffRowCheckpoint(y + k, height, kProgressWriting) || !rows.prepare(y + k, 1))
                return {WriteResult::NotWritten, 0};
            rows.copyRow(y + k, block.data() + std::size_t(k) * rowBytes);
        }
        if (!sink.write(block.data(), std::size_t(count) * rowBytes))
            return {WriteResult::Failed, 0};
    }
    return {WriteResult::Written, std::uint64_t(rowBytes) * std::uint64_t(height)};
}

PixelOutcome writeLzwRows(ByteSink& sink, FileRows& rows, int height, std::size_t rowBytes)
{
    const LzwStripOutcome coded = WriteLzwStrip(
        sink, height, rowBytes, CurrentSaveOptions().threads, [&](int y, std::uint8_t* to) { rows.copyRow(y, to); },
        [&](int first, int count) {
            return TiffRowCheckpoint(first, height, kProgressWriting) && rows.prepare(first, count);
        });
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

WriteResult writeTiff(ByteSink& sink, const WrittenPicture& picture, FileRows& rows,
                      std::span<const std::uint8_t> iccProfile)
{
    const bool rgb = picture.rgb;
    const bool palette = picture.palette;
    // libtiff ignores, with a warning, a colour map of other than 2^depth entries: the unused
    // entries are written black.
    const std::uint32_t colours = palette ? 1u << picture.bitCount : 0;
    const auto used = std::uint32_t(picture.colours.size());
    const std::uint32_t tablesEnd = kTiffTablesOffset + (rgb ? 6 : 0) + 6 * colours;
    const bool compress = CurrentSaveOptions().compress;

    // Room for the header, written last when the strip's size is known, then the colour map.
    if (!sink.writeZeros(kTiffTablesOffset + (rgb ? 6 : 0)))
        return WriteResult::Failed;
    if (palette) {
        std::vector<std::uint8_t> map(6 * std::size_t(colours));
        for (std::uint32_t i = 0; i < used; ++i) {
            const RgbQuad& c = picture.colours[i];
            StoreLE16(&map[2 * i], std::uint16_t(c.rgbRed << 8));
            StoreLE16(&map[2 * (colours + i)], std::uint16_t(c.rgbGreen << 8));
            StoreLE16(&map[2 * (2 * colours + i)], std::uint16_t(c.rgbBlue << 8));
        }
        if (!sink.write(map.data(), map.size()))
            return WriteResult::Failed;
    }

    const int height = int(picture.height);
    const PixelOutcome pixels = compress ? writeLzwRows(sink, rows, height, picture.rowBytes())
                                         : writePlainRows(sink, rows, height, picture.rowBytes());
    if (pixels.result != WriteResult::Written)
        return pixels.result;
    const std::optional<TiffIccPlacement> icc = rgb ? AppendTiffIccProfile(sink, iccProfile) : std::nullopt;
    if (rgb && !iccProfile.empty() && !icc)
        return WriteResult::Failed;

    const std::uint32_t photometric = rgb ? 2 : (!palette || used == 2) ? 1 : 3;
    // libtiff reads a file silently only when its tags are sorted, known for its compression
    // and of the count it expects: the name's count stops at its terminating zero, the
    // sixteenth entry without a colour map is a valid Threshholding, and an uncompressed file
    // carries Orientation where a compressed one has Predictor.
    std::array<WrittenEntry, kTiffWrittenEntries> entries = {{
        {256, kShort, 1, picture.width},
        {257, kShort, 1, picture.height},
        {258, kShort, rgb ? 3u : 1u, rgb ? kTiffTablesOffset : std::uint32_t(picture.bitCount)},
        {259, kShort, 1, compress ? kTiffLzw : kTiffUncompressed},
        {262, kShort, 1, photometric},
        {269, kAscii, sizeof kDocumentNameText, kTiffDocumentNameOffset},
        {273, kLong, 1, tablesEnd},
        {277, kShort, 1, rgb ? 3u : 1u},
        {278, kLong, 1, picture.height},
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
    StoreLE32(&header[kTiffXResolutionOffset], dotsPerInch(picture.xPixelsPerMeter));
    StoreLE32(&header[kTiffXResolutionOffset + 4], 1);
    StoreLE32(&header[kTiffYResolutionOffset], dotsPerInch(picture.yPixelsPerMeter));
    StoreLE32(&header[kTiffYResolutionOffset + 4], 1);
    std::memcpy(&header[kTiffDocumentNameOffset], kDocumentName, sizeof kDocumentName);
    if (rgb)
        for (int i = 0; i < 3; ++i)
            StoreLE16(&header[kTiffTablesOffset + 2 * i], 8);

    if (!sink.seek(0) || !sink.write(header.data(), kTiffTablesOffset + (rgb ? 6 : 0)))
        return WriteResult::Failed;
    return WriteResult::Written;
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
    const std::uint32_t used = palette ? std::min(image.clrUsed(), 1u << image.bitCount()) : 0;
    const WrittenPicture picture{std::uint32_t(image.width()),
                                 std::uint32_t(image.height()),
                                 unsigned(image.bitCount()),
                                 rgb,
                                 palette,
                                 {image.colors(), used},
                                 image.header().biXPelsPerMeter,
                                 image.header().biYPelsPerMeter};
    PictureRows rows(image);
    return writeTiff(sink, picture, rows, iccProfile);
}

WriteResult WriteTiff(const std::string& path, const HDIB& image, std::span<const std::uint8_t> iccProfile)
{
    if (!image)
        return WriteResult::NotWritten;
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteTiff(sink, image, iccProfile); });
}

WriteResult WriteTiff(ByteSink& sink, RgbRowSource& rows, const StreamedFacts& facts)
{
    if (rows.width() <= 0 || rows.height() <= 0)
        return WriteResult::NotWritten;
    const WrittenPicture picture{std::uint32_t(rows.width()), std::uint32_t(rows.height()), 24, true, false, {},
                                 facts.xPixelsPerMeter, facts.yPixelsPerMeter};
    BandRows bands(rows);
    return writeTiff(sink, picture, bands, facts.iccProfile);
}

}  // namespace lv
