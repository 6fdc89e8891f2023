#include "edit/psd/psd_channels.h"
#include "edit/psd/psd_document.h"
#include "edit/psd/psd_merge.h"
#include "edit/psd/psd_names.h"

#include "common/little_endian.h"
#include "common/string_table.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <optional>
#include <span>

namespace lv {
namespace {

// Deflate's best ratio: no channel data can describe more samples per byte.
constexpr std::uint64_t kMostSamplesPerByte = 1032;

// The rows of a 24-bit picture; beyond every limit when its size is positive but too large
// for a picture at all.
std::uint64_t rgbBytes(std::uint64_t width, std::uint64_t height)
{
    const std::uint64_t bytes = PictureBytes(std::int64_t(width), std::int64_t(height), 24);
    return bytes == 0 && width > 0 && height > 0 ? UINT64_MAX : bytes;
}

// One channel's bytes as stored: the compression code, then `bytes` (a buffer reused from
// channel to channel, so big files don't fault in fresh pages for every channel).
struct ChannelData {
    std::uint16_t compression = 0;
    std::span<const std::uint8_t> bytes;
};

std::optional<ChannelData> readChannel(ByteSource& source, std::uint64_t offset, std::uint64_t length,
                                       std::vector<std::uint8_t>& buffer)
{
    if (length < 2 || offset > source.size() || length > source.size() - offset || !source.seek(offset))
        return std::nullopt;
    std::uint8_t code[2];
    if (buffer.size() < length - 2)
        buffer.resize(std::size_t(length - 2));
    const std::span<std::uint8_t> bytes(buffer.data(), std::size_t(length - 2));
    if (!source.readExact(code, 2) || !source.readExact(bytes.data(), bytes.size()))
        return std::nullopt;
    return ChannelData{LoadBE16(code), bytes};
}

class Decoder {
public:
    Decoder(ByteSource& source, const PsdStructure& structure)
        : source_(source)
        , structure_(structure)
        , header_(structure.header)
    {
    }

    bool failed() const { return failed_; }
    bool outOfMemory() const { return outOfMemory_; }
    bool cancelled() const { return cancelled_; }
    bool tooLarge() const { return tooLarge_; }

    // The layer of one record; an empty rectangle, or one no channel can fill, gives a
    // transparent pixel at the rectangle's corner so the layer keeps its place and name.
    PsdLayer layer(const PsdLayerRecord& record)
    {
        PsdLayer layer;
        layer.name = std::string(FirstCharacters(record.name, kPsdNameCharacters));
        layer.x = record.rect.left;
        layer.y = std::int32_t(std::int64_t(header_.height) - record.rect.bottom);
        layer.opacity = record.opacity * 100u / 255u;
        layer.visible = !record.hidden();
        const std::uint32_t width = std::uint32_t(record.rect.width());
        const std::uint32_t height = std::uint32_t(record.rect.height());
        if (width > 0 && height > 0 && fillsLayer(record, width, height)) {
            if (!withinBudget(rgbBytes(width, height)))
                return layer;
            layer.image = allocate(AllocatePicture(width, height, 24, 0));
            layer.mask = allocate(MakeGreyFilled(int(width), int(height), 255));
            if (layer.image && layer.mask)
                decodeChannels(record, layer);
        } else {
            layer.y = std::int32_t(std::int64_t(header_.height) - record.rect.top - 1);
            layer.image = allocate(AllocatePicture(1, 1, 24, 0));
            layer.mask = allocate(MakeGreyFilled(1, 1, 0));
        }
        return layer;
    }

    // The merged image as the single opaque layer of a file without layers.
    PsdLayer merged()
    {
        PsdLayer layer;
        const std::uint32_t colours = header_.mode == kPsdGreyscale ? 1 : 3;
        const PsdPlaneShape shape{header_.width, header_.height, header_.depth, header_.channels};
        auto data = readChannel(source_, structure_.mergedDataOffset, source_.size() - structure_.mergedDataOffset, buffer_);
        if (!data || header_.channels < colours || data->bytes.size() < PsdMinimumEncodedBytes(data->compression, shape)) {
            failed_ = true;
            return layer;
        }
        if (!withinBudget(rgbBytes(header_.width, header_.height)) ||
            !withinBudget(PsdDecodedBytes(data->compression, shape), data->bytes.size()))
            return layer;
        layer.image = allocate(AllocatePicture(header_.width, header_.height, 24, 0));
        layer.mask = allocate(MakeGreyFilled(int(header_.width), int(header_.height), 255));
        if (!layer.image || !layer.mask)
            return layer;
        HDIB& image = layer.image;
        const std::uint32_t rows = header_.height;
        const bool grey = colours == 1;
        const bool ok = DecodePsdPlanes(data->bytes, data->compression, shape, colours,
                                        [&](std::uint32_t plane, std::uint32_t y, const std::uint8_t* samples) {
                                            putColour(image, rows - 1 - y, grey ? -1 : int(plane), samples);
                                        });
        if (!ok)
            failed_ = true;
        return layer;
    }

private:
    // Whether the channels the layer declares could describe its pixels at all.
    bool fillsLayer(const PsdLayerRecord& record, std::uint64_t width, std::uint64_t height) const
    {
        std::uint64_t bytes = 0;
        for (const PsdChannel& channel : record.channels)
            bytes += channel.length;
        return width * height <= bytes * kMostSamplesPerByte;
    }

    // A picture, or a stream's expansion, beyond what the file's bytes may make is refused
    // before anything is allocated, as in every other reader.
    bool withinBudget(std::uint64_t bytes, std::optional<std::uint64_t> dataBytes = std::nullopt)
    {
        if (!CheckPictureBudget(bytes, dataBytes.value_or(source_.size())))
            return true;
        tooLarge_ = failed_ = true;
        return false;
    }

    HDIB allocate(HDIB picture)
    {
        if (!picture)
            outOfMemory_ = failed_ = true;
        return picture;
    }

    // Writes samples into one colour of a 24-bit row (plane -1: all three, for grey).
    static void putColour(HDIB& image, std::uint32_t row, int plane, const std::uint8_t* samples)
    {
        std::uint8_t* out = image.row(int(row));
        const int width = image.width();
        if (plane < 0) {
            for (int x = 0; x < width; ++x)
                out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = samples[x];
            return;
        }
        out += 2 - plane;  // red is the third byte of a pixel
        for (int x = 0; x < width; ++x)
            out[3 * x] = samples[x];
    }

    bool decodeInto(const PsdChannel& channel, std::uint32_t width, std::uint32_t height, const PsdRowSink& sink)
    {
        const auto data = readChannel(source_, channel.offset, channel.length, buffer_);
        if (!data || !withinBudget(PsdDecodedBytes(data->compression, {width, height, header_.depth, 1}), data->bytes.size()))
            return false;
        return DecodePsdPlanes(data->bytes, data->compression, {width, height, header_.depth, 1}, 1, sink);
    }

    void decodeChannels(const PsdLayerRecord& record, PsdLayer& layer)
    {
        const std::uint32_t width = std::uint32_t(layer.image.width());
        const std::uint32_t height = std::uint32_t(layer.image.height());
        const bool grey = header_.mode == kPsdGreyscale;
        for (const PsdChannel& channel : record.channels) {
            if (AbortRequested()) {
                failed_ = cancelled_ = true;
                return;
            }
            bool ok = true;
            if (channel.id >= 0 && channel.id < (grey ? 1 : 3)) {
                ok = decodeInto(channel, width, height, [&](std::uint32_t, std::uint32_t y, const std::uint8_t* samples) {
                    putColour(layer.image, height - 1 - y, grey ? -1 : channel.id, samples);
                });
            } else if (channel.id == kPsdTransparencyChannel) {
                ok = decodeInto(channel, width, height, [&](std::uint32_t, std::uint32_t y, const std::uint8_t* samples) {
                    std::copy(samples, samples + width, layer.mask.row(int(height - 1 - y)));
                });
            }
            if (!ok) {
                failed_ = true;
                return;
            }
            reportChannel();
        }
        if (const PsdChannel* user = record.channel(kPsdUserMaskChannel); user && !(record.maskFlags & 2))
            applyUserMask(record, *user, layer);
    }

    // The user mask covers its own rectangle; outside it the mask's default value holds.
    // The layer's coverage is its transparency times that mask.
    void applyUserMask(const PsdLayerRecord& record, const PsdChannel& channel, PsdLayer& layer)
    {
        const PsdRect bounds = record.hasMaskRect() ? record.maskRect : record.rect;
        const std::uint32_t width = std::uint32_t(bounds.width());
        const std::uint32_t height = std::uint32_t(bounds.height());
        const std::uint32_t layerHeight = std::uint32_t(layer.mask.height());
        const std::int64_t layerWidth = layer.mask.width();
        const std::uint8_t outside = record.maskDefault;
        std::vector<bool> covered(layerHeight, false);
        const auto scale = [](std::uint8_t& coverage, unsigned by) { coverage = std::uint8_t((coverage * by + 127) / 255); };
        const bool ok = width == 0 || height == 0 ||
                        decodeInto(channel, width, height, [&](std::uint32_t, std::uint32_t y, const std::uint8_t* samples) {
                            const std::int64_t layerRow = std::int64_t(bounds.top) + y - record.rect.top;
                            if (layerRow < 0 || layerRow >= layerHeight)
                                return;
                            covered[std::size_t(layerRow)] = true;
                            std::uint8_t* out = layer.mask.row(int(layerHeight - 1 - layerRow));
                            for (std::int64_t x = 0; x < layerWidth; ++x) {
                                const std::int64_t maskColumn = record.rect.left + x - bounds.left;
                                scale(out[x], maskColumn >= 0 && maskColumn < width ? samples[maskColumn] : outside);
                            }
                        });
        if (!ok) {
            failed_ = true;
            return;
        }
        for (std::uint32_t r = 0; r < layerHeight; ++r)
            if (!covered[r]) {
                std::uint8_t* out = layer.mask.row(int(layerHeight - 1 - r));
                for (std::int64_t x = 0; x < layerWidth; ++x)
                    scale(out[x], outside);
            }
    }

    void reportChannel()
    {
        ++channelsDone_;
        if (channelsDone_ % 4 == 0)
            ReportProgress(kProgressReading, int(std::min<std::uint64_t>(99, source_.position() * 100 / source_.size())));
    }

    ByteSource& source_;
    const PsdStructure& structure_;
    const PsdHeader& header_;
    bool failed_ = false;
    bool outOfMemory_ = false;
    bool cancelled_ = false;
    bool tooLarge_ = false;
    std::uint64_t channelsDone_ = 0;
    std::vector<std::uint8_t> buffer_;
};

// The records that hold pictures, file order (bottom first). Group folders and their end
// markers are left out; the layers of a hidden group arrive hidden.
std::vector<PsdLayerRecord> pictureLayers(std::vector<PsdLayerRecord> records)
{
    std::vector<PsdLayerRecord> kept;
    std::vector<bool> hiddenGroups;  // enclosing groups, walking down from the top
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        switch (it->section) {
        case PsdSection::OpenFolder:
        case PsdSection::ClosedFolder:
            hiddenGroups.push_back(it->hidden() || (!hiddenGroups.empty() && hiddenGroups.back()));
            break;
        case PsdSection::Divider:
            if (!hiddenGroups.empty())
                hiddenGroups.pop_back();
            break;
        case PsdSection::Layer:
            if (!hiddenGroups.empty() && hiddenGroups.back())
                it->flags |= 2;
            kept.push_back(std::move(*it));
            break;
        }
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

// The merged image must be there and fill the canvas: that bounds the document by the file.
bool canvasFits(ByteSource& source, const PsdStructure& structure)
{
    const PsdHeader& h = structure.header;
    std::uint8_t code[2];
    if (!source.seek(structure.mergedDataOffset) || !source.readExact(code, 2))
        return false;
    const PsdPlaneShape shape{h.width, h.height, h.depth, h.channels};
    const std::uint16_t compression = LoadBE16(code);
    return compression <= kPsdZipPredicted && PsdMinimumEncodedBytes(compression, shape) <= source.remaining();
}

}  // namespace

PsdDecode DecodePsd(ByteSource& source)
{
    PsdDecode decode;
    PsdParse parse = ReadPsdStructure(source);
    decode.header = parse.structure.header;
    decode.problem = parse.problem;
    if (parse.problem != PsdProblem::None)
        return decode;
    if ((decode.problem = CheckPsdModeAndDepth(decode.header)) != PsdProblem::None)
        return decode;
    decode.problem = PsdProblem::Broken;
    const PsdStructure& structure = parse.structure;
    if (!canvasFits(source, structure))
        return decode;
    // The composite and a layer of the whole canvas are pictures of the canvas's size.
    if ((decode.failure = CheckPictureBudget(rgbBytes(structure.header.width, structure.header.height),
                                             source.size())))
        return decode;

    PsdDocument& document = decode.document;
    document.width = std::int32_t(structure.header.width);
    document.height = std::int32_t(structure.header.height);
    document.xPelsPerMeter = structure.xPelsPerMeter;
    document.yPelsPerMeter = structure.yPelsPerMeter;

    Decoder decoder(source, structure);
    const std::vector<PsdLayerRecord> records = pictureLayers(parse.structure.layers);
    document.fileLayers = records.size();
    if (records.empty()) {
        document.flattened = true;
        document.layers.push_back(decoder.merged());
    } else {
        const std::size_t merged = records.size() > kPsdMostLayers ? records.size() - kPsdKeptLayers : 0;
        std::optional<PsdLayerFold> fold;
        if (merged)
            fold.emplace(document.width, document.height);
        for (std::size_t i = 0; i < records.size() && !decoder.failed(); ++i) {
            if (!records[i].normalBlend())
                document.approximated.push_back(std::string(FirstCharacters(records[i].name, kPsdNameCharacters)));
            PsdLayer layer = decoder.layer(records[i]);
            if (i < merged)
                fold->layOver(layer);
            else
                document.layers.push_back(std::move(layer));
        }
        if (merged && !decoder.failed()) {
            PsdLayer bottom = fold->take(std::string(LoadString(kBackgroundNameString)));
            if (!bottom.image) {
                decode.outOfMemory = true;
                return decode;
            }
            document.layers.insert(document.layers.begin(), std::move(bottom));
            document.merged = merged;
        }
        std::reverse(document.layers.begin(), document.layers.end());
    }
    decode.outOfMemory = decoder.outOfMemory();
    decode.cancelled = decoder.cancelled();
    if (decoder.tooLarge())
        decode.failure = FileFailure(FileProblem::TooLarge);
    if (decoder.failed())
        return decode;
    decode.problem = PsdProblem::None;
    return decode;
}

}  // namespace lv
