#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using namespace testing;
using Rows = std::vector<std::vector<int>>;

// A bitmap file with a 40-byte header; `data` follows the colour table directly.
Bytes BitmapFile(int width, int height, int bits, std::uint32_t compression, std::uint32_t clrUsed,
                 const std::vector<std::uint8_t>& table, const std::vector<std::uint8_t>& data)
{
    Bytes f;
    const std::uint32_t offset = 14 + 40 + std::uint32_t(table.size());
    f.text("BM").u32(offset + std::uint32_t(data.size())).u32(0).u32(offset);
    f.u32(40).u32(std::uint32_t(width)).u32(std::uint32_t(height)).u16(1).u16(std::uint16_t(bits));
    f.u32(compression).u32(0).u32(2835).u32(2835).u32(clrUsed).u32(0);
    return f.bytes(table).bytes(data);
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
    return testing::ReadFromBytes(file.data, [](ByteSource& s) { return ReadBmp(s); });
}

std::vector<int> RowPixels(const HDIB& dib, int y, int count)
{
    std::vector<int> out;
    for (int x = 0; x < count; ++x)
        out.push_back(int(PackedPixel(dib.row(y), x, dib.bitCount())));
    return out;
}

TEST(Bmp, WrittenFileHasTheDocumentedLayout)
{
    HDIB dib = MakePicture(3, 2, 8, 4);
    dib.row(0)[0] = 1;
    MemorySink sink;
    ASSERT_EQ(WriteBmp(sink, dib), WriteResult::Written);
    const auto& b = sink.bytes();
    ASSERT_EQ(b.size(), 14u + 40 + 16 + 8);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 2), "BM");
    // File size, reserved, data offset (14 + 40 + 4 × 4), header size, image size, colours used.
    EXPECT_EQ((std::vector<std::uint32_t>{LoadLE32(&b[2]), LoadLE32(&b[6]), LoadLE32(&b[10]), LoadLE32(&b[14]),
                                          LoadLE32(&b[14 + 20]), LoadLE32(&b[14 + 32])}),
              (std::vector<std::uint32_t>{78, 0, 70, 40, 8, 4}));
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

TEST(Bmp, ColourCountsTakeTheFileCountOnlyWhenItFits)
{
    const std::vector<std::uint8_t> pixels(4 * 2, 7);
    ReadResult many = ReadBytes(BitmapFile(4, 2, 8, 0, 300, GreyTable(256), pixels));
    ASSERT_TRUE(many.ok());
    EXPECT_EQ(many.image().clrUsed(), 256u);

    ReadResult sixteen = ReadBytes(BitmapFile(4, 2, 8, 0, 16, GreyTable(16), pixels));
    ASSERT_TRUE(sixteen.ok());
    EXPECT_EQ(std::tuple(sixteen.image().clrUsed(), sixteen.image().pixelOffset(), sixteen.image().data()[104]),
              std::tuple(16u, std::size_t(104), std::uint8_t(7)));
}

TEST(Bmp, RunLengthCodesFillTheRows)
{
    const struct {
        const char* what;
        int width, height, bits;
        std::vector<std::uint8_t> codes;
        Rows rows;  // bottom row first
    } cases[] = {
        {"runs, an odd literal padded to even, end of line, a delta consumed in place, end of bitmap", 8, 3, 8,
         {3, 9, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 5, 5, 2, 4, 0, 1, 7, 7},
         {{9, 9, 9, 1, 2, 3, 0, 0}, {4, 4, 0, 0, 0, 0, 0, 0}, Rows::value_type(8, 0)}},
        {"an end of line right after a full row skips no row; runs wrap", 4, 3, 8,
         {4, 1, 0, 0, 6, 2, 0, 0, 1, 3},
         {{1, 1, 1, 1}, {2, 2, 2, 2}, {2, 2, 0, 0}}},
        {"rows that spell out their padding keep it zero", 3, 2, 8,
         {4, 5, 0, 0, 3, 6, 1, 9, 0, 0, 0, 1},
         {{5, 5, 5, 0}, {6, 6, 6, 0}}},
        {"4 bits: runs alternate nibbles, end of line after a half-filled byte, an odd literal", 6, 3, 4,
         {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 0, 1, 0xF0, 0, 1},
         {{1, 2, 1, 2, 1, 0}, {0xA, 0xB, 0xC, 0, 0, 0}, {0xF, 0, 0, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReadResult r = ReadBytes(BitmapFile(c.width, c.height, c.bits, c.bits == 8 ? 1 : 2, 0, GreyTable(1 << c.bits), c.codes));
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.image().header().biCompression, 0u);
        for (int y = 0; y < c.height; ++y)
            EXPECT_EQ(RowPixels(r.image(), y, int(c.rows[std::size_t(y)].size())), c.rows[std::size_t(y)]) << y;
    }
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
    Bytes top = BitmapFile(1, 2, 24, 0, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0});
    StoreLE32(&top.data[22], std::uint32_t(-2));  // the first stored row is the top
    ReadResult r = ReadBytes(top);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(r.image().row(0)[0], r.image().row(1)[0]), (std::tuple<std::uint8_t, std::uint8_t>(4, 1)));

    const auto firstPixel = [](const Bytes& file) {
        ReadResult wide = ReadBytes(file);
        EXPECT_EQ(wide.image().bitCount(), 24);
        return wide.ok() ? std::vector<int>(wide.image().row(0), wide.image().row(0) + 3) : std::vector<int>{};
    };
    EXPECT_EQ(firstPixel(BitmapFile(1, 1, 32, 0, 0, {}, {10, 20, 30, 255})), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(firstPixel(BitmapFile(1, 1, 16, 0, 0, {}, {0x1F, 0x7C, 0, 0})), (std::vector<int>{255, 0, 255}));
    EXPECT_EQ(firstPixel(BitmapFile(1, 1, 16, 0, 0, {}, {0x10, 0x42, 0, 0})), (std::vector<int>{131, 131, 131}));
}

TEST(Bmp, RunLengthFilesOfAnySizeDecodeWhateverTheirCodesLeaveOut)
{
    // Ten pixels, end of line, end of bitmap: four bytes fill a 64 × 64 picture.
    ReadResult r = ReadBytes(BitmapFile(64, 64, 8, 1, 0, GreyTable(256), {10, 7, 0, 0, 0, 1}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(RowPixels(r.image(), 0, 11), (std::vector<int>{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0}));
    EXPECT_EQ(RowPixels(r.image(), 63, 3), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(ReadBytes(BitmapFile(2000, 2000, 4, 2, 0, GreyTable(16), {0, 1})).ok());
}

TEST(Bmp, TheFilesOwnImageSizeIsReadWithinThePicturesRows)
{
    // Two rows of four bytes; the file says its data is one row long and holds only that.
    Bytes shortData = BitmapFile(4, 2, 8, 0, 0, GreyTable(256), {1, 2, 3, 4});
    StoreLE32(&shortData.data[14 + 20], 4);
    ReadResult r = ReadBytes(shortData);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(RowPixels(r.image(), 0, 8), (std::vector<int>{1, 2, 3, 4, 0, 0, 0, 0}));
    // A size beyond the rows reads the rows only; a file shorter than its size is cut.
    Bytes longSize = BitmapFile(4, 1, 8, 0, 0, GreyTable(256), {5, 6, 7, 8});
    StoreLE32(&longSize.data[14 + 20], 4000);
    EXPECT_TRUE(ReadBytes(longSize).ok());
    StoreLE32(&shortData.data[14 + 20], 8);
    EXPECT_EQ(ReadBytes(shortData).failure().problem, FileProblem::Truncated);
}

// A bitmap with a longer header: the 40 bytes, masks at 40..52 (and alpha), the rest zero.
Bytes LongHeaderFile(std::uint32_t headerSize, int bits, std::uint32_t compression, std::vector<std::uint32_t> masks,
                     const std::vector<std::uint8_t>& data, bool masksAfterHeader = false)
{
    Bytes f;
    const std::uint32_t extra = masksAfterHeader ? 12 : 0;
    const std::uint32_t offset = 14 + headerSize + extra;
    f.text("BM").u32(offset + std::uint32_t(data.size())).u32(0).u32(offset);
    f.u32(headerSize).u32(2).u32(1).u16(1).u16(std::uint16_t(bits)).u32(compression).u32(0).u32(0).u32(0).u32(0).u32(0);
    for (std::size_t i = 0; i < (masksAfterHeader ? 0 : 4) && f.size() < 14 + headerSize; ++i)
        f.u32(i < masks.size() ? masks[i] : 0);
    f.zeros(14 + headerSize - f.size());
    if (masksAfterHeader)
        for (int i = 0; i < 3; ++i)
            f.u32(masks[std::size_t(i)]);
    return f.bytes(data);
}

TEST(Bmp, LongerHeadersReadAsTheFortyBytesTheyExtendWithTheirBitFields)
{
    const auto pixels = [](const Bytes& file) {
        ReadResult r = ReadBytes(file);
        EXPECT_TRUE(r.ok()) << r.failure().detail;
        if (!r.ok())
            return std::vector<Rgb>{};
        return std::vector<Rgb>{Pixel24(r.image(), 0, 0), Pixel24(r.image(), 1, 0)};
    };
    const Rgb orange{255, 128, 0}, blue{0, 0, 255};
    // 32 bits as red-green-blue-alpha in a 56-byte header.
    const std::vector<std::uint8_t> rgba = {0x7F, 0x00, 0x80, 0xFF, 0xC8, 0xFF, 0x00, 0x00};
    EXPECT_EQ(pixels(LongHeaderFile(56, 32, 3, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, rgba)),
              (std::vector{orange, blue}));
    // 5-6-5 after a 40-byte header; no compression means 5-5-5.
    const std::vector<std::uint8_t> w565 = {0x00, 0xFC, 0x1F, 0x00};  // 0xFC00 orange-ish, 0x001F blue
    EXPECT_EQ(pixels(LongHeaderFile(40, 16, 3, {0xF800, 0x7E0, 0x1F}, w565, true)),
              (std::vector<Rgb>{{255, 129, 0}, blue}));
    EXPECT_EQ(pixels(LongHeaderFile(108, 16, 0, {}, {0x00, 0x7E, 0x1F, 0x00})),
              (std::vector<Rgb>{{255, 131, 0}, blue}));
    EXPECT_EQ(ReadBytes(LongHeaderFile(52, 16, 3, {0xF800, 0x7E0, 0x1F}, {1, 2})).failure().problem,
              FileProblem::Truncated);
}

TEST(Bmp, BadInputGivesTheReaderResults)
{
    const Bytes good = BitmapFile(2, 2, 8, 0, 0, GreyTable(256), std::vector<std::uint8_t>(8, 0));
    const struct {
        const char* what;
        std::size_t at;
        std::uint8_t value;
        ReadCode code;
    } patches[] = {
        {"signature", 0, 'X', ReadCode::NotThisFormat},
        {"a 64-byte header", 14, 64, ReadCode::Failure},
        {"bit fields on an 8-bit picture", 30, 3, ReadCode::Failure},
        {"4-bit run-length on an 8-bit picture", 30, 2, ReadCode::Failure},
        {"zero width", 18, 0, ReadCode::Failure},
        {"data offset past the end", 11, 0xFF, ReadCode::Broken},
    };
    for (const auto& p : patches) {
        Bytes bad = good;
        bad.data[p.at] = p.value;
        const ReadResult r = ReadBytes(bad);
        EXPECT_EQ(r.code(), p.code) << p.what;
        EXPECT_TRUE(r.failure()) << p.what;
    }
    Bytes truncated = good;
    truncated.data.pop_back();
    EXPECT_EQ(ReadBytes(truncated).code(), ReadCode::Broken);
    EXPECT_EQ(ReadBytes(Bytes().text("BM").u32(0)).code(), ReadCode::Failure);

    // Sizes the body can't fill, or that the picture budget refuses, are refused before
    // anything that size is allocated, and say so.
    const auto cause = [](const Bytes& file) {
        const ReadResult r = ReadBytes(file);
        return std::make_pair(r.code(), r.failure().problem);
    };
    EXPECT_EQ(cause(BitmapFile(65535, 65535, 8, 1, 0, GreyTable(256), {0, 1})),
              std::make_pair(ReadCode::Failure, FileProblem::TooLarge));
    EXPECT_EQ(cause(BitmapFile(40000, 40000, 8, 1, 0, GreyTable(256), {0, 1})),
              std::make_pair(ReadCode::Broken, FileProblem::TooLarge));
    EXPECT_EQ(cause(BitmapFile(20000, 20000, 24, 0, 0, {}, {1, 2, 3})),
              std::make_pair(ReadCode::Broken, FileProblem::Truncated));
    Bytes jpegInside = good;
    jpegInside.data[30] = 4;
    EXPECT_EQ(ReadBytes(jpegInside).failure(),
              (FileFailure{FileProblem::Unsupported, "BMP com compressão 4 e 8 bits"}));

    testing::TempDir dir;
    EXPECT_EQ(ReadBmp(dir.file("absent.bmp")).code(), ReadCode::NotThisFormat);
}

}  // namespace
}  // namespace lv
