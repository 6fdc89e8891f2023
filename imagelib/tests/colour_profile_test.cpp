#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/colour/colour_transform.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

const char* const kWideGamut = "/usr/share/color/icc/colord/ECI-RGBv2.icc";

std::vector<std::uint8_t> WideGamutProfile()
{
    return ReadWholeFile(kWideGamut).value_or(std::vector<std::uint8_t>{});
}

TEST(ColourProfile, JpegSplitsAndJoinsProfilesLargerThanOneMarker)
{
    // Four APP2 chunks; the bytes need not be a profile for the container to carry them.
    std::vector<std::uint8_t> big(200000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = std::uint8_t(i * 7 + i / 251);
    MemorySink sink;
    ASSERT_EQ(WriteJpeg(sink, testing::MakePhotoLike(16, 16), 80, big), WriteResult::Written);
    const ReadResult read = testing::ReadFromBytes(sink.take(), [](ByteSource& s) { return ReadJpeg(s); });
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.facts().iccProfile, big);
}

TEST(ColourProfile, UntaggedAndHostileProfilesGiveNoTransform)
{
    std::vector<std::uint8_t> eci = WideGamutProfile();
    EXPECT_EQ(ColourProfileDescription(eci).value_or(""), "eciRGB v2");
    EXPECT_EQ(ColourTransform::Create({}), nullptr);
    EXPECT_EQ(ColourTransform::Create(std::vector<std::uint8_t>(200, 0xFF)), nullptr);
    std::vector<std::uint8_t> cut(eci.begin(), eci.begin() + eci.size() / 3);
    EXPECT_EQ(ColourTransform::Create(cut), nullptr);
    EXPECT_FALSE(ColourProfileDescription(cut).has_value());
    // Every tag pointing beyond the end.
    const std::size_t tags = std::size_t(eci[128]) << 24 | eci[129] << 16 | eci[130] << 8 | eci[131];
    for (std::size_t i = 0; i < tags && 132 + 12 * i + 8 <= eci.size(); ++i)
        for (int b = 4; b < 8; ++b)
            eci[132 + 12 * i + std::size_t(b)] = 0xFF;
    EXPECT_EQ(ColourTransform::Create(eci), nullptr);
}

TEST(ColourProfile, WideGamutRowsConvertAndTheCacheBuildsOnce)
{
    const std::vector<std::uint8_t> eci = WideGamutProfile();
    ColourTransformCache cache;
    const auto toSrgb = cache.find(eci);
    ASSERT_NE(toSrgb, nullptr);
    EXPECT_EQ(cache.find(eci), toSrgb);
    const auto back = cache.find(SrgbProfileBytes(), eci);
    ASSERT_NE(back, nullptr);
    // blue-green-red: a saturated wide-gamut green leaves sRGB's gamut and clips; an
    // in-gamut colour comes back through the inverse within rounding.
    std::uint8_t pixels[6] = {0, 255, 0, 90, 120, 150};
    toSrgb->applyToRow(pixels, 2);
    EXPECT_GE(pixels[1], 250);
    EXPECT_LE(pixels[0] + pixels[2], 40);
    back->applyToRow(pixels + 3, 1);
    EXPECT_NEAR(pixels[3], 90, 2);
    EXPECT_NEAR(pixels[4], 120, 2);
    EXPECT_NEAR(pixels[5], 150, 2);
}

}  // namespace
}  // namespace lv
