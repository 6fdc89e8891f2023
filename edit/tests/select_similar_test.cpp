#include "edit/selection/select_similar.h"
#include "edit/tests/selection_test_support.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/progress.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace lv::testing {
namespace {

TEST(SelectSimilar, TheFillFollowsSpiralsAndPocketsBothWays)
{
    // Corridors that turn back up and down force segments to leak both ways.
    const std::vector<std::string> picture = {
        "aaaaaaaaa",
        "b.b.b.b.a",
        "aaa.aaa.a",
        "a.b.a.a.a",
        "a.aaa.aaa",
        "a.b.b.b.b",
        "aaaaaaaab",
    };
    const HDIB mask = SelectSimilar(PictureFromRows(picture), 0, 6, SimilarityMode::Tolerance, {0, 0, 0});
    const auto expected = ReferenceFlood(9, 7, 0, 6, [&](int x, int y) { return picture[std::size_t(y)][std::size_t(x)] == 'a'; });
    EXPECT_EQ(MaskRows(mask), expected);
}

TEST(SelectSimilar, AgreesWithAPlainFloodOnRandomPicturesInBothModes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const int width = 1 + int(random() % 70), height = 1 + int(random() % 40);
        HDIB picture = AllocatePicture(width, height, 24, 0);
        std::uniform_int_distribution<int> level(0, 3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel24(picture, x, y, {std::uint8_t(level(random) * 60), std::uint8_t(level(random) * 60), 90});
        const int seedX = int(random() % unsigned(width)), seedY = int(random() % unsigned(height));
        const int tolerance = int(random() % 130);
        const SimilarityMode mode = round % 2 ? SimilarityMode::Threshold : SimilarityMode::Tolerance;
        const Rgb seed = Pixel24(picture, seedX, height - 1 - seedY);
        const auto alike = [&](int x, int y) {
            const Rgb p = Pixel24(picture, x, height - 1 - y);
            const auto channel = [&](int value, int s) {
                return mode == SimilarityMode::Tolerance ? std::abs(value - s) <= tolerance
                                                         : (value <= tolerance) == (s <= tolerance);
            };
            return channel(p.r, seed.r) && channel(p.g, seed.g) && channel(p.b, seed.b);
        };
        const HDIB mask = SelectSimilar(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        ASSERT_TRUE(mask);
        ASSERT_EQ(MaskRows(mask), ReferenceFlood(width, height, seedX, seedY, alike)) << "round " << round;

        const HDIB global = SelectSimilarGlobal(picture, seedX, seedY, mode, {tolerance, tolerance, tolerance});
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(MaskSelects(global, x, y), alike(x, y)) << "round " << round;
    }
}

TEST(SelectSimilar, ToleranceIsPerChannelAndFullToleranceTakesEverything)
{
    const std::vector<std::string> picture = {"aAb", "AAb", "bbb"};
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 5})),
              (std::vector<std::string>{"##.", "##.", "..."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 0, 0, SimilarityMode::Tolerance, {10, 10, 4})),
              (std::vector<std::string>{"#..", "...", "..."}))
        << "blue differs by 5";
    const HDIB photo = MakePhotoLike(300, 200);
    Rect bounds;
    const HDIB all = SelectSimilar(photo, 150, 100, SimilarityMode::Tolerance, {255, 255, 255}, &bounds);
    EXPECT_EQ(std::tuple(CountSelectedPixels(all), bounds), std::tuple(300 * 200, Rect{0, 0, 300, 200}));
}

TEST(SelectSimilar, PalettePicturesCompareTheirTableColoursNotTheirIndexes)
{
    for (const int bits : {1, 4, 8}) {
        HDIB picture = MakePicture(5, 1, unsigned(bits), 2);
        picture.colors()[0] = {9, 9, 9, 0};
        picture.colors()[1] = {9, 9, 9, 0};  // a second index of the same colour
        if (bits == 8)
            picture.row(0)[1] = picture.row(0)[3] = 1;
        else if (bits == 4)
            picture.row(0)[0] = 0x01, picture.row(0)[1] = 0x01;
        else
            picture.row(0)[0] = 0x50;
        EXPECT_EQ(CountSelectedPixels(SelectSimilar(picture, 0, 0, SimilarityMode::Tolerance, {0, 0, 0})), 5)
            << bits << "-bit";
        picture.colors()[1] = {9, 9, 200, 0};
        EXPECT_EQ(MaskRows(SelectSimilarGlobal(picture, 0, 0, SimilarityMode::Tolerance, {0, 0, 0}))[0], "#.#.#")
            << bits << "-bit";
    }
}

TEST(SelectSimilar, BadInputIsRefusedAndTheSeedIsClamped)
{
    // Nothing, 16 and 32 bits, and an 8-bit picture without its table.
    EXPECT_FALSE(SelectSimilar(HDIB{}, 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilar(MakePicture(4, 4, 16), 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilarGlobal(MakePicture(4, 4, 32), 0, 0, SimilarityMode::Tolerance, {}) ||
                 SelectSimilar(AllocatePicture(4, 4, 8, 0), 0, 0, SimilarityMode::Tolerance, {}));
    const std::vector<std::string> picture = {"ab", "bb"};
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), -50, -9, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{"#.", ".."}));
    EXPECT_EQ(MaskRows(SelectSimilar(PictureFromRows(picture), 99, 99, SimilarityMode::Tolerance, {0, 0, 0})),
              (std::vector<std::string>{".#", "##"}));
}

TEST(SelectSimilar, TheCancelTestStopsTheFill)
{
    UiRecorder ui;
    ui.escapeAfterPolls = 3;
    SetCancellationEnabled(true);
    const HDIB mask = SelectSimilar(MakePhotoLike(200, 200), 100, 100, SimilarityMode::Tolerance, {255, 255, 255});
    SetCancellationEnabled(false);
    EXPECT_TRUE(!mask && ui.escapePolls > 3);
}

}  // namespace
}  // namespace lv::testing
