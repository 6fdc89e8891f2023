// Scaling a JPEG down from one of the decoder's reductions against scaling its whole decode:
// the same picture within a few levels with the same facts, upright, and the whole decode
// wherever no reduction covers twice the size asked for.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/dib_geometry.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace lv {
namespace {

struct Scaled {
    OpenedImage opened;
    int decodedWidth = 0;  // before the scaling: tells which decode ran
    HDIB picture;
};

int maxDifference(const HDIB& a, const HDIB& b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (std::size_t i = 0; i < std::size_t(a.width()) * std::size_t(a.bitCount() / 8); ++i)
            most = std::max(most, std::abs(int(a.row(y)[i]) - int(b.row(y)[i])));
    return most;
}

// The mean of the source samples whose centres fall in each target pixel: what a perfect
// reduction gives, to judge both scalings by.
std::vector<double> areaMeans(const HDIB& source, int width, int height)
{
    const std::size_t channels = std::size_t(source.bitCount() / 8);
    std::vector<double> sums(std::size_t(width) * std::size_t(height) * channels);
    std::vector<int> counts(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < source.height(); ++y) {
        const auto row = std::size_t((2LL * y + 1) * height / (2LL * source.height()));
        for (int x = 0; x < source.width(); ++x) {
            const std::size_t target = row * std::size_t(width) + std::size_t((2LL * x + 1) * width / (2LL * source.width()));
            ++counts[target];
            for (std::size_t c = 0; c < channels; ++c)
                sums[target * channels + c] += source.row(y)[std::size_t(x) * channels + c];
        }
    }
    for (std::size_t i = 0; i < sums.size(); ++i)
        sums[i] /= counts[i / channels];
    return sums;
}

double distanceFrom(const std::vector<double>& means, const HDIB& picture)
{
    const std::size_t rowBytes = means.size() / std::size_t(picture.height());
    double total = 0;
    for (std::size_t i = 0; i < means.size(); ++i)
        total += std::abs(means[i] - picture.row(int(i / rowBytes))[i % rowBytes]);
    return total / double(means.size());
}

class ScaledJpeg : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<testing::TempDir>();
        made_ = testing::RunCommand("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_scaling_photos.py' "
                                    + testing::ShellQuote(dir_->path().string())).exitCode == 0;
    }
    static void TearDownTestSuite() { dir_.reset(); }
    void SetUp() override { ASSERT_TRUE(made_); }

    static Scaled scale(const std::string& name, int width, int height, bool reduced)
    {
        OpenOptions options;
        options.promoteTo24 = false;
        options.showMessages = false;
        options.scaleToWidth = reduced ? width : 0;
        options.scaleToHeight = reduced ? height : 0;
        Scaled scaled;
        scaled.opened = OpenDocumentImage(dir_->file(name), LibraryDocumentReaders(), options);
        if (scaled.opened.result.ok()) {
            scaled.decodedWidth = scaled.opened.result.image().width();
            scaled.picture = DibResize(scaled.opened.result.image(), width, height);
        }
        return scaled;
    }

    static inline std::unique_ptr<testing::TempDir> dir_;
    static inline bool made_ = false;
};

TEST_F(ScaledJpeg, ReducedDecodeStaysCloseToTheWholeOne)
{
    // The whole decode's bilinear step samples every fourth, eighth or twelfth pixel and so
    // aliases the fine texture; the reduced one starts from pixels the decoder averaged.
    // Hence the wider bound at the larger reductions, and the check that the reduced path
    // comes nearer a true area average than the whole one.
    const struct {
        const char* name;
        int width, height, decodedWidth;
        double meanBound;
    } cases[] = {
        {"photo.jpg", 500, 375, 1000, 2.0},   // a half covers 1000 x 750 exactly
        {"photo.jpg", 250, 187, 500, 3.5},    // a quarter
        {"odd.jpg", 167, 125, 501, 5.0},      // a quarter of 2001 x 1499, rounded up
        {"progressive.jpg", 500, 375, 1000, 2.0},
        {"grey.jpg", 333, 250, 1000, 3.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " to " + std::to_string(c.width));
        const Scaled whole = scale(c.name, c.width, c.height, false);
        const Scaled reduced = scale(c.name, c.width, c.height, true);
        ASSERT_TRUE(whole.picture && reduced.picture);
        EXPECT_EQ(reduced.decodedWidth, c.decodedWidth);
        EXPECT_EQ(reduced.picture.width(), c.width);
        EXPECT_EQ(reduced.picture.height(), c.height);
        EXPECT_EQ(reduced.picture.bitCount(), whole.picture.bitCount());
        EXPECT_LE(testing::MeanDifference(reduced.picture, whole.picture), c.meanBound);
        EXPECT_LE(maxDifference(reduced.picture, whole.picture), 80);
        const std::vector<double> ideal = areaMeans(whole.opened.result.image(), c.width, c.height);
        EXPECT_LT(distanceFrom(ideal, reduced.picture), distanceFrom(ideal, whole.picture));
        EXPECT_EQ(reduced.picture.header().biXPelsPerMeter, whole.picture.header().biXPelsPerMeter);
        EXPECT_EQ(reduced.opened.result.facts().iccProfile, whole.opened.result.facts().iccProfile);
    }
    EXPECT_EQ(scale("photo.jpg", 500, 375, true).picture.header().biXPelsPerMeter, 11811);  // 300 dpi
    EXPECT_FALSE(scale("photo.jpg", 500, 375, true).opened.result.facts().iccProfile.empty());
}

TEST_F(ScaledJpeg, TargetsAboveAQuarterDecodeWhole)
{
    // 501 wide needs 1002 columns, more than a half gives; 1001 is just above half the photo.
    for (const auto& [width, height] : {std::pair{501, 375}, std::pair{1001, 751}}) {
        const Scaled whole = scale("photo.jpg", width, height, false);
        const Scaled reduced = scale("photo.jpg", width, height, true);
        ASSERT_TRUE(reduced.picture);
        EXPECT_EQ(reduced.decodedWidth, 2000);
        EXPECT_EQ(testing::MeanDifference(reduced.picture, whole.picture), 0.0);
    }
}

TEST_F(ScaledJpeg, TurnedPhotoComesOutUpright)
{
    // Stored 2000 x 1500 with orientation 6; shown 1500 x 2000, so a half is decoded.
    const Scaled whole = scale("turned.jpg", 375, 500, false);
    const Scaled reduced = scale("turned.jpg", 375, 500, true);
    ASSERT_TRUE(whole.picture && reduced.picture);
    EXPECT_EQ(reduced.decodedWidth, 750);
    EXPECT_EQ(reduced.opened.result.image().height(), 1000);
    EXPECT_EQ(reduced.opened.metadata.orientation, 6);
    EXPECT_EQ(reduced.opened.result.facts().storedOrientation, whole.opened.result.facts().storedOrientation);
    EXPECT_LE(testing::MeanDifference(reduced.picture, whole.picture), 2.5);
}

TEST_F(ScaledJpeg, DamagedFilesAnswerAsTheWholeReadDoes)
{
    {
        std::ifstream in(dir_->file("photo.jpg"), std::ios::binary);
        std::vector<char> head(300);
        in.read(head.data(), std::streamsize(head.size()));
        std::ofstream(dir_->file("head.jpg"), std::ios::binary).write(head.data(), std::streamsize(head.size()));
    }
    // Cut in its data: read as far as it goes and said to be cut; cut in its header: refused.
    for (const char* name : {"cut.jpg", "head.jpg", "absent.jpg"}) {
        SCOPED_TRACE(name);
        const Scaled whole = scale(name, 250, 187, false);
        const Scaled reduced = scale(name, 250, 187, true);
        EXPECT_EQ(reduced.opened.result.code(), whole.opened.result.code());
        EXPECT_EQ(reduced.opened.result.failure().problem, whole.opened.result.failure().problem);
        EXPECT_EQ(bool(reduced.picture), std::string(name) == "cut.jpg");
    }
    EXPECT_EQ(scale("cut.jpg", 250, 187, true).opened.result.failure().problem, FileProblem::Truncated);
}

}  // namespace
}  // namespace lv
