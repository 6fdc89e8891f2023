// Photoshop documents: fixtures from two independent writers read to the expected layers
// and pixels, the messages for files that can't be opened or that change on the way in,
// and files that lie about their sizes.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/psd/psd_import.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/tests/ppm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

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
    std::vector<std::string> approximated;
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
            files[f[1]] = {std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), {}, {}};
        else if (f.size() == 11 && f[0] == "layer")
            files[f[1]].layerList.push_back({std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]),
                                             std::stoi(f[6]), std::stoi(f[7]), f[8] == "1", f[9], f[10]});
        else if (f.size() >= 2 && f[0] == "approximated")
            files[f[1]].approximated.assign(f.begin() + 2, f.end());
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
    EXPECT_EQ(OpenPsdFile(kFolder + "py_three.psd").stack->composite.header().biXPelsPerMeter, 5906);  // 150 dpi
    EXPECT_EQ(OpenPsdFile(kFolder + "py_flat.psd").stack->composite.header().biYPelsPerMeter, 2835);
}

TEST(PsdImport, LayersThatChangeOnTheWayInAreToldOnceEach)
{
    {
        UiRecorder ui;
        ASSERT_TRUE(OpenPsdFile(kFolder + "py_groups.psd").stack);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find("normais: Dentro, Recortada"), std::string::npos) << ui.messages[0].text;
    }
    {
        UiRecorder ui;
        ASSERT_TRUE(OpenPsdFile(kFolder + "py_many.psd").stack);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "O arquivo tem 33 camadas. As 30 camadas de cima foram importadas e as outras 3 "
                                        "foram mescladas na camada de baixo.");
    }
    {
        UiRecorder ui;
        ASSERT_TRUE(OpenPsdFile(kFolder + "py_groups.psd", PsdNotices::Quiet).stack);
        ASSERT_TRUE(OpenPsdFile(kFolder + "im_layers.psd").stack);  // its byte-swapped "norm" counts as normal
        EXPECT_TRUE(ui.messages.empty());
    }
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
        {withHeader(kPsdLab, 8), "modo de cor Lab,"},
        {withHeader(kPsdIndexed, 8), "modo de cor Cores indexadas,"},
        {withHeader(kPsdBitmap, 1), "modo de cor Bitmap,"},
        {withHeader(kPsdMultichannel, 8), "modo de cor Multicanal,"},
        {withHeader(6, 8), "modo de cor 6,"},
        {withHeader(kPsdRgb, 32), "tem 32 bits por canal"},
        {withHeader(kPsdGreyscale, 1), "tem 1 bits por canal"},
    };
    for (const auto& [bytes, words] : cases) {
        SCOPED_TRACE(words);
        UiRecorder ui;
        const PsdOpened opened = openBytes(bytes, PsdNotices::Quiet);
        EXPECT_EQ(opened.code, ReadCode::Broken);
        EXPECT_FALSE(opened.stack);
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
        if (length <= merged) {  // only the merged image, which a layered file doesn't need whole, may be cut
            ASSERT_NE(opened.code, ReadCode::Image) << length;
        }
        ASSERT_NE(opened.code, ReadCode::Broken) << length;
    }
    EXPECT_TRUE(ui.messages.empty());
}

// A small file can't make the reader allocate what its sizes declare.
TEST(PsdImport, DeclaredSizesAreCheckedAgainstTheFile)
{
    UiRecorder ui;
    std::vector<std::uint8_t> flat = fixtureBytes("py_flat.psd");
    std::vector<std::uint8_t> huge = flat;
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

}  // namespace
}  // namespace lv
