#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/pcx/pcx_rle.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using namespace testing;

using ByteList = std::vector<std::uint8_t>;

// A header for `bitsPerPlane` × `planes`; the caller appends the coded lines with bytes().
Bytes PcxFile(int width, int height, int bitsPerPlane, int planes, int bytesPerLine, int paletteInfo = 1,
              const ByteList& palette16 = {})
{
    Bytes f;
    f.u8(10).u8(5).u8(1).u8(std::uint8_t(bitsPerPlane));
    f.u16(0).u16(0).u16(std::uint16_t(width - 1)).u16(std::uint16_t(height - 1)).u16(100).u16(300);
    ByteList palette = palette16;
    palette.resize(48);
    f.bytes(palette);
    f.u8(0).u8(std::uint8_t(planes)).u16(std::uint16_t(bytesPerLine)).u16(std::uint16_t(paletteInfo)).zeros(58);
    return f;
}

Bytes& AppendPalette(Bytes& f, std::uint8_t marker)
{
    f.u8(marker);
    for (int i = 0; i < 256; ++i)
        f.u8(std::uint8_t(i)).u8(std::uint8_t(255 - i)).u8(7);
    return f;
}

ReadResult ReadBytes(const Bytes& f)
{
    return testing::ReadFromBytes(f.data, [](ByteSource& s) { return ReadPcx(s); });
}

ByteList Written(const HDIB& picture)
{
    MemorySink sink;
    EXPECT_EQ(WritePcx(sink, picture), WriteResult::Written);
    return sink.bytes();
}

TEST(Pcx, WrittenHeadersAndTrailerFollowTheLayout)
{
    HDIB pal8 = MakePicture(3, 2, 8, 4);
    pal8.header().biXPelsPerMeter = 2835;  // 72.01 dpi, rounded up
    const ByteList b = Written(pal8);
    EXPECT_EQ(ByteList(b.begin(), b.begin() + 4), (ByteList{10, 5, 1, 8}));
    // xmax, ymax, dpi twice, then planes, bytes per line and palette information.
    EXPECT_EQ((std::vector<int>{LoadLE16(&b[8]), LoadLE16(&b[10]), LoadLE16(&b[12]), LoadLE16(&b[14])}),
              (std::vector<int>{2, 1, 73, 0}));
    EXPECT_EQ((std::vector<int>{b[65], LoadLE16(&b[66]), LoadLE16(&b[68])}), (std::vector<int>{1, 3, 1}));
    // Two zero lines, then the marked palette: red, green, blue, zeros beyond the table.
    ASSERT_EQ(b.size(), 128u + 4 + 769);
    EXPECT_EQ(ByteList(b.begin() + 128, b.begin() + 133), (ByteList{0xC3, 0, 0xC3, 0, 12}));
    EXPECT_EQ(ByteList(b.begin() + 136, b.begin() + 139), (ByteList{7, 254, 3}));
    EXPECT_EQ(b[132 + 13], 0);

    const ByteList grey = Written(testing::MakeGreyPicture(4, 2));
    // No trailer.
    EXPECT_EQ(std::tuple(int(LoadLE16(&grey[68])), grey.size()), std::tuple(2, std::size_t(128 + 4)));

    const ByteList p4 = Written(MakePicture(9, 1, 4, 16));
    EXPECT_EQ((std::vector<int>{p4[3], p4[65], LoadLE16(&p4[66])}), (std::vector<int>{1, 4, 2}));
    EXPECT_EQ(ByteList(p4.begin() + 16 + 45, p4.begin() + 64), (ByteList{105, 240, 45}));  // entry 15

    const ByteList mono = Written(MakePicture(9, 1, 1, 2));
    EXPECT_EQ(ByteList(mono.begin() + 16, mono.begin() + 22), (ByteList{0, 0, 0, 255, 255, 255}));

    HDIB rgb = MakePicture(2, 1, 24);
    SetPixel24(rgb, 0, 0, {1, 2, 3});
    SetPixel24(rgb, 1, 0, {4, 5, 6});
    const ByteList planes = Written(rgb);
    EXPECT_EQ(std::tuple(planes[65], ByteList(planes.begin() + 128, planes.end())),
              std::tuple(std::uint8_t(3), ByteList{1, 4, 2, 5, 3, 6}));

    MemorySink refused;
    EXPECT_EQ(WritePcx(refused, AllocatePicture(2, 2, 16, 0)), WriteResult::NotWritten);
}

TEST(PcxRunLength, HighSinglesAreEscapedAndRunsStopAt63)
{
    const auto code = [](const ByteList& line) {
        ByteList out;
        EncodePcxLine(line, out);
        return out;
    };
    EXPECT_EQ(code({0xBF, 0xC0, 0xFF, 0}), (ByteList{0xBF, 0xC1, 0xC0, 0xC1, 0xFF, 0}));
    EXPECT_EQ(code({9, 9}), (ByteList{0xC2, 9}));
    EXPECT_EQ(code(ByteList(63, 5)), (ByteList{0xFF, 5}));
    EXPECT_EQ(code(ByteList(64, 5)), (ByteList{0xFF, 5, 5}));
    EXPECT_EQ(code(ByteList(64, 0xC5)), (ByteList{0xFF, 0xC5, 0xC1, 0xC5}));
    EXPECT_EQ(code(ByteList(130, 7)), (ByteList{0xFF, 7, 0xFF, 7, 0xC4, 7}));
}

TEST(PcxRunLength, RunsCrossPlanesButNeverLines)
{
    HDIB rgb = MakePicture(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            SetPixel24(rgb, x, y, {10, 10, 10});
    MemorySink sink;
    ASSERT_EQ(WritePcx(sink, rgb), WriteResult::Written);
    EXPECT_EQ(ByteList(sink.bytes().begin() + 128, sink.bytes().end()), (ByteList{0xC9, 10, 0xC9, 10}));

    // A run reaching into the next line is refused; one across planes is read.
    EXPECT_EQ(ReadBytes(PcxFile(3, 2, 8, 3, 3).bytes({0xCC, 10, 0xC6, 10})).code(), ReadCode::Broken);
    ReadResult r = ReadBytes(PcxFile(3, 2, 8, 3, 3).bytes({0xC9, 10, 0xC4, 10, 0xC5, 20}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(Pixel24(r.image(), 0, 1), Pixel24(r.image(), 1, 0)),
              std::tuple(Rgb{10, 10, 10}, Rgb{10, 20, 20}));
}

TEST(Pcx, MonoAndGreyFilesGetFixedTables)
{
    // Two colours are black and white whatever the header holds.
    Bytes mono = PcxFile(8, 1, 1, 1, 1, 1, {255, 0, 0, 0, 0, 255}).bytes({0x0F});
    ReadResult m = ReadBytes(mono);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(std::tuple(ColoursOf(m.image()), m.image().row(0)[0]),
              std::tuple(std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}, std::uint8_t(0x0F)));

    // A grey header gives a ramp over the whole range and needs no trailer.
    Bytes grey = PcxFile(2, 1, 8, 1, 2, 2).bytes({0xC2, 5});
    ReadResult g = ReadBytes(grey);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(DibGetType(g.image()), IMG_GREY8);
    Bytes grey4 = PcxFile(2, 1, 4, 1, 1, 2).bytes({0x1F});
    EXPECT_EQ(ReadBytes(grey4).image().colors()[15].rgbGreen, 255);
}

TEST(Pcx, A256ColourFileWithoutItsMarkerIsRefusedByBothReaders)
{
    Bytes unmarked = PcxFile(2, 1, 8, 1, 2).bytes({0xC2, 5});
    AppendPalette(unmarked, 0);
    EXPECT_EQ(std::tuple(ReadBytes(unmarked).code(), ReadPcxWhole(unmarked.data).code()),
              std::tuple(ReadCode::Failure, ReadCode::Failure));
    Bytes shortFile = PcxFile(2, 1, 8, 1, 2).bytes({0xC2, 5, 12});
    EXPECT_EQ(ReadBytes(shortFile).code(), ReadCode::Failure);
}

TEST(Pcx, BadInputGivesTheFailureResults)
{
    EXPECT_EQ(ReadBytes(Bytes().zeros(127)).code(), ReadCode::NotThisFormat);
    Bytes other = PcxFile(1, 1, 8, 3, 1);
    other.data[0] = 11;
    EXPECT_EQ(ReadBytes(other).code(), ReadCode::NotThisFormat);

    // Two bits in one plane, two byte planes, lines too short, xmin beyond xmax.
    Bytes reversed = PcxFile(4, 4, 8, 3, 4);
    StoreLE16(&reversed.data[4], 9);
    const Bytes refused[] = {PcxFile(4, 1, 2, 1, 1).bytes({0xC1, 0}), PcxFile(4, 1, 8, 2, 4).bytes({0xC8, 0}),
                             PcxFile(9, 1, 8, 3, 8).bytes({0xFF, 0}), reversed};
    for (const Bytes& file : refused)
        EXPECT_EQ(ReadBytes(file).code(), ReadCode::Failure) << &file - refused;

    EXPECT_EQ(ReadBytes(PcxFile(3, 2, 8, 3, 3).bytes({0xC9, 1, 0xC8, 2})).code(), ReadCode::Broken);  // cut short

    // The largest header over a tiny body is refused before anything is allocated.
    testing::UiRecorder ui;
    Bytes huge = PcxFile(65535, 65535, 1, 1, 8192).bytes(ByteList(64, 0xFF));
    EXPECT_EQ(ReadBytes(huge).code(), ReadCode::Broken);
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(ReadPcx("/nonexistent/x.pcx").code(), ReadCode::Broken);
}

TEST(PcxWhole, RunsMayCrossLinesButNotPassTheLastOne)
{
    Bytes crossing = PcxFile(3, 2, 8, 3, 3).bytes({0xCC, 10, 0xC6, 20});
    ReadResult r = ReadPcxWhole(crossing.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Pixel24(r.image(), 0, 0), (Rgb{10, 20, 20}));  // bottom line: red from the first run

    EXPECT_EQ(ReadPcxWhole(PcxFile(3, 2, 8, 3, 3).bytes({0xCC, 10, 0xC7, 20}).data).code(), ReadCode::Failure);
    EXPECT_EQ(ReadPcxWhole(PcxFile(3, 2, 8, 3, 3).bytes({0xCC, 10}).data).code(), ReadCode::Failure);
}

TEST(PcxWhole, AcceptsFilesByTheirFirstOrThirdByteAndMoreLayouts)
{
    // Two bits in one plane and three one-bit planes, through the header palette.
    const ByteList palette = {0, 0, 0, 10, 0, 0, 20, 0, 0, 30, 0, 0, 40, 0, 0, 50, 0, 0, 60, 0, 0, 70, 0, 0};
    Bytes packed = PcxFile(4, 1, 2, 1, 1, 1, palette);
    packed.bytes({0x1B});  // 0 1 2 3
    packed.data[0] = 0;      // the encoding byte alone is enough
    ReadResult r = ReadPcxWhole(packed.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Pixel24(r.image(), 3, 0).r, 30);

    Bytes planes = PcxFile(2, 1, 1, 3, 1, 1, palette);
    planes.bytes({0x80, 0x40, 0xC1, 0xC0});  // pixel 0: planes 0 and 2 = 5; pixel 1: planes 1 and 2 = 6
    planes.data[2] = 0;                        // the manufacturer byte alone is enough
    ReadResult p = ReadPcxWhole(planes.data);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(std::tuple(Pixel24(p.image(), 0, 0).r, Pixel24(p.image(), 1, 0).r),
              (std::tuple<std::uint8_t, std::uint8_t>(50, 60)));

    Bytes neither = PcxFile(2, 1, 1, 3, 1);
    neither.data[0] = 0;
    neither.data[2] = 0;
    for (const ByteList& refused :
         {neither.bytes({0, 0, 0}).data, PcxFile(2, 1, 4, 3, 1).bytes({0, 0, 0}).data, ByteList(100, 10)})
        EXPECT_EQ(ReadPcxWhole(refused).code(), ReadCode::Failure) << refused.size();
}

TEST(PcxWhole, TheEightBitPaletteFollowsThePixelData)
{
    // Right after the data, even with bytes between it and the end of the file.
    Bytes marked = PcxFile(2, 1, 8, 1, 2).bytes({0xC2, 5});
    AppendPalette(marked, 12).zeros(3);
    ReadResult r = ReadPcxWhole(marked.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(Pixel24(r.image(), 1, 0), (Rgb{5, 250, 7}));

    Bytes grey = PcxFile(2, 1, 8, 1, 2, 2).bytes({0xC2, 77});
    ReadResult g = ReadPcxWhole(grey.data);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(Pixel24(g.image(), 0, 0), (Rgb{77, 77, 77}));
}

}  // namespace
}  // namespace lv
