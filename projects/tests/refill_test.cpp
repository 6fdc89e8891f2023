// Refilling calendar placeholders from piece files beside the template.

#include "common/testing/ui_recorder.h"
#include "imagelib/tests/pictures.h"
#include "projects/calendar.h"
#include "projects/tests/project_fixtures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

constexpr int kYear = 0, kPhoto = 1, kMonth = 2, kDays = 3;

class CalendarRefill : public ::testing::Test {
protected:
    void SetUp() override
    {
        document = MakeDocument(300, 200,
                                {LayerSpec{60, 20, 0x0000FF, "Year//a//1", 10, 170},
                                 LayerSpec{100, 80, 0x00FF00, "my photo", 150, 50},
                                 LayerSpec{40, 20, 0xFF0000, "Month//a//1", 100, 100},
                                 LayerSpec{120, 90, 0x808080, "Days//a//1", 20, 10, true}});
    }
    std::string piece(const std::string& relative) const { return dir.file("cal1/" + relative); }
    // February 2000: a year piece 7 pixels wider, a month piece 7 narrower and lower, and a
    // days piece of two layers (so without a mask of its own).
    void writePieces()
    {
        WritePiece(piece("calyear/2000.vlf"), 67, 20, 0x112233);
        WritePiece(piece("calmonth/02.vlf"), 33, 13, 0x445566);
        WriteDocumentFile(piece("calweek/Tu29.vlf"),
                          {LayerSpec{50, 70, 0x0000C8}, LayerSpec{100, 70, 0x00C800}}, 100, 70);
    }

    TempDir dir;
    std::string templatePath = dir.file("wall.vlf");
    std::unique_ptr<LayerStack> document;
    UiRecorder ui;
};

TEST_F(CalendarRefill, PiecesAreCentredOnTheOldContent)
{
    writePieces();
    const LayerRecord photoBefore = Layer(*document, kPhoto);
    ASSERT_EQ(RefillCalendar(*document, templatePath, 2000, 2), 1);
    EXPECT_TRUE(ui.messages.empty());

    // 7 wider: the left edge moves left by t(-3 + 0.5) = 2.
    const LayerRecord& year = Layer(*document, kYear);
    EXPECT_EQ(std::tuple(year.image.width(), year.x, year.y), std::tuple(67, 8, 170));
    ASSERT_TRUE(year.sourceImage && year.sourceMask);
    EXPECT_TRUE(SamePixels(*year.sourceImage, year.image.read()));
    EXPECT_EQ(Pixel24(year.image.read(), 5, 5), (Rgb{0x33, 0x22, 0x11}));
    EXPECT_DOUBLE_EQ(year.aspect, 67.0 / 20.0);

    // 7 narrower and 7 lower, with its own mask: right by t(3.5) = 3, up by 7 h 2 = 3; the
    // placement's row is the old top plus t(3 + 0.5).
    const LayerRecord& month = Layer(*document, kMonth);
    EXPECT_EQ(std::tuple(month.x, month.y), std::tuple(103, 103));
    const auto& placed = month.textPlacement;
    EXPECT_EQ((std::vector<double>{placed[5], placed[2], placed[0], placed[4], placed[8]}),
              (std::vector<double>{103, 200 - 100 - 20 + 3, 1, 1, 1}));

    // Flattened days piece: no mask of its own, so the placeholder's half-transparent mask
    // is stretched over it.
    const LayerRecord& days = Layer(*document, kDays);
    EXPECT_EQ(std::tuple(days.image.width(), days.image.height(), days.x, days.y), std::tuple(100, 70, 30, 20));
    EXPECT_EQ(std::tuple(days.mask.read().row(35)[10], days.mask.read().row(35)[90]),
              (std::tuple<std::uint8_t, std::uint8_t>(0, 255)));
    EXPECT_EQ(PixelsAt(days.image.read(), {{10, 35}, {90, 35}}), (std::vector<Rgb>{{0xC8, 0, 0}, {0, 0xC8, 0}}));
    ASSERT_TRUE(days.sourceMask);
    EXPECT_TRUE(SamePixels(*days.sourceMask, days.mask.read()));

    // A layer that is no placeholder keeps everything.
    const LayerRecord& photo = Layer(*document, kPhoto);
    EXPECT_TRUE(photo.image.sameAs(photoBefore.image) && photo.mask.sameAs(photoBefore.mask) && !photo.sourceImage);
    EXPECT_EQ(std::tuple(photo.x, photo.y), std::tuple(150, 50));

    // The composite shows the new pieces.
    EXPECT_EQ(Pixel24(document->composite, 8 + 30, 170 + 10), (Rgb{0x33, 0x22, 0x11}));
    // Refilling again with the same pieces puts them in the same place.
    ASSERT_EQ(RefillCalendar(*document, templatePath, 2000, 2), 1);
    EXPECT_EQ(std::tuple(Layer(*document, kYear).x, Layer(*document, kMonth).y), std::tuple(8, 103));
}

TEST_F(CalendarRefill, AMissingPieceStopsWithOneMessageAndEarlierLayersKeepTheirPieces)
{
    writePieces();
    std::filesystem::remove(piece("calmonth/02.vlf"));
    const SharedPicture daysBefore = Layer(*document, kDays).image;
    const SharedPicture monthBefore = Layer(*document, kMonth).image;
    EXPECT_EQ(RefillCalendar(*document, templatePath, 2000, 2), 0);

    // Its words are the tool's refill failures test's.
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Layer(*document, kYear).image.width(), 67);
    EXPECT_TRUE(Layer(*document, kMonth).image.sameAs(monthBefore) && Layer(*document, kDays).image.sameAs(daysBefore));
}

TEST_F(CalendarRefill, AnUnreadablePieceIsReportedAndTheRefillGoesOn)
{
    writePieces();
    std::ofstream(piece("calmonth/02.vlf"), std::ios::binary | std::ios::trunc) << "FLVT not really a document";
    const SharedPicture monthBefore = Layer(*document, kMonth).image;
    EXPECT_EQ(RefillCalendar(*document, templatePath, 2000, 2), 1);

    ASSERT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido."});
    EXPECT_TRUE(Layer(*document, kMonth).image.sameAs(monthBefore));
    EXPECT_EQ(std::tuple(Layer(*document, kMonth).x, Layer(*document, kYear).image.width(),
                         Layer(*document, kDays).image.width()),
              std::tuple(100, 67, 100));
}

}  // namespace
}  // namespace lv::testing
