#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using namespace testing;

TEST(Dib, AllocatedPicturesHaveTheLayoutAndTheTenSpareBytes)
{
    const HDIB dib = AllocatePicture(33, 3, 1, 2);
    ASSERT_TRUE(dib);
    const BitmapInfoHeader& h = dib.header();
    EXPECT_EQ(std::tuple(h.biSize, int(h.biPlanes), h.biSizeImage, dib.pixelOffset(), dib.size()),
              std::tuple(40u, 1, 24u, std::size_t(48), std::size_t(40 + 8 + 24 + 10)));
    EXPECT_TRUE(dib.hasValidLayout());
    for (std::size_t i = 40; i < dib.size(); ++i)
        ASSERT_EQ(dib.data()[i], 0) << i;
}

TEST(Dib, RefusedSizesGiveNoPicture)
{
    testing::UiRecorder ui;
    // 60000 x 60000 makes rows beyond the byte limit.
    for (const auto& [width, height, bits, colours] : {std::tuple{0, 5, 24u, 0u}, {5, -1, 24u, 0u},
                                                       {kMaxPictureDimension + 1, 1, 8u, 256u}, {60000, 60000, 24u, 0u},
                                                       {4, 4, 3u, 0u}, {4, 4, 8u, 257u}})
        EXPECT_FALSE(AllocatePicture(width, height, bits, colours)) << width << "x" << height << " " << bits;
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Dib, AShortageGoesToTheCallerThatTakesItAndIsToldWhereItHappensOtherwise)
{
    testing::UiRecorder ui;
    FileFailure shortage;
    EXPECT_FALSE(DibAlloc(std::size_t(1) << 40, &shortage));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shortage, (FileFailure{FileProblem::OutOfMemory,
                                     {},
                                     {{"Não há memória suficiente.", NoticeTitle::SystemMessage}}}));

    EXPECT_FALSE(DibAlloc(std::size_t(1) << 40));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tuple(ui.messages[0].text, ui.messages[0].title, ui.messages[0].icon),
              std::tuple(std::string("Não há memória suficiente."), std::string("Mensagem do sistema"),
                         ui::Icon::Exclamation));
}

TEST(Dib, TypeFollowsDepthAndTheGreyTableRule)
{
    EXPECT_EQ((std::vector{DibGetType(HDIB()), DibGetType(MakePicture(2, 2, 1, 2)),
                           DibGetType(MakePicture(2, 2, 4, 16)), DibGetType(MakePicture(2, 2, 24)),
                           DibGetType(MakePicture(2, 2, 16))}),
              (std::vector{IMG_NONE, IMG_MONO, IMG_PAL4, IMG_RGB24, IMG_NONE}));

    HDIB grey = MakeGreyPicture(2, 2);
    EXPECT_EQ(DibGetType(grey), IMG_GREY8);
    grey.colors()[200].rgbGreen = 201;
    EXPECT_EQ(DibGetType(grey), IMG_PAL8);
    grey.colors()[200].rgbGreen = 200;
    grey.colors()[255].rgbRed = 0;  // the last entry counts too
    EXPECT_EQ(DibGetType(grey), IMG_PAL8);

    // A grey ramp of 16 entries is still a palette picture: grey needs all 256.
    HDIB short16 = AllocatePicture(2, 2, 8, 16);
    FillGreyRamp(short16.colors(), 16);
    EXPECT_EQ(DibGetType(short16), IMG_PAL8);
}

}  // namespace
}  // namespace lv
