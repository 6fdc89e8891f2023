// Files of the layout our writer used before it wrote the published one still open.

#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "fpx_hand_made.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using namespace testing;

TEST(FlashPixOldLayout, FilesOurOldWriterMadeStillOpen)
{
    // Written at quality 50 from the BMP fixtures by the old writer (the fuzzer's seeds): a
    // small sharp picture at that quality is far from its source, but nowhere near as far
    // as swapped channels or misplaced tiles would put it.
    UiRecorder ui;
    for (const auto& [fpx, bmp, grey] : {std::tuple{"old_layout_colour", "pil_24", false},
                                         std::tuple{"old_layout_grey", "pil_grey8", true}}) {
        SCOPED_TRACE(fpx);
        ReadResult read = ReadFlashPix(std::string("tests/fixtures/fpx/") + fpx + ".fpx");
        ASSERT_TRUE(read.ok()) << read.value();
        const ReadResult source = ReadBmp(std::string("tests/fixtures/bmp/") + bmp + ".bmp");
        ASSERT_TRUE(source.ok());
        EXPECT_EQ(std::tuple(DibGetType(read.image()), DibGetType(source.image())),
                  std::tuple(grey ? IMG_GREY8 : IMG_RGB24, grey ? IMG_GREY8 : IMG_RGB24));
        ASSERT_EQ(SizeOf(read.image()), SizeOf(source.image()));
        EXPECT_LT(MeanDifference(read.image(), source.image()), grey ? 12.0 : 25.0);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FlashPixOldLayout, OldSubtypesColourBlobAndStreamsReadAsTheyWereMeant)
{
    // The same tiles in both layouts, each with its own packing of the subtypes.
    std::vector<std::uint8_t> row(64 * 3);
    for (int x = 0; x < 64; ++x)
        row[std::size_t(x) * 3] = std::uint8_t(x * 4), row[std::size_t(x) * 3 + 1] = 90, row[std::size_t(x) * 3 + 2] = 200;
    const auto jpeg = CodeTileAlone(3, JCS_EXT_BGR, 90, true, [&](int) { return row.data(); });
    const auto file = [&](FileLayout layout) {
        const bool old = layout == FileLayout::OldPrivate;
        // Red 10, green 20, blue 30; YCbCr from RGB, chroma halved, tables in the tile.
        const HandTile flat{kSingleColour, old ? 0x0A141E00u : 0x001E140Au, {}};
        const HandTile coded{kJpeg, old ? 0x00220100u : 0x00012200u, jpeg};
        return HandMadeFile({{128, 64, kNifRgb, 3, {coded, flat}}}, {}, layout);
    };
    ReadResult published = ReadFlashPix(file(FileLayout::Published));
    ReadResult old = ReadFlashPix(file(FileLayout::OldPrivate));
    ASSERT_TRUE(published.ok() && old.ok());
    EXPECT_TRUE(SamePixels(published.image(), old.image()));
    EXPECT_EQ(Pixel24(old.image(), 100, 10), (Rgb{10, 20, 30}));
    EXPECT_NEAR(Pixel24(old.image(), 40, 10).r, 200, 3);
    EXPECT_NEAR(Pixel24(old.image(), 40, 10).b, 160, 3);
}

}  // namespace
}  // namespace lv
