#include "app/tests/editing_window.h"
#include "app/core/documents/document_io.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/shell/test_hooks.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/tests/pictures.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A 32 x 16 picture whose left half is transparent, opened from a PNG as the program opens it
// and shown at 100 %: the left half shows the grid's cells, the right half the picture.
struct TransparencyGrid : ::testing::TestWithParam<int>, BareEditingWindow {
    void SetUp() override { SetTransparencyGridScheme(GetParam()); }
    void TearDown() override { SetTransparencyGridScheme(0); }

    testing::TempDir dir;
};

TEST_P(TransparencyGrid, TransparentPixelsShowTheGridAndOpaqueOnesThemselves)
{
    constexpr int kWidth = 32, kHeight = 16;
    HDIB colours = testing::MakePhotoLike(kWidth, kHeight);
    HDIB alpha = AllocatePicture(kWidth, kHeight, 8, 256);
    FillGreyRamp(alpha.colors(), 256);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            alpha.row(y)[x] = x < kWidth / 2 ? 0 : 255;
    const std::string path = dir.file("logo.png");
    ASSERT_EQ(WritePng(path, colours, nullptr, &alpha), PngWriteResult::Written);

    LoadedDocument loaded = LoadDocument(path);
    ASSERT_TRUE(loaded.stack);
    ASSERT_TRUE(documents.openDocumentWindow(std::move(loaded.stack), path));
    ImageWindow* window = documents.active();
    ASSERT_TRUE(window);
    ASSERT_EQ(window->zoom(), 0);
    window->renderInto(window->rect());
    const QImage& shown = window->backing();
    // A picture narrower than the caption is centred under it.
    const int left = (shown.width() - kWidth) / 2;
    const auto even = GridEvenColour(GetParam());
    for (int top = 0; top < kHeight; top += 5)
        for (int x = 0; x < kWidth; ++x) {
            const int row = kHeight - 1 - top;  // cells count rows from the bottom
            const QColor got = shown.pixelColor(left + x, top);
            if (x < kWidth / 2) {
                const bool odd = (((row >> 3) + (x >> 3)) & 1) != 0;
                const QColor grid = odd ? QColor(255, 255, 255) : QColor(even[0], even[1], even[2]);
                EXPECT_EQ(got, grid) << "transparent pixel " << x << "," << top;
            } else {
                const testing::Rgb c = testing::Pixel24(colours, x, row);
                EXPECT_EQ(got, QColor(c.r, c.g, c.b)) << "opaque pixel " << x << "," << top;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Schemes, TransparencyGrid, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace lv::app
