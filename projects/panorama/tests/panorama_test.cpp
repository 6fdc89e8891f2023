// Stitching views of one generated scene: the panorama must give the scene back. The views
// are pinhole photos of a scene painted on a cylinder around the camera, turned between
// shots, some brighter or darker, so the whole chain (matching, warping, exposure, seams)
// has to work for the result to line up with the scene.

#include "imagelib/dib_alloc.h"
#include "projects/panorama/covered_crop.h"
#include "projects/panorama/panorama_stitch.h"
#include "projects/panorama/tests/panorama_scene.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <random>

namespace lv::panorama {
namespace {

using namespace testing;

cv::Mat ToMat(const HDIB& picture)
{
    cv::Mat mat(picture.height(), picture.width(), CV_8UC3);
    for (int y = 0; y < mat.rows; ++y)
        std::memcpy(mat.ptr(y), picture.row(mat.rows - 1 - y), std::size_t(mat.cols) * 3);
    return mat;
}

Panorama StitchViews(const std::vector<cv::Mat>& views)
{
    std::vector<HDIB> pictures;
    for (const cv::Mat& view : views)
        pictures.push_back(ToPicture(view));
    std::vector<const HDIB*> photos;
    for (const HDIB& picture : pictures)
        photos.push_back(&picture);
    return StitchPhotos(photos);
}

TEST(Panorama, ThreeTurnedViewsWithDifferentExposuresGiveTheSceneBack)
{
    const cv::Mat scene = Scene(7, 2400, 700);
    const double centres[] = {700, 1150, 1600};
    const Panorama panorama =
        StitchViews({View(scene, centres[0], 1.0), View(scene, centres[1], 1.08), View(scene, centres[2], 0.93)});
    ASSERT_TRUE(panorama.ok()) << panorama.failure;
    ASSERT_EQ(panorama.coverage.size(), std::size_t(panorama.picture.width()) * panorama.picture.height());

    // The result's scale is the estimated focal length over the true one: its width says it.
    const double spanOnScene = centres[2] - centres[0] + 2 * kFocal * std::atan(kViewWidth / 2.0 / kFocal);
    const double scale = panorama.picture.width() / spanOnScene;
    EXPECT_NEAR(scale, 1.0, 0.05);
    cv::Mat result;
    cv::resize(ToMat(panorama.picture), result, {}, 1 / scale, 1 / scale, cv::INTER_AREA);

    // A covered middle part of the result, found in the scene, must match it.
    const cv::Rect middle(result.cols / 5, result.rows / 4, result.cols * 3 / 5, result.rows / 2);
    const cv::Mat patch = result(middle);
    cv::Mat scores;
    cv::matchTemplate(scene, patch, scores, cv::TM_SQDIFF);
    cv::Point at;
    cv::minMaxLoc(scores, nullptr, nullptr, &at);
    cv::Mat difference;
    cv::absdiff(scene(cv::Rect(at, patch.size())), patch, difference);
    const cv::Scalar mean = cv::mean(difference);
    EXPECT_LE((mean[0] + mean[1] + mean[2]) / 3, 8.0);
    EXPECT_NEAR(at.x, centres[0] - kFocal * std::atan(kViewWidth / 2.0 / kFocal) + middle.x, 12);
}

TEST(Panorama, CountsOutsideTwoToTwelveAndUnreadablePhotosAreRefused)
{
    const std::vector<HDIB> pictures = [] {
        std::vector<HDIB> made;
        for (int i = 0; i < kMaxPhotos + 1; ++i)
            made.push_back(AllocatePicture(32, 32, 24, 0));
        return made;
    }();
    std::vector<const HDIB*> photos{&pictures[0]};
    EXPECT_EQ(StitchPhotos(photos).failure, "Escolha pelo menos duas fotos para o panorama.");
    for (int i = 1; i <= kMaxPhotos; ++i)
        photos.push_back(&pictures[std::size_t(i)]);
    EXPECT_EQ(StitchPhotos(photos).failure, "Um panorama junta no máximo 12 fotos.");
    const HDIB grey = AllocatePicture(32, 32, 8, 256);
    EXPECT_EQ(StitchPhotos({&pictures[0], &grey}).failure, "Uma das fotos não pôde ser lida em cores.");
    // Blank photos have nothing to match; the library's refusal is a reason, not a crash.
    EXPECT_FALSE(StitchPhotos({&pictures[0], &pictures[1]}).failure.empty());
}

// On ragged random masks the rectangles found are pinned (checked against every rectangle tried
// when pinned); by hand, a hole leaves the two full columns beside it.
TEST(CoveredCrop, RandomMasksStayAsPinnedAndAHoleLeavesTheColumnsBesideIt)
{
    std::mt19937 random(5);
    std::uint32_t pinned = 2166136261u;
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + int(random() % 12), height = 1 + int(random() % 9);
        std::vector<std::uint8_t> mask(std::size_t(width * height));
        for (auto& covered : mask)
            covered = random() % 5 != 0;
        const Rect found = LargestCoveredRectangle(mask, width, height);
        for (const int side : {found.left, found.top, found.right, found.bottom})
            pinned = (pinned ^ std::uint32_t(side)) * 16777619u;
    }
    EXPECT_EQ(pinned, 1666403890u);
    const std::vector<std::uint8_t> hole = {1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1};  // 4 × 3, (1, 1) bare
    EXPECT_EQ(LargestCoveredRectangle(hole, 4, 3), (Rect{2, 0, 4, 3}));
    EXPECT_EQ(LargestCoveredRectangle(std::vector<std::uint8_t>(6, 0), 3, 2).width(), 0);
    EXPECT_EQ(LargestCoveredRectangle({}, 4, 4).width(), 0);  // a mask shorter than the picture
}

}  // namespace
}  // namespace lv::panorama
