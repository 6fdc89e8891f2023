#include "app/core/documents/new_picture.h"
#include "app/core/tests/memory_store.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(NewPicture, SizesConvertBetweenUnitsAtTheResolution)
{
    EXPECT_EQ(LengthInPixels(4, SizeUnit::Inch, 150), 600);
    EXPECT_EQ(LengthInPixels(2.54, SizeUnit::Centimetre, 300), 300);
    EXPECT_EQ(LengthInPixels(12.6, SizeUnit::Pixel, 300), 13);
    EXPECT_DOUBLE_EQ(LengthInUnit(600, SizeUnit::Inch, 150), 4.0);
    EXPECT_NEAR(LengthInUnit(300, SizeUnit::Centimetre, 300), 2.54, 1e-12);
    EXPECT_EQ(LengthInPixels(1e300, SizeUnit::Inch, 300), std::numeric_limits<int>::max());

    // Switching the unit in the dialog: pixels come out whole, inches and centimetres exact.
    EXPECT_EQ(ConvertLength(640, SizeUnit::Pixel, SizeUnit::Inch, 200), 3.2);
    EXPECT_EQ(ConvertLength(3.2, SizeUnit::Inch, SizeUnit::Pixel, 200), 640);
    EXPECT_EQ(ConvertLength(1.234, SizeUnit::Inch, SizeUnit::Pixel, 100), 123) << "rounded to a whole pixel";
    EXPECT_NEAR(ConvertLength(4, SizeUnit::Inch, SizeUnit::Centimetre, 7), 10.16, 1e-12) << "not through pixels";
    EXPECT_NEAR(ConvertLength(10.16, SizeUnit::Centimetre, SizeUnit::Inch, 300), 4.0, 1e-12);
    EXPECT_EQ(ConvertLength(5, SizeUnit::Pixel, SizeUnit::Pixel, 0), 5);
    EXPECT_EQ(UnitDecimals(SizeUnit::Pixel), 0);
    EXPECT_EQ(UnitDecimals(SizeUnit::Centimetre), 2);
}

TEST(NewPicture, SidesAreAtLeastOneAnd10001IsRefusedWithString2348)
{
    testing::UiRecorder ui;
    const auto raised = CheckNewPictureSize({0, -3, 200, SizeUnit::Pixel});
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->width, 1);
    EXPECT_EQ(raised->height, 1);
    EXPECT_TRUE(CheckNewPictureSize({10000, 10000, 200, SizeUnit::Pixel}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(CheckNewPictureSize({10001, 5, 200, SizeUnit::Pixel}));
    EXPECT_FALSE(CheckNewPictureSize({5, 10001, 200, SizeUnit::Inch}));
    EXPECT_FALSE(CheckNewPictureSize({5, 10001, 300, SizeUnit::Centimetre}));
    ASSERT_EQ(ui.texts(), (std::vector<std::string>{
                              "O tamanho da imagem é grande demais.\nLargura e altura até 10000 Pixel.",
                              "O tamanho da imagem é grande demais.\nLargura e altura até 50,00 Polegada.",
                              "O tamanho da imagem é grande demais.\nLargura e altura até 84,66 Cm.",
                          }))
        << "the limit in the request's unit, never rounded above it (84.667 cm at 300 dpi)";
    EXPECT_EQ(ui.messages[0].title, "Atenção");
}

TEST(NewPicture, ThePictureIsFilledWithTheBackgroundAtTheChosenResolution)
{
    const HDIB colour = MakeNewPicture({3, 2, 300, SizeUnit::Inch}, {10, 20, 30});
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour.bitCount(), 24);
    EXPECT_EQ(colour.header().biXPelsPerMeter, 11811);
    EXPECT_EQ(colour.header().biYPelsPerMeter, 11811);
    EXPECT_EQ(colour.size(), 40u + 12 * 2 + 10);
    for (int y = 0; y < 2; ++y) {
        const std::uint8_t expected[12] = {30, 20, 10, 30, 20, 10, 30, 20, 10, 0, 0, 0};
        EXPECT_TRUE(std::equal(expected, expected + 12, colour.row(y))) << "padding stays zero";
    }
    const HDIB grey = MakeNewPicture({2, 2, 72, SizeUnit::Pixel}, {99, 20, 30}, true);
    EXPECT_EQ(grey.bitCount(), 8);
    EXPECT_EQ(grey.colors()[200].rgbGreen, 200);
    EXPECT_EQ(grey.row(1)[1], 99);
    EXPECT_EQ(grey.header().biXPelsPerMeter, 2835);
}

TEST(RecentSizes, StoredTextsRoundTripAndShowWithTheUnitWords)
{
    const std::tuple<PictureSize, const char*, const char*> texts[] = {
        {{640, 480, SizeUnit::Pixel}, "640,480,Pixel", "640 x 480 Pixel"},
        {{4, 6.5, SizeUnit::Inch}, "4.000,6.500,Inch", "4,00 x 6,50 Polegada"},
        {{10.16, 15.24, SizeUnit::Centimetre}, "10.160,15.240,Cm", "10,16 x 15,24 Cm"}};
    for (const auto& [size, stored, listed] : texts) {
        EXPECT_EQ(StoredSizeText(size), stored);
        EXPECT_EQ(SizeListText(size), listed);
        EXPECT_EQ(ParseStoredSize(stored), size) << stored;
    }
    EXPECT_EQ(ParseStoredSize("3,4,Centímetros"), (PictureSize{3, 4, SizeUnit::Centimetre}));
    EXPECT_EQ(ParseStoredSize(" 640,480,P"), (PictureSize{640, 480, SizeUnit::Pixel}));
    for (const char* bad : {"", "640", "640,480", "640,480,", "a,480,Pixel", "640,480,Metre", "4,5x,Inch", "nan,1,P"})
        EXPECT_FALSE(ParseStoredSize(bad)) << bad;

    const PictureSize remembered = RememberedSize({600, 300, 150, SizeUnit::Inch});
    EXPECT_EQ(remembered, (PictureSize{4, 2, SizeUnit::Inch}));
}

TEST(RecentSizes, ANewSizeGoesFirstDroppingItsTwinAndTheEleventhIsLost)
{
    testing::MemoryStore store;
    RecentSizes recent(store);
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(recent.remember({double(i * 100), 100, SizeUnit::Pixel}));
    EXPECT_EQ(store.values["Recent Sizes/size0"], "1000,100,Pixel");
    EXPECT_EQ(store.values["Recent Sizes/size9"], "100,100,Pixel");

    recent.remember({4, 6, SizeUnit::Inch});
    EXPECT_EQ(store.values["Recent Sizes/size0"], "4.000,6.000,Inch");
    EXPECT_EQ(store.values["Recent Sizes/size9"], "200,100,Pixel") << "100 x 100 fell off";

    store.values["Recent Sizes/size5"] = "500,100,P";  // written by hand, same size
    store.values["Recent Sizes/size6"] = "rubbish";
    recent.remember({500, 100, SizeUnit::Pixel});
    const auto sizes = recent.read();
    ASSERT_EQ(sizes.size(), 9u) << "the unreadable entry is not listed";
    EXPECT_EQ(std::vector(sizes.begin(), sizes.begin() + 3),
              (std::vector<PictureSize>{{500, 100, SizeUnit::Pixel}, {4, 6, SizeUnit::Inch}, {1000, 100, SizeUnit::Pixel}}));
    EXPECT_EQ(std::count(sizes.begin(), sizes.end(), PictureSize{500, 100, SizeUnit::Pixel}), 1);

    store.failingKey = "size0";
    EXPECT_FALSE(recent.remember({1, 1, SizeUnit::Pixel}));
}

}  // namespace
}  // namespace lv
