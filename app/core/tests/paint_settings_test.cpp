#include "app/core/paint_settings.h"


#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(PaintSettings, TheBrushComesFromTheConfigurationAndGoesBackKeptInRange)
{
    Configuration config;
    config.brushShape = 9;
    config.brushSize = 0;
    config.brushSpeed = 40;
    config.showBrush = false;
    PaintOptions options;
    ApplyBrushConfiguration(config, options);
    EXPECT_EQ(options.brush.shape, 6);
    EXPECT_EQ(options.brush.size, 1);
    EXPECT_EQ(options.brush.speed, 32);
    EXPECT_FALSE(options.brush.show);

    options.brush = {3, 24, 7, true};
    options.stampName = "stamps/star.bmp";
    KeepBrushConfiguration(options, config);
    EXPECT_EQ(config.stampName, "stamps/star.bmp") << "the stamp in use is saved at exit";
    PaintOptions again;
    ApplyBrushConfiguration(config, again);
    EXPECT_EQ(again.brush.shape, 3);
    EXPECT_EQ(again.brush.size, 24);
    EXPECT_EQ(again.brush.speed, 7);
    EXPECT_TRUE(again.brush.show);

    const Configuration defaults;
    ApplyBrushConfiguration(defaults, again);
    EXPECT_EQ(again.brush.shape, 1);
    EXPECT_EQ(again.brush.size, 16);
    EXPECT_EQ(again.brush.speed, 20);
}

TEST(PaintSettings, MissingStampAndTexturePicturesLeaveTheToolsWithout)
{
    PaintOptions options;
    options.stampName = "stamps/no-such-stamp.bmp";
    options.textureName = "../../no/such/texture.bmp";
    LoadPaintPictures(options);
    EXPECT_FALSE(options.stamp);
    EXPECT_FALSE(options.texture);
}

}  // namespace
}  // namespace lv::testing
