#include "app/core/view/zoom.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(Zoom, ALargeDocumentOpensFittedAndASmallOneAt100Percent)
{
    // The image window tests open 4000 x 3000 in 700 x 500 at -6, 571 x 428.
    EXPECT_EQ(InitialZoom({640, 480}, {700, 500}, true), 0);
    EXPECT_EQ(InitialZoom({4000, 3000}, {700, 500}, false), 0);
    EXPECT_EQ(InitialZoom({700, 500}, {700, 500}, true), -1) << "a document exactly the size still halves";
    EXPECT_EQ(InitialZoom({100, 100}, {0, 0}, true), -15) << "an empty area counts as one pixel, clamped";
}

TEST(Zoom, StepsStopAtTheLevelLimitsAndAt16384ScaledPixels)
{
    EXPECT_EQ(SteppedZoom({2000, 100}, 6, +1), 7);
    EXPECT_EQ(SteppedZoom({2000, 100}, 7, +1), std::nullopt) << "9 x 2000 = 18000";
    EXPECT_EQ(SteppedZoom({2000, 100}, 7, -1), 6);
    EXPECT_EQ(SteppedZoom({100, 2048}, 6, +1), 7) << "exactly 16384 is allowed";
    EXPECT_EQ(SteppedZoom({10, 10}, 15, +1), std::nullopt);
    EXPECT_EQ(SteppedZoom({10, 10}, -14, -1), -15);
    EXPECT_EQ(SteppedZoom({10, 10}, -15, -1), std::nullopt);
    EXPECT_EQ(HighestZoom({2000, 100}), 7);
    EXPECT_EQ(HighestZoom({10, 10}), 15);
    EXPECT_EQ(HighestZoom({20000, 10}), 0);
}

TEST(Zoom, ReadoutShowsThePercentageInString2344)
{
    EXPECT_EQ(ZoomReadout(-2), " Visualizar 33%  ");
    EXPECT_EQ(ZoomReadout(0), " Visualizar 100%  ");
    EXPECT_EQ(ZoomReadout(15), " Visualizar 1600%  ");
}

TEST(Zoom, SetCommandsChooseLevelsAndLowerThoseTooLargeWithABeep)
{
    const Size doc{400, 300};
    const Size client{800, 600};
    // {command, current level, chosen level}; 583 fits: twice fits 800 x 600 exactly.
    const int cases[][3] = {{548, 3, 4}, {548, 15, 15}, {549, -15, -15}, {551, 0, 0}, {554, 0, 3},
                            {567, 0, 0}, {570, 0, -3},  {582, 0, -15},   {583, 0, 1}};
    for (const auto& [command, current, zoom] : cases)
        EXPECT_EQ(ZoomForCommand(command, current, doc, client)->zoom, zoom) << command << " from " << current;
    EXPECT_FALSE(ZoomForCommand(550, 0, doc, client));
    EXPECT_FALSE(ZoomForCommand(584, 0, doc, client));

    // Fitting a large document: the larger of the two reductions.
    EXPECT_EQ(ZoomForCommand(583, 0, {4000, 3000}, {700, 500})->zoom, -5);
    EXPECT_EQ(ZoomForCommand(583, 0, {4000, 3000}, {0, 0})->zoom, -15) << "a tiny client counts as 16 pixels";

    const auto tooLarge = ZoomForCommand(566, 0, {2000, 100}, client);
    EXPECT_EQ(tooLarge->zoom, 7);
    EXPECT_TRUE(tooLarge->beep);
    const auto none = ZoomForCommand(566, 0, {20000, 10}, client);
    EXPECT_EQ(none->zoom, 0);
    EXPECT_TRUE(none->beep);
    EXPECT_FALSE(ZoomForCommand(557, 0, {2000, 100}, client)->beep);
}

}  // namespace
}  // namespace lv
