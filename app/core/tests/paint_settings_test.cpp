#include "app/core/paint_settings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace lv::testing {
namespace {

std::tuple<int, int, int, bool> Brush(const BrushSettings& b)
{
    return {b.shape, b.size, b.speed, b.show};
}

TEST(PaintSettings, TheBrushComesFromTheConfigurationAndGoesBackKeptInRange)
{
    Configuration config;
    std::tie(config.brushShape, config.brushSize, config.brushSpeed, config.showBrush) = std::tuple(9, 0, 40, false);
    PaintOptions options;
    ApplyBrushConfiguration(config, options);
    EXPECT_EQ(Brush(options.brush), std::tuple(6, 1, 32, false));

    options.brush = {3, 24, 7, true};
    options.stampName = "stamps/star.bmp";
    KeepBrushConfiguration(options, config);
    EXPECT_EQ(config.stampName, "stamps/star.bmp") << "the stamp in use is saved at exit";
    PaintOptions again;
    ApplyBrushConfiguration(config, again);
    EXPECT_EQ(Brush(again.brush), std::tuple(3, 24, 7, true));

    const Configuration defaults;
    ApplyBrushConfiguration(defaults, again);
    EXPECT_EQ(Brush(again.brush), std::tuple(1, 16, 20, true));
}

TEST(PaintSettings, MissingStampAndTexturePicturesLeaveTheToolsWithout)
{
    PaintOptions options;
    options.stampName = "stamps/no-such-stamp.bmp";
    options.textureName = "../../no/such/texture.bmp";
    LoadPaintPictures(options);
    EXPECT_FALSE(options.stamp || options.texture);
}

}  // namespace
}  // namespace lv::testing
