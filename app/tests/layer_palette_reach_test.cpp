// The layer palette as a user reaches it: a thumb wide enough to see and catch, and a strip
// to move it by where no window manager gives it a title bar.

#include "app/editing/document_windows.h"
#include "app/editing/layer_palette.h"
#include "app/shell/main_window.h"
#include "app/widgets/drag_strip.h"
#include "edit/layers.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

class OneLayer final : public LayerPaletteHost {
public:
    OneLayer()
        : doc(CreateLayerStackFromImage(DibCreate(30, 20, 0xFFFFFF, false)))
    {
    }
    LayerStack* paletteDocument() override { return doc.get(); }
    void paletteChangedDocument() override {}
    void paletteCommand(int) override {}
    std::unique_ptr<LayerStack> doc;
};

// The dark pixels of the thumb on the row a few pixels above the track.
std::vector<int> ThumbColumns(LayerPalette& palette)
{
    LayerRows& rows = palette.rows();
    const QImage shot = rows.grab().toImage();
    const QRgb dark = rows.palette().color(QPalette::Dark).rgb();
    const RowLayout l = LayOutRow(rows.width(), kPaletteRowHeight);
    std::vector<int> columns;
    for (int x = 0; x < shot.width(); ++x)
        if (shot.pixel(x, l.track.top - 3) == dark)
            columns.push_back(x);
    return columns;
}

TEST(LayerPaletteReach, TheOpacityThumbIsAtLeastTenPixelsWideAndStaysInsideTheRowLayout)
{
    OneLayer host;
    LayerPalette palette(host);
    palette.resize(280, 300);
    palette.show();
    palette.refresh();
    const RowLayout l = LayOutRow(palette.rows().width(), kPaletteRowHeight);
    for (const int opacity : {0, 37, 100}) {
        host.doc->layers[0].opacity = std::uint32_t(opacity);
        palette.refresh();
        const std::vector<int> columns = ThumbColumns(palette);
        ASSERT_FALSE(columns.empty()) << opacity;
        EXPECT_GE(columns.back() - columns.front() + 1, 10) << opacity;
        EXPECT_EQ(int(columns.size()), columns.back() - columns.front() + 1) << "one solid thumb";
        EXPECT_GE(columns.front(), l.lock.right) << opacity;
        EXPECT_LT(columns.back(), l.value.left) << opacity;
    }
}

TEST(LayerPaletteReach, ItsOwnStripMovesThePalette)
{
    OneLayer host;
    LayerPalette palette(host);
    palette.move(100, 100);
    palette.show();
    auto* strip = palette.findChild<DragStrip*>();
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->mapTo(&palette, QPoint(0, 0)), QPoint(0, 0)) << "along the top";
    const QPoint from = palette.pos();
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(strip->mapToGlobal(QPoint(0, 0)) + at), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(strip, &event);
    };
    mouse(QEvent::MouseButtonPress, {20, 5}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {50, 25}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {50, 25}, Qt::NoButton);
    EXPECT_EQ(palette.pos(), from + QPoint(30, 20));
}

}  // namespace
}  // namespace lv::app
