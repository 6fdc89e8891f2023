// A photo tagged with a wide-gamut profile shows in the display's colours full screen and in
// the slide show, as the image windows show it, not in its raw numbers.

#include "app/editing/full_screen_view.h"
#include "app/output/present_window.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/colour/colour_transform.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "output/slide_painter.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace lv {
namespace {

QColor Middle(const HDIB& picture)
{
    const std::uint8_t* p = picture.row(picture.height() / 2) + picture.width() / 2 * 3;
    return QColor(p[2], p[1], p[0]);
}

TEST(ShowColours, FullScreenAndTheSlideShowShowATaggedPhotoConverted)
{
    const std::vector<std::uint8_t> profile =
        ReadWholeFile("/usr/share/color/icc/colord/ECI-RGBv2.icc").value_or(std::vector<std::uint8_t>{});
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string path = dir.file("largo.jpg");
    ASSERT_EQ(WriteJpeg(path, DibCreate(64, 48, 0x2F6AC8, false), 95, profile), WriteResult::Written);
    const HDIB stored = LoadSlidePhoto(path);
    ASSERT_TRUE(stored);
    HDIB copy = DibDuplicate(stored);
    ColourTransform::Create(profile)->applyToPicture(copy);  // this process's display is sRGB
    const QColor converted = Middle(copy), raw = Middle(stored);
    ASSERT_GT(std::abs(raw.red() - converted.red()) + std::abs(raw.green() - converted.green()), 20);

    app::ShowFullScreenView(stored, profile);
    QWidget* view = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        view = top->objectName() == "fullview" && top->isVisible() ? top : view;
    ASSERT_TRUE(view && QTest::qWaitForWindowExposed(view));
    EXPECT_EQ(view->grab().toImage().pixelColor(view->width() / 2, view->height() / 2), converted);
    view->close();

    PresentWindowSetup setup;
    setup.slides = {{path, ""}};
    setup.screenSaverBus = QDBusConnection(QStringLiteral("no bus"));
    PresentWindow window(std::move(setup));
    window.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.drawingTransition(); }, 3000));
    const ScreenBitmap& screen = window.screenBitmap();
    EXPECT_EQ(screen.pixel(screen.width() / 2, screen.height() / 2),
              ScreenPixel(std::uint8_t(converted.red()), std::uint8_t(converted.green()), std::uint8_t(converted.blue())));
    window.close();
}

}  // namespace
}  // namespace lv
