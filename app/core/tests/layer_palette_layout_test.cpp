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
    EXPECT_EQ(HitRowPart(l, 60, 10), RowPart::Eye);
    EXPECT_EQ(HitRowPart(l, 60, 30), RowPart::Lock);
    EXPECT_EQ(HitRowPart(l, 100, 10), RowPart::Name);
    EXPECT_EQ(HitRowPart(l, 10, 10), RowPart::Thumbnail);
    EXPECT_EQ(HitRowPart(l, 185, 38), RowPart::OpacityValue);
    EXPECT_EQ(HitRowPart(l, 77, 35), RowPart::OpacityTrack) << "two pixels left of the drawn track";
    EXPECT_EQ(HitRowPart(l, 76, 35), RowPart::None);
    EXPECT_EQ(HitRowPart(l, 100, 41), RowPart::OpacityTrack) << "five lower";
    EXPECT_EQ(HitRowPart(l, 100, 42), RowPart::None);
    EXPECT_EQ(HitRowPart(l, 169, 36), RowPart::OpacityTrack);
    EXPECT_EQ(HitRowPart(l, 170, 36), RowPart::None) << "the track ends 30 pixels from the right";
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
        for (int x = 4; x < 8; ++x)
            mask.row(y)[x] = 0;  // the right half transparent
    layer.mask = std::move(mask);
    const std::vector<std::uint32_t> pixels = LayerThumbnail(layer, 4, 2);
    ASSERT_EQ(pixels.size(), 8u);
    EXPECT_EQ(pixels[0], 0xFF0000FFu);
    EXPECT_EQ(pixels[3], 0xFFFFFFFFu);
    EXPECT_EQ(pixels[5], 0xFF0000FFu);
    EXPECT_EQ(LayerThumbnail(LayerRecord{}, 3, 3), std::vector<std::uint32_t>(9, 0xFFFFFFFFu)) << "no picture: white";
}

}  // namespace
}  // namespace lv
