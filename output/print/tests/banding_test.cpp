#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "output/print/banding.h"
#include "output/print/print_calibration_store.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::print {
namespace {

using testing::RecordingSurface;

TEST(Banding, PicturesBelowAMegapixelGoInOnePieceLargerOnesInBandsFromTheBottom)
{
    const Rect target = Rect::fromSize(10, 20, 1100, 1000);
    EXPECT_EQ(PlanPrintBands(1000, 1000, target), (std::vector<PrintBand>{{0, 1000, target}}));
    EXPECT_EQ(PlanPrintBands(1024, 1023, target).size(), 1u) << "1,047,552 pixels";

    // 1,100,000 pixels: two bands of 500 rows, band 0 (the bottom rows) at the bottom.
    EXPECT_EQ(PlanPrintBands(1100, 1000, target),
              (std::vector<PrintBand>{{0, 500, Rect::fromSize(10, 520, 1100, 500)},
                                      {500, 500, Rect::fromSize(10, 20, 1100, 500)}}));

    EXPECT_EQ(PlanPrintBands(1024, 1024, target).size(), 2u) << "exactly 1,048,576 pixels is banded";
    EXPECT_TRUE(PlanPrintBands(0, 10, target).empty());
}

TEST(Banding, BandsCoverTheSourceAndTheTargetExactlyWhateverTheRounding)
{
    for (const auto& [w, h, H] : {std::tuple{3000, 2001, 997}, std::tuple{4097, 777, 5}, std::tuple{1025, 4099, 3001}}) {
        const Rect target = Rect::fromSize(7, 11, 123, H);
        const auto bands = PlanPrintBands(w, h, target);
        const std::size_t n = std::size_t((long long)w * h / 0x100000 + 1);
        ASSERT_EQ(bands.size(), n);
        int nextRow = 0, bottom = target.bottom;
        for (const PrintBand& b : bands) {
            EXPECT_EQ(b.firstRow, nextRow);
            nextRow += b.rowCount;
            EXPECT_EQ(b.target.bottom, bottom) << "each band sits on the one below it";
            bottom = b.target.top;
            EXPECT_EQ(std::tuple(b.target.left, b.target.width()), std::tuple(7, 123));
        }
        EXPECT_EQ(std::tuple(nextRow, bottom), std::tuple(h, target.top));
    }
}

TEST(Banding, FittingKeepsTheShapeAndCentres)
{
    EXPECT_EQ(FitCentred(400, 200, Rect::fromSize(0, 0, 100, 100)), (Rect::fromSize(0, 25, 100, 50)));
    EXPECT_EQ(FitCentred(200, 400, Rect::fromSize(10, 10, 100, 100)), (Rect::fromSize(35, 10, 50, 100)));
    EXPECT_EQ(FitCentred(300, 300, Rect::fromSize(0, 0, 90, 60)), (Rect::fromSize(15, 0, 60, 60)));
}

class CalibrationFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("LUMIVISTA_HOME", (home.path() / "program").c_str(), 1);
        setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
        std::filesystem::create_directories(home.path() / "program");
    }
    void TearDown() override
    {
        SetPrintCalibrationEnabled(false);
        unsetenv("LUMIVISTA_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    lv::testing::TempDir home;
    lv::testing::UiRecorder ui;
};

TEST_F(CalibrationFolders, AnIdentityFilePrintsThePictureItselfAndCurvesPrintAMappedCopy)
{
    HDIB picture = AllocatePicture(4, 4, 24, 0);
    picture.row(0)[0] = 40;
    SetPrintCalibrationEnabled(true);
    ASSERT_TRUE(SaveCalibrationCurves(IdentityCurves()));
    RecordingSurface surface;
    surface.keepPixels = true;
    PrintPicture(surface, picture, Rect::fromSize(0, 0, 40, 40));
    ASSERT_EQ(surface.stretches.size(), 1u);
    EXPECT_EQ(surface.stretches[0].block, picture.data()) << "no copy for identity curves";

    CalibrationCurves brighter = IdentityCurves();
    brighter.curve(kCurveBlue)[40] = 90;
    ASSERT_TRUE(SaveCalibrationCurves(brighter));
    PrintPicture(surface, picture, Rect::fromSize(0, 0, 40, 40));
    ASSERT_EQ(surface.stretches.size(), 2u);
    EXPECT_NE(surface.stretches[1].block, picture.data());
    EXPECT_EQ(surface.firstPixels[1], 90);

    SetPrintCalibrationEnabled(false);
    PrintPicture(surface, picture, Rect::fromSize(0, 0, 40, 40));
    EXPECT_EQ(surface.stretches[2].block, picture.data()) << "switched off: printed as it is";
}

}  // namespace
}  // namespace lv::print
