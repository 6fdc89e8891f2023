// The picture's resolution kept through a FlashPix file as its default display size.

#include "common/byte_sink.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "fpx_hand_made.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace lv {
namespace {

using namespace testing;

Bytes R4(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return Bytes().u32(4).u32(bits);
}

TEST(FlashPixResolution, WrittenResolutionsComeBack)
{
    const struct {
        std::int32_t x, y;
    } cases[] = {{11811, 11811}, {2835, 5906}, {1, 1}, {0, 0}, {39370, 39370}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + " x " + std::to_string(c.y));
        HDIB picture = MakePhotoLike(4000 / 16, 3000 / 16);
        picture.header().biXPelsPerMeter = c.x;
        picture.header().biYPelsPerMeter = c.y;
        MemorySink sink;
        ASSERT_EQ(WriteFlashPix(sink, picture, 80), WriteResult::Written);
        const ReadResult read = ReadFlashPix(sink.bytes());
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(std::tuple(read.image().header().biXPelsPerMeter, read.image().header().biYPelsPerMeter),
                  std::tuple(c.x, c.y));
    }
}

TEST(FlashPixResolution, DisplaySizesInEveryUnitAndNonsenseOnes)
{
    // 300 x 150 pixels shown 2.54 x 1.27 cm: 11811 pixels per metre both ways.
    const HandLevel level{300, 150, kNifRgb, 3, std::vector<HandTile>(15, HandTile{kSingleColour, 0x808080, {}})};
    const struct {
        float width, height;
        std::uint32_t unit;
        std::int32_t x, y;
    } cases[] = {
        {1.0f, 0.5f, kInches, 11811, 11811},  {0.0254f, 0.0127f, kMetres, 11811, 11811},
        {2.54f, 1.27f, kCentimetres, 11811, 11811}, {25.4f, 12.7f, kMillimetres, 11811, 11811},
        {1.0f, 1.0f, 7, 0, 0},  // an unknown unit
        {-1.0f, 0.0f, kInches, 0, 0},
        {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), kInches, 0, 0},
        {1e-30f, 1e30f, kInches, 0, 0},  // beyond any pixel count, below one pixel per metre
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height) + " unit " + std::to_string(c.unit));
        const ReadResult read = ReadFlashPix(HandMadeFile(
            {level}, {{kDisplayWidth, R4(c.width)}, {kDisplayHeight, R4(c.height)}, {kDisplayUnits, UI4(c.unit)}}));
        ASSERT_TRUE(read.ok()) << read.value();
        EXPECT_EQ(std::tuple(read.image().header().biXPelsPerMeter, read.image().header().biYPelsPerMeter),
                  std::tuple(c.x, c.y));
    }
}

}  // namespace
}  // namespace lv
