#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "output/print/layout_page.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

using testing::RecordingPrinter;

std::shared_ptr<const HDIB> Photo(int w, int h)
{
    return std::make_shared<const HDIB>(AllocatePicture(w, h, 24, 0));
}

LabelProduct ThreeByTwo()
{
    return {"Etiqueta de teste", {{100, 200, 1200, 600, 1300, 700, 3, 2}}};
}

TEST(LayoutPage, ALeftMarginOf64MovesEverySlot600DevicePixelsAt600Dpi)
{
    lv::testing::UiRecorder ui;
    LayoutPage page;
    page.useLabels(ThreeByTwo());
    for (int i = 0; i < 6; ++i)
        page.place(i, Photo(400, 200), "f.jpg");
    const PrinterMetrics m = DefaultPrinterMetrics();

    RecordingPrinter plain, moved;
    ASSERT_EQ(PrintLayoutPage(plain, page, MarginsFromSixtyFourths(0, 0, m)), 1);
    ASSERT_EQ(PrintLayoutPage(moved, page, MarginsFromSixtyFourths(0, 64, m), 3), 1);
    // The copies asked for reach the printer.
    EXPECT_EQ(std::tuple(plain.lastCopies, moved.lastCopies), std::tuple(1, 3));
    ASSERT_EQ(plain.record.stretches.size(), 6u);
    ASSERT_EQ(moved.record.stretches.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(moved.record.stretches[i].target, plain.record.stretches[i].target.translated(600, 0)) << i;
    EXPECT_EQ(MarginsFromSixtyFourths(32, 0, m).top, 300);
    EXPECT_EQ(plain.record.documents, (std::vector<std::string>{"Lumivista 2000"}));
    EXPECT_EQ(std::tuple(plain.record.pages, plain.record.endedDocuments), std::tuple(1, 1));
}

TEST(LayoutPage, PhotosAreFittedIntoTheZoomedSlotAndCentredInIt)
{
    const Rect slot = Rect::fromSize(1000, 2000, 1200, 600);
    EXPECT_EQ(FitInSlot(400, 100, slot, 100), (Rect::fromSize(1000, 2150, 1200, 300))) << "wide photo: slot width";
    EXPECT_EQ(FitInSlot(100, 400, slot, 100), (Rect::fromSize(1525, 2000, 150, 600))) << "tall photo: slot height";
    EXPECT_EQ(FitInSlot(1200, 600, slot, 50), (Rect::fromSize(1300, 2150, 600, 300)));
    EXPECT_EQ(FitInSlot(2, 1, slot, 100), (Rect::fromSize(1000, 2000, 1200, 600))) << "the same shape fills it";
}

TEST(LayoutPage, AnEmptyPageBeepsAndNoPrinterPrintsNothing)
{
    lv::testing::UiRecorder ui;
    LayoutPage page;
    page.useLabels(ThreeByTwo());
    RecordingPrinter printer;
    EXPECT_EQ(PrintLayoutPage(printer, page, {}), 0);
    EXPECT_EQ(std::tuple(ui.beeps, printer.opened), std::tuple(1, 0)) << "no job for an empty page";

    page.place(2, Photo(10, 10), "a.bmp");
    printer.available = false;
    EXPECT_EQ(PrintLayoutPage(printer, page, {}), 0);
    EXPECT_EQ(std::tuple(printer.opened, ui.beeps, ui.busyDepth), std::tuple(1, 1, 0));
}

TEST(LayoutPage, ChangingTheLayoutKeepsThePhotosInOrderAndAtMostAHundredSlots)
{
    LayoutPage page;
    page.useLabels(ThreeByTwo());
    const auto a = Photo(10, 10), b = Photo(20, 10);
    page.place(1, a, "a");
    page.place(4, b, "b");
    page.usePhotoSizes(kMixedPhotos, DefaultPrinterMetrics(), PhotoSize{2, 2});
    ASSERT_EQ(page.slotList().size(), 20u);
    const auto& slots = page.slotList();
    EXPECT_EQ(std::tuple(slots[0].picture, slots[1].picture, slots[2].picture, page.kind()),
              std::tuple(a, b, nullptr, kMixedPhotos));

    page.useLabels({"Muitas", {{0, 0, 10, 10, 10, 10, 20, 20}}});
    EXPECT_EQ(std::tuple(page.slotList().size(), page.kind()), std::tuple(std::size_t(kMaxLayoutSlots), kLabelLayout));

    page.setCurrent(98);
    page.placeInCurrent(a, "a");
    EXPECT_EQ(page.current(), 99);
    page.placeInCurrent(b, "b");
    page.placeInCurrent(b, "b");
    EXPECT_EQ(page.current(), 99) << "stays on the last slot";
    page.setCurrent(500);
    EXPECT_EQ(page.current(), 99);
}

TEST(LayoutPage, TheStatusLineGivesThePhotoSizeInInches)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    LayoutPage page;
    page.useLabels(ThreeByTwo());
    page.place(0, Photo(400, 100), "a");
    EXPECT_EQ(PhotoSizeStatus(page, m), "Etiqueta de teste, 2.0\"x0.5\"");
    page.setZoom(50);
    EXPECT_EQ(PhotoSizeStatus(page, m), "Etiqueta de teste, 1.0\"x0.2\"");
    page.useLabels(FullPageLabel(m));
    page.setZoom(100);
    page.setCurrent(0);
    EXPECT_EQ(PhotoSizeStatus(page, m), "Tamanho das fotos:  8.0\"x2.0\"");
}

}  // namespace
}  // namespace lv::print
