// The layer palette row's geometry: parts, hits and thumbnail sizes.

#include "app/core/layer_palette_layout.h"
#include "edit/layer_pictures.h"
#include "edit/layer_stack.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(LayerPaletteLayout, PartsStandWhereTheRowPutsThemAndTheTrackCatchesWide)
{
    const RowLayout l = LayOutRow(200, 50);
    // The track catches two pixels left of where it is drawn and five lower, and ends 30 pixels from the right.
    const std::tuple<int, int, RowPart> hits[] = {
        {60, 10, RowPart::Eye},           {60, 30, RowPart::Lock},          {100, 10, RowPart::Name},
        {10, 10, RowPart::Thumbnail},     {185, 38, RowPart::OpacityValue}, {77, 35, RowPart::OpacityTrack},
        {76, 35, RowPart::None},          {100, 41, RowPart::OpacityTrack}, {100, 42, RowPart::None},
        {169, 36, RowPart::OpacityTrack}, {170, 36, RowPart::None}};
    for (const auto& [x, y, part] : hits)
        EXPECT_EQ(HitRowPart(l, x, y), part) << x << ", " << y;
    EXPECT_EQ(l.thumbnail.right, 46);
    EXPECT_EQ(LayOutRow(200, 49).thumbnail.right, 46) << "an odd inner height gives a box one wider";
}

TEST(LayerPaletteLayout, ThumbnailsScaleByTheSmallerRatioToEvenSides)
{
    const auto fit = [](int w, int h, int bw, int bh) {
        const Size s = FitThumbnail(w, h, bw, bh);
        return std::pair(s.width, s.height);
    };
    EXPECT_EQ(fit(4000, 3000, 42, 44), std::pair(42, 30)) << "31.5 down to an even 30";
    EXPECT_EQ(fit(300, 4000, 42, 44), std::pair(2, 44)) << "3.3 down to 2";
    EXPECT_EQ(fit(10, 10, 43, 43), std::pair(42, 42)) << "small pictures grow to the box";
    EXPECT_EQ(fit(1, 30000, 42, 44), std::pair(2, 44)) << "never narrower than 2";
    EXPECT_EQ(fit(0, 5, 42, 44), std::pair(0, 0));
    EXPECT_EQ(fit(65535, 65535, 42, 44), std::pair(42, 42)) << "no overflow";
}

TEST(LayerPaletteLayout, ThumbnailsShowThePictureOverWhiteThroughItsMask)
{
    LayerRecord layer;
    layer.image = DibCreate(8, 4, 0xFF0000u, false);  // blue (colours are 0x00BBGGRR)
    HDIB mask = MakeGreyFilled(8, 4, 255);
    for (int y = 0; y < 4; ++y)
        std::fill_n(mask.row(y) + 4, 4, 0);  // the right half transparent
    layer.mask = std::move(mask);
    const std::vector<std::uint32_t> pixels = LayerThumbnail(layer, 4, 2);
    ASSERT_EQ(pixels.size(), 8u);
    EXPECT_EQ(std::tuple(pixels[0], pixels[3], pixels[5]), std::tuple(0xFF0000FFu, 0xFFFFFFFFu, 0xFF0000FFu));
    EXPECT_EQ(LayerThumbnail(LayerRecord{}, 3, 3), std::vector<std::uint32_t>(9, 0xFFFFFFFFu)) << "no picture: white";
}

}  // namespace
}  // namespace lv
