#include "imagelib/flashpix/fpx_jpeg_tiles.h"

#include "imagelib/flashpix/fpx_layout.h"

#include <jerror.h>

#include <algorithm>
#include <cstring>
#include <new>

// As in the JPEG codec, library errors arrive by longjmp into the functions that call
// setjmp; those hold no object with a destructor.

namespace lv::flashpix {

struct JpegTileEncoder::Destination {
    jpeg_destination_mgr library;  // first: the library's pointer converts back
    std::vector<std::uint8_t>* out;
    std::uint8_t buffer[4096];
};

namespace {

constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;

JpegTileEncoder::Destination& destinationOf(j_compress_ptr cinfo)
{
    return *reinterpret_cast<JpegTileEncoder::Destination*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo)
{
    auto& d = destinationOf(cinfo);
    d.library.next_output_byte = d.buffer;
    d.library.free_in_buffer = sizeof d.buffer;
}

void flushDestination(j_compress_ptr cinfo, std::size_t used)
{
    auto& d = destinationOf(cinfo);
    try {
        d.out->insert(d.out->end(), d.buffer, d.buffer + used);
    } catch (...) {
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    }
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    auto& d = destinationOf(cinfo);
    flushDestination(cinfo, sizeof d.buffer);
    d.library.next_output_byte = d.buffer;
    d.library.free_in_buffer = sizeof d.buffer;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    auto& d = destinationOf(cinfo);
    flushDestination(cinfo, sizeof d.buffer - d.library.free_in_buffer);
}

void attach(j_compress_ptr cinfo, std::vector<std::uint8_t>& out)
{
    if (!cinfo->dest) {
        cinfo->dest = static_cast<jpeg_destination_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(JpegTileEncoder::Destination)));
        cinfo->dest->init_destination = initDestination;
        cinfo->dest->empty_output_buffer = emptyOutputBuffer;
        cinfo->dest->term_destination = termDestination;
    }
    destinationOf(cinfo).out = &out;
}

// Memory source without copying; a stream cut short ends as if its end marker followed.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
void initSource(j_decompress_ptr) {}
boolean fillInput(j_decompress_ptr cinfo)
{
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = kEndOfImage;
    cinfo->src->bytes_in_buffer = 2;
    return TRUE;
}
void skipInput(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    if (std::size_t(count) > cinfo->src->bytes_in_buffer) {
        fillInput(cinfo);
        return;
    }
    cinfo->src->next_input_byte += count;
    cinfo->src->bytes_in_buffer -= std::size_t(count);
}
void termSource(j_decompress_ptr) {}

void attach(j_decompress_ptr cinfo, std::span<const std::uint8_t> bytes)
{
    if (!cinfo->src) {
        cinfo->src = static_cast<jpeg_source_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
        cinfo->src->init_source = initSource;
        cinfo->src->fill_input_buffer = fillInput;
        cinfo->src->skip_input_data = skipInput;
        cinfo->src->resync_to_restart = jpeg_resync_to_restart;
        cinfo->src->term_source = termSource;
    }
    cinfo->src->next_input_byte = bytes.data();
    cinfo->src->bytes_in_buffer = bytes.size();
}

}  // namespace

JpegTileEncoder::JpegTileEncoder(int channels, int quality)
{
    cinfo_.err = InstallJpegErrorManager(errors_);
    ok_ = setUp(channels, quality) && learnTileLayout(channels);
}

JpegTileEncoder::~JpegTileEncoder()
{
    jpeg_destroy_compress(&cinfo_);
}

bool JpegTileEncoder::setUp(int channels, int quality)
{
    if (setjmp(errors_.jump))
        return false;
    jpeg_create_compress(&cinfo_);
    cinfo_.image_width = kTileSize;
    cinfo_.image_height = kTileSize;
    cinfo_.input_components = channels;
    cinfo_.in_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo_);
    jpeg_set_quality(&cinfo_, quality, TRUE);
    // Tiles carry no JFIF marker: the tile table says what the channels are.
    cinfo_.write_JFIF_header = FALSE;
    cinfo_.dct_method = JDCT_ISLOW;
    attach(&cinfo_, tables_);
    jpeg_write_tables(&cinfo_);
    return true;
}

// Codes one blank tile alone: its headers are every tile's, and its MCU count is the
// restart interval that puts a marker at each tile's start.
bool JpegTileEncoder::learnTileLayout(int channels)
{
    try {
        const std::vector<std::uint8_t> blank(std::size_t(kTileSize) * std::size_t(channels));
        std::vector<const std::uint8_t*> rows(kTileSize, blank.data());
        if (!code(rows, 0))
            return false;
        const std::size_t headers = codedDataStart();
        if (headers == 0)
            return false;
        tileHeaders_.assign(coded_.begin(), coded_.begin() + std::ptrdiff_t(headers));
    } catch (const std::bad_alloc&) {
        return false;
    }
    mcusPerTile_ = cinfo_.MCUs_per_row * cinfo_.MCU_rows_in_scan;
    return mcusPerTile_ > 0;
}

bool JpegTileEncoder::code(std::span<const std::uint8_t* const> rows, unsigned restartInterval)
{
    coded_.clear();
    if (setjmp(errors_.jump)) {
        jpeg_abort_compress(&cinfo_);
        return false;
    }
    attach(&cinfo_, coded_);
    cinfo_.image_height = JDIMENSION(rows.size());
    cinfo_.restart_interval = restartInterval;
    jpeg_suppress_tables(&cinfo_, TRUE);
    jpeg_start_compress(&cinfo_, FALSE);
    // The library only reads the rows.
    const JSAMPARRAY all = const_cast<JSAMPARRAY>(rows.data());
    while (cinfo_.next_scanline < cinfo_.image_height)
        jpeg_write_scanlines(&cinfo_, all + cinfo_.next_scanline, cinfo_.image_height - cinfo_.next_scanline);
    jpeg_finish_compress(&cinfo_);
    return true;
}

std::size_t JpegTileEncoder::codedDataStart() const
{
    const std::vector<std::uint8_t>& s = coded_;
    if (s.size() < 2 || s[0] != 0xFF || s[1] != kStartOfImage)
        return 0;
    // Marker segments, each with a two-byte length, up to and including the scan header.
    for (std::size_t at = 2; at + 4 <= s.size();) {
        if (s[at] != 0xFF)
            return 0;
        const std::uint8_t marker = s[at + 1];
        at += 2 + (std::size_t(s[at + 2]) << 8 | s[at + 3]);
        if (marker == kStartOfScan)
            return at <= s.size() ? at : 0;
    }
    return 0;
}

bool JpegTileEncoder::encode(std::span<const std::uint8_t* const> rows, std::vector<std::uint8_t>& out,
                             std::vector<std::uint32_t>& sizes)
{
    if (!ok_ || rows.size() % kTileSize != 0)
        return false;
    try {
        // The stacked picture's height must stay below the format's limit.
        constexpr std::size_t kTilesPerRun = 256;
        for (std::size_t first = 0; first < rows.size(); first += kTilesPerRun * kTileSize) {
            const auto run = rows.subspan(first, std::min(rows.size() - first, kTilesPerRun * kTileSize));
            if (!code(run, mcusPerTile_) || !splitTiles(run.size() / kTileSize, out, sizes))
                return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Cuts the coded data at the restart markers and the end marker. The coder follows
// every 0xFF in coded data with a zero byte, so any other 0xFF pair is a marker.
bool JpegTileEncoder::splitTiles(std::size_t tiles, std::vector<std::uint8_t>& out, std::vector<std::uint32_t>& sizes)
{
    const std::size_t dataStart = codedDataStart();
    if (dataStart == 0)
        return false;
    const std::uint8_t* const end = coded_.data() + coded_.size();
    const std::uint8_t* tileData = coded_.data() + dataStart;
    std::size_t found = 0;
    for (const std::uint8_t* at = tileData; found < tiles;) {
        at = static_cast<const std::uint8_t*>(std::memchr(at, 0xFF, std::size_t(end - at)));
        if (!at || end - at < 2)
            return false;
        const std::uint8_t marker = at[1];
        if (marker == 0) {
            at += 2;
            continue;
        }
        const unsigned expected = found + 1 == tiles ? JPEG_EOI : JPEG_RST0 + unsigned(found % 8);
        if (marker != expected)
            return false;
        const std::size_t before = out.size();
        out.insert(out.end(), tileHeaders_.begin(), tileHeaders_.end());
        out.insert(out.end(), tileData, at);
        out.push_back(0xFF);
        out.push_back(JPEG_EOI);
        sizes.push_back(std::uint32_t(out.size() - before));
        ++found;
        at += 2;
        tileData = at;
    }
    return true;
}

JpegTileDecoder::JpegTileDecoder()
{
    cinfo_.err = InstallJpegErrorManager(errors_);
    created_ = create();
}

JpegTileDecoder::~JpegTileDecoder()
{
    jpeg_destroy_decompress(&cinfo_);
}

bool JpegTileDecoder::create()
{
    if (setjmp(errors_.jump))
        return false;
    jpeg_create_decompress(&cinfo_);
    return true;
}

bool JpegTileDecoder::decode(std::span<const std::uint8_t> tables, std::span<const std::uint8_t> tile,
                             TileColour colour, int channels, std::uint8_t* out, std::ptrdiff_t stride)
{
    if (!created_ || tile.empty())
        return false;
    if (setjmp(errors_.jump)) {
        jpeg_abort_decompress(&cinfo_);
        loadedTables_ = nullptr;
        return false;
    }
    // Tables stay loaded in the decompressor from one tile to the next.
    if (!tables.empty() && tables.data() != loadedTables_) {
        attach(&cinfo_, tables);
        if (jpeg_read_header(&cinfo_, FALSE) != JPEG_HEADER_TABLES_ONLY)
            ERREXIT(&cinfo_, JERR_NOTIMPL);
        loadedTables_ = tables.data();
    }
    attach(&cinfo_, tile);
    jpeg_read_header(&cinfo_, TRUE);
    if (cinfo_.image_width > JDIMENSION(kTileSize) || cinfo_.image_height > JDIMENSION(kTileSize) ||
        cinfo_.num_components != channels || cinfo_.progressive_mode)
        ERREXIT(&cinfo_, JERR_NOTIMPL);
    if (colour == TileColour::FromYCbCr && channels == 3) {
        cinfo_.jpeg_color_space = JCS_YCbCr;
        cinfo_.out_color_space = JCS_EXT_BGR;
    } else {
        cinfo_.jpeg_color_space = JCS_UNKNOWN;
        cinfo_.out_color_space = JCS_UNKNOWN;
    }
    jpeg_start_decompress(&cinfo_);
    while (cinfo_.output_scanline < cinfo_.output_height) {
        JSAMPROW row = out + std::ptrdiff_t(cinfo_.output_scanline) * stride;
        if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1)
            ERREXIT(&cinfo_, JERR_NOTIMPL);
    }
    jpeg_finish_decompress(&cinfo_);
    return true;
}

}  // namespace lv::flashpix
