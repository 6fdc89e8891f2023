#include "imagelib/codecs/flashpix/fpx.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/flashpix/fpx_display_size.h"
#include "imagelib/codecs/flashpix/fpx_jpeg_tiles.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_parallel.h"
#include "imagelib/codecs/flashpix/fpx_property_set.h"
#include "imagelib/codecs/flashpix/fpx_raster.h"
#include "imagelib/codecs/flashpix/fpx_storage.h"
#include "imagelib/codecs/flashpix/fpx_tile_table.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <span>

namespace lv {
namespace {

using namespace flashpix;

constexpr unsigned kJpegTableIndex = 1;
constexpr unsigned kHalvedChroma = 0x22;
constexpr std::int16_t kWesternCodePage = 1252;

enum class Outcome { Done, Cancelled, Failed };

struct EncodedRow {
    std::vector<TileEntry> entries;  // offsets from the row's start
    std::vector<std::uint8_t> bytes;
};

// The tile table, with offsets into the data stream, and the stream as rows of tiles.
struct EncodedLevel {
    TileTable table;
    std::vector<EncodedRow> rows;
};

std::vector<std::uint32_t> channelColours(int channels)
{
    if (channels == 1)
        return {ChannelColour(kMonochrome, 0)};
    return {ChannelColour(kNifRgb, 0), ChannelColour(kNifRgb, 1), ChannelColour(kNifRgb, 2)};
}

// Channel 0 in the low byte, in the file's channel order (red first).
std::uint32_t packColour(const std::uint8_t* pixel, int channels)
{
    if (channels == 1)
        return pixel[0];
    return std::uint32_t(pixel[2]) | std::uint32_t(pixel[1]) << 8 | std::uint32_t(pixel[0]) << 16;
}

struct Progress {
    int tileRowsDone = 0;
    int tileRowsTotal = 1;
    bool step()
    {
        if (AbortRequested())
            return false;
        ReportProgress(kProgressWriting, tileRowsDone * 100 / tileRowsTotal);
        return true;
    }
};

// One encoder and its buffers per thread.
struct EncoderSlot {
    EncoderSlot(int channels, int quality)
        : encoder(channels, quality)
        , rows(kTileSize)
        , edgeTile(std::size_t(kTileSize) * kTileSize * std::size_t(channels))
    {
    }
    JpegTileEncoder encoder;
    std::vector<const std::uint8_t*> rows;
    std::vector<std::uint8_t> edgeTile;  // a last tile the picture's rows hold only in part
};

// Whether each tile of the row is one colour (and which) or coded as JPEG.
void describeTiles(const Raster& raster, int ty, std::vector<TileEntry>& entries)
{
    const int across = int(TilesFor(std::uint32_t(raster.width)));
    const std::size_t c = std::size_t(raster.channels);
    entries.assign(std::size_t(across), TileEntry{});
    for (int tx = 0; tx < across; ++tx) {
        TileEntry& entry = entries[std::size_t(tx)];
        if (TileIsOneColour(raster, tx, ty)) {
            entry.compression = kSingleColour;
            entry.subtype = packColour(raster.row(ty * kTileSize) + std::size_t(tx) * kTileSize * c, raster.channels);
        } else {
            entry.compression = kJpeg;
            entry.subtype = JpegSubtype({c == 3 ? kHalvedChroma : 0x11u, c == 3, kJpegTableIndex});
        }
    }
}

// A single-colour tile points where the next tile's data starts, taking no bytes.
void placeSingleColourTiles(std::vector<TileEntry>& entries)
{
    std::uint32_t next = 0;
    for (TileEntry& entry : entries) {
        if (entry.compression == kJpeg)
            next = entry.offset + entry.size;
        else
            entry.offset = next;
    }
}

// Makes the next level's rows under one row of tiles, as far as its rows are asked for.
class RowHalver {
public:
    RowHalver(const Raster& raster, Raster* half, int ty)
        : raster_(raster)
        , half_(half)
        , done_(ty * (kTileSize / 2))
        , end_(half ? std::min(done_ + kTileSize / 2, half->height) : done_)
        , first_(done_)
    {
    }
    // The rows under the tile row's first `rows` rows.
    void upTo(int rows)
    {
        const int end = std::min(first_ + rows / 2, end_);
        if (end > done_)
            HalveRows(raster_, done_, end, *half_);
        done_ = std::max(done_, end);
    }
    void finish() { upTo(kTileSize); }

private:
    const Raster& raster_;
    Raster* half_;
    int done_, end_;
    const int first_;
};

// Codes one row of tiles and, when there is a next level, makes its part of that level.
bool encodeRow(const Raster& raster, Raster* half, int ty, EncoderSlot& slot, EncodedRow& row)
{
    const int across = int(TilesFor(std::uint32_t(raster.width)));
    const int whole = raster.width / kTileSize;
    const std::size_t c = std::size_t(raster.channels);
    try {
        describeTiles(raster, ty, row.entries);
        // The next level is made from the rows the coder has just taken, while they are in
        // the cache.
        RowHalver halver(raster, half, ty);
        const JpegTileEncoder::RowsTaken rowsTaken = [&](int first, int count) { halver.upTo(first + count); };
        // Whole tiles are coded straight from the picture's rows, a partial last one from
        // its copy; rows past the bottom repeat the last.
        for (int first = 0, count; first < across; first += count) {
            const bool straight = first < whole;
            if (straight) {
                count = std::min(whole - first, JpegTileEncoder::kMaxTilesPerRun);
                for (int y = 0; y < kTileSize; ++y)
                    slot.rows[std::size_t(y)] = raster.row(std::min(ty * kTileSize + y, raster.height - 1)) + std::size_t(first) * kTileSize * c;
            } else {
                count = 1;
                CopyTile(raster, first, ty, slot.edgeTile.data());
                for (int y = 0; y < kTileSize; ++y)
                    slot.rows[std::size_t(y)] = slot.edgeTile.data() + std::size_t(y) * kTileSize * c;
            }
            const auto runEntries = std::span(row.entries).subspan(std::size_t(first), std::size_t(count));
            if (std::none_of(runEntries.begin(), runEntries.end(), [](const TileEntry& e) { return e.compression == kJpeg; }))
                continue;
            if (!slot.encoder.codeRow(slot.rows, count, straight && half ? rowsTaken : JpegTileEncoder::RowsTaken{}))
                return false;
            row.bytes.reserve(row.bytes.size() + slot.encoder.rowBytes());
            for (int t = 0; t < count; ++t) {
                TileEntry& entry = runEntries[std::size_t(t)];
                if (entry.compression != kJpeg)
                    continue;
                // Offsets from the row's start.
                entry.offset = std::uint32_t(row.bytes.size());
                if ((entry.size = slot.encoder.appendTile(t, row.bytes)) == 0)
                    return false;
            }
        }
        placeSingleColourTiles(row.entries);
        halver.finish();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

Outcome encodeLevel(const Raster& raster, Raster* half, std::vector<std::unique_ptr<EncoderSlot>>& slots,
                    Progress& progress, EncodedLevel& level)
{
    level.table.width = std::uint32_t(raster.width);
    level.table.height = std::uint32_t(raster.height);
    level.table.channels = std::uint32_t(raster.channels);
    const int down = int(TilesFor(level.table.height));
    std::vector<EncodedRow>& rows = level.rows;
    rows.resize(std::size_t(down));
    std::atomic<int> rowsDone{0};
    const RowsOutcome outcome = RunTileRows(
        down, int(slots.size()),
        [&](int ty, int slot) {
            const bool ok = encodeRow(raster, half, ty, *slots[std::size_t(slot)], rows[std::size_t(ty)]);
            ++rowsDone;
            return ok;
        },
        [&] {
            progress.tileRowsDone += rowsDone.exchange(0);
            return progress.step();
        });
    progress.tileRowsDone += rowsDone.exchange(0);
    if (outcome != RowsOutcome::Done)
        return outcome == RowsOutcome::Stopped ? Outcome::Cancelled : Outcome::Failed;
    std::uint32_t base = 0;
    for (const EncodedRow& row : rows) {
        for (TileEntry entry : row.entries) {
            entry.offset += base;
            level.table.tiles.push_back(entry);
        }
        base += std::uint32_t(row.bytes.size());
    }
    return Outcome::Done;
}

std::vector<std::uint8_t> summary()
{
    PropertySetWriter set(kSummaryFormat);
    set.addI2(kCodePage, kWesternCodePage);
    set.addString(kCreatingApplication, "Lumivista 2000");
    return set.bytes();
}

// Levels are made full size first; the file numbers them from the smallest.
int resolutionNumber(const std::vector<EncodedLevel>& levels, std::size_t level)
{
    return int(levels.size() - 1 - level);
}

std::vector<std::uint8_t> imageContents(const std::vector<EncodedLevel>& levels, const std::vector<std::uint8_t>& tables,
                                        PixelsPerMetre resolution)
{
    PropertySetWriter set(kImageContentsFormat);
    set.addUI4(kNumberOfResolutions, std::uint32_t(levels.size()));
    set.addUI4(kHighestWidth, levels.front().table.width);
    set.addUI4(kHighestHeight, levels.front().table.height);
    AddDisplaySize(set, levels.front().table.width, levels.front().table.height, resolution);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const int n = resolutionNumber(levels, i);
        const TileTable& table = levels[i].table;
        set.addUI4(ForLevel(kSubimageWidth, n), table.width);
        set.addUI4(ForLevel(kSubimageHeight, n), table.height);
        const auto colours = channelColours(int(table.channels));
        std::vector<std::uint8_t> blob(8 + 4 * colours.size());
        StoreLE32(blob.data(), 1);  // one sub-image
        StoreLE32(blob.data() + 4, std::uint32_t(colours.size()));
        for (std::size_t c = 0; c < colours.size(); ++c)
            StoreLE32(blob.data() + 8 + 4 * c, colours[c]);
        set.addBlob(ForLevel(kSubimageColour, n), blob);
        const std::vector<std::uint32_t> formats(colours.size(), kUnsignedByte);
        set.addUI4Vector(ForLevel(kSubimageNumericalFormat, n), formats);
    }
    set.addBlob(ForLevel(kJpegTables, kJpegTableIndex), tables);
    set.addUI4(kMaxJpegTableIndex, kJpegTableIndex);
    return set.bytes();
}

// Makes the whole file in memory and hands it to `deliver`, or says why there is none.
template <typename Deliver>
Outcome encodeFile(const HDIB& picture, int quality, Deliver&& deliver)
{
    auto raster = Raster::View(picture);
    if (!raster)
        return Outcome::Failed;
    const auto needsHalf = [](const Raster& r) { return r.width > kTileSize || r.height > kTileSize; };
    Progress progress;
    progress.tileRowsTotal = 0;
    int levelCount = 1;
    for (std::uint32_t w = std::uint32_t(raster->width), h = std::uint32_t(raster->height);;
         w = (w + 1) / 2, h = (h + 1) / 2, ++levelCount) {
        progress.tileRowsTotal += int(TilesFor(h));
        if (w <= std::uint32_t(kTileSize) && h <= std::uint32_t(kTileSize))
            break;
    }

    std::vector<std::unique_ptr<EncoderSlot>> slots;
    for (int i = 0; i < TileThreads(); ++i) {
        slots.push_back(std::make_unique<EncoderSlot>(raster->channels, ClampJpegQuality(quality)));
        if (!slots.back()->encoder.ok())
            return Outcome::Failed;
    }
    // Each level is made while the one above it is coded.
    std::vector<EncodedLevel> levels(static_cast<std::size_t>(levelCount));
    Raster current = std::move(*raster);
    for (EncodedLevel& level : levels) {
        std::optional<Raster> half;
        if (needsHalf(current) && !(half = MakeHalf(current)))
            return Outcome::Failed;
        const Outcome outcome = encodeLevel(current, half ? &*half : nullptr, slots, progress, level);
        if (outcome != Outcome::Done)
            return outcome;
        if (half)
            current = std::move(*half);
    }

    StorageWriter storage;
    storage.setRootClass(kImageViewClass);
    storage.addStream(kSummaryStream, summary());
    storage.openStorage(kDataObjectStore, kImageClass);
    const PixelsPerMetre resolution{picture.header().biXPelsPerMeter, picture.header().biYPelsPerMeter};
    storage.addStream(kImageContentsStream, imageContents(levels, slots.front()->encoder.tables(), resolution));
    const std::vector<std::uint8_t> streamHeader = SubimageStreamHeader();
    // Smallest first, so the storages appear in the order of their names.
    for (std::size_t i = levels.size(); i-- > 0;) {
        storage.openStorage(ResolutionStorageName(resolutionNumber(levels, i)));
        storage.addStream(kSubimageHeaderStream, SerialiseTileTable(levels[i].table));
        std::vector<std::span<const std::uint8_t>> parts{streamHeader};
        for (const EncodedRow& row : levels[i].rows)
            parts.emplace_back(row.bytes);
        storage.addStream(kSubimageDataStream, parts);
        storage.closeStorage();
        levels[i].rows.clear();
    }
    storage.closeStorage();
    const std::span<const std::uint8_t> file = storage.finish();
    if (file.empty() || !deliver(file))
        return Outcome::Failed;
    return Outcome::Done;
}

// Pictures other than grey and 24-bit are written in colour.
HDIB widenedCopy(const HDIB& image, FileFailure& shortage)
{
    const ImageType type = DibGetType(image);
    if (type == IMG_GREY8 || type == IMG_RGB24 || type == IMG_NONE)
        return {};
    return DibPromoteTo24(image, &shortage);
}

}  // namespace

namespace flashpix {

std::string ResolutionStorageName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Resolution %04d", number);
    return name;
}

}  // namespace flashpix

namespace {

// The file is made in memory before anything is created on disk, so a cancelled or failed
// save leaves nothing behind. `write` puts the finished bytes where they belong.
template <typename Write>
WriteResult encodeAndWrite(const HDIB& image, int quality, Write&& write)
{
    if (!image)
        return WriteResult::NotWritten;
    // Without memory for a colour copy the picture is written as it is, after the shortage's box.
    FileFailure shortage;
    const HDIB widened = widenedCopy(image, shortage);
    const auto told = [&](WriteResult result) {
        return WriteResult(result.code(), AfterNotices(NoticesOnly(shortage), result.failure()));
    };
    WriteResult written = WriteResult::Failed;
    const Outcome outcome = encodeFile(widened ? widened : image, quality, [&](std::span<const std::uint8_t> file) {
        written = write(file);
        return true;
    });
    if (outcome == Outcome::Cancelled)
        return told(WriteResult::NotWritten);
    if (outcome == Outcome::Failed)
        return told(WriteResult::Failed);
    ReportProgress(kProgressWriting, 100);
    return told(written);
}

WriteResult writeAll(ByteSink& sink, std::span<const std::uint8_t> file)
{
    return sink.write(file.data(), file.size()) ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace

WriteResult WriteFlashPix(ByteSink& sink, const HDIB& image, int quality)
{
    return encodeAndWrite(image, quality, [&](std::span<const std::uint8_t> file) { return writeAll(sink, file); });
}

WriteResult WriteFlashPix(const std::string& path, const HDIB& image, int quality)
{
    return encodeAndWrite(image, quality, [&](std::span<const std::uint8_t> file) {
        return WriteImageFile(path, [&](ByteSink& sink) { return writeAll(sink, file); });
    });
}

}  // namespace lv
