#include "imagelib/codecs/flashpix/fpx.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/flashpix/fpx_display_size.h"
#include "imagelib/codecs/flashpix/fpx_jpeg_tiles.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_parallel.h"
#include "imagelib/codecs/flashpix/fpx_property_set.h"
#include "imagelib/codecs/flashpix/fpx_storage.h"
#include "imagelib/codecs/flashpix/fpx_tile_table.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/codecs/photocd/photo_ycc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <cstring>
#include <map>

namespace lv {
namespace {

using namespace flashpix;

// Property sets and tile tables are small; anything bigger is not a real file.
constexpr std::uint64_t kMaxPropertyBytes = 16 * 1024 * 1024;
// A single-colour tile is one 16-byte table entry for 64 x 64 pixels of 3 bytes: 768 bytes
// of rows per byte of the file, three times the picture budget's usual ratio.
constexpr std::uint64_t kTileEntryExpansion = 3;

// Where the image object lies and how its streams are laid out.
struct ImageObject {
    FileLayout layout = FileLayout::Published;
    std::vector<std::string> path;  // the storages down to it
    std::vector<std::uint8_t> contentsStream;
    PropertySet contents;  // views of contentsStream

    std::vector<std::string> pathTo(std::initializer_list<std::string> names) const
    {
        std::vector<std::string> full = path;
        full.insert(full.end(), names);
        return full;
    }
};

struct Subimage {
    int level = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ColourSpace space = kColourless;
    std::uint32_t colourChannels = 0;  // channels before any opacity channel
    std::uint32_t channels = 0;
};

// The largest resolution the image contents describe.
std::optional<Subimage> largestSubimage(const PropertySet& contents, FileLayout layout)
{
    const auto count = contents.uint32(kNumberOfResolutions);
    if (!count || *count == 0 || *count > std::uint32_t(kMaxResolutions))
        return std::nullopt;
    std::optional<Subimage> best;
    for (int n = 0; n < int(*count); ++n) {
        const auto width = contents.uint32(ForLevel(kSubimageWidth, n));
        const auto height = contents.uint32(ForLevel(kSubimageHeight, n));
        if (!width || !height)
            return std::nullopt;
        if (!best || std::uint64_t(*width) * *height > std::uint64_t(best->width) * best->height)
            best = Subimage{n, *width, *height};
    }
    const auto blob = contents.blob(ForLevel(kSubimageColour, best->level));
    const std::size_t countAt = ColourBlobChannelCountAt(layout);
    if (!blob || blob->size() < countAt + 8)
        return std::nullopt;
    const auto colour = blob->subspan(countAt);
    best->channels = LoadLE32(colour.data());
    if (best->channels == 0 || best->channels > 4 || colour.size() < 4 + 4 * best->channels)
        return std::nullopt;
    best->space = SpaceOf(LoadLE32(colour.data() + 4));
    best->colourChannels = best->channels;
    if ((LoadLE32(colour.data() + 4 * best->channels) & 0xFFFF) == kOpacityChannel)
        --best->colourChannels;
    const bool fits = (best->space == kMonochrome && best->colourChannels == 1) ||
                      ((best->space == kNifRgb || best->space == kPhotoYcc) && best->colourChannels == 3);
    if (!fits)
        return std::nullopt;
    return best;
}

class TileDecoder {
public:
    TileDecoder(const Subimage& subimage, const ImageObject& image, std::span<const std::uint8_t> data)
        : subimage_(subimage)
        , layout_(image.layout)
        , contents_(image.contents)
        , data_(data)
        , tile_(std::size_t(kTileSize) * kTileSize * subimage.channels)
    {
    }

    // Decodes a row of JPEG tiles as one picture when they allow it (see JoinTileRow);
    // false when they don't, and the tiles are then decoded one by one.
    bool placeRow(std::span<const TileEntry> entries, int tileY, HDIB& picture)
    {
        if (entries.empty())
            return false;
        const TileEntry& first = entries[0];
        const bool colour = subimage_.channels == 3 && deliversBgr(first);
        const bool grey = subimage_.channels == 1 && subimage_.colourChannels == 1;
        if (first.compression != kJpeg || (!colour && !grey))
            return false;
        streams_.clear();
        for (const TileEntry& entry : entries) {
            const auto bytes = bytesOf(entry);
            if (entry.compression != kJpeg || entry.subtype != first.subtype || !bytes)
                return false;
            streams_.push_back(*bytes);
        }
        const auto tables = tablesOf(first);
        const std::optional<WideTileStream> wide = tables ? JoinTileRow(streams_, int(subimage_.channels)) : std::nullopt;
        if (!wide)
            return false;
        const int y0 = tileY * kTileSize;
        const int rows = std::min(kTileSize, int(subimage_.height) - y0);
        return jpeg_.decodeRow(*tables, *wide, int(subimage_.channels), subimage_.width, [&](int y) {
            return y < rows ? picture.row(picture.height() - 1 - (y0 + y)) : nullptr;
        });
    }

    // Decodes one tile into the picture; false for a damaged tile.
    bool place(const TileEntry& entry, int tileX, int tileY, HDIB& picture)
    {
        if (entry.compression == kJpeg && decodesStraightIn(entry, tileX, tileY)) {
            // Whole tiles whose samples are already the picture's go straight to its rows.
            const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
            std::uint8_t* top = picture.row(picture.height() - 1 - y0) + std::size_t(x0) * subimage_.channels;
            return decodeJpeg(entry, top, -std::ptrdiff_t(picture.stride()));
        }
        std::fill(tile_.begin(), tile_.end(), 0);
        if (!decode(entry))
            return false;
        copyInto(tileX, tileY, picture, entry.compression == kJpeg && deliversBgr(entry));
        return true;
    }

private:
    std::optional<std::span<const std::uint8_t>> bytesOf(const TileEntry& entry) const
    {
        if (std::uint64_t(entry.offset) + entry.size > data_.size())
            return std::nullopt;
        return data_.subspan(entry.offset, entry.size);
    }

    bool decodesStraightIn(const TileEntry& entry, int tileX, int tileY) const
    {
        const bool inside = std::uint32_t(tileX + 1) * kTileSize <= subimage_.width &&
                            std::uint32_t(tileY + 1) * kTileSize <= subimage_.height;
        const bool grey = subimage_.channels == 1 && subimage_.colourChannels == 1;
        const bool bgr = subimage_.channels == 3 && subimage_.space == kNifRgb && JpegCodingOf(entry.subtype, layout_).converted;
        return inside && (grey || bgr);
    }

    bool decodeJpeg(const TileEntry& entry, std::uint8_t* out, std::ptrdiff_t stride)
    {
        const auto bytes = bytesOf(entry);
        if (!bytes)
            return false;
        const auto tables = tablesOf(entry);
        if (!tables)
            return false;
        return jpeg_.decode(*tables, *bytes, deliversBgr(entry) ? TileColour::FromYCbCr : TileColour::AsStored,
                            int(subimage_.channels), out, stride);
    }

    // The shared tables a JPEG tile names (none when it carries its own); nothing when
    // they are missing.
    std::optional<std::span<const std::uint8_t>> tablesOf(const TileEntry& entry) const
    {
        const unsigned index = JpegCodingOf(entry.subtype, layout_).table;
        if (index == 0)
            return std::span<const std::uint8_t>();
        const auto blob = contents_.blob(ForLevel(kJpegTables, int(index)));
        if (!blob)
            return std::nullopt;
        return *blob;
    }

    // JPEG tiles of YCbCr made from RGB come out of the library as blue-green-red.
    bool deliversBgr(const TileEntry& entry) const
    {
        return JpegCodingOf(entry.subtype, layout_).converted && subimage_.channels == 3;
    }

    bool decode(const TileEntry& entry)
    {
        const std::size_t pixels = std::size_t(kTileSize) * kTileSize;
        const std::uint32_t channels = subimage_.channels;
        switch (entry.compression) {
        case kUncompressed: {
            const auto bytes = bytesOf(entry);
            if (!bytes || bytes->size() < tile_.size())
                return false;
            std::memcpy(tile_.data(), bytes->data(), tile_.size());
            return true;
        }
        case kSingleColour:
            for (std::size_t i = 0; i < pixels; ++i)
                for (std::uint32_t c = 0; c < channels; ++c)
                    tile_[i * channels + c] = SingleColourChannel(entry.subtype, c, layout_);
            return true;
        case kJpeg:
            return decodeJpeg(entry, tile_.data(), std::ptrdiff_t(kTileSize) * channels);
        default:
            return false;
        }
    }

    // The tile's channels as the picture's grey or blue-green-red.
    void copyInto(int tileX, int tileY, HDIB& picture, bool bgrAlready)
    {
        const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
        const int w = std::min(kTileSize, int(subimage_.width) - x0);
        const int h = std::min(kTileSize, int(subimage_.height) - y0);
        const std::size_t c = subimage_.channels;
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = tile_.data() + std::size_t(y) * kTileSize * c;
            std::uint8_t* out = picture.row(picture.height() - 1 - (y0 + y));
            if (subimage_.colourChannels == 1) {
                for (int x = 0; x < w; ++x)
                    out[x0 + x] = in[std::size_t(x) * c];
                continue;
            }
            out += std::size_t(x0) * 3;
            if (subimage_.space == kPhotoYcc && !bgrAlready) {
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t* p = in + std::size_t(x) * c;
                    PhotoYccToBgr(p, p + 1, p + 2, out + x * 3, 1);
                }
            } else {
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t* p = in + std::size_t(x) * c;
                    out[x * 3] = bgrAlready ? p[0] : p[2];
                    out[x * 3 + 1] = p[1];
                    out[x * 3 + 2] = bgrAlready ? p[2] : p[0];
                }
            }
        }
    }

    const Subimage& subimage_;
    const FileLayout layout_;
    const PropertySet& contents_;
    std::span<const std::uint8_t> data_;
    std::vector<std::uint8_t> tile_;
    std::vector<std::span<const std::uint8_t>> streams_;
    JpegTileDecoder jpeg_;
};

ReadResult decodeSubimage(const StorageReader& storage, const ImageObject& image, const Subimage& subimage,
                          std::uint64_t fileSize)
{
    const std::string resolution = ResolutionStorageName(subimage.level);
    const auto header = storage.readStream(image.pathTo({resolution, kSubimageHeaderStream}), kMaxPropertyBytes + fileSize);
    const auto dataStream = storage.readStreamInPlace(image.pathTo({resolution, kSubimageDataStream}), fileSize);
    if (!header || !dataStream)
        return ReadCode::Broken;
    const auto table = ParseTileTable(*header, image.layout);
    const auto data = TileBytes(dataStream->bytes(), image.layout);
    if (!table || !data || table->width != subimage.width || table->height != subimage.height ||
        table->channels != subimage.channels)
        return ReadCode::Broken;
    // The file's own words for a picture beyond the budget or beyond memory: tried as
    // another format it would only be "unknown".
    const bool grey = subimage.colourChannels == 1;
    FilePicture made = AllocateFilePicture(table->width, table->height, grey ? 8 : 24, grey ? 256 : 0,
                                           fileSize * kTileEntryExpansion);
    if (!made.picture)
        return {ReadCode::Failure, made.failure};
    HDIB picture = std::move(made.picture);
    if (grey)
        FillGreyRamp(picture.colors(), 256);

    std::vector<std::unique_ptr<TileDecoder>> decoders;
    for (int i = 0; i < TileThreads(); ++i)
        decoders.push_back(std::make_unique<TileDecoder>(subimage, image, *data));
    const std::uint32_t across = table->tilesAcross(), down = table->tilesDown();
    std::atomic<int> rowsDone{0};
    const RowsOutcome outcome = RunTileRows(
        int(down), int(decoders.size()),
        [&](int ty, int slot) {
            // Rows of tiles fill rows of the picture no other row of tiles touches.
            TileDecoder& decoder = *decoders[std::size_t(slot)];
            if (decoder.placeRow(std::span(table->tiles).subspan(std::size_t(ty) * across, across), ty, picture)) {
                ++rowsDone;
                return true;
            }
            for (std::uint32_t tx = 0; tx < across; ++tx)
                if (!decoders[std::size_t(slot)]->place(table->tiles[std::size_t(ty) * across + tx], int(tx), ty, picture))
                    return false;
            ++rowsDone;
            return true;
        },
        [&] {
            if (AbortRequested())
                return false;
            ReportProgress(kProgressReading, int(rowsDone * 100 / int(down)));
            return true;
        });
    if (outcome != RowsOutcome::Done)
        return ReadCode::Broken;
    return picture;
}

// The image object an image view holds, or the root itself in files of our old layout;
// nothing when there are no image contents, a damaged image when they don't parse.
std::optional<ReadResult> findImageObject(const StorageReader& storage, ImageObject& image)
{
    const struct {
        FileLayout layout;
        std::vector<std::string> path;
    } places[] = {{FileLayout::Published, {kDataObjectStore}}, {FileLayout::OldPrivate, {}}};
    for (const auto& place : places) {
        image.layout = place.layout;
        image.path = place.path;
        const auto stream = storage.readStream(image.pathTo({kImageContentsStream}), kMaxPropertyBytes);
        if (!stream)
            continue;
        image.contentsStream = std::move(*stream);
        auto contents = PropertySet::Parse(image.contentsStream);
        if (!contents)
            return ReadResult(ReadCode::Broken);
        image.contents = std::move(*contents);
        return std::nullopt;
    }
    return ReadResult(ReadCode::NotThisFormat);
}

}  // namespace

ReadResult ReadFlashPix(std::span<const std::uint8_t> file)
{
    const auto storage = StorageReader::Open(file);
    if (!storage)
        return ReadCode::NotThisFormat;
    ImageObject image;
    if (auto failed = findImageObject(*storage, image))
        return std::move(*failed);
    const auto subimage = largestSubimage(image.contents, image.layout);
    if (!subimage)
        return ReadCode::Broken;
    ReadResult read = decodeSubimage(*storage, image, *subimage, file.size());
    if (read.ok()) {
        const PixelsPerMetre resolution = ResolutionOf(image.contents, subimage->width, subimage->height);
        read.image().header().biXPelsPerMeter = resolution.x;
        read.image().header().biYPelsPerMeter = resolution.y;
    }
    return read;
}

ReadResult ReadFlashPix(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::NotThisFormat, notice};
    // Only structured storage is worth reading whole.
    static constexpr std::uint8_t kStorageSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::uint8_t signature[8];
    if (!source->readExact(signature, 8) || !std::equal(signature, signature + 8, kStorageSignature) ||
        !source->seek(0))
        return ReadCode::NotThisFormat;
    // Not cleared first: every byte is read over.
    const std::size_t size = std::size_t(source->size());
    std::unique_ptr<std::uint8_t[]> bytes;
    try {
        bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        return ReadCode::Failure;
    }
    if (!source->readExact(bytes.get(), size))
        return ReadCode::Broken;
    return ReadFlashPix(std::span<const std::uint8_t>(bytes.get(), size));
}

}  // namespace lv
