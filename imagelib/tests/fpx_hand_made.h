#pragma once
// FlashPix files made by hand, field by field, in the published layout or the one our
// writer used before.

#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_storage.h"
#include "pictures.h"

#include <jpeglib.h>

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace lv::testing {

using namespace flashpix;

// A 64 x 64 tile coded alone by the JPEG library, without a JFIF marker; `row(y)` gives
// its rows. Without tables, the stream is abbreviated as the tiles' streams are meant to be.
template <typename Row>
std::vector<std::uint8_t> CodeTileAlone(int channels, J_COLOR_SPACE space, int quality, bool withTables, Row row)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = cinfo.image_height = 64;
    cinfo.input_components = channels;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = FALSE;
    if (!withTables)
        jpeg_suppress_tables(&cinfo, TRUE);
    jpeg_start_compress(&cinfo, withTables);
    for (int y = 0; y < 64; ++y) {
        JSAMPROW r = const_cast<JSAMPROW>(row(y));
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    jpeg_destroy_compress(&cinfo);
    return out;
}

// Property sets, tile tables and tiles laid out byte by byte.
inline std::vector<std::uint8_t> PropertyStream(const std::vector<std::pair<std::uint32_t, Bytes>>& properties)
{
    Bytes section;
    std::uint32_t offset = 8 + 8 * std::uint32_t(properties.size());
    std::uint32_t size = offset;
    for (const auto& p : properties)
        size += std::uint32_t(p.second.size());
    section.u32(size).u32(std::uint32_t(properties.size()));
    for (const auto& p : properties) {
        section.u32(p.first).u32(offset);
        offset += std::uint32_t(p.second.size());
    }
    for (const auto& p : properties)
        section.bytes(p.second.data);
    Bytes stream;
    stream.u16(0xFFFE).u16(0).u32(0x00020005).zeros(16).u32(1);
    stream.data.insert(stream.data.end(), kImageContentsFormat.begin(), kImageContentsFormat.end());
    return stream.u32(48).bytes(section.data).data;
}

inline Bytes UI4(std::uint32_t v) { return Bytes().u32(19).u32(v); }
inline Bytes Blob(const Bytes& b)
{
    Bytes out;
    out.u32(65).u32(std::uint32_t(b.size())).bytes(b.data);
    while (out.size() % 4)
        out.u8(0);
    return out;
}
inline Bytes Colours(ColourSpace space, int channels, FileLayout layout = FileLayout::Published)
{
    Bytes b;
    if (layout == FileLayout::Published)
        b.u32(1);
    b.u32(std::uint32_t(channels));
    for (int c = 0; c < channels; ++c)
        b.u32(std::uint32_t(space) << 16 | std::uint32_t(c));
    return b;
}

struct HandTile {
    std::uint32_t compression, subtype;
    std::vector<std::uint8_t> bytes;
};

// The 28-byte header of a subimage stream in the published layout.
inline Bytes StreamHeader(FileLayout layout)
{
    return layout == FileLayout::Published ? Bytes().u16(0xFFFE).u16(0).u32(0x00020005).zeros(20) : Bytes();
}

inline std::vector<std::uint8_t> TileHeader(std::uint32_t w, std::uint32_t h, std::uint32_t channels,
                                     const std::vector<HandTile>& tiles, FileLayout layout)
{
    Bytes b = StreamHeader(layout);
    b.u32(36).u32(w).u32(h).u32(std::uint32_t(tiles.size())).u32(64).u32(64).u32(channels).u32(36).u32(16);
    std::uint32_t offset = 0;
    for (const auto& t : tiles) {
        b.u32(offset).u32(std::uint32_t(t.bytes.size())).u32(t.compression).u32(t.subtype);
        offset += std::uint32_t(t.bytes.size());
    }
    return b.data;
}

inline std::vector<std::uint8_t> TileData(const std::vector<HandTile>& tiles, FileLayout layout)
{
    std::vector<std::uint8_t> data = StreamHeader(layout).data;
    for (const auto& t : tiles)
        data.insert(data.end(), t.bytes.begin(), t.bytes.end());
    return data;
}

struct HandLevel {
    std::uint32_t width, height;
    ColourSpace space;
    int channels;
    std::vector<HandTile> tiles;
    std::optional<Bytes> colours = std::nullopt;  // the subimage colour, when not the plain one
};

inline std::vector<std::uint8_t> HandMadeFile(const std::vector<HandLevel>& levels,
                                       std::vector<std::pair<std::uint32_t, Bytes>> extra = {},
                                       FileLayout layout = FileLayout::Published)
{
    std::vector<std::pair<std::uint32_t, Bytes>> properties = {{kNumberOfResolutions, UI4(std::uint32_t(levels.size()))}};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        properties.push_back({ForLevel(kSubimageWidth, int(i)), UI4(levels[i].width)});
        properties.push_back({ForLevel(kSubimageHeight, int(i)), UI4(levels[i].height)});
        properties.push_back({ForLevel(kSubimageColour, int(i)), Blob(levels[i].colours.value_or(Colours(levels[i].space, levels[i].channels, layout)))});
    }
    properties.insert(properties.end(), extra.begin(), extra.end());
    StorageWriter storage;
    const bool published = layout == FileLayout::Published;
    storage.setRootClass(published ? kImageViewClass : kImageClass);
    if (published)
        storage.openStorage(kDataObjectStore, kImageClass);
    storage.addStream(kImageContentsStream, PropertyStream(properties));
    for (std::size_t i = 0; i < levels.size(); ++i) {
        storage.openStorage(ResolutionStorageName(int(i)));
        storage.addStream(kSubimageHeaderStream, TileHeader(levels[i].width, levels[i].height,
                                                            std::uint32_t(levels[i].channels), levels[i].tiles, layout));
        storage.addStream(kSubimageDataStream, TileData(levels[i].tiles, layout));
        storage.closeStorage();
    }
    const auto file = storage.finish();
    return {file.begin(), file.end()};
}

// An uncompressed tile whose sample for pixel (x, y), channel c, is f(x, y, c).
template <typename F>
HandTile RawTile(int channels, F f)
{
    HandTile tile{kUncompressed, 0, {}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < channels; ++c)
                tile.bytes.push_back(std::uint8_t(f(x, y, c)));
    return tile;
}
}  // namespace lv::testing
