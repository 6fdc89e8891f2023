// The metadata adapter: pictures turned by all eight orientations, and photos' blocks read,
// carried into a new file and survived when hostile.

#include "common/byte_source.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/metadata/metadata_writer.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/metadata/photo_metadata.h"

#include <gtest/gtest.h>

#include <string>

namespace lv {
namespace {

// A 3×2 picture whose pixel values are 0..5 row by row from the top, at `bits` per pixel;
// read back as the same numbers.
HDIB numbered(unsigned bits)
{
    HDIB dib = AllocatePicture(3, 2, bits, bits == 24 ? 0 : 1u << bits);
    for (int v = 0; v < 2; ++v)
        for (int u = 0; u < 3; ++u) {
            std::uint8_t* row = dib.row(1 - v);
            if (bits == 24)
                row[3 * u] = std::uint8_t(3 * v + u);
            else
                AddPackedPixel(row, u, int(bits), unsigned(3 * v + u));
        }
    return dib;
}

std::string layout(const HDIB& dib)
{
    std::string text;
    for (int v = 0; v < dib.height(); ++v) {
        for (int u = 0; u < dib.width(); ++u) {
            const std::uint8_t* row = dib.row(dib.height() - 1 - v);
            text += char('0' + (dib.bitCount() == 24 ? row[3 * u] : PackedPixel(row, u, dib.bitCount())));
        }
        text += '/';
    }
    return text;
}

TEST(OrientUpright, EveryOrientationAtEveryDepth)
{
    // Stored "012/345/" shown as each orientation says (EXIF's own drawings of the letter F).
    const std::string expected[] = {"", "210/543/", "543/210/", "345/012/", "03/14/25/", "30/41/52/", "52/41/30/", "25/14/03/"};
    for (unsigned bits : {24u, 8u, 4u}) {
        for (int orientation = 2; orientation <= 8; ++orientation) {
            const HDIB upright = OrientUpright(numbered(bits), orientation);
            ASSERT_TRUE(upright) << orientation;
            EXPECT_EQ(layout(upright), expected[orientation - 1]) << "orientation " << orientation << ", " << bits << " bits";
        }
    }
    EXPECT_FALSE(OrientUpright(numbered(24), 1) || OrientUpright(numbered(24), 9));
}

TEST(PhotoMetadata, HostileBytesGiveNoMetadata)
{
    const std::vector<std::uint8_t> tagged =
        ReadWholeFile(LV_SOURCE_DIR "/fuzz/corpus/metadata/tagged.jpg").value_or(std::vector<std::uint8_t>{});
    ASSERT_FALSE(tagged.empty());
    for (std::size_t cut : {std::size_t(0), std::size_t(3), std::size_t(40), tagged.size() / 2}) {
        const std::vector<std::uint8_t> part(tagged.begin(), tagged.begin() + std::ptrdiff_t(cut));
        const PhotoMetadata read = ReadPhotoMetadata(part);
        EXPECT_EQ(read.orientation, 1) << cut;
    }
    // Every byte of the EXIF block flipped in turn: whatever the library makes of it, no throw escapes.
    for (std::size_t i = 20; i < 400 && i < tagged.size(); ++i) {
        std::vector<std::uint8_t> hostile = tagged;
        hostile[i] ^= 0xFF;
        const PhotoMetadata read = ReadPhotoMetadata(hostile);
        EXPECT_TRUE(read.orientation >= 1 && read.orientation <= 8) << read.orientation;
    }
    std::vector<std::uint8_t> notJpeg = {1, 2, 3};
    EXPECT_FALSE(InsertPhotoMetadata(notJpeg, ReadPhotoMetadata(tagged), {1, 1, false}));
    EXPECT_EQ(notJpeg.size(), 3u);
}

}  // namespace
}  // namespace lv
