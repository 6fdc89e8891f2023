#include "imagelib/codecs/flashpix/fpx_jpeg_tiles.h"

#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_ycc.h"

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

// Codes one blank tile alone with a restart at each MCU row: its headers are every tile's,
// and its MCUs across are the restart interval of the wide pictures.
bool JpegTileEncoder::learnTileLayout(int channels)
{
    try {
        const std::vector<std::uint8_t> blank(std::size_t(kTileSize) * std::size_t(channels));
        const std::vector<const std::uint8_t*> rows(kTileSize, blank.data());
        // The interval comes from the layout, so learn that first without restarts.
        if (!code(rows, kTileSize, 0))
            return false;
        mcusAcrossTile_ = cinfo_.MCUs_per_row;
        mcuRowsPerTile_ = cinfo_.MCU_rows_in_scan;
        if (mcusAcrossTile_ == 0 || mcuRowsPerTile_ == 0 || !code(rows, kTileSize, mcusAcrossTile_))
            return false;
        const std::size_t headers = codedDataStart();
        if (headers == 0)
            return false;
        tileHeaders_.assign(coded_.begin(), coded_.begin() + std::ptrdiff_t(headers));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool JpegTileEncoder::code(std::span<const std::uint8_t* const> rows, unsigned width, unsigned restartInterval,
                           const RowsTaken& taken)
{
    coded_.clear();
    if (setjmp(errors_.jump)) {
        jpeg_abort_compress(&cinfo_);
        return false;
    }
    attach(&cinfo_, coded_);
    cinfo_.image_width = width;
    cinfo_.image_height = JDIMENSION(rows.size());
    cinfo_.restart_interval = restartInterval;
    jpeg_suppress_tables(&cinfo_, TRUE);
    jpeg_start_compress(&cinfo_, FALSE);
    // The library only reads the rows.
    const JSAMPARRAY all = const_cast<JSAMPARRAY>(rows.data());
    // One row group of MCUs at a time when someone wants the rows while they are fresh.
    const JDIMENSION step = taken ? JDIMENSION(cinfo_.max_v_samp_factor * DCTSIZE) : cinfo_.image_height;
    while (cinfo_.next_scanline < cinfo_.image_height) {
        const JDIMENSION first = cinfo_.next_scanline;
        jpeg_write_scanlines(&cinfo_, all + first, std::min(step, cinfo_.image_height - first));
        if (taken)
            taken(int(first), int(cinfo_.next_scanline - first));
    }
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

bool JpegTileEncoder::codeRow(std::span<const std::uint8_t* const> rows, int tilesAcross, const RowsTaken& taken)
{
    tilesAcross_ = 0;
    if (!ok_ || rows.size() != std::size_t(kTileSize) || tilesAcross < 1 || tilesAcross > kMaxTilesPerRun)
        return false;
    try {
        if (!code(rows, unsigned(tilesAcross) * kTileSize, mcusAcrossTile_, taken))
            return false;
        tilesAcross_ = tilesAcross;
        if (!findSegments()) {
            tilesAcross_ = 0;
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Cuts the coded data at the restart markers and the end marker. The coder follows
// every 0xFF in coded data with a zero byte, so any other 0xFF pair is a marker.
bool JpegTileEncoder::findSegments()
{
    const std::size_t dataStart = codedDataStart();
    if (dataStart == 0)
        return false;
    const std::size_t count = std::size_t(tilesAcross_) * mcuRowsPerTile_;
    segments_.clear();
    segments_.reserve(count);
    const std::uint8_t* const begin = coded_.data();
    const std::uint8_t* const end = begin + coded_.size();
    const std::uint8_t* segment = begin + dataStart;
    for (const std::uint8_t* at = segment; segments_.size() < count;) {
        at = static_cast<const std::uint8_t*>(std::memchr(at, 0xFF, std::size_t(end - at)));
        if (!at || end - at < 2)
            return false;
        const std::uint8_t marker = at[1];
        if (marker == 0) {
            at += 2;
            continue;
        }
        const unsigned expected = segments_.size() + 1 == count ? JPEG_EOI : JPEG_RST0 + unsigned(segments_.size() % 8);
        if (marker != expected)
            return false;
        segments_.push_back({std::size_t(segment - begin), std::size_t(at - begin)});
        at += 2;
        segment = at;
    }
    return true;
}

std::uint32_t JpegTileEncoder::appendTile(int tile, std::vector<std::uint8_t>& out) const
{
    if (tile < 0 || tile >= tilesAcross_)
        return 0;
    const std::size_t before = out.size();
    out.insert(out.end(), tileHeaders_.begin(), tileHeaders_.end());
    for (unsigned row = 0; row < mcuRowsPerTile_; ++row) {
        const Segment& s = segments_[std::size_t(row) * std::size_t(tilesAcross_) + std::size_t(tile)];
        out.insert(out.end(), coded_.begin() + std::ptrdiff_t(s.begin), coded_.begin() + std::ptrdiff_t(s.end));
        // Each stream numbers its restarts from 0, as a decoder expects.
        out.push_back(0xFF);
        out.push_back(std::uint8_t(row + 1 == mcuRowsPerTile_ ? JPEG_EOI : JPEG_RST0 + row % 8));
    }
    return std::uint32_t(out.size() - before);
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

// Tables stay loaded in the decompressor from one tile to the next. Called under the
// caller's error jump.
void JpegTileDecoder::loadTables(std::span<const std::uint8_t> tables)
{
    if (tables.empty() || tables.data() == loadedTables_)
        return;
    attach(&cinfo_, tables);
    if (jpeg_read_header(&cinfo_, FALSE) != JPEG_HEADER_TABLES_ONLY)
        ERREXIT(&cinfo_, JERR_NOTIMPL);
    loadedTables_ = tables.data();
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
    loadTables(tables);
    attach(&cinfo_, tile);
    jpeg_read_header(&cinfo_, TRUE);
    if (cinfo_.image_width > JDIMENSION(kTileSize) || cinfo_.image_height > JDIMENSION(kTileSize) ||
        cinfo_.num_components != channels || cinfo_.progressive_mode)
        ERREXIT(&cinfo_, JERR_NOTIMPL);
    cinfo_.raw_data_out = FALSE;
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

namespace lv::flashpix {

bool JpegTileDecoder::decodeRow(std::span<const std::uint8_t> tables, const WideTileStream& wide, int channels,
                                std::size_t pixels, const RowTarget& target)
{
    if (!created_ || wide.tiles < 1)
        return false;
    const std::size_t width = std::size_t(wide.tiles) * kTileSize;
    try {
        if (wide.halfChroma)
            planes_.resize(width * kTileSize * 3 / 2);
        else
            rowPixels_.resize(width * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return runRow(tables, wide, channels, std::min(pixels, width), target);
}

bool JpegTileDecoder::runRow(std::span<const std::uint8_t> tables, const WideTileStream& wide, int channels,
                             std::size_t pixels, const RowTarget& target)
{
    if (setjmp(errors_.jump)) {
        jpeg_abort_decompress(&cinfo_);
        loadedTables_ = nullptr;
        return false;
    }
    loadTables(tables);
    attach(&cinfo_, wide.bytes);
    jpeg_read_header(&cinfo_, TRUE);
    const std::size_t width = std::size_t(wide.tiles) * kTileSize;
    if (cinfo_.image_width != width || cinfo_.image_height != JDIMENSION(kTileSize) || cinfo_.num_components != channels)
        ERREXIT(&cinfo_, JERR_NOTIMPL);
    cinfo_.jpeg_color_space = channels == 3 ? JCS_YCbCr : JCS_UNKNOWN;
    cinfo_.out_color_space = channels == 3 ? (wide.halfChroma ? JCS_YCbCr : JCS_EXT_BGR) : JCS_UNKNOWN;
    cinfo_.raw_data_out = wide.halfChroma ? TRUE : FALSE;
    steering_.prepare(&cinfo_);
    jpeg_start_decompress(&cinfo_);
    steering_.start(&cinfo_);
    if (!wide.halfChroma) {
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW row = rowPixels_.data();
            const int y = int(cinfo_.output_scanline);
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1)
                ERREXIT(&cinfo_, JERR_NOTIMPL);
            if (std::uint8_t* out = target(y))
                std::memcpy(out, row, pixels * std::size_t(channels));
        }
    } else {
        // Raw planes, then the library's own upsampling and colour done tile by tile.
        std::uint8_t* const luma = planes_.data();
        std::uint8_t* const blue = luma + width * kTileSize;
        std::uint8_t* const red = blue + width * kTileSize / 4;
        const int group = cinfo_.max_v_samp_factor * DCTSIZE;
        while (cinfo_.output_scanline < cinfo_.output_height) {
            const std::size_t y = cinfo_.output_scanline;
            JSAMPROW lumaRows[2 * DCTSIZE], blueRows[DCTSIZE], redRows[DCTSIZE];
            for (int r = 0; r < group; ++r)
                lumaRows[r] = luma + (y + std::size_t(r)) * width;
            for (int r = 0; r < group / 2; ++r) {
                blueRows[r] = blue + (y / 2 + std::size_t(r)) * width / 2;
                redRows[r] = red + (y / 2 + std::size_t(r)) * width / 2;
            }
            JSAMPARRAY components[3] = {lumaRows, blueRows, redRows};
            if (jpeg_read_raw_data(&cinfo_, components, JDIMENSION(group)) != JDIMENSION(group))
                ERREXIT(&cinfo_, JERR_NOTIMPL);
        }
        const YccRow planes{luma, blue, red, width};
        for (int y = 0; y < kTileSize; ++y)
            if (std::uint8_t* out = target(y))
                TileRowToBgr(planes, y, pixels, out);
    }
    jpeg_finish_decompress(&cinfo_);
    cinfo_.raw_data_out = FALSE;
    return true;
}

}  // namespace lv::flashpix
