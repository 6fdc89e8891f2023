#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/flashpix/fpx_jpeg_tiles.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_property_set.h"
#include "imagelib/codecs/flashpix/fpx_raster.h"
#include "imagelib/codecs/flashpix/fpx_storage.h"
#include "imagelib/codecs/flashpix/fpx_tile_table.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/load_save.h"
#include "fpx_hand_made.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <jpeglib.h>

namespace lv {
namespace {

using namespace flashpix;
using namespace testing;

std::vector<std::uint8_t> Encode(const HDIB& picture, int quality = 90)
{
    MemorySink sink;
    EXPECT_EQ(WriteFlashPix(sink, picture, quality), WriteResult::Written);
    return sink.take();
}

HDIB GreyGradient(int width, int height)
{
    HDIB picture = MakeGreyPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.row(y)[x] = std::uint8_t((x * 3 + y * 5) % 256);
    return picture;
}

TEST(FlashPixRoundTrip, ColourAndGreyPicturesComeBackAtJpegQuality)
{
    // The widest is coded in several runs of tiles.
    const std::pair<int, int> sizes[] = {{1, 1}, {64, 64}, {65, 64}, {63, 130}, {200, 129}, {700, 300}, {16450, 66}};
    for (const auto& [w, h] : sizes) {
        for (const bool grey : {false, true}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (grey ? " grey" : " colour"));
            const HDIB picture = grey ? GreyGradient(w, h) : MakePhotoLike(w, h);
            ReadResult read = ReadFlashPix(Encode(picture));
            ASSERT_TRUE(read.ok()) << read.value();
            const HDIB& back = read.image();
            EXPECT_EQ(DibGetType(back), grey ? IMG_GREY8 : IMG_RGB24);
            ASSERT_EQ(SizeOf(back), std::tuple(w, h));
            // As close as a JPEG file of the same picture at the same quality.
            MemorySink jpeg;
            ASSERT_EQ(WriteJpeg(jpeg, picture, 90), WriteResult::Written);
            MemorySource jpegSource(jpeg.bytes());
            const HDIB jpegBack = ReadJpeg(jpegSource).take();
            EXPECT_LE(MeanDifference(picture, back), MeanDifference(picture, jpegBack) + 0.5);
        }
    }
    // Quality reaches the tiles; palette pictures are written in colour.
    const HDIB photo = MakePhotoLike(300, 200);
    EXPECT_LT(Encode(photo, 20).size() * 2, Encode(photo, 95).size());
    HDIB palette = testing::MakePicture(70, 70, 8, 16);
    testing::FillPatterned(palette);
    ReadResult widened = ReadFlashPix(Encode(palette));
    ASSERT_TRUE(widened.ok());
    EXPECT_EQ(widened.image().bitCount(), 24);
}

// A stream of our files' image object.
std::vector<std::string> InImage(std::initializer_list<std::string> names)
{
    std::vector<std::string> path{kDataObjectStore};
    path.insert(path.end(), names);
    return path;
}

std::optional<TileTable> TableOf(const StorageReader& storage, int resolution)
{
    const auto header = storage.readStream(InImage({ResolutionStorageName(resolution), kSubimageHeaderStream}), 1 << 20);
    if (!header || header->size() < 28 || LoadLE16(header->data()) != 0xFFFE)
        return std::nullopt;
    return ParseTileTable(*header);
}

TEST(FlashPixLayout, EveryLevelIsHalfThePreviousDownToOneTile)
{
    const auto file = Encode(MakePhotoLike(700, 300));
    const auto storage = StorageReader::Open(file);
    ASSERT_TRUE(storage);
    const auto contentsPath = InImage({kImageContentsStream});
    const auto contentsBytes = storage->readStream(contentsPath, 1 << 20);
    ASSERT_TRUE(contentsBytes);
    const auto contents = PropertySet::Parse(*contentsBytes);
    ASSERT_TRUE(contents);
    EXPECT_EQ(std::tuple(contents->uint32(kNumberOfResolutions), contents->uint32(kHighestWidth),
                         contents->uint32(kHighestHeight)),
              std::tuple(5u, 700u, 300u));
    // The highest number is the full size.
    const std::pair<std::uint32_t, std::uint32_t> expected[] = {{44, 19}, {88, 38}, {175, 75}, {350, 150}, {700, 300}};
    for (int level = 0; level < 5; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(contents->uint32(ForLevel(kSubimageWidth, level)), expected[level].first);
        const auto colours = contents->blob(ForLevel(kSubimageColour, level));
        ASSERT_TRUE(colours);
        EXPECT_EQ(std::vector<std::uint8_t>(colours->begin(), colours->end()),
                  Bytes().u32(1).u32(3).u32(0x30000).u32(0x30001).u32(0x30002).data);
        const auto table = TableOf(*storage, level);
        const auto stream = storage->readStream(InImage({ResolutionStorageName(level), kSubimageDataStream}), 1 << 24);
        ASSERT_TRUE(table && stream && stream->size() > 28);
        // Tile offsets count from the end of the data stream's 28-byte header.
        const auto tiles = std::span(*stream).subspan(28);
        EXPECT_EQ(std::pair(table->width, table->height), expected[level]);
        EXPECT_EQ(table->tiles.size(), std::size_t(TilesFor(table->width) * TilesFor(table->height)));
        for (const TileEntry& tile : table->tiles) {
            ASSERT_EQ(tile.compression, kJpeg);
            // Table 1, converted from RGB, chroma halved, interleaved: from the top byte down.
            EXPECT_EQ(tile.subtype, 0x01012200u);
            ASSERT_LE(std::uint64_t(tile.offset) + tile.size, tiles.size());
            // Abbreviated streams: the tables live in the image contents.
            EXPECT_EQ(std::tuple(tiles[tile.offset], tiles[tile.offset + 1]),
                      (std::tuple<std::uint8_t, std::uint8_t>(0xFF, 0xD8)));
            EXPECT_NE(tiles[tile.offset + 3], 0xDB);
        }
    }
    const auto tables = contents->blob(ForLevel(kJpegTables, 1));
    ASSERT_TRUE(tables);
    EXPECT_EQ(std::tuple((*tables)[2], (*tables)[3]), (std::tuple<std::uint8_t, std::uint8_t>(0xFF, 0xDB)));
}

TEST(FlashPixRaster, HalvingIsTheRoundedMeanOfEachBlockWithTheEdgesRepeated)
{
    for (const int channels : {3, 1})
        for (const int width : {1, 2, 3, 16, 17, 18, 19, 33, 64, 101}) {
            SCOPED_TRACE(std::to_string(channels) + " channels, width " + std::to_string(width));
            const int height = 5;
            auto source = Raster::Make(width, height, channels);
            ASSERT_TRUE(source);
            std::uint32_t seed = std::uint32_t(width * 7 + channels);
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < width * channels; ++i) {
                    seed = seed * 1664525u + 1013904223u;
                    // Extremes as well as noise, where a rounding slip would show.
                    source->ownRow(y)[i] = i % 5 == 0 ? 255 : i % 7 == 0 ? 0 : std::uint8_t(seed >> 24);
                }
            auto half = MakeHalf(*source);
            ASSERT_TRUE(half);
            HalveRows(*source, 0, half->height, *half);
            for (int y = 0; y < half->height; ++y)
                for (int x = 0; x < half->width; ++x)
                    for (int k = 0; k < channels; ++k) {
                        int sum = 2;
                        for (const int sy : {2 * y, std::min(2 * y + 1, height - 1)})
                            for (const int sx : {2 * x, std::min(2 * x + 1, width - 1)})
                                sum += source->row(sy)[sx * channels + k];
                        ASSERT_EQ(half->row(y)[x * channels + k], sum / 4) << x << "," << y << " channel " << k;
                    }
        }
}


TEST(FlashPixHandMade, UncompressedMonochromeAndPhotoYccTilesReadExactlyWithoutOpacity)
{
    // Monochrome, and PhotoYCC (white near luma 186, neutral chroma at 156 and 137).
    ReadResult mono = ReadFlashPix(HandMadeFile({{10, 5, kMonochrome, 1, {RawTile(1, [](int x, int y, int) { return x * 20 + y; })}}}));
    ASSERT_TRUE(mono.ok());
    EXPECT_EQ(DibGetType(mono.image()), IMG_GREY8);
    // Top row 0 at x 3, bottom row at x 9.
    EXPECT_EQ(std::tuple(mono.image().row(4)[3], mono.image().row(0)[9]),
              (std::tuple<std::uint8_t, std::uint8_t>(60, 184)));
    ReadResult ycc = ReadFlashPix(HandMadeFile(
        {{2, 1, kPhotoYcc, 3, {RawTile(3, [](int x, int, int c) { return c == 0 ? (x ? 100 : 186) : c == 1 ? 156 : 137; })}}}));
    ASSERT_TRUE(ycc.ok());
    EXPECT_EQ(std::tuple(Pixel24(ycc.image(), 0, 0), Pixel24(ycc.image(), 1, 0)),
              std::tuple(Rgb{253, 253, 253}, Rgb{136, 136, 136}));
    // An opacity channel after the colours is left out.
    Bytes withOpacity = Colours(kNifRgb, 3);
    withOpacity.data[4] = 4;
    withOpacity.u32(std::uint32_t(kNifRgb) << 16 | kOpacityChannel);
    ReadResult opaque = ReadFlashPix(HandMadeFile({{1, 1, kNifRgb, 4, {{kSingleColour, 0x80030201, {}}}, withOpacity}}));
    ASSERT_TRUE(opaque.ok());
    EXPECT_EQ(Pixel24(opaque.image(), 0, 0), (Rgb{1, 2, 3}));
}

TEST(FlashPixHandMade, PhotoYccJpegTilesAreConvertedAfterDecoding)
{
    // A tile made straight from Y, C1 and C2 planes, chroma halved both ways; tables inside
    // the tile (index 0), no conversion by the JPEG layer.
    std::vector<std::uint8_t> row(64 * 3);
    for (int x = 0; x < 64; ++x)
        row[std::size_t(x) * 3] = 120, row[std::size_t(x) * 3 + 1] = 180, row[std::size_t(x) * 3 + 2] = 137;
    const HandTile tile{kJpeg, JpegSubtype({0x22, false, 0}),
                        CodeTileAlone(3, JCS_YCbCr, 100, true, [&](int) { return row.data(); })};
    ReadResult read = ReadFlashPix(HandMadeFile({{64, 64, kPhotoYcc, 3, {tile}}}));
    ASSERT_TRUE(read.ok()) << read.value();
    // 1.3584 Y = 163; C1 24 above neutral adds 53 to blue and takes 10 from green.
    const auto p = Pixel24(read.image(), 10, 10);
    EXPECT_NEAR(p.r, 163, 2);
    EXPECT_NEAR(p.g, 153, 2);
    EXPECT_NEAR(p.b, 216, 2);
    // A table index whose tables are missing is a damaged file.
    const HandTile missing{kJpeg, JpegSubtype({0x22, false, 3}), tile.bytes};
    EXPECT_EQ(ReadFlashPix(HandMadeFile({{64, 64, kPhotoYcc, 3, {missing}}})).code(), ReadCode::Broken);
}

TEST(FlashPixLayout, LargeStreamsAreReadInPlaceAndSmallOnesCopied)
{
    StorageWriter writer;
    std::vector<std::uint8_t> large(70000), small(300);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = std::uint8_t(i * 7 + i / 251);
    std::fill(small.begin(), small.end(), 0x3C);
    writer.addStream("large", large);
    writer.addStream("small", small);
    const auto file = writer.finish();
    const auto storage = StorageReader::Open(file);
    ASSERT_TRUE(storage);
    const std::string largePath[] = {"large"}, smallPath[] = {"small"};
    const auto inPlace = storage->readStreamInPlace(largePath, file.size());
    const auto copied = storage->readStreamInPlace(smallPath, file.size());
    ASSERT_TRUE(inPlace && copied);
    EXPECT_TRUE(std::ranges::equal(inPlace->bytes(), large) && std::ranges::equal(copied->bytes(), small));
    // The large stream's sectors follow each other, so no copy was made.
    EXPECT_GE(inPlace->bytes().data(), file.data());
    EXPECT_LE(inPlace->bytes().data() + large.size(), file.data() + file.size());
    EXPECT_FALSE(storage->readStreamInPlace(largePath, large.size() - 1));
}

TEST(FlashPixBadInput, DamagedFilesGiveTheReadersFailuresNeverACrash)
{
    EXPECT_EQ(ReadFlashPix(std::vector<std::uint8_t>{}).code(), ReadCode::NotThisFormat);
    EXPECT_EQ(ReadFlashPix(std::vector<std::uint8_t>(600, 0x42)).code(), ReadCode::NotThisFormat);
    StorageWriter other;
    other.addStream("WordDocument", std::vector<std::uint8_t>(100, 1));
    EXPECT_EQ(ReadFlashPix(other.finish()).code(), ReadCode::NotThisFormat);

    const HandTile grey{kSingleColour, 0x80, {}};
    // Sizes that disagree, tile tables short of tiles, channels the colour doesn't have,
    // tiles beyond the data, an unknown compression, a colour space that isn't there.
    // The last, 60000 x 60000 claimed by one tile entry, is refused before any picture is allocated.
    const HandLevel damaged[] = {{65, 10, kMonochrome, 1, {grey}},
                                 {10, 10, kNifRgb, 1, {grey}},
                                 {10, 10, kMonochrome, 1, {{kUncompressed, 0, {1, 2, 3}}}},
                                 {10, 10, kMonochrome, 1, {{7, 0, {}}}},
                                 {10, 10, kColourless, 1, {grey}},
                                 {60000, 60000, kMonochrome, 1, {grey}}};
    for (const HandLevel& level : damaged)
        EXPECT_EQ(ReadFlashPix(HandMadeFile({level})).code(), ReadCode::Broken) << &level - damaged;
}

TEST(FlashPixFiles, EscWhileWritingLeavesNothingAndWhileReadingBreaksTheRead)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB photo = MakePhotoLike(130, 90);
    const std::string byName = dir.file("photo.fpx");
    EXPECT_EQ(SaveImageFile(photo, byName, true), WriteResult::Written);

    // Esc while writing: nothing is left behind.
    testing::CancellationOn on;
    ui.escapeAfterPolls = 0;
    const std::string cancelled = dir.file("cancelled.fpx");
    EXPECT_EQ(WriteFlashPix(cancelled, MakePhotoLike(200, 200), 90), WriteResult::NotWritten);
    EXPECT_FALSE(std::filesystem::exists(cancelled));
    EXPECT_EQ(ReadFlashPix(byName).code(), ReadCode::Broken);
}

}  // namespace
}  // namespace lv
