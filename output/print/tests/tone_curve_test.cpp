#include "output/print/tone_curve.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

TEST(ToneCurves, NeutralSettingsGiveTheIdentityAndEachSettingBendsTheWayItSays)
{
    EXPECT_EQ(CurvesFromTones({}), IdentityCurves());
    const auto brighter = MakeToneCurve({20, 0, 100});
    EXPECT_EQ(brighter[0], 51);
    EXPECT_EQ(brighter[255], 255);
    const auto flatter = MakeToneCurve({0, -50, 100});
    EXPECT_EQ(flatter[0], 64);
    EXPECT_EQ(flatter[255], 191);
    const auto lighter = MakeToneCurve({0, 0, 200});
    EXPECT_EQ(lighter[0], 0);
    EXPECT_EQ(lighter[64], 128);  // the square root of a quarter
    EXPECT_EQ(lighter[255], 255);
    for (std::size_t i = 1; i < 256; ++i)
        EXPECT_GE(lighter[i], lighter[i - 1]) << "curves never fall";
}

TEST(ToneCurves, SettingsRoundTripThroughTheirTextAndBadTextIsRefused)
{
    const ChannelTones tones{{{10, -20, 150}, {0, 0, 100}, {-100, 100, 20}, {5, 5, 500}}};
    EXPECT_EQ(FormatChannelTones(tones), "10,-20,150;0,0,100;-100,100,20;5,5,500");
    EXPECT_EQ(ParseChannelTones(FormatChannelTones(tones)), tones);
    EXPECT_EQ(ParseChannelTones("0,0,100;0,0,100;0,0,100;900,0,1")->at(3), (ToneSettings{100, 0, 20}))
        << "out-of-range values are clamped";
    for (const char* bad : {"", "0,0,100;0,0,100;0,0,100", "0,0,100;0,0,100;0,0,100;0,0,100;",
                            "0,0,100;0,0,x;0,0,100;0,0,100", "0,0,100 ;0,0,100;0,0,100;0,0,100"})
        EXPECT_FALSE(ParseChannelTones(bad)) << bad;
    const CalibrationCurves curves = CurvesFromTones(tones);
    EXPECT_TRUE(curves.isIdentity(kCurveSpare));
    EXPECT_TRUE(curves.isIdentity(kCurveGreen));
    EXPECT_FALSE(curves.isIdentity(kCurveRed));
    EXPECT_EQ(curves.curve(kCurveBlue)[0], 0);
    EXPECT_EQ(curves.curve(kCurveBlue)[255], 128) << "darkest and steepest: white comes down to the middle";
}

}  // namespace
}  // namespace lv::print
