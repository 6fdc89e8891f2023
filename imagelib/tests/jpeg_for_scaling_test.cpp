// Scaling a JPEG down from one of the decoder's reductions against scaling its whole decode:
// the same picture within a few levels with the same facts, upright, and the whole decode
// wherever no reduction covers twice the size asked for. Damaged files: the tool's test.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/dib_geometry.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

struct Scaled {
    OpenedImage opened;
    int decodedWidth = 0;  // before the scaling: tells which decode ran
    HDIB picture;
};

Scaled scale(const std::string& path, int width, int height, bool reduced)
{
    OpenOptions options;
    options.promoteTo24 = false;
    options.showMessages = false;
    options.scaleToWidth = reduced ? width : 0;
    options.scaleToHeight = reduced ? height : 0;
    Scaled scaled;
    scaled.opened = OpenDocumentImage(path, LibraryDocumentReaders(), options);
    if (scaled.opened.result.ok()) {
        scaled.decodedWidth = scaled.opened.result.image().width();
        scaled.picture = DibResize(scaled.opened.result.image(), width, height);
    }
    return scaled;
}

int maxDifference(const HDIB& a, const HDIB& b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int i = 0; i < a.width() * a.bitCount() / 8; ++i)
            most = std::max(most, std::abs(a.row(y)[i] - b.row(y)[i]));
    return most;
}

TEST(ScaledJpeg, ReducedDecodeStaysCloseToTheWholeOneAndUpright)
{
    testing::TempDir dir;
    ASSERT_EQ(testing::RunCommand("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_scaling_photos.py' "
                                  + testing::ShellQuote(dir.path().string())).exitCode, 0);
    // The whole decode's bilinear step samples every fourth, eighth or twelfth pixel and so
    // aliases the fine texture; the reduced one starts from pixels the decoder averaged.
    // Hence the wider bounds at the larger reductions.
    const struct {
        const char* name;
        int width, height, decodedWidth;
        double meanBound;
    } cases[] = {
        {"photo.jpg", 500, 375, 1000, 2.0},   // a half covers 1000 x 750 exactly
        {"photo.jpg", 250, 187, 500, 3.5},    // a quarter
        {"photo.jpg", 501, 375, 2000, 0.0},   // 1002 columns: more than a half has
        {"photo.jpg", 1001, 751, 2000, 0.0},  // just above half the photo
        {"odd.jpg", 167, 125, 501, 5.0},      // a quarter of 2001 x 1499, rounded up
        {"progressive.jpg", 500, 375, 1000, 2.0},
        {"grey.jpg", 333, 250, 1000, 3.0},
        {"turned.jpg", 375, 500, 750, 2.0},   // stored 2000 x 1500 with orientation 6
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " to " + std::to_string(c.width));
        const Scaled whole = scale(dir.file(c.name), c.width, c.height, false);
        const Scaled reduced = scale(dir.file(c.name), c.width, c.height, true);
        ASSERT_TRUE(whole.picture && reduced.picture);
        EXPECT_EQ(std::tuple(reduced.decodedWidth, reduced.picture.bitCount()),
                  std::tuple(c.decodedWidth, whole.picture.bitCount()));
        EXPECT_LE(testing::MeanDifference(reduced.picture, whole.picture), c.meanBound);
        EXPECT_LE(maxDifference(reduced.picture, whole.picture), c.meanBound > 0 ? 80 : 0);  // edges a sample apart
        EXPECT_EQ(std::tuple(reduced.picture.header().biXPelsPerMeter, reduced.opened.result.facts().iccProfile,
                             reduced.opened.metadata.orientation),
                  std::tuple(whole.picture.header().biXPelsPerMeter, whole.opened.result.facts().iccProfile,
                             whole.opened.metadata.orientation));
    }
    const Scaled tagged = scale(dir.file("photo.jpg"), 500, 375, true);
    EXPECT_EQ(tagged.picture.header().biXPelsPerMeter, 11811);  // 300 dpi
    EXPECT_FALSE(tagged.opened.result.facts().iccProfile.empty());
}

}  // namespace
}  // namespace lv
