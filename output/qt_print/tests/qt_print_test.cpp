#include "common/testing/temp_dir.h"
#include "imagelib/dib_alloc.h"
#include "output/print/banding.h"
#include "output/print/label_spec.h"
#include "output/qt_print/qt_page_preview.h"
#include "output/qt_print/qt_painter_surface.h"
#include "output/qt_print/qt_printer.h"

#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::print {
namespace {

TEST(BandImage, RowsComeTopFirstAndPalettesStayIndexed)
{
    HDIB colour = AllocatePicture(3, 4, 24, 0);
    for (int y = 0; y < 4; ++y)
        colour.row(y)[0] = std::uint8_t(10 * y);  // blue of the first pixel tells the row
    const QImage all = BandImage(colour, 0, 4);
    ASSERT_EQ(all.size(), QSize(3, 4));
    // The top row is the last in memory.
    EXPECT_EQ(std::tuple(qBlue(all.pixel(0, 0)), qBlue(all.pixel(0, 3))), std::tuple(30, 0));
    const QImage upper = BandImage(colour, 2, 2);
    ASSERT_EQ(upper.height(), 2);
    EXPECT_EQ(std::tuple(qBlue(upper.pixel(0, 0)), qBlue(upper.pixel(0, 1))), std::tuple(30, 20));
    EXPECT_TRUE(BandImage(colour, 3, 2).isNull()) << "beyond the picture";

    HDIB mono = AllocatePicture(10, 2, 1, 2);
    mono.colors()[0] = {0, 0, 255, 0};
    mono.colors()[1] = {255, 255, 255, 0};
    mono.row(1)[0] = 0x80;  // top row, first pixel
    const QImage m = BandImage(mono, 0, 2);
    EXPECT_EQ(m.format(), QImage::Format_Mono);
    EXPECT_EQ(std::tuple(m.pixel(0, 0), m.pixel(1, 0)), std::tuple(qRgb(255, 255, 255), qRgb(255, 0, 0)));

    HDIB four = AllocatePicture(3, 1, 4, 16);
    four.colors()[5] = {1, 2, 3, 0};
    four.row(0)[0] = 0x05, four.row(0)[1] = 0x50;
    const QImage f = BandImage(four, 0, 1);
    EXPECT_EQ(f.format(), QImage::Format_Indexed8);
    EXPECT_EQ(std::tuple(f.pixel(1, 0), f.pixel(2, 0)), std::tuple(qRgb(3, 2, 1), qRgb(3, 2, 1)));
}

TEST(PdfJobs, LetterPagesAtSixHundredDpiWithTheDesignedPrintableArea)
{
    EXPECT_EQ(PdfPageMetrics(QPageSize::Letter, Orientation::Portrait), DefaultPrinterMetrics());
    const PrinterMetrics a4 = PdfPageMetrics(QPageSize::A4, Orientation::Portrait);
    EXPECT_EQ(PaperSectionName("ET", a4), "ET4960_7020") << "the label file's A4 sections";
    const PrinterMetrics wide = PdfPageMetrics(QPageSize::Letter, Orientation::Landscape);
    EXPECT_EQ(std::tuple(wide.pageWidth, wide.width, wide.offsetX), std::tuple(6600, 6120, 240));

    lv::testing::TempDir dir;
    PdfPrinter printer(dir.file("job.pdf"), QPageSize::Letter);
    auto surface = printer.open(1, Orientation::Portrait);
    ASSERT_TRUE(surface);
    ASSERT_TRUE(surface->beginDocument("Lumivista 2000"));
    for (int page = 0; page < 3; ++page) {
        ASSERT_TRUE(surface->beginPage());
        DrawImageOnPrinter(*surface, AllocatePicture(1100, 1000, 24, 0), {600, 600, 1100, 1000});
        surface->endPage();
    }
    ASSERT_TRUE(surface->endDocument());
    surface.reset();
    QFile pdf(QString::fromStdString(dir.file("job.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF") && bytes.contains("/Count 3"));
    const qsizetype box = bytes.indexOf("/MediaBox");
    ASSERT_GE(box, 0);
    const QByteArray size = bytes.mid(box, 40);
    EXPECT_TRUE(size.contains(" 612") && size.contains(" 792")) << size.toStdString();
}

TEST(Preview, DrawsTheSameCallsScaledDown)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    EXPECT_DOUBLE_EQ(PreviewScale(m, 660), 10.0);
    const QImage page = RenderPreviewPage(m, 660, [](PrintSurface& s) {
        EXPECT_DOUBLE_EQ(s.deviceScale(), 10.0);
        s.frame(Rect::fromSize(1000, 2000, 1000, 1000), 50);
    });
    ASSERT_EQ(page.size(), QSize(510, 660));
    EXPECT_EQ(page.pixel(102, 250), qRgb(0, 0, 0)) << "the frame's left edge at 1000 device pixels";
    EXPECT_EQ(std::tuple(page.pixel(150, 250), page.pixel(5, 5)), std::tuple(qRgb(255, 255, 255), qRgb(255, 255, 255)))
        << "inside the frame and outside";
}

}  // namespace
}  // namespace lv::print

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
