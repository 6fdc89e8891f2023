#include "edit/bmp_stream.h"
#include "edit/layer_pictures.h"
#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace lv {
namespace {

// Rows of long runs, short runs, pairs, lone bytes and long literal stretches.
HDIB PatternedMask(std::mt19937& random, int width, int height)
{
    HDIB mask = MakeGreyFilled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = mask.row(y);
        for (int x = 0; x < width;) {
            const int kind = int(random() % 4);
            const int length = std::min(width - x, kind == 0 ? int(random() % 600) + 1 : int(random() % 5) + 1);
            const std::uint8_t value = std::uint8_t(random());
            for (int i = 0; i < length; ++i, ++x)
                row[x] = kind == 3 ? std::uint8_t(random()) : kind == 2 ? std::uint8_t(value + (i & 1)) : value;
        }
    }
    return mask;
}

HDIB ReadBack(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadBmp(source).take();
}

TEST(BmpStream, RunLengthMasksReadBackExactly)
{
    std::mt19937 random(5);
    for (int round = 0; round < 60; ++round) {
        const int width = 1 + int(random() % (round < 30 ? 20 : 1200));
        const int height = 1 + int(random() % 12);
        const HDIB mask = PatternedMask(random, width, height);
        const HDIB before = DibDuplicate(mask);
        MemorySink sink;
        ASSERT_TRUE(WriteBmpStream(sink, mask, true));
        EXPECT_EQ(std::memcmp(before.data(), mask.data(), mask.size()), 0);  // not changed by writing
        const std::vector<std::uint8_t>& bytes = sink.bytes();
        // BI_RLE8, the file's size, and the end-of-bitmap code last.
        EXPECT_EQ(std::tuple(LoadLE32(bytes.data() + 14 + 16), std::size_t(LoadLE32(bytes.data() + 2)), int(bytes[bytes.size() - 2]),
                             int(bytes[bytes.size() - 1])),
                  std::tuple(1u, bytes.size(), 0, 1));
        const HDIB back = ReadBack(bytes);
        ASSERT_TRUE(testing::SamePixels(back, mask)) << width << " x " << height;
        EXPECT_EQ(DibGetType(back), IMG_GREY8);
    }
}

TEST(BmpStream, RunsAndLiteralsAreEncodedAsTheFormatAsks)
{
    HDIB mask = MakeGreyFilled(12, 1, 9);
    const std::uint8_t row[12] = {9, 9, 9, 1, 2, 3, 4, 5, 5, 6, 7, 7};
    std::memcpy(mask.row(0), row, 12);
    EXPECT_EQ(EncodeRle8(mask), (std::vector<std::uint8_t>{3, 9, 0, 4, 1, 2, 3, 4, 2, 5, 1, 6, 2, 7, 0, 1}));

    HDIB two = MakeGreyFilled(300, 2, 200);
    two.row(1)[299] = 7;
    EXPECT_EQ(EncodeRle8(two), (std::vector<std::uint8_t>{255, 200, 45, 200, 0, 0, 255, 200, 44, 200, 1, 7, 0, 1}));
}

// Uncompressed streams are the layered format's lossless round trip.
TEST(BmpStream, RunLengthNeedsEightBits)
{
    MemorySink sink;
    EXPECT_FALSE(WriteBmpStream(sink, testing::MakePhotoLike(7, 5), true));
}

}  // namespace
}  // namespace lv
