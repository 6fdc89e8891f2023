#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/bmp.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::Bytes;
using testing::MakePicture;

// A bitmap file with a 40-byte header; `data` follows the colour table directly.
Bytes BitmapFile(int width, int height, int bits, std::uint32_t compression, std::uint32_t clrUsed,
                 const std::vector<std::uint8_t>& table, const std::vector<std::uint8_t>& data)
{
    Bytes f;
    const std::uint32_t offset = 14 + 40 + std::uint32_t(table.size());
    f.text("BM").u32(offset + std::uint32_t(data.size())).u32(0).u32(offset);
    f.u32(40).u32(std::uint32_t(width)).u32(std::uint32_t(height)).u16(1).u16(std::uint16_t(bits));
    f.u32(compression).u32(0).u32(2835).u32(2835).u32(clrUsed).u32(0);
    f.data.insert(f.data.end(), table.begin(), table.end());
    f.data.insert(f.data.end(), data.begin(), data.end());
    return f;
}

std::vector<std::uint8_t> GreyTable(int n)
{
    std::vector<std::uint8_t> t;
    for (int i = 0; i < n; ++i)
        t.insert(t.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    return t;
}

ReadResult ReadBytes(const Bytes& file)
{
    MemorySource source(file.data);
    return ReadBmp(source);
}

std::vector<int> RowPixels(const HDIB& dib, int y, int count)
{
    std::vector<int> out;
    for (int x = 0; x < count; ++x)
        out.push_back(dib.bitCount() == 4 ? (x & 1 ? dib.row(y)[x / 2] & 15 : dib.row(y)[x / 2] >> 4) : dib.row(y)[x]);
    return out;
}

TEST(Bmp, EveryDepthRoundTripsThroughAFile)
{
    testing::TempDir dir;
    for (const unsigned bits : {1u, 4u, 8u, 24u}) {
        const unsigned colours = bits == 24 ? 0 : 1u << bits;
        HDIB dib = MakePicture(13, 7, bits, colours);
        for (std::size_t i = dib.pixelOffset(); i < dib.pixelOffset() + dib.header().biSizeImage; ++i)
            dib.data()[i] = std::uint8_t(i * 37);
        // Keep the padding zero, as every producer does.
        const std::size_t used = (13 * bits + 7) / 8;
        for (int y = 0; y < 7; ++y)
            std::fill(dib.row(y) + used, dib.row(y) + dib.stride(), 0);
        if (bits < 8)
            for (int y = 0; y < 7; ++y)
                dib.row(y)[used - 1] &= std::uint8_t(0xFF << (8 - (13 * bits) % 8) % 8);
        dib.header().biXPelsPerMeter = 3937;
        dib.header().biYPelsPerMeter = 11811;
        const std::string path = dir.file("rt" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(WriteBmp(path, dib), WriteResult::Written);
        ReadResult back = ReadBmp(path);
        ASSERT_TRUE(back.ok()) << bits;
        const HDIB& got = back.image();
        EXPECT_EQ(got.header().biXPelsPerMeter, 3937);
        EXPECT_EQ(got.header().biYPelsPerMeter, 11811);
        EXPECT_EQ(got.clrUsed(), colours);
        ASSERT_EQ(got.pixelOffset() + got.header().biSizeImage, dib.pixelOffset() + dib.header().biSizeImage);
        EXPECT_TRUE(std::equal(dib.data(), dib.data() + dib.pixelOffset() + dib.header().biSizeImage, got.data())) << bits;
    }
}

TEST(Bmp, WrittenFileHasTheDocumentedLayout)
{
    HDIB dib = MakePicture(3, 2, 8, 4);
    dib.row(0)[0] = 1;
    MemorySink sink;
    ASSERT_EQ(WriteBmp(sink, dib), WriteResult::Written);
    const auto& b = sink.bytes();
    ASSERT_EQ(b.size(), 14u + 40 + 16 + 8);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(LoadLE32(&b[2]), 78u);     // file size
    EXPECT_EQ(LoadLE32(&b[6]), 0u);      // reserved
    EXPECT_EQ(LoadLE32(&b[10]), 70u);    // 14 + 40 + 4 * 4
    EXPECT_EQ(LoadLE32(&b[14]), 40u);
    EXPECT_EQ(LoadLE32(&b[14 + 20]), 8u);   // biSizeImage
    EXPECT_EQ(LoadLE32(&b[14 + 32]), 4u);   // biClrUsed
    EXPECT_EQ(b[70], 1);
}

TEST(Bmp, ResolutionOutsideTheRangeIsWrittenAs7874InTheImageToo)
{
    const auto written = [](std::int32_t x, std::int32_t y) {
        HDIB dib = MakePicture(1, 1, 24);
        dib.header().biXPelsPerMeter = x;
        dib.header().biYPelsPerMeter = y;
        MemorySink sink;
        WriteBmp(sink, dib);
        const std::pair<std::int32_t, std::int32_t> file{std::int32_t(LoadLE32(&sink.bytes()[38])), std::int32_t(LoadLE32(&sink.bytes()[42]))};
        EXPECT_EQ(file, std::make_pair(dib.header().biXPelsPerMeter, dib.header().biYPelsPerMeter));
        return file;
    };
    EXPECT_EQ(written(0, 0), std::make_pair(7874, 7874));
    EXPECT_EQ(written(395, 78740), std::make_pair(395, 78740));
    EXPECT_EQ(written(394, 2835), std::make_pair(7874, 7874));
    EXPECT_EQ(written(2835, 78741), std::make_pair(7874, 7874));
}

TEST(Bmp, WriterResults)
{
    testing::TempDir dir;
    HDIB none;
    EXPECT_EQ(WriteBmp(dir.file("a.bmp"), none), WriteResult::NotWritten);
    HDIB dib = MakePicture(2, 2, 24);
    EXPECT_EQ(WriteBmp(dir.file("missing/a.bmp"), dib), WriteResult::Failed);
    EXPECT_EQ(WriteBmp("/dev/full", dib), WriteResult::Failed);  // the header write itself fails
}

TEST(Bmp, CoreHeadersAreWidenedAndTheirTriplesBecomeQuads)
{
    Bytes f;
    f.text("BM").u32(0).u32(0).u32(14 + 12 + 6);
    f.u32(12).u16(3).u16(2).u16(1).u16(1);
    f.bytes({10, 20, 30, 40, 50, 60});     // two blue-green-red triples
    f.bytes({0xA0, 0, 0, 0, 0x40, 0, 0, 0});  // bottom row 1,0,1; top row 0,1,0
    ReadResult r = ReadBytes(f);
    ASSERT_TRUE(r.ok());
    const HDIB& dib = r.image();
    EXPECT_EQ(dib.header().biSize, 40u);
    EXPECT_EQ(dib.width(), 3);
    EXPECT_EQ(dib.height(), 2);
    EXPECT_EQ(dib.clrUsed(), 2u);
    EXPECT_EQ(dib.header().biSizeImage, 8u);
    EXPECT_EQ(dib.colors()[1].rgbBlue, 40);
    EXPECT_EQ(dib.colors()[1].rgbRed, 60);
    EXPECT_EQ(dib.colors()[1].rgbReserved, 0);
    EXPECT_EQ(dib.row(0)[0], 0xA0);
    EXPECT_EQ(dib.row(1)[0], 0x40);
}

TEST(Bmp, ColourCountsTakeTheFileCountOnlyWhenItFits)
{
    const std::vector<std::uint8_t> pixels(4 * 2, 7);
    ReadResult many = ReadBytes(BitmapFile(4, 2, 8, 0, 300, GreyTable(256), pixels));
    ASSERT_TRUE(many.ok());
    EXPECT_EQ(many.image().clrUsed(), 256u);

    ReadResult sixteen = ReadBytes(BitmapFile(4, 2, 8, 0, 16, GreyTable(16), pixels));
    ASSERT_TRUE(sixteen.ok());
    EXPECT_EQ(sixteen.image().clrUsed(), 16u);
    EXPECT_EQ(sixteen.image().pixelOffset(), 104u);
    EXPECT_EQ(sixteen.image().data()[104], 7);
}

TEST(Bmp, Rle8RunsLiteralsEndOfLineAndDelta)
{
    const std::vector<std::uint8_t> rle = {
        3, 9,              // three 9s
        0, 3, 1, 2, 3, 0,  // literal of odd length, padded to even
        0, 0,              // end of line: the rest of row 0 stays 0
        0, 2, 5, 5,        // delta: consumed, position unchanged
        2, 4,              // row 1 starts here
        0, 1,              // end of bitmap
        7, 7,              // never reached
    };
    ReadResult r = ReadBytes(BitmapFile(8, 3, 8, 1, 0, GreyTable(256), rle));
    ASSERT_TRUE(r.ok());
    const HDIB& dib = r.image();
    EXPECT_EQ(dib.header().biCompression, 0u);
    EXPECT_EQ(dib.header().biSizeImage, 24u);
    EXPECT_EQ(RowPixels(dib, 0, 8), (std::vector<int>{9, 9, 9, 1, 2, 3, 0, 0}));
    EXPECT_EQ(RowPixels(dib, 1, 8), (std::vector<int>{4, 4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowPixels(dib, 2, 8), (std::vector<int>(8, 0)));
}

TEST(Bmp, Rle8EndOfLineAfterAFullRowDoesNotSkipARowAndRunsWrap)
{
    const std::vector<std::uint8_t> rle = {4, 1, 0, 0, 6, 2, 0, 0, 1, 3};
    ReadResult r = ReadBytes(BitmapFile(4, 3, 8, 1, 0, GreyTable(256), rle));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(RowPixels(r.image(), 0, 4), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(RowPixels(r.image(), 1, 4), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_EQ(RowPixels(r.image(), 2, 4), (std::vector<int>{2, 2, 0, 0}));  // the run wrapped; EOL moved on
}

TEST(Bmp, Rle8RowsThatSpellOutTheirPaddingKeepItZero)
{
    // Width 3 has a stride of 4: one encoder writes four pixels per row, then end of line.
    const std::vector<std::uint8_t> rle = {4, 5, 0, 0, 3, 6, 1, 9, 0, 0, 0, 1};
    ReadResult r = ReadBytes(BitmapFile(3, 2, 8, 1, 0, GreyTable(256), rle));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(RowPixels(r.image(), 0, 4), (std::vector<int>{5, 5, 5, 0}));
    EXPECT_EQ(RowPixels(r.image(), 1, 4), (std::vector<int>{6, 6, 6, 0}));
}

TEST(Bmp, Rle4AlternatesNibblesAndFlushesHalfFilledBytes)
{
    const std::vector<std::uint8_t> rle = {
        5, 0x12,                 // 1 2 1 2 1
        0, 0,                    // end of line after a half-filled byte
        0, 3, 0xAB, 0xC0,        // literal of three nibbles: two bytes, already even
        0, 0,
        1, 0xF0,
        0, 1,
    };
    ReadResult r = ReadBytes(BitmapFile(6, 3, 4, 2, 0, GreyTable(16), rle));
    ASSERT_TRUE(r.ok());
    const HDIB& dib = r.image();
    EXPECT_EQ(RowPixels(dib, 0, 6), (std::vector<int>{1, 2, 1, 2, 1, 0}));
    EXPECT_EQ(RowPixels(dib, 1, 6), (std::vector<int>{0xA, 0xB, 0xC, 0, 0, 0}));
    EXPECT_EQ(RowPixels(dib, 2, 6), (std::vector<int>{0xF, 0, 0, 0, 0, 0}));
}

TEST(Bmp, RunsSplitAcrossTheChunkBoundaryContinue)
{
    // 10239 single-pixel runs fill the first 20478 bytes of the first chunk; the literal
    // that follows starts two bytes before the boundary and ends in the next chunk.
    std::vector<std::uint8_t> rle;
    std::vector<int> expected;
    for (int i = 0; i < 10239; ++i) {
        rle.insert(rle.end(), {1, std::uint8_t(i % 251)});
        expected.push_back(i % 251);
    }
    rle.insert(rle.end(), {0, 5, 11, 12, 13, 14, 15, 0});
    expected.insert(expected.end(), {11, 12, 13, 14, 15});
    rle.insert(rle.end(), {0, 3, 21, 22, 23, 0, 4, 99});
    expected.insert(expected.end(), {21, 22, 23, 99, 99, 99, 99});
    ASSERT_EQ(rle.size() % 2, 0u);
    ReadResult r = ReadBytes(BitmapFile(int(expected.size()), 1, 8, 1, 0, GreyTable(256), rle));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(RowPixels(r.image(), 0, int(expected.size())), expected);

    // Codes are always an even number of bytes, so what can straddle the boundary is a
    // literal's data or a delta's offsets: here the delta's.
    std::vector<std::uint8_t> delta(rle.begin(), rle.begin() + 20478);
    std::vector<int> deltaExpected(expected.begin(), expected.begin() + 10239);
    delta.insert(delta.end(), {0, 2, 3, 4, 2, 6});
    deltaExpected.insert(deltaExpected.end(), {6, 6});
    ReadResult r2 = ReadBytes(BitmapFile(int(deltaExpected.size()), 1, 8, 1, 0, GreyTable(256), delta));
    ASSERT_TRUE(r2.ok());
    EXPECT_EQ(RowPixels(r2.image(), 0, int(deltaExpected.size())), deltaExpected);
}

TEST(Bmp, TopDownAndWideFilesAreReadIntoBottomUp24BitRows)
{
    // Top-down 24-bit: first stored row is the top.
    Bytes top = BitmapFile(1, 2, 24, 0, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0});
    top.data[22] = 0xFE, top.data[23] = 0xFF, top.data[24] = 0xFF, top.data[25] = 0xFF;  // height -2
    ReadResult r = ReadBytes(top);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image().row(0)[0], 4);
    EXPECT_EQ(r.image().row(1)[0], 1);

    ReadResult wide32 = ReadBytes(BitmapFile(1, 1, 32, 0, 0, {}, {10, 20, 30, 255}));
    ASSERT_TRUE(wide32.ok());
    EXPECT_EQ(wide32.image().bitCount(), 24);
    EXPECT_EQ(std::vector<int>(wide32.image().row(0), wide32.image().row(0) + 3), (std::vector<int>{10, 20, 30}));

    ReadResult wide16 = ReadBytes(BitmapFile(1, 1, 16, 0, 0, {}, {0x1F, 0x7C, 0, 0}));  // blue 31, red 31
    ASSERT_TRUE(wide16.ok());
    EXPECT_EQ(std::vector<int>(wide16.image().row(0), wide16.image().row(0) + 3), (std::vector<int>{248, 0, 248}));
}

TEST(Bmp, BadInputGivesTheReaderResults)
{
    const std::vector<std::uint8_t> pixels(8, 0);
    const Bytes good = BitmapFile(2, 2, 8, 0, 0, GreyTable(256), pixels);

    Bytes wrongSignature = good;
    wrongSignature.data[0] = 'X';
    EXPECT_EQ(ReadBytes(wrongSignature).code(), ReadCode::NotThisFormat);

    Bytes shortHeader;
    shortHeader.text("BM").u32(0);
    EXPECT_EQ(ReadBytes(shortHeader).code(), ReadCode::Failure);

    Bytes otherHeaderSize = good;
    otherHeaderSize.data[14] = 108;
    EXPECT_EQ(ReadBytes(otherHeaderSize).code(), ReadCode::Failure);

    Bytes bitFields = good;
    bitFields.data[30] = 3;
    EXPECT_EQ(ReadBytes(bitFields).code(), ReadCode::Failure);

    Bytes rleMismatch = good;
    rleMismatch.data[30] = 2;  // 4-bit run-length on an 8-bit picture
    EXPECT_EQ(ReadBytes(rleMismatch).code(), ReadCode::Failure);

    Bytes truncated = good;
    truncated.data.resize(truncated.size() - 1);
    EXPECT_EQ(ReadBytes(truncated).code(), ReadCode::Broken);

    Bytes zeroWidth = good;
    zeroWidth.data[18] = 0;
    EXPECT_EQ(ReadBytes(zeroWidth).code(), ReadCode::Failure);

    // Sizes the body can't fill are refused before anything that size is allocated.
    EXPECT_EQ(ReadBytes(BitmapFile(65535, 65535, 8, 1, 0, GreyTable(256), {0, 1})).code(), ReadCode::Failure);
    EXPECT_EQ(ReadBytes(BitmapFile(40000, 40000, 8, 1, 0, GreyTable(256), {0, 1})).code(), ReadCode::Broken);
    Bytes hugeRaw = BitmapFile(20000, 20000, 24, 0, 0, {}, {1, 2, 3});
    EXPECT_EQ(ReadBytes(hugeRaw).code(), ReadCode::Broken);

    Bytes offsetPastEnd = good;
    offsetPastEnd.data[10] = 0xFF, offsetPastEnd.data[11] = 0xFF;
    EXPECT_EQ(ReadBytes(offsetPastEnd).code(), ReadCode::Broken);

    testing::TempDir dir;
    EXPECT_EQ(ReadBmp(dir.file("absent.bmp")).code(), ReadCode::NotThisFormat);
}

}  // namespace
}  // namespace lv
