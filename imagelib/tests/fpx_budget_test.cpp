// FlashPix files of single-colour tiles: 16 bytes of tile table stand for 64 x 64 pixels, so
// a 2 MB file the writer itself makes can declare a 24000 x 24000 picture.

#include "common/byte_sink.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_property_set.h"
#include "imagelib/codecs/flashpix/fpx_storage.h"
#include "imagelib/codecs/flashpix/fpx_tile_table.h"
#include "imagelib/codecs/picture_budget.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv {
namespace {

using namespace flashpix;

// One RGB resolution of `width` x `height` whose tiles are all one colour (0xRRGGBB).
std::vector<std::uint8_t> SingleColourFile(std::uint32_t width, std::uint32_t height, std::uint32_t rgb)
{
    TileTable table{width, height, 3, {}};
    table.tiles.assign(std::size_t(TilesFor(width)) * TilesFor(height), TileEntry{0, 0, kSingleColour, (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16});
    PropertySetWriter contents(kImageContentsFormat);
    contents.addUI4(kNumberOfResolutions, 1);
    contents.addUI4(kHighestWidth, width);
    contents.addUI4(kHighestHeight, height);
    contents.addUI4(ForLevel(kSubimageWidth, 0), width);
    contents.addUI4(ForLevel(kSubimageHeight, 0), height);
    std::vector<std::uint8_t> colours(20);
    StoreLE32(colours.data(), 1);
    StoreLE32(colours.data() + 4, 3);
    for (std::uint32_t c = 0; c < 3; ++c)
        StoreLE32(colours.data() + 8 + 4 * c, kNifRgb << 16 | c);
    contents.addBlob(ForLevel(kSubimageColour, 0), colours);

    StorageWriter storage;
    storage.setRootClass(kImageViewClass);
    storage.openStorage(kDataObjectStore, kImageClass);
    storage.addStream(kImageContentsStream, contents.bytes());
    storage.openStorage(ResolutionStorageName(0));
    storage.addStream(kSubimageHeaderStream, SerialiseTileTable(table));
    storage.addStream(kSubimageDataStream, SubimageStreamHeader());
    storage.closeStorage();
    const auto file = storage.finish();
    return {file.begin(), file.end()};
}

TEST(FlashPixBudget, ASmallFileDeclaringAHugeSingleColourPictureIsTooLarge)
{
    testing::UiRecorder ui;
    const std::vector<std::uint8_t> file = SingleColourFile(24000, 24000, 0x336699);
    EXPECT_LT(file.size(), 3u << 20);
    // The fuzzer's seed is this file, written out when asked.
    if (const char* seed = std::getenv("LV_WRITE_FPX_SEED")) {
        ASSERT_TRUE(WriteWholeFile(seed, file));
    }
    const ReadResult read = ReadFlashPix(file);
    EXPECT_EQ(std::tuple(read.code(), read.failure().problem), std::tuple(ReadCode::Failure, FileProblem::TooLarge));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FlashPixBudget, SingleColourPicturesTheFileCanStandForStillRead)
{
    // 192 MB of rows from about 250 KB: beyond the budget's usual 256 bytes per byte of file,
    // within the 768 a tile entry stands for.
    const std::vector<std::uint8_t> file = SingleColourFile(8000, 8000, 0x0A141E);
    ASSERT_GT(8000ull * 8000 * 3, PictureAllowance(file.size()));
    ReadResult read = ReadFlashPix(file);
    ASSERT_TRUE(read.ok()) << read.value();
    EXPECT_EQ(read.image().width(), 8000);
    // Blue, green, red.
    const std::uint8_t* corner = read.image().row(7999) + 3 * 7999;
    EXPECT_EQ(std::vector(corner, corner + 3), (std::vector<std::uint8_t>{0x1E, 0x14, 0x0A}));
}

}  // namespace
}  // namespace lv
