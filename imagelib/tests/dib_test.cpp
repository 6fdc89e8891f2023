#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::MakeGreyPicture;
using testing::MakePicture;

TEST(Dib, AllocatedPicturesHaveTheLayoutAndTheTenSpareBytes)
{
    const HDIB dib = AllocatePicture(33, 3, 1, 2);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.header().biSize, 40u);
    EXPECT_EQ(dib.header().biPlanes, 1);
    EXPECT_EQ(dib.header().biSizeImage, 24u);
    EXPECT_EQ(dib.pixelOffset(), 48u);
    EXPECT_EQ(dib.size(), 40u + 8 + 24 + 10);
    EXPECT_TRUE(dib.hasValidLayout());
    for (std::size_t i = 40; i < dib.size(); ++i)
        ASSERT_EQ(dib.data()[i], 0) << i;
}

TEST(Dib, RefusedSizesGiveNoPicture)
{
    testing::UiRecorder ui;
    EXPECT_FALSE(AllocatePicture(0, 5, 24, 0));
    EXPECT_FALSE(AllocatePicture(5, -1, 24, 0));
    EXPECT_FALSE(AllocatePicture(kMaxPictureDimension + 1, 1, 8, 256));
    EXPECT_FALSE(AllocatePicture(60000, 60000, 24, 0));  // rows beyond the byte limit
    EXPECT_FALSE(AllocatePicture(4, 4, 3, 0));
    EXPECT_FALSE(AllocatePicture(4, 4, 8, 257));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Dib, AShortageGoesToTheCallerThatTakesItAndIsToldWhereItHappensOtherwise)
{
    testing::UiRecorder ui;
    FileFailure shortage;
    EXPECT_FALSE(DibAlloc(std::size_t(1) << 40, &shortage));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shortage.problem, FileProblem::OutOfMemory);
    EXPECT_EQ(shortage.notices,
              (std::vector<FailureNotice>{{"Não há memória suficiente.", NoticeTitle::SystemMessage}}));

    EXPECT_FALSE(DibAlloc(std::size_t(1) << 40));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Não há memória suficiente.");
    EXPECT_EQ(ui.messages[0].title, "Mensagem do sistema");
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Exclamation);
}

TEST(Dib, TypeFollowsDepthAndTheGreyTableRule)
{
    EXPECT_EQ(DibGetType(HDIB()), IMG_NONE);
    EXPECT_EQ(DibGetType(MakePicture(2, 2, 1, 2)), IMG_MONO);
    EXPECT_EQ(DibGetType(MakePicture(2, 2, 4, 16)), IMG_PAL4);
    EXPECT_EQ(DibGetType(MakePicture(2, 2, 24)), IMG_RGB24);
    EXPECT_EQ(DibGetType(MakePicture(2, 2, 16)), IMG_NONE);

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
