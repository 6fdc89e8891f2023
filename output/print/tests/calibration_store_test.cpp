#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "output/print/print_calibration_store.h"
#include "output/print/tone_curve.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lv::print {
namespace {

CalibrationCurves WithGrey(std::uint8_t first)
{
    CalibrationCurves c = IdentityCurves();
    c.curve(kCurveGrey)[0] = first;
    return c;
}

TEST(CalibrationStore, ReadsTheWritableCopyFirstThenTheProgramFolderThenFallsBackToIdentity)
{
    lv::testing::TempDir dir;
    const auto program = dir.path() / "program";
    const auto data = dir.path() / "data";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(data);

    // A read-only program folder: the writable place is the user's data folder.
    const CalibrationFiles files{data / "printcal.dat", program / "printcal.dat"};
    std::filesystem::path source = "stale";
    // Then the program folder's file, the user's own file winning, and a foreign file passed over.
    const auto loaded = [&] {
        const CalibrationCurves curves = LoadCalibrationCurves(files, &source);
        return std::tuple(curves, source);
    };
    EXPECT_EQ(loaded(), std::tuple(IdentityCurves(), std::filesystem::path())) << "no file anywhere";
    ASSERT_TRUE(WriteCalibrationFile(files.shipped, WithGrey(7)));
    EXPECT_EQ(loaded(), std::tuple(WithGrey(7), files.shipped));
    ASSERT_TRUE(WriteCalibrationFile(files.writable, WithGrey(9)));
    EXPECT_EQ(loaded(), std::tuple(WithGrey(9), files.writable));
    ASSERT_TRUE(WriteWholeFile(files.writable.string(), {'N', 'O', 'P', 'E'}));
    EXPECT_EQ(loaded(), std::tuple(WithGrey(7), files.shipped));
}

TEST(CalibrationStore, TheWritablePlaceIsTheProgramFolderUnlessItIsReadOnly)
{
    lv::testing::TempDir dir;
    const auto program = dir.path() / "program";
    std::filesystem::create_directories(program);
    EXPECT_EQ(CalibrationFilesFor(program, dir.path() / "data").writable, program / "printcal.dat");
    chmod(program.c_str(), 0555);
    EXPECT_EQ(CalibrationFilesFor(program, dir.path() / "data").writable, dir.path() / "data" / "printcal.dat");
    EXPECT_EQ(CalibrationFilesFor(program, dir.path() / "data").shipped, program / "printcal.dat");
    chmod(program.c_str(), 0755);
}

TEST(ToneCurves, NeutralSettingsGiveTheIdentityAndEachSettingBendsTheWayItSays)
{
    EXPECT_EQ(CurvesFromTones({}), IdentityCurves());
    const auto brighter = MakeToneCurve({20, 0, 100});
    const auto flatter = MakeToneCurve({0, -50, 100});
    const auto lighter = MakeToneCurve({0, 0, 200});
    // Lighter at 64 is the square root of a quarter.
    EXPECT_EQ((std::vector<int>{brighter[0], brighter[255], flatter[0], flatter[255], lighter[0], lighter[64],
                                lighter[255]}),
              (std::vector<int>{51, 255, 64, 191, 0, 128, 255}));
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
    EXPECT_TRUE(curves.isIdentity(kCurveSpare) && curves.isIdentity(kCurveGreen) && !curves.isIdentity(kCurveRed));
    // Darkest and steepest: white comes down to the middle.
    EXPECT_EQ(std::tuple(int(curves.curve(kCurveBlue)[0]), int(curves.curve(kCurveBlue)[255])), std::tuple(0, 128));
}

}  // namespace
}  // namespace lv::print
