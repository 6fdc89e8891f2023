#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "output/print/print_calibration_store.h"

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
    EXPECT_EQ(LoadCalibrationCurves(files, &source), IdentityCurves()) << "no file anywhere";
    EXPECT_TRUE(source.empty());
    ASSERT_TRUE(WriteCalibrationFile(files.shipped, WithGrey(7)));
    EXPECT_EQ(LoadCalibrationCurves(files, &source), WithGrey(7)) << "the program folder's file";
    EXPECT_EQ(source, files.shipped);
    ASSERT_TRUE(WriteCalibrationFile(files.writable, WithGrey(9)));
    EXPECT_EQ(LoadCalibrationCurves(files, &source), WithGrey(9)) << "the user's own file wins";
    EXPECT_EQ(source, files.writable);
    ASSERT_TRUE(WriteWholeFile(files.writable.string(), {'N', 'O', 'P', 'E'}));
    EXPECT_EQ(LoadCalibrationCurves(files, &source), WithGrey(7)) << "a foreign file is passed over";
    EXPECT_EQ(source, files.shipped);
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

}  // namespace
}  // namespace lv::print
