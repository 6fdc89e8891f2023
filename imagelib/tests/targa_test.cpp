#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/targa/targa_rle.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lv {
namespace {

using namespace testing;

using ByteList = std::vector<std::uint8_t>;

Bytes TargaFile(int type, int width, int height, int bpp, int descriptor = 0, int mapLength = 0, int mapBits = 0,
                int mapFirst = 0)
{
    Bytes f;
    f.u8(0).u8(mapLength ? 1 : 0).u8(std::uint8_t(type)).u16(std::uint16_t(mapFirst)).u16(std::uint16_t(mapLength));
    f.u8(std::uint8_t(mapBits)).u16(0).u16(0).u16(std::uint16_t(width)).u16(std::uint16_t(height));
    f.u8(std::uint8_t(bpp)).u8(std::uint8_t(descriptor));
    return f;
}

ReadResult ReadBytes(const Bytes& f)
{
    return testing::ReadFromBytes(f.data, [](ByteSource& s) { return ReadTarga(s); });
}

TEST(Targa, WrittenHeadersFollowTheLayout)
{
    HDIB pal = MakePicture(3, 2, 8, 4);
    MemorySink sink;
    ASSERT_EQ(WriteTarga(sink, pal, true), WriteResult::Written);
    const ByteList& b = sink.bytes();
    EXPECT_EQ(ByteList(b.begin(), b.begin() + 18), (ByteList{0, 1, 9, 0, 0, 4, 0, 24, 0, 0, 0, 0, 3, 0, 2, 0, 8, 0}));
    EXPECT_EQ(ByteList(b.begin() + 21, b.begin() + 24), (ByteList{3, 254, 7}));  // entry 1: blue, green, red
    EXPECT_EQ(ByteList(b.begin() + 30, b.end()), (ByteList{0x82, 0, 0x82, 0}));   // one run per row

    const auto typeAndBits = [](HDIB dib) {
        MemorySink s;
        WriteTarga(s, dib, false);
        return ByteList{s.bytes()[1], s.bytes()[2], s.bytes()[16]};
    };
    EXPECT_EQ(typeAndBits(MakePicture(2, 2, 24)), (ByteList{0, 2, 24}));
    EXPECT_EQ(typeAndBits(MakeGreyPicture(2, 2)), (ByteList{0, 3, 8}));
    EXPECT_EQ(typeAndBits(MakePicture(2, 2, 1, 2)), (ByteList{0, 3, 1}));
    EXPECT_EQ(typeAndBits(MakePicture(2, 2, 4, 16)), (ByteList{1, 1, 4}));

    // Raw rows are stored without their padding.
    MemorySink raw;
    ASSERT_EQ(WriteTarga(raw, MakePicture(5, 3, 24), false), WriteResult::Written);
    EXPECT_EQ(raw.bytes().size(), 18u + 3 * 15);
}

TEST(TargaRunLength, PacketsFollowTheEncodingRules)
{
    const auto code = [](const ByteList& row, std::size_t pixelSize) {
        ByteList out;
        EncodeTargaRow(row, pixelSize, out);
        return out;
    };
    EXPECT_EQ(code({1, 1, 2, 3, 3, 3, 4}, 1), (ByteList{0x81, 1, 0, 2, 0x82, 3, 0, 4}));
    EXPECT_EQ(code({1, 2, 3, 3}, 1), (ByteList{1, 1, 2, 0x81, 3}));
    EXPECT_EQ(code({1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 3), (ByteList{0x81, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9}));

    ByteList run(130, 9);
    EXPECT_EQ(code(run, 1), (ByteList{0xFF, 9, 0x81, 9}));
    ByteList distinct(130);
    std::iota(distinct.begin(), distinct.end(), 0);
    const ByteList coded = code(distinct, 1);
    ASSERT_EQ(coded.size(), 1 + 128 + 1 + 2u);
    EXPECT_EQ(std::tuple(coded[0], coded[129]), (std::tuple<std::uint8_t, std::uint8_t>(127, 1)));
}

TEST(TargaRunLength, PacketsMayCrossRowEnds)
{
    // One run covers the first row and a half; a raw packet finishes the second.
    Bytes f = TargaFile(11, 4, 2, 8).bytes({0x85, 7, 0x01, 8, 9});
    ReadResult r = ReadBytes(f);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(ByteList(r.image().row(0), r.image().row(0) + 8), (ByteList{7, 7, 7, 7, 7, 7, 8, 9}));
    EXPECT_EQ(ReadBytes(TargaFile(11, 4, 2, 8).bytes({0x85, 7, 0x01, 8})).code(), ReadCode::Broken);
    EXPECT_EQ(ReadBytes(TargaFile(10, 4, 2, 24).bytes({0x87, 1, 2})).code(), ReadCode::Broken);
}

TEST(Targa, CompressedSixteenBitsAndOtherUnknownKindsAreRefusedWithOneMessage)
{
    testing::UiRecorder ui;
    const std::uint16_t word = 31 << 10 | 16 << 5 | 1;  // red 31, green 16, blue 1
    const ByteList pixel = {std::uint8_t(word), std::uint8_t(word >> 8)};
    const std::vector<FailureNotice> unknown{{"Unknown file format", NoticeTitle::Warning}};
    const ReadResult refused = ReadBytes(TargaFile(10, 1, 1, 16).bytes({0x80, pixel[0], pixel[1]}));
    EXPECT_EQ(std::tuple(refused.code(), refused.failure().notices), std::tuple(ReadCode::Failure, unknown));
    EXPECT_FALSE(refused.failure()) << "words without a cause: the dispatch names it";

    // The other refusals carry the same message.
    for (const auto& [type, bits] : std::vector<std::pair<int, int>>{{10, 32}, {10, 15}, {5, 8}, {2, 8}, {3, 4}, {1, 16}}) {
        SCOPED_TRACE(std::to_string(type) + "/" + std::to_string(bits));
        const ReadResult other = ReadBytes(TargaFile(type, 1, 1, bits, 0, 2, 24).bytes(ByteList(16, 0)));
        EXPECT_EQ(std::tuple(other.code(), other.failure().notices), std::tuple(ReadCode::Failure, unknown));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Targa, ColourMapsOfEverySizeFromTheirFirstEntry)
{
    const std::uint16_t word = 31 << 10 | 16 << 5 | 1;
    // Entries of 15 and 16 bits are shifted, not replicated; 32-bit entries lose alpha.
    Bytes map16 = TargaFile(1, 2, 1, 8, 0, 2, 16, 1).bytes({std::uint8_t(word), std::uint8_t(word >> 8), 0, 0, 1, 2});
    ReadResult r = ReadBytes(map16);
    ASSERT_TRUE(r.ok());
    // Entry 0 lies before the first entry of the map; entry 2 is all 0.
    EXPECT_EQ(ColoursOf(r.image()), (std::vector<Rgb>{{0, 0, 0}, {248, 128, 8}, {0, 0, 0}}));
    EXPECT_EQ(ByteList(r.image().row(0), r.image().row(0) + 2), (ByteList{1, 2}));

    Bytes map32 = TargaFile(9, 2, 1, 4, 0, 2, 32).bytes({10, 20, 30, 99, 40, 50, 60, 99, 0, 0x01});
    ReadResult r32 = ReadBytes(map32);
    ASSERT_TRUE(r32.ok());
    const RgbQuad second = r32.image().colors()[1];
    EXPECT_EQ(std::tuple(r32.image().bitCount(), int(second.rgbRed), int(second.rgbReserved)), std::tuple(4, 60, 0));

    // The identification field is skipped; a map beside true-colour pixels is not used.
    Bytes skipped = TargaFile(2, 1, 1, 24, 0, 2, 24);
    skipped.data[0] = 3;
    ReadResult s = ReadBytes(skipped.bytes({'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 7, 8, 9}));
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(Pixel24(s.image(), 0, 0), (Rgb{9, 8, 7}));

    // A short map, no map, entries of an odd size.
    for (const Bytes& refused : {TargaFile(1, 2, 1, 8, 0, 4, 24).bytes(ByteList(11, 0)),
                                 TargaFile(1, 1, 1, 8, 0, 0, 24).bytes({0}),
                                 TargaFile(1, 1, 1, 8, 0, 1, 20).bytes({0, 0, 0, 0})})
        EXPECT_EQ(ReadBytes(refused).code(), ReadCode::Failure) << refused.size();
}

TEST(Targa, BadInputGivesTheFailureResults)
{
    testing::UiRecorder ui;
    EXPECT_EQ(ReadBytes(Bytes().zeros(17)).code(), ReadCode::NotThisFormat);
    EXPECT_EQ(ReadBytes(TargaFile(2, 0, 1, 24)).code(), ReadCode::Failure);
    EXPECT_EQ(ReadBytes(TargaFile(2, 2, 2, 24).bytes(ByteList(11, 0))).code(), ReadCode::Broken);
    Bytes longId = TargaFile(2, 1, 1, 24);
    longId.data[0] = 200;
    EXPECT_EQ(ReadBytes(longId).code(), ReadCode::Broken);

    // The largest header over a tiny body is refused before anything is allocated.
    for (const int type : {3, 11})
        EXPECT_EQ(ReadBytes(TargaFile(type, 65535, 65535, 1).bytes(ByteList(64, 0xFF))).code(),
                  ReadCode::Broken) << type;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadTarga("/nonexistent/x.tga").code(), ReadCode::Broken);
}

TEST(BlackAndWhiteFiles, AOneBitPictureWithAnInvertedTableKeepsItsLook)
{
    HDIB dib = MakePicture(11, 2, 1, 2);
    dib.colors()[0] = {250, 250, 250, 0};
    dib.colors()[1] = {10, 10, 10, 0};
    dib.row(0)[0] = 0xA5;
    dib.row(1)[1] = 0x80;
    const HDIB expected = DibPromoteTo24(dib);
    const auto looksRight = [&](ReadResult r) {
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.image().bitCount(), 1);
        const HDIB wide = DibPromoteTo24(r.image());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 11; ++x)
                EXPECT_EQ(Pixel24(wide, x, y).r > 128, Pixel24(expected, x, y).r > 128) << x << "," << y;
        EXPECT_EQ(r.image().row(0)[1] & 0x1F, 0);  // bits past the width stay 0
    };
    MemorySink targa, pcx;
    ASSERT_EQ(WriteTarga(targa, dib, false), WriteResult::Written);
    ASSERT_EQ(WritePcx(pcx, dib), WriteResult::Written);
    looksRight(testing::ReadFromBytes(targa.bytes(), [](ByteSource& s) { return ReadTarga(s); }));
    looksRight(testing::ReadFromBytes(pcx.bytes(), [](ByteSource& s) { return ReadPcx(s); }));
}

}  // namespace
}  // namespace lv
