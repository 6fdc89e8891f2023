// The effects list's small pictures: fitted to their box, computed one at a time in the
// order asked, kept per strength, and dropped when the picture changes.

#include "app/core/effect_thumbnails.h"
#include "effects/enhance_and_effect.h"
#include "effects/operation_codes.h"
#include "effects/slider_mapping.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace lv::testing {
namespace {

TEST(EffectThumbnails, TheScaledPictureFitsTheBoxAndEachEffectIsTheLibrarysResultOnIt)
{
    EffectThumbnails thumbnails(36, 24);
    const SharedPicture wide(MakePhotoLike(400, 100));
    thumbnails.setPicture(wide);
    ASSERT_TRUE(thumbnails.base());
    EXPECT_EQ(thumbnails.base().width(), 36);
    EXPECT_EQ(thumbnails.base().height(), 9);
    const SharedPicture tall(MakePhotoLike(30, 300));
    thumbnails.setPicture(tall);
    EXPECT_EQ(thumbnails.base().width(), 2);
    EXPECT_EQ(thumbnails.base().height(), 24);
    const SharedPicture tiny(MakePhotoLike(5, 3));
    thumbnails.setPicture(tiny);
    EXPECT_EQ(thumbnails.base().width(), 5) << "never enlarged";

    thumbnails.setPicture(wide);
    thumbnails.setStrength(70);
    const std::vector<int> codes{effects::kOpMosaic, effects::kOpNegative, effects::kOpTwirl};
    for (const int expected : codes)
        EXPECT_EQ(thumbnails.computeNext(codes), expected) << "in the order asked";
    EXPECT_EQ(thumbnails.computeNext(codes), std::nullopt);
    for (const int code : codes) {
        const effects::OperationCall call = effects::EffectCall(code, 70);
        const HDIB direct = effects::DoEnhanceAndEffect(thumbnails.base(), call.operation, call.parameters.data(),
                                                        std::int32_t(call.parameters.size()), nullptr);
        ASSERT_NE(thumbnails.find(code), nullptr);
        EXPECT_TRUE(SamePixels(*thumbnails.find(code), direct)) << code;
    }
    EXPECT_EQ(thumbnails.find(effects::kOpSepia), nullptr);

    const SharedPicture grey(MakeGreyPicture(60, 40));
    thumbnails.setPicture(grey);
    EXPECT_EQ(thumbnails.base().bitCount(), 8) << "a grey layer's thumbnails are grey";
    EXPECT_EQ(thumbnails.computeNext(codes), effects::kOpMosaic);
    EXPECT_EQ(thumbnails.find(effects::kOpMosaic)->bitCount(), 8);
}

TEST(EffectThumbnails, StrengthsKeepTheirResultsAndAChangedPictureDropsThemAll)
{
    EffectThumbnails thumbnails(36, 24);
    SharedPicture picture(MakePhotoLike(90, 60));
    thumbnails.setPicture(picture);
    const std::vector<int> codes{effects::kOpPosterise};
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    const HDIB at50 = CopyPicture(*thumbnails.find(effects::kOpPosterise));
    thumbnails.setStrength(90);
    EXPECT_EQ(thumbnails.find(effects::kOpPosterise), nullptr) << "another strength, another picture";
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    EXPECT_FALSE(SamePixels(*thumbnails.find(effects::kOpPosterise), at50));
    thumbnails.setStrength(50);
    ASSERT_NE(thumbnails.find(effects::kOpPosterise), nullptr) << "kept";
    EXPECT_TRUE(SamePixels(*thumbnails.find(effects::kOpPosterise), at50));

    // The same picture handed again keeps everything; a copy of the handle is the same picture.
    const SharedPicture sameHandle = picture;
    thumbnails.setPicture(sameHandle);
    EXPECT_NE(thumbnails.find(effects::kOpPosterise), nullptr);
    EXPECT_TRUE(thumbnails.follows(picture));

    // Pixels written in place (the holder alone): no longer followed, and starting over.
    SharedPicture alone(MakePhotoLike(90, 60));
    thumbnails.setPicture(alone);
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    const HDIB before = CopyPicture(thumbnails.base());
    HDIB& pixels = alone.write();
    for (int y = 0; y < pixels.height(); ++y)
        std::memset(pixels.row(y), 0xFF, std::size_t(pixels.width()) * 3);
    EXPECT_FALSE(thumbnails.follows(alone));
    thumbnails.setPicture(alone);
    EXPECT_EQ(thumbnails.find(effects::kOpPosterise), nullptr);
    EXPECT_FALSE(SamePixels(thumbnails.base(), before));
    EXPECT_EQ(Pixel24(thumbnails.base(), 3, 3).r, 255);

    // No picture: nothing to show or compute.
    thumbnails.setPicture(SharedPicture());
    EXPECT_TRUE(thumbnails.follows(SharedPicture()));
    EXPECT_FALSE(thumbnails.base());
    EXPECT_EQ(thumbnails.computeNext(codes), std::nullopt);
}

}  // namespace
}  // namespace lv::testing
