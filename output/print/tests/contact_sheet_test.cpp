#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "output/print/contact_sheet.h"
#include "output/print/print_photo_loader.h"
#include "output/print/text_fit.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

using testing::RecordingPrinter;

std::vector<std::string> Paths(int n)
{
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i)
        paths.push_back("/fotos/Viagem/IMG_" + std::to_string(1000 + i) + ".JPG");
    return paths;
}

TEST(ContactSheet, OneInchThumbnailsWithSpacing1OnEightInchesGiveFiveColumns)
{
    PrinterMetrics eightInches = DefaultPrinterMetrics();
    eightInches.width = 4800;
    const ContactSheetLayout l = PlanContactSheet({1, 1, false}, eightInches, 10);
    // 10.2 inches down: 6 steps of 1.5 use 9 inches, the 1.2 left hold a last cell.
    EXPECT_EQ(std::tuple(l.columns, l.rows, l.pages), std::tuple(5, 7, 1));
    // 5 cells and 4 gaps use 7 inches: half an inch on each side.
    EXPECT_DOUBLE_EQ(l.left, 150 + 300);
    EXPECT_EQ(l.photoBox(0), (Rect::fromSize(450, int(l.top + 0.5), 600, 600)));
    // Cell 6 is row 1, column 1.
    EXPECT_EQ(std::tuple(l.photoBox(6).left, l.photoBox(6).top), std::tuple(450 + 900, l.photoBox(0).top + 900));
}

TEST(ContactSheet, CellsAcrossCountsALastCellWithoutItsGap)
{
    // 1-inch cells with 0.5-inch gaps: 7 inches take 5 (the last needs no gap), 6.99 only 4.
    EXPECT_EQ(CellsAcross(4200, 10000, 5000, 600), 5);
    EXPECT_EQ(CellsAcross(4194, 10000, 5000, 600), 4);
    EXPECT_EQ(CellsAcross(100, 10000, 5000, 600), 1) << "at least one cell";
    // The table's fractional spacings stay exact: 0.5 + 0.0675 inch steps at 600 dpi.
    EXPECT_EQ(CellsAcross(4800, 5000, 675, 600), 14);  // 14 steps of 0.5675 inch use 7.945
    for (const auto& [size, spacing, gap] : {std::tuple{2, 0, 1925}, {0, 2, 0}, {1, 3, 2500}})
        EXPECT_EQ(SpacingTenThousandths(size, spacing), gap) << size << " " << spacing;
}

TEST(ContactSheet, CaptionsAddAQuarterInchAndPagesRoundUp)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    const ContactSheetLayout plain = PlanContactSheet({2, 2, false}, m, 0);
    const ContactSheetLayout captioned = PlanContactSheet({2, 2, true}, m, 0);
    // 10.2 inches make 6 rows of 1.5 and 5 of 1.75.
    EXPECT_EQ(std::tuple(plain.rows, captioned.rows, captioned.captionHeight, plain.pages), std::tuple(6, 5, 150, 0));
    EXPECT_EQ(captioned.captionBox(0).top, captioned.photoBox(0).bottom);
    const int perPage = captioned.perPage();
    EXPECT_EQ(PlanContactSheet({2, 2, true}, m, perPage).pages, 1);
    EXPECT_EQ(PlanContactSheet({2, 2, true}, m, perPage + 1).pages, 2);
    EXPECT_EQ(PageNumberText(2, 7), "2/7");
}

TEST(ContactSheet, CaptionsAreTheLowerCasedFileNameCutInTheMiddleKeepingTheEnd)
{
    EXPECT_EQ(CaptionFor("/Fotos/Férias/IMG_0042.JPG"), "img_0042.jpg");
    EXPECT_EQ(CaptionFor("C:\\FOTOS\\A.BMP"), "a.bmp");
    const TextMeasure tenEach = [](std::string_view t) { return int(t.size()) * 10; };
    for (const auto& [text, width, shown] :
         {std::tuple{"curto", 50, "curto"}, {"aniversario_0012.jpg", 140, "ani...0012.jpg"},
          {"aniversario_0013.jpg", 140, "ani...0013.jpg"}, {"abcdef", 50, "...ef"}, {"abc", 20, ""}, {"abcd", 30, "..."}})
        EXPECT_EQ(ElideMiddle(text, width, tenEach), shown) << text;
    // Whole characters only: "é" is two bytes and is not split.
    EXPECT_EQ(ElideMiddle("éééééé", 99, tenEach), "é...éé");
}

TEST(ContactSheet, PrintsEveryPageLoadingPhotosOneAtATimeInAlbumOrder)
{
    lv::testing::UiRecorder ui;
    RecordingPrinter printer;
    const auto paths = Paths(45);
    std::vector<std::string> asked;
    const PhotoLoader load = [&](const std::string& path, int w, int h) {
        asked.push_back(path);
        EXPECT_EQ(std::tuple(w, h), std::tuple(300, 300));
        return path.ends_with("1003.JPG") ? HDIB() : AllocatePicture(60, 40, 24, 0);
    };
    const ContactSheetSettings settings{0, 1, true};  // 0.5-inch thumbnails, 0.25-inch gaps
    ASSERT_TRUE(PrintContactSheet(printer, settings, paths, load));
    const ContactSheetLayout l = PlanContactSheet(settings, printer.page, 45);
    const auto& record = printer.record;
    EXPECT_EQ(std::tuple(l.columns, l.rows, record.pages), std::tuple(11, 10, 1));
    EXPECT_EQ(asked, paths);
    // The unreadable photo leaves an empty frame.
    EXPECT_EQ(std::tuple(record.stretches.size(), record.frames.size(), record.texts.size()),
              std::tuple(44u, 45u, 45u));
    ASSERT_FALSE(record.texts.empty());
    // 10 points at 600 dpi.
    EXPECT_EQ(std::tuple(record.texts[0].text, record.texts[0].font.height),
              std::tuple(std::string("img_1000.jpg"), -83));
    EXPECT_EQ(printer.record.stretches[0].target,
              (Rect::fromSize(l.photoBox(0).left, l.photoBox(0).top + 50, 300, 200)));

    RecordingPrinter many;
    asked.clear();
    ASSERT_TRUE(PrintContactSheet(many, {0, 1, false}, Paths(300), load, 2));
    // Copies are the printer's, not pages drawn again; 11 × 13 = 143 a page.
    EXPECT_EQ(std::tuple(many.lastCopies, many.record.pages, many.record.endedPages, asked.size()),
              std::tuple(2, 3, 3, 300u));

    RecordingPrinter none;
    EXPECT_FALSE(PrintContactSheet(none, settings, {}, load));
    EXPECT_EQ(std::tuple(ui.beeps, none.opened), std::tuple(1, 0));
}

TEST(PrintPhotos, LargePhotosAreReadNoLargerThanTheirBoxNeeds)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    HDIB photo = AllocatePicture(800, 600, 24, 0);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 2400; ++x)
            photo.row(y)[x] = std::uint8_t((x + y) * 7);
    ASSERT_EQ(WriteJpeg(dir.file("big.jpg"), photo, 90), WriteResult::Written);
    ASSERT_EQ(WriteBmp(dir.file("big.bmp"), photo), WriteResult::Written);

    const HDIB jpeg = LoadPhotoForPrint(dir.file("big.jpg"), 100, 100);
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(std::tuple(jpeg.width(), jpeg.height()), std::tuple(100, 75)) << "decoded at an eighth, as the box takes";
    const HDIB half = LoadPhotoForPrint(dir.file("big.jpg"), 350, 350);
    EXPECT_EQ(half.width(), 400) << "a quarter (200 wide) would be too few";
    const HDIB full = LoadPhotoForPrint(dir.file("big.jpg"), 700, 700);
    EXPECT_EQ(full.width(), 800);
    const HDIB bmp = LoadPhotoForPrint(dir.file("big.bmp"), 100, 100);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(std::tuple(bmp.width(), bmp.height()), std::tuple(100, 75));
    EXPECT_FALSE(LoadPhotoForPrint(dir.file("missing.jpg"), 100, 100));
    EXPECT_FALSE(LoadPhotoForPrint(dir.file("big.bmp") + ".txt", 100, 100));

    // The prefetcher hands the same photos over in order, and loads others on the spot.
    const std::vector<std::string> list{dir.file("big.jpg"), dir.file("missing.jpg"), dir.file("big.bmp")};
    PhotoPrefetcher prefetch(list, 100, 100, 2, 2);
    const PhotoLoader load = prefetch.loader();
    EXPECT_EQ(load(list[0], 100, 100).width(), 100);
    EXPECT_FALSE(load(list[1], 100, 100));
    EXPECT_EQ(load(list[0], 350, 350).width(), 400) << "out of order: loaded directly";
    EXPECT_EQ(load(list[2], 100, 100).height(), 75);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv::print
