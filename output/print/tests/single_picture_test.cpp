#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "output/print/single_picture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

using testing::RecordingPrinter;

HDIB PictureAt(int w, int h, int dpi)
{
    HDIB p = AllocatePicture(w, h, 24, 0);
    p.header().biXPelsPerMeter = p.header().biYPelsPerMeter = std::int32_t(PixelsPerMetreFromDpi(dpi));
    return p;
}

TEST(SinglePicture, APictureIsCentredAtItsOwnSizeAndLimitedToThePrintableArea)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    // 600 × 300 pixels at 300 dpi: 2 × 1 inches.
    EXPECT_EQ(SinglePictureRect(PictureAt(600, 300, 300), {}, m), (Rect::fromSize(150 + 1800, 240 + 2760, 1200, 600)));
    // No resolution: the screen's 96 dpi.
    EXPECT_EQ(SinglePictureRect(AllocatePicture(96, 192, 24, 0), {}, m).height(), 1200);
    // Larger than the page: fitted into the printable area.
    EXPECT_EQ(SinglePictureRect(PictureAt(8000, 4000, 72), {}, m), (Rect::fromSize(150, 240 + 1860, 4800, 2400)));
}

TEST(SinglePicture, ThePlaceChosenInThePreviewScalesToThePageAndStaysOnIt)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    SinglePictureOptions o;
    o.picture = PageFraction{0.5, 0.25, 0.25, 0.5};
    // The box is 1200 × 3060 at (2550, 1770); a square picture takes its width.
    EXPECT_EQ(SinglePictureRect(PictureAt(100, 100, 72), o, m), (Rect::fromSize(2550, 1770 + 930, 1200, 1200)));
    o.picture = PageFraction{0.9, -0.2, 0.5, 0.5};  // partly off the page: moved back onto it
    const Rect r = SinglePictureRect(PictureAt(100, 100, 72), o, m);
    EXPECT_TRUE(r.right <= 150 + 4800 && r.top >= 240) << r.right << "," << r.top;
    EXPECT_EQ(FromPageFraction(ToPageFraction(Rect::fromSize(400, 500, 1000, 2000), m), m),
              (Rect::fromSize(400, 500, 1000, 2000)));
}

TEST(SinglePicture, PrintsThePictureWithItsFrameAndText)
{
    lv::testing::UiRecorder ui;
    RecordingPrinter printer;
    SinglePictureOptions o;
    o.frame = true;
    o.text = true;
    o.content = "Natal de 2024";
    o.points = 36;
    const HDIB picture = PictureAt(600, 300, 300);
    ASSERT_TRUE(PrintSinglePicture(printer, picture, "Árvore de Natal com a família.jpg", o));
    EXPECT_EQ(printer.record.documents, (std::vector<std::string>{"Lumivista - Árvore de Natal com a família.jpg"}));
    ASSERT_EQ(printer.record.stretches.size(), 1u);
    const Rect where = printer.record.stretches[0].target;
    EXPECT_EQ(printer.record.frames, (std::vector<std::pair<Rect, int>>{{where.widened(3, 3), 3}}));
    ASSERT_EQ(printer.record.texts.size(), 1u);
    EXPECT_EQ(std::tuple(printer.record.texts[0].text, printer.record.texts[0].font.height),
              std::tuple(std::string("Natal de 2024"), -300));
    EXPECT_GE(printer.record.texts[0].rect.top, where.bottom) << "under the picture";

    o.text = false;
    o.frame = false;
    ASSERT_TRUE(PrintSinglePicture(printer, picture, "x", o, Orientation::Landscape, 4));
    EXPECT_EQ(std::tuple(printer.lastCopies, printer.lastOrientation), std::tuple(4, Orientation::Landscape));
    EXPECT_TRUE(printer.record.texts.empty() && printer.record.frames.empty());
    printer.available = false;
    EXPECT_FALSE(PrintSinglePicture(printer, picture, "x", o));
    EXPECT_FALSE(PrintSinglePicture(printer, HDIB(), "x", o));
}

}  // namespace
}  // namespace lv::print
