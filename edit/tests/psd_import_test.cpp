// Photoshop documents: fixtures from two independent writers read to the expected layers and
// pixels, the messages for files that can't be opened or change on the way in, files that lie
// about their sizes, and the channel data, names and deflate budget beneath.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/psd/psd_channels.h"
#include "edit/psd/psd_import.h"
#include "edit/psd/psd_names.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/tests/ppm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>
#include <zlib.h>

namespace lv {
namespace {

using testing::UiRecorder;

const std::string kFolder = "tests/fixtures/psd/";

struct ExpectedLayer {
    int index, left, top, width, height, opacity;
    bool visible;
    std::string name, base;
};

struct ExpectedFile {
    int width = 0, height = 0, layers = 0, tolerance = 0;
    std::vector<ExpectedLayer> layerList;
};

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        out.push_back(field);
    if (!line.empty() && line.back() == '\t')
        out.push_back("");
    return out;
}

std::map<std::string, ExpectedFile> readExpectations()
{
    std::map<std::string, ExpectedFile> files;
    std::ifstream list(kFolder + "expected.txt");
    for (std::string line; std::getline(list, line);) {
        const auto f = fields(line);
        if (f.size() == 6 && f[0] == "file")
            files[f[1]] = {std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), {}};
        else if (f.size() == 11 && f[0] == "layer")
            files[f[1]].layerList.push_back({std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]),
                                             std::stoi(f[6]), std::stoi(f[7]), f[8] == "1", f[9], f[10]});
    }
    return files;
}

// A binary PGM, top row first.
std::vector<std::uint8_t> readPgm(const std::string& path, int width, int height)
{
    const auto bytes = ReadWholeFile(path);
    std::string head(bytes->begin(), bytes->begin() + std::ptrdiff_t(std::min<std::size_t>(bytes->size(), 32)));
    std::istringstream in(head);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    EXPECT_TRUE(magic == "P5" && w == width && h == height && maxval == 255) << path;
    const std::size_t start = std::size_t(in.tellg()) + 1;
    return {bytes->begin() + std::ptrdiff_t(start), bytes->begin() + std::ptrdiff_t(start) + width * height};
}

bool near(int got, int want, int tolerance)
{
    return got >= want - tolerance && got <= want + tolerance;
}

::testing::AssertionResult layerShows(const LayerRecord& record, const ExpectedLayer& want, int tolerance)
{
    const auto colours = testing::ReadPpm(kFolder + want.base + ".ppm");
    const auto coverage = readPgm(kFolder + want.base + ".pgm", want.width, want.height);
    if (!colours || record.image.bitCount() != 24 || record.mask.bitCount() != 8)
        return ::testing::AssertionFailure() << "pictures of the wrong kind";
    for (int top = 0; top < want.height; ++top)
        for (int x = 0; x < want.width; ++x) {
            const int row = want.height - 1 - top;
            const std::uint8_t cover = record.mask.row(row)[x];
            if (!near(cover, coverage[std::size_t(top * want.width + x)], tolerance))
                return ::testing::AssertionFailure() << "coverage at (" << x << ", " << top << ") is " << int(cover);
            const testing::Rgb got = testing::Pixel24(record.image, x, row);
            const testing::Rgb expected = colours->at(x, top);
            if (cover && !(near(got.r, expected.r, tolerance) && near(got.g, expected.g, tolerance) &&
                           near(got.b, expected.b, tolerance)))
                return ::testing::AssertionFailure() << "colour at (" << x << ", " << top << ") is " << int(got.r)
                                                     << "," << int(got.g) << "," << int(got.b);
        }
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> fixtureBytes(const std::string& name)
{
    return *ReadWholeFile(kFolder + name);
}

PsdOpened openBytes(const std::vector<std::uint8_t>& bytes, PsdNotices notices = PsdNotices::Show)
{
    MemorySource source(bytes);
    return OpenPsd(source, notices);
}

TEST(PsdImport, EveryFixtureArrivesWithItsLayersPositionsFlagsAndPixels)
{
    const auto files = readExpectations();
    ASSERT_GE(files.size(), 7u);
    for (const auto& [name, want] : files) {
        SCOPED_TRACE(name);
        UiRecorder ui;
        const PsdOpened opened = OpenPsdFile(kFolder + name, PsdNotices::Quiet);
        ASSERT_EQ(opened.code, ReadCode::Image);
        const LayerStack& stack = *opened.stack;
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(std::tuple(stack.width, stack.height, stack.bitCount, stack.currentLayer), std::tuple(want.width, want.height, 24, 0));
        ASSERT_EQ(stack.layerCount, want.layers);
        ASSERT_EQ(want.layerList.size(), std::size_t(want.layers));
        for (const ExpectedLayer& layer : want.layerList) {
            SCOPED_TRACE(layer.index);
            const LayerRecord& record = stack.layers[std::size_t(layer.index)];
            ASSERT_EQ(std::pair(record.image.width(), record.image.height()), std::pair(layer.width, layer.height));
            EXPECT_EQ(std::tie(record.name, record.x, record.y, record.opacity, record.visible, record.linked, record.maskLocked, record.kind),
                      std::tuple(layer.name, layer.left, want.height - layer.top - layer.height, std::uint32_t(layer.opacity),
                                 layer.visible, true, true, LAYER_IMAGE));
            EXPECT_TRUE(layerShows(record, layer, want.tolerance));
        }
    }
}

TEST(PsdImport, ResolutionComesFromTheFileOrDefaultsToSeventyTwoDotsPerInch)
{
    UiRecorder ui;
    const PsdOpened three = OpenPsdFile(kFolder + "py_three.psd");
    const PsdOpened flat = OpenPsdFile(kFolder + "py_flat.psd");
    ASSERT_TRUE(three.stack && flat.stack);
    EXPECT_EQ(three.stack->composite.header().biXPelsPerMeter, 5906);  // 150 dpi
    EXPECT_EQ(flat.stack->composite.header().biYPelsPerMeter, 2835);
}

TEST(PsdImport, LayersThatChangeOnTheWayInAreToldOnceEach)
{
    UiRecorder ui;
    ASSERT_TRUE(OpenPsdFile(kFolder + "py_groups.psd").stack);
    ASSERT_TRUE(OpenPsdFile(kFolder + "py_many.psd").stack);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("normais: Dentro, Recortada"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[1].text, "O arquivo tem 33 camadas. As 30 camadas de cima foram importadas e as outras 3 "
                                    "foram mescladas na camada de baixo.");
    ASSERT_TRUE(OpenPsdFile(kFolder + "py_groups.psd", PsdNotices::Quiet).stack);
    ASSERT_TRUE(OpenPsdFile(kFolder + "im_layers.psd").stack);  // its byte-swapped "norm" counts as normal
    EXPECT_EQ(ui.messages.size(), 2u) << "nothing more";
}

TEST(PsdImport, OtherModesAndDepthsAreRefusedByName)
{
    const std::vector<std::uint8_t> cmyk = fixtureBytes("py_cmyk.psd");
    const auto withHeader = [&](std::uint16_t mode, std::uint16_t depth) {
        std::vector<std::uint8_t> bytes = cmyk;
        StoreBE16(&bytes[22], depth);
        StoreBE16(&bytes[24], mode);
        return bytes;
    };
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {cmyk, "modo de cor CMYK,"},
        {withHeader(kPsdBitmap, 1), "modo de cor Bitmap,"},
        {withHeader(6, 8), "modo de cor 6,"},
        {withHeader(kPsdRgb, 32), "tem 32 bits por canal"},
        {withHeader(kPsdGreyscale, 1), "tem 1 bits por canal"},
    };
    for (const auto& [bytes, words] : cases) {
        SCOPED_TRACE(words);
        UiRecorder ui;
        const PsdOpened opened = openBytes(bytes, PsdNotices::Quiet);
        EXPECT_EQ(std::pair(opened.code, bool(opened.stack)), std::pair(ReadCode::Broken, false));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find(words), std::string::npos) << ui.messages[0].text;
    }
}

TEST(PsdImport, FilesThatAreNotPhotoshopDocumentsOrAreMissing)
{
    UiRecorder ui;
    EXPECT_EQ(std::pair(openBytes({'8', 'B', 'P'}).code, openBytes(fixtureBytes("py_three.0.ppm")).code),
              std::pair(ReadCode::NotThisFormat, ReadCode::NotThisFormat));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(OpenPsdFile(kFolder + "nowhere.psd").code, ReadCode::NotThisFormat);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível localizar --- " + kFolder + "nowhere.psd"});
}

// Every prefix of a layered file: never a crash; while layer data is missing, never a document.
TEST(PsdImport, CutFilesFailWithoutMessagesOfTheirOwn)
{
    const std::vector<std::uint8_t> whole = fixtureBytes("py_three.psd");
    MemorySource wholeSource(whole);
    const std::uint64_t merged = ReadPsdStructure(wholeSource).structure.mergedDataOffset;
    ASSERT_GT(merged, 1000u);
    UiRecorder ui;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        const PsdOpened opened = openBytes(cut);
        // Only the merged image, which a layered file doesn't need whole, may be cut.
        ASSERT_TRUE(length > merged || opened.code != ReadCode::Image) << length;
        ASSERT_NE(opened.code, ReadCode::Broken) << length;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// A small file can't make the reader allocate what its sizes declare.
TEST(PsdImport, DeclaredSizesAreCheckedAgainstTheFile)
{
    UiRecorder ui;
    std::vector<std::uint8_t> huge = fixtureBytes("py_flat.psd");
    StoreBE32(&huge[14], 30000);  // height
    StoreBE32(&huge[18], 30000);  // width
    const ReadCode largest = openBytes(huge).code;
    StoreBE32(&huge[14], 30001);
    EXPECT_EQ(std::pair(largest, openBytes(huge).code), std::pair(ReadCode::Failure, ReadCode::Failure));

    // A layer rectangle of 60000 × 60000 pixels backed by a few bytes arrives as an empty layer.
    std::vector<std::uint8_t> three = fixtureBytes("py_three.psd");
    const std::size_t records = 26 + 4 + 4 + 28 + 4 + 4 + 2;  // header, mode data, resources, lengths, count
    ASSERT_EQ(LoadBE32(&three[records + 8]), 30u);          // bottom of the first record
    StoreBE32(&three[records + 8], 60000);
    StoreBE32(&three[records + 12], 60000);
    const PsdOpened opened = openBytes(three);
    ASSERT_EQ(opened.code, ReadCode::Image);
    const LayerRecord& bottom = opened.stack->layers[2];
    EXPECT_EQ(std::tuple(bottom.image.width(), int(bottom.mask.row(0)[0]), bottom.name), std::tuple(1, 0, "Fundo"));

    // A channel that claims more bytes than the file has.
    std::vector<std::uint8_t> lying = fixtureBytes("py_three.psd");
    StoreBE32(&lying[records + 18 + 2], 0x7FFFFFFF);
    EXPECT_EQ(openBytes(lying).code, ReadCode::Failure);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PsdImport, TheDocumentOpenAndTheGeneralLoaderReachTheReader)
{
    UiRecorder ui;
    testing::TempDir dir;
    const std::string path = dir.file("camadas.psd");
    std::filesystem::copy_file(kFolder + "py_three.psd", path);
    DocumentReaders readers = LibraryDocumentReaders();
    readers.psd = ReadPsdFlattened;
    const OpenedImage opened = OpenDocumentImage(path, readers);
    ASSERT_TRUE(opened.result.ok());
    EXPECT_EQ(std::tuple(opened.format, opened.result.image().width()), std::tuple("PSD", 40));
    // The hidden layer is left out of the picture; the top layer's mask shows through to the bottom one.
    EXPECT_EQ(testing::Pixel24(opened.result.image(), 39, 0), (testing::Rgb{234, 232, 128}));
    const OpenedImage general = LoadGeneralImage(path, readers);
    ASSERT_TRUE(general.result.ok());
    EXPECT_EQ(general.result.image().height(), 30);
    EXPECT_TRUE(ui.messages.empty());
}

// Channel data and names of Photoshop documents: run-length rows, deflate rows, 16-bit
// samples and UTF-16 names, at their boundaries and when they are damaged.
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
    EXPECT_EQ(got.rows, std::vector<Bytes>{(Bytes{0, 0, 0, 0, 1, 127, 128, 254, 255})});
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
    // 1000 → 4, 1300 → 5, 65436 → 255 (wrapped), then 65535, 0, 0.
    EXPECT_EQ(got.rows, (std::vector<Bytes>{{0, 0, 4, 5, 255}, {0, 1, 255, 0, 0}}));

    Bytes plain8 = {10, 5, 250};
    Rows eight{{}, 3};
    ASSERT_TRUE(DecodePsdPlanes(deflate(plain8), kPsdZipPredicted, {3, 1, 8, 1}, 1, eight.sink()));
    EXPECT_EQ(eight.rows[0], (Bytes{0, 0, 10, 15, 9}));

    EXPECT_FALSE(DecodePsdPlanes(Bytes{0x78, 0x9C, 0xFF, 0xFF}, kPsdZip, {3, 2, 16, 1}, 1, Rows{{}, 3}.sink()));
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
    const PsdOpened fine = openBytes(FlatZipPsd(300, 200));
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
    EXPECT_TRUE(DecodePsdPlanes(DeflatedZeros(std::uint64_t(2000) * 2000 * 4), kPsdZip, {2000, 2000, 8, 4}, 3, count));
    EXPECT_EQ(rows, 6000);
}

}  // namespace
}  // namespace lv
