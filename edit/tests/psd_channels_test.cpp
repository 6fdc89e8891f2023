// Channel data and names of Photoshop documents: run-length rows, deflate rows, 16-bit
// samples and UTF-16 names, at their boundaries and when they are damaged.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "edit/psd/psd_channels.h"
#include "edit/psd/psd_import.h"
#include "edit/psd/psd_names.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes unpack(const Bytes& in, std::size_t room)
{
    Bytes out(room, 0xEE);
    out.resize(UnpackBits(in, out));
    return out;
}

TEST(PsdChannels, PackBitsRunsLiteralsAndTheirEnds)
{
    EXPECT_EQ(unpack({2, 'a', 'b', 'c', 0xFE, 'z'}, 16), (Bytes{'a', 'b', 'c', 'z', 'z', 'z'}));
    EXPECT_EQ(unpack({0x81, 7}, 200), Bytes(128, 7));            // the longest run
    EXPECT_EQ(unpack({0x80, 0, 'q'}, 8), (Bytes{'q'}));           // -128 is no operation
    EXPECT_EQ(unpack({0xFD, 1, 0xFD, 2}, 6), (Bytes{1, 1, 1, 1, 2, 2}));  // stops when the row is full
    EXPECT_EQ(unpack({5, 'a', 'b'}, 8), (Bytes{'a', 'b'}));       // a literal cut by the end of data
    EXPECT_EQ(unpack({0xFE}, 8), Bytes{});                        // a run without its byte
}

struct Rows {
    std::vector<Bytes> rows;
    PsdRowSink sink()
    {
        return [this](std::uint32_t plane, std::uint32_t y, const std::uint8_t* samples) {
            rows.push_back(Bytes{std::uint8_t(plane), std::uint8_t(y)});
            rows.back().insert(rows.back().end(), samples, samples + width);
        };
    }
    std::uint32_t width;
};

TEST(PsdChannels, SixteenBitSamplesRoundToEightBits)
{
    Bytes raw;
    for (const std::uint16_t v : std::initializer_list<std::uint16_t>{0, 128, 129, 32767, 32896, 65406, 65535})
        raw.push_back(std::uint8_t(v >> 8)), raw.push_back(std::uint8_t(v));
    Rows got{{}, 7};  // (v × 255 + 32895) >> 16: 128 → 0, 129 → 1, 65406 → 254
    ASSERT_TRUE(DecodePsdPlanes(raw, kPsdRaw, {7, 1, 16, 1}, 1, got.sink()));
    ASSERT_EQ(got.rows.size(), 1u);
    EXPECT_EQ(got.rows[0], (Bytes{0, 0, 0, 0, 1, 127, 128, 254, 255}));
}

TEST(PsdChannels, PackBitsPlanesFollowTheirRowTable)
{
    // Two planes of two rows; only the first two planes are wanted of three declared.
    const Bytes data = {0, 2, 0, 3, 0, 2, 0, 2,  0, 2, 0, 2,   // row lengths (three planes × two rows)
                        0xFD, 9,   1, 4, 5,   0xFD, 6,   0xFD, 7,   0xFD, 1,   0xFD, 2};
    Rows got{{}, 4};
    ASSERT_TRUE(DecodePsdPlanes(data, kPsdPackBits, {4, 2, 8, 3}, 2, got.sink()));
    ASSERT_EQ(got.rows.size(), 4u);
    // A short row is filled with zeros.
    EXPECT_EQ(std::tuple(got.rows[0], got.rows[1], got.rows[3]), std::tuple(Bytes{0, 0, 9, 9, 9, 9}, Bytes{0, 1, 4, 5, 0, 0}, Bytes{1, 1, 7, 7, 7, 7}));

    Bytes lying = data;
    StoreBE16(&lying[2], 400);
    // A row longer than the data left, no room for the table, an unknown compression, raw rows cut short.
    EXPECT_FALSE(DecodePsdPlanes(lying, kPsdPackBits, {4, 2, 8, 3}, 2, got.sink()) ||
                 DecodePsdPlanes(Bytes(11, 0), kPsdPackBits, {4, 2, 8, 3}, 2, got.sink()) ||
                 DecodePsdPlanes(Bytes(100, 0), 4, {4, 2, 8, 1}, 1, got.sink()) ||
                 DecodePsdPlanes(Bytes(7, 0), kPsdRaw, {4, 2, 8, 1}, 1, got.sink()));
}

Bytes deflate(const Bytes& plain)
{
    uLongf size = compressBound(uLong(plain.size()));
    Bytes out(size);
    compress(out.data(), &size, plain.data(), uLong(plain.size()));
    out.resize(size);
    return out;
}

TEST(PsdChannels, DeflateRowsWithDifferencesAddUpAcrossEachRow)
{
    // 16-bit samples 1000, 1000 + 300, 1300 - 1400 (wrapping below zero): two rows.
    Bytes plain;
    for (const std::uint16_t v : std::initializer_list<std::uint16_t>{1000, 300, std::uint16_t(-1400), 65535, 1, 0})
        plain.push_back(std::uint8_t(v >> 8)), plain.push_back(std::uint8_t(v));
    Rows got{{}, 3};
    ASSERT_TRUE(DecodePsdPlanes(deflate(plain), kPsdZipPredicted, {3, 2, 16, 1}, 1, got.sink()));
    ASSERT_EQ(got.rows.size(), 2u);
    // 1000 → 4, 1300 → 5, 65436 → 255 (wrapped), then 65535, 0, 0.
    EXPECT_EQ(std::pair(got.rows[0], got.rows[1]), std::pair(Bytes{0, 0, 4, 5, 255}, Bytes{0, 1, 255, 0, 0}));

    Bytes plain8 = {10, 5, 250};
    Rows eight{{}, 3};
    ASSERT_TRUE(DecodePsdPlanes(deflate(plain8), kPsdZipPredicted, {3, 1, 8, 1}, 1, eight.sink()));
    EXPECT_EQ(eight.rows[0], (Bytes{0, 0, 10, 15, 9}));

    Rows ignored{{}, 3};
    EXPECT_FALSE(DecodePsdPlanes(Bytes{0x78, 0x9C, 0xFF, 0xFF}, kPsdZip, {3, 2, 16, 1}, 1, ignored.sink()));
}

TEST(PsdChannels, TheLeastDataEachCompressionNeeds)
{
    const PsdPlaneShape shape{300, 10, 8, 3};
    EXPECT_EQ((std::vector<std::uint64_t>{PsdMinimumEncodedBytes(kPsdRaw, shape), PsdMinimumEncodedBytes(kPsdPackBits, shape),
                                          PsdMinimumEncodedBytes(kPsdZip, shape), PsdMinimumEncodedBytes(kPsdPackBits, {300, 10, 16, 3}),
                                          PsdMinimumEncodedBytes(9, shape)}),
              (std::vector<std::uint64_t>{9000, 30 * 2 + 30 * 3 * 2, 9000 / 1032, 30 * 2 + 30 * 5 * 2, 0}));
}

TEST(PsdNames, UnicodeNamesAndTheirLength)
{
    const Bytes text = {0x00, 'C', 0x00, 0xE9, 0x20, 0xAC, 0xD8, 0x3D, 0xDE, 0x00, 0xDC, 0x00, 0x00, 'x', 0x00, 0x00, 0x00, 'y'};
    EXPECT_EQ(Utf16BigEndianToUtf8(text), "Cé€😀\xEF\xBF\xBDx");  // a lone low surrogate, then the NUL ends it
    EXPECT_EQ(Utf16BigEndianToUtf8(Bytes{0xD8, 0x00}), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16BigEndianToUtf8(Bytes{0x00, 'a', 0x00}), "a");  // an odd byte is dropped

    EXPECT_EQ((std::vector<std::string_view>{FirstCharacters("ação", 2), FirstCharacters("ação", 4), FirstCharacters("ação", 9),
                                        FirstCharacters("😀😀", 1), FirstCharacters("abc", 0)}),
              (std::vector<std::string_view>{"aç", "ação", "ação", "😀", ""}));
}

// Photoshop documents that declare huge pictures and pack them with deflate: a file of a
// few hundred kilobytes must not make the reader allocate hundreds of megabytes.

// `size` zero bytes through deflate at its best.
Bytes DeflatedZeros(std::uint64_t size)
{
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const Bytes zeros(1 << 20, 0);
    Bytes out;
    Bytes chunk(1 << 16);
    for (std::uint64_t left = size;;) {
        const std::size_t now = std::size_t(std::min<std::uint64_t>(left, zeros.size()));
        stream.next_in = const_cast<Bytef*>(zeros.data());
        stream.avail_in = uInt(now);
        left -= now;
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int status = Z_OK;
        do {
            stream.next_out = chunk.data();
            stream.avail_out = uInt(chunk.size());
            status = deflate(&stream, flush);
            out.insert(out.end(), chunk.begin(), chunk.end() - stream.avail_out);
        } while (stream.avail_out == 0);
        if (status == Z_STREAM_END)
            break;
    }
    deflateEnd(&stream);
    return out;
}

// A flattened 8-bit RGB document whose merged image is deflated zeros.
Bytes FlatZipPsd(std::uint32_t width, std::uint32_t height)
{
    Bytes file(26 + 12, 0);
    std::memcpy(file.data(), "8BPS", 4);
    StoreBE16(file.data() + 4, 1);
    StoreBE16(file.data() + 12, 3);  // channels
    StoreBE32(file.data() + 14, height);
    StoreBE32(file.data() + 18, width);
    StoreBE16(file.data() + 22, 8);
    StoreBE16(file.data() + 24, 3);  // RGB
    file.push_back(0);
    file.push_back(kPsdZip);
    const Bytes stream = DeflatedZeros(std::uint64_t(width) * height * 3);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

// A hostile file of this kind refused as too large, opened flattened and layered, is the tool's
// hostile-seeds test; the reader's own limit on what deflate may expand is below.
TEST(PsdBudget, ASmallCanvasOfDeflatedZerosOpensBlack)
{
    testing::UiRecorder ui;
    const Bytes smallFile = FlatZipPsd(300, 200);
    MemorySource small(smallFile);
    const PsdOpened fine = OpenPsd(small);
    ASSERT_TRUE(fine.stack);
    EXPECT_EQ(std::tuple(fine.stack->composite.width(), int(fine.stack->composite.row(0)[0])), std::tuple(300, 0));
}

TEST(PsdBudget, DeflateExpandsNoFurtherThanThePictureBudget)
{
    const Bytes stream = DeflatedZeros(std::uint64_t(6000) * 6000 * 4);  // 144 MB from about 140 KB
    int rows = 0;
    const auto count = [&](std::uint32_t, std::uint32_t, const std::uint8_t*) { ++rows; };
    EXPECT_FALSE(DecodePsdPlanes(stream, kPsdZip, {6000, 6000, 8, 4}, 3, count));
    EXPECT_FALSE(DecodePsdPlanes(stream, kPsdZipPredicted, {6000, 6000, 8, 4}, 3, count));
    EXPECT_EQ(rows, 0);
    // Within the ratio-free part of the budget the same stream decodes.
    const Bytes modest = DeflatedZeros(std::uint64_t(2000) * 2000 * 4);
    EXPECT_TRUE(DecodePsdPlanes(modest, kPsdZip, {2000, 2000, 8, 4}, 3, count));
    EXPECT_EQ(rows, 6000);
}

}  // namespace
}  // namespace lv
