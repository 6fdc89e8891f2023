#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_convert.h"
#include "imagelib/document_open.h"
#include "imagelib/load_save.h"
#include "imagelib/pcx.h"
#include "imagelib/pcx_rle.h"
#include "imagelib/progress.h"
#include "imagelib/save_as.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::Bytes;
using testing::MakePicture;

using ByteList = std::vector<std::uint8_t>;

// A header for `bitsPerPlane` × `planes`; the caller appends the coded lines.
Bytes PcxFile(int width, int height, int bitsPerPlane, int planes, int bytesPerLine, int paletteInfo = 1,
              const ByteList& palette16 = {})
{
    Bytes f;
    f.u8(10).u8(5).u8(1).u8(std::uint8_t(bitsPerPlane));
    f.u16(0).u16(0).u16(std::uint16_t(width - 1)).u16(std::uint16_t(height - 1)).u16(100).u16(300);
    ByteList palette = palette16;
    palette.resize(48);
    f.data.insert(f.data.end(), palette.begin(), palette.end());
    f.u8(0).u8(std::uint8_t(planes)).u16(std::uint16_t(bytesPerLine)).u16(std::uint16_t(paletteInfo)).zeros(58);
    return f;
}

Bytes& Append(Bytes& f, const ByteList& bytes)
{
    f.data.insert(f.data.end(), bytes.begin(), bytes.end());
    return f;
}
Bytes Append(Bytes&& f, const ByteList& bytes)
{
    return std::move(Append(f, bytes));
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
    MemorySource source(f.data);
    return ReadPcx(source);
}

// Row bytes in a deterministic pattern with runs, high bytes and zero padding.
void FillPattern(HDIB& dib)
{
    const std::size_t used = (std::size_t(dib.width()) * std::size_t(dib.bitCount()) + 7) / 8;
    for (int y = 0; y < dib.height(); ++y)
        for (std::size_t i = 0; i < used; ++i)
            dib.row(y)[i] = std::uint8_t(i % 9 < 4 ? 0xC7 : i * 37 + std::size_t(y) * 11);
    if (dib.bitCount() < 8 && dib.width() * dib.bitCount() % 8)
        for (int y = 0; y < dib.height(); ++y)
            dib.row(y)[used - 1] &= std::uint8_t(0xFF << (8 - dib.width() * dib.bitCount() % 8));
}

std::vector<ByteList> Rows(const HDIB& dib)
{
    std::vector<ByteList> rows;
    for (int y = 0; y < dib.height(); ++y)
        rows.emplace_back(dib.row(y), dib.row(y) + dib.stride());
    return rows;
}

TEST(Pcx, EveryDepthRoundTripsThroughAFileAndTheWholeReaderAgrees)
{
    testing::TempDir dir;
    const std::pair<HDIB, const char*> cases[] = {
        {MakePicture(13, 7, 1, 2), "mono"},     {MakePicture(13, 7, 4, 16), "pal4"},
        {MakePicture(70, 5, 8, 256), "pal8"},   {testing::MakeGreyPicture(13, 7), "grey"},
        {MakePicture(70, 5, 24, 0), "rgb"},
    };
    for (const auto& [source, name] : cases) {
        SCOPED_TRACE(name);
        HDIB dib = DibDuplicate(source);
        FillPattern(dib);
        dib.header().biXPelsPerMeter = 3937;
        dib.header().biYPelsPerMeter = 11811;
        const std::string path = dir.file(std::string(name) + ".pcx");
        ASSERT_EQ(WritePcx(path, dib), WriteResult::Written);
        ReadResult back = ReadPcx(path);
        ASSERT_TRUE(back.ok());
        const HDIB& got = back.image();
        EXPECT_TRUE(testing::SamePixels(got, dib));
        EXPECT_EQ(Rows(got), Rows(dib));  // padding included
        EXPECT_EQ(got.header().biXPelsPerMeter, 3937);
        EXPECT_EQ(got.header().biYPelsPerMeter, 11811);
        ASSERT_EQ(got.clrUsed(), dib.clrUsed());
        if (dib.bitCount() == 1) {
            EXPECT_EQ(got.colors()[0].rgbGreen, 0);
            EXPECT_EQ(got.colors()[1].rgbBlue, 255);
        } else {
            EXPECT_TRUE(std::equal(dib.data() + 40, dib.data() + dib.pixelOffset(), got.data() + 40));
        }

        ReadResult whole = ReadPcxWhole(path);
        ASSERT_TRUE(whole.ok());
        EXPECT_EQ(whole.image().header().biXPelsPerMeter, 1024);
        EXPECT_EQ(whole.image().header().biYPelsPerMeter, 768);
        EXPECT_TRUE(testing::SamePixels(whole.image(), got.bitCount() == 24 ? DibDuplicate(got) : DibPromoteTo24(got)));
    }
}

TEST(Pcx, WrittenHeadersAndTrailerFollowTheLayout)
{
    HDIB pal8 = MakePicture(3, 2, 8, 4);
    pal8.header().biXPelsPerMeter = 2835;  // 72.01 dpi, rounded up
    MemorySink sink;
    ASSERT_EQ(WritePcx(sink, pal8), WriteResult::Written);
    const ByteList& b = sink.bytes();
    EXPECT_EQ(ByteList(b.begin(), b.begin() + 4), (ByteList{10, 5, 1, 8}));
    EXPECT_EQ(LoadLE16(&b[8]), 2);   // xmax
    EXPECT_EQ(LoadLE16(&b[10]), 1);  // ymax
    EXPECT_EQ(LoadLE16(&b[12]), 73);
    EXPECT_EQ(LoadLE16(&b[14]), 0);
    EXPECT_EQ(b[65], 1);
    EXPECT_EQ(LoadLE16(&b[66]), 3);
    EXPECT_EQ(LoadLE16(&b[68]), 1);
    // Two zero lines, then the marked palette: red, green, blue, zeros beyond the table.
    ASSERT_EQ(b.size(), 128u + 4 + 769);
    EXPECT_EQ(ByteList(b.begin() + 128, b.begin() + 132), (ByteList{0xC3, 0, 0xC3, 0}));
    EXPECT_EQ(b[132], 12);
    EXPECT_EQ(ByteList(b.begin() + 136, b.begin() + 139), (ByteList{7, 254, 3}));
    EXPECT_EQ(b[132 + 13], 0);

    HDIB grey = testing::MakeGreyPicture(4, 2);
    MemorySink greySink;
    ASSERT_EQ(WritePcx(greySink, grey), WriteResult::Written);
    EXPECT_EQ(LoadLE16(&greySink.bytes()[68]), 2);
    EXPECT_EQ(greySink.bytes().size(), 128u + 4);  // no trailer

    HDIB pal4 = MakePicture(9, 1, 4, 16);
    MemorySink pal4Sink;
    ASSERT_EQ(WritePcx(pal4Sink, pal4), WriteResult::Written);
    const ByteList& p4 = pal4Sink.bytes();
    EXPECT_EQ(p4[3], 1);
    EXPECT_EQ(p4[65], 4);
    EXPECT_EQ(LoadLE16(&p4[66]), 2);
    EXPECT_EQ(ByteList(p4.begin() + 16 + 45, p4.begin() + 64), (ByteList{105, 240, 45}));  // entry 15

    HDIB mono = MakePicture(9, 1, 1, 2);
    MemorySink monoSink;
    ASSERT_EQ(WritePcx(monoSink, mono), WriteResult::Written);
    EXPECT_EQ(ByteList(monoSink.bytes().begin() + 16, monoSink.bytes().begin() + 22), (ByteList{0, 0, 0, 255, 255, 255}));

    HDIB rgb = MakePicture(2, 1, 24);
    testing::SetPixel24(rgb, 0, 0, {1, 2, 3});
    testing::SetPixel24(rgb, 1, 0, {4, 5, 6});
    MemorySink rgbSink;
    ASSERT_EQ(WritePcx(rgbSink, rgb), WriteResult::Written);
    EXPECT_EQ(rgbSink.bytes()[65], 3);
    EXPECT_EQ(ByteList(rgbSink.bytes().begin() + 128, rgbSink.bytes().end()), (ByteList{1, 4, 2, 5, 3, 6}));
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
            testing::SetPixel24(rgb, x, y, {10, 10, 10});
    MemorySink sink;
    ASSERT_EQ(WritePcx(sink, rgb), WriteResult::Written);
    EXPECT_EQ(ByteList(sink.bytes().begin() + 128, sink.bytes().end()), (ByteList{0xC9, 10, 0xC9, 10}));

    // A run reaching into the next line is refused; one across planes is read.
    Bytes crossing = PcxFile(3, 2, 8, 3, 3);
    Append(crossing, {0xCC, 10, 0xC6, 10});
    EXPECT_EQ(ReadBytes(crossing).code(), ReadCode::Broken);
    Bytes planes = PcxFile(3, 2, 8, 3, 3);
    Append(planes, {0xC9, 10, 0xC4, 10, 0xC5, 20});
    ReadResult r = ReadBytes(planes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(testing::Pixel24(r.image(), 0, 1), (testing::Rgb{10, 10, 10}));
    EXPECT_EQ(testing::Pixel24(r.image(), 1, 0), (testing::Rgb{10, 20, 20}));
}

TEST(Pcx, ColourTablesOfEachKind)
{
    // Two colours are black and white whatever the header holds.
    Bytes mono = PcxFile(8, 1, 1, 1, 1, 1, {255, 0, 0, 0, 0, 255});
    Append(mono, {0x0F});
    ReadResult m = ReadBytes(mono);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(m.image().colors()[0].rgbRed, 0);
    EXPECT_EQ(m.image().colors()[1].rgbRed, 255);
    EXPECT_EQ(m.image().colors()[1].rgbGreen, 255);
    EXPECT_EQ(m.image().row(0)[0], 0x0F);

    // Sixteen come from the header, red-green-blue.
    Bytes pal4 = PcxFile(2, 1, 1, 4, 1, 1, {0, 0, 0, 10, 20, 30});
    Append(pal4, {0x40, 0, 0, 0});  // the second pixel has bit 0 set
    ReadResult p = ReadBytes(pal4);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.image().row(0)[0], 0x01);
    EXPECT_EQ(p.image().colors()[1].rgbBlue, 30);

    // 256 come from the marked trailer, which the pixel data stops before.
    Bytes pal8 = PcxFile(2, 1, 8, 1, 2);
    Append(pal8, {0xC2, 5});
    ReadResult ok = ReadBytes(AppendPalette(pal8, 12));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.image().clrUsed(), 256u);
    EXPECT_EQ(ok.image().colors()[5].rgbRed, 5);
    EXPECT_EQ(ok.image().colors()[5].rgbGreen, 250);

    // A grey header gives a ramp over the whole range and needs no trailer.
    Bytes grey = PcxFile(2, 1, 8, 1, 2, 2);
    Append(grey, {0xC2, 5});
    ReadResult g = ReadBytes(grey);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(DibGetType(g.image()), IMG_GREY8);
    Bytes grey4 = PcxFile(2, 1, 4, 1, 1, 2);
    Append(grey4, {0x1F});
    EXPECT_EQ(ReadBytes(grey4).image().colors()[15].rgbGreen, 255);
}

TEST(Pcx, A256ColourFileWithoutItsMarkerIsRefused)
{
    Bytes unmarked = PcxFile(2, 1, 8, 1, 2);
    Append(unmarked, {0xC2, 5});
    EXPECT_EQ(ReadBytes(AppendPalette(unmarked, 0)).code(), ReadCode::Failure);
    Bytes shortFile = PcxFile(2, 1, 8, 1, 2);
    Append(shortFile, {0xC2, 5, 12});
    EXPECT_EQ(ReadBytes(shortFile).code(), ReadCode::Failure);
}

TEST(Pcx, BadInputGivesTheFailureResults)
{
    EXPECT_EQ(ReadBytes(Bytes().zeros(127)).code(), ReadCode::NotThisFormat);
    Bytes other = PcxFile(1, 1, 8, 3, 1);
    other.data[0] = 11;
    EXPECT_EQ(ReadBytes(other).code(), ReadCode::NotThisFormat);

    EXPECT_EQ(ReadBytes(Append(PcxFile(4, 1, 2, 1, 1), {0xC1, 0})).code(), ReadCode::Failure);  // two bits, one plane
    EXPECT_EQ(ReadBytes(Append(PcxFile(4, 1, 8, 2, 4), {0xC8, 0})).code(), ReadCode::Failure);  // two byte planes
    EXPECT_EQ(ReadBytes(Append(PcxFile(9, 1, 8, 3, 8), {0xFF, 0})).code(), ReadCode::Failure);  // lines too short
    Bytes reversed = PcxFile(4, 4, 8, 3, 4);
    StoreLE16(&reversed.data[4], 9);  // xmin beyond xmax
    EXPECT_EQ(ReadBytes(reversed).code(), ReadCode::Failure);

    EXPECT_EQ(ReadBytes(Append(PcxFile(3, 2, 8, 3, 3), {0xC9, 1, 0xC8, 2})).code(), ReadCode::Broken);  // cut short

    // The largest header over a tiny body is refused before anything is allocated.
    testing::UiRecorder ui;
    Bytes huge = PcxFile(65535, 65535, 1, 1, 8192);
    Append(huge, ByteList(64, 0xFF));
    EXPECT_EQ(ReadBytes(huge).code(), ReadCode::Broken);
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(ReadPcx("/nonexistent/x.pcx").code(), ReadCode::Broken);
}

class CancellationOn {
public:
    CancellationOn() { SetCancellationEnabled(true); }
    ~CancellationOn() { SetCancellationEnabled(false); }
};

TEST(Pcx, ProgressAndCancellation)
{
    testing::UiRecorder ui;
    HDIB dib = MakePicture(5, 40, 24);
    MemorySink sink;
    ASSERT_EQ(WritePcx(sink, dib), WriteResult::Written);
    MemorySource source(sink.bytes());
    ASSERT_TRUE(ReadPcx(source).ok());
    const std::vector<std::pair<std::string, int>> expected = {
        {"Gravação", 0}, {"Gravação", 40}, {"Gravação", 80}, {"Leitura", 0}, {"Leitura", 40}, {"Leitura", 80}};
    EXPECT_EQ(ui.progress, expected);

    CancellationOn on;
    ui.escapeAfterPolls = 1;
    MemorySink cancelled;
    EXPECT_EQ(WritePcx(cancelled, dib), WriteResult::NotWritten);
    ui.escapePolls = 0;
    MemorySource again(sink.bytes());
    EXPECT_EQ(ReadPcx(again).code(), ReadCode::Failure);
}

TEST(Pcx, WriterResults)
{
    testing::TempDir dir;
    HDIB none;
    EXPECT_EQ(WritePcx(dir.file("a.pcx"), none), WriteResult::NotWritten);
    HDIB sixteen = AllocatePicture(2, 2, 16, 0);
    EXPECT_EQ(WritePcx(dir.file("a.pcx"), sixteen), WriteResult::NotWritten);
    HDIB dib = MakePicture(2, 2, 24);
    EXPECT_EQ(WritePcx(dir.file("missing/a.pcx"), dib), WriteResult::CannotCreate);
    EXPECT_EQ(WritePcx("/dev/full", dib), WriteResult::Failed);
}

TEST(PcxWhole, RunsMayCrossLinesButNotPassTheLastOne)
{
    Bytes crossing = PcxFile(3, 2, 8, 3, 3);
    Append(crossing, {0xCC, 10, 0xC6, 20});
    ReadResult r = ReadPcxWhole(crossing.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(testing::Pixel24(r.image(), 0, 0), (testing::Rgb{10, 20, 20}));  // bottom line: red from the first run

    Bytes past = PcxFile(3, 2, 8, 3, 3);
    Append(past, {0xCC, 10, 0xC7, 20});
    EXPECT_EQ(ReadPcxWhole(past.data).code(), ReadCode::Failure);
    Bytes cut = PcxFile(3, 2, 8, 3, 3);
    Append(cut, {0xCC, 10});
    EXPECT_EQ(ReadPcxWhole(cut.data).code(), ReadCode::Failure);
}

TEST(PcxWhole, AcceptsFilesByTheirFirstOrThirdByteAndMoreLayouts)
{
    // Two bits in one plane and three one-bit planes, through the header palette.
    const ByteList palette = {0, 0, 0, 10, 0, 0, 20, 0, 0, 30, 0, 0, 40, 0, 0, 50, 0, 0, 60, 0, 0, 70, 0, 0};
    Bytes packed = PcxFile(4, 1, 2, 1, 1, 1, palette);
    Append(packed, {0x1B});  // 0 1 2 3
    packed.data[0] = 0;      // the encoding byte alone is enough
    ReadResult r = ReadPcxWhole(packed.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(testing::Pixel24(r.image(), 3, 0).r, 30);

    Bytes planes = PcxFile(2, 1, 1, 3, 1, 1, palette);
    Append(planes, {0x80, 0x40, 0xC1, 0xC0});  // pixel 0: planes 0 and 2 = 5; pixel 1: planes 1 and 2 = 6
    planes.data[2] = 0;                        // the manufacturer byte alone is enough
    ReadResult p = ReadPcxWhole(planes.data);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(testing::Pixel24(p.image(), 0, 0).r, 50);
    EXPECT_EQ(testing::Pixel24(p.image(), 1, 0).r, 60);

    Bytes neither = PcxFile(2, 1, 1, 3, 1);
    neither.data[0] = 0;
    neither.data[2] = 0;
    EXPECT_EQ(ReadPcxWhole(Append(neither, {0, 0, 0}).data).code(), ReadCode::Failure);
    EXPECT_EQ(ReadPcxWhole(Append(PcxFile(2, 1, 4, 3, 1), {0, 0, 0}).data).code(), ReadCode::Failure);
    EXPECT_EQ(ReadPcxWhole(ByteList(100, 10)).code(), ReadCode::Failure);
}

TEST(PcxWhole, TheEightBitPaletteFollowsThePixelData)
{
    // Right after the data, even with bytes between it and the end of the file.
    Bytes marked = PcxFile(2, 1, 8, 1, 2);
    Append(marked, {0xC2, 5});
    AppendPalette(marked, 12).zeros(3);
    ReadResult r = ReadPcxWhole(marked.data);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(testing::Pixel24(r.image(), 1, 0), (testing::Rgb{5, 250, 7}));

    Bytes unmarked = PcxFile(2, 1, 8, 1, 2);
    Append(unmarked, {0xC2, 5});
    EXPECT_EQ(ReadPcxWhole(AppendPalette(unmarked, 0).data).code(), ReadCode::Failure);

    Bytes grey = PcxFile(2, 1, 8, 1, 2, 2);
    Append(grey, {0xC2, 77});
    ReadResult g = ReadPcxWhole(grey.data);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(testing::Pixel24(g.image(), 0, 0), (testing::Rgb{77, 77, 77}));
}

TEST(PcxDispatch, WrongExtensionsAndTheRegistry)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB dib = MakePicture(5, 3, 8, 256);
    FillPattern(dib);

    // A bitmap named .pcx: the paintbrush reader says "not mine", the bitmap reader reads it.
    const std::string bitmap = dir.file("bitmap.pcx");
    ASSERT_EQ(SaveImageFile(dib, dir.file("bitmap.bmp"), false), WriteResult::Written);
    std::filesystem::rename(dir.file("bitmap.bmp"), bitmap);
    LoadedImage loaded = LoadImageFileDetailed(bitmap, true);
    ASSERT_TRUE(loaded.image);
    EXPECT_EQ(loaded.format->name, "BMP");
    EXPECT_TRUE(testing::SamePixels(loaded.image, dib));

    // Saving and loading by name.
    const std::string named = dir.file("picture.pcx");
    ASSERT_EQ(SaveImageFile(dib, named, true), WriteResult::Written);
    loaded = LoadImageFileDetailed(named, true);
    ASSERT_TRUE(loaded.image);
    EXPECT_EQ(loaded.format->name, "PCX");
    EXPECT_TRUE(testing::SamePixels(loaded.image, dib));

    // The Save-as procedure's type 3, and the document open's ".PCX" through the whole reader.
    std::string saveAs = dir.file("saved");
    ASSERT_TRUE(SaveImageAs(dib, saveAs, 3));
    EXPECT_EQ(saveAs, dir.file("saved.PCX"));
    OpenedImage doc = OpenDocumentImage(saveAs, LibraryDocumentReaders());
    ASSERT_TRUE(doc.result.ok());
    EXPECT_EQ(doc.format, "PCX");
    EXPECT_EQ(doc.result.image().header().biXPelsPerMeter, 1024);
    EXPECT_TRUE(testing::SamePixels(doc.result.image(), DibPromoteTo24(dib)));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv
