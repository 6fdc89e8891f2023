// The layer palette's rows under the mouse, on a document attached to the real undo table.

#include "app/core/undo/undo_table.h"
#include "app/editing/layer_palette.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

constexpr int kWindow = 3;

class FakeHost final : public LayerPaletteHost {
public:
    explicit FakeHost(int layers)
        : doc(CreateEmptyLayerStack(60, 40, 24))
        , recorder(table, kWindow)
    {
        for (int i = 0; i < layers; ++i) {
            HDIB image = DibCreate(30 + i, 20, 0x2040F0u + std::uint32_t(i) * 0x10, false);
            HDIB mask;
            InsertLayer(*doc, image, mask, doc->layerCount, false);
        }
        doc->undo = &recorder;
    }
    ~FakeHost() override { doc->undo = nullptr; }
    LayerStack* paletteDocument() override { return doc.get(); }
    void paletteChangedDocument() override { ++changes; }
    void paletteCommand(int button) override { commands.push_back(button); }

    UndoTable table{64};
    std::unique_ptr<LayerStack> doc;
    WindowUndoRecorder recorder;
    int changes = 0;
    std::vector<int> commands;
};

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), w.mapToGlobal(QPointF(at)), Qt::LeftButton, held, keys);
    QApplication::sendEvent(&w, &event);
}

void Click(QWidget& w, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    Mouse(w, QEvent::MouseButtonPress, at, keys);
    Mouse(w, QEvent::MouseButtonRelease, at, keys);
}

// A point of row `row`'s part, in the rows' coordinates.
QPoint At(int row, int x, int y)
{
    return {x, row * kPaletteRowHeight + y};
}

struct Palette {
    explicit Palette(int layers)
        : host(layers)
        , window(host)
    {
        window.resize(260, 400);
        window.show();
        window.refresh();
        rows().resize(240, rows().height());
    }
    LayerRows& rows() { return window.rows(); }
    FakeHost host;
    LayerPalette window;
};

TEST(LayerPalette, TheEyeHidesAndAClickOnAHiddenLayerMakesItCurrentAndShown)
{
    Palette p(3);
    LayerStack& d = *p.host.doc;
    EXPECT_EQ(p.rows().height(), 3 * kPaletteRowHeight);
    Click(p.rows(), At(2, 60, 12));  // the eye of the bottom layer
    EXPECT_FALSE(d.layers[2].visible);
    EXPECT_EQ(d.currentLayer, 0) << "the eye does not choose the layer";
    Click(p.rows(), At(2, 120, 12));  // its name
    EXPECT_EQ(d.currentLayer, 2);
    EXPECT_TRUE(d.layers[2].visible);
    Click(p.rows(), At(1, 60, 36));  // the lock
    EXPECT_TRUE(d.layers[1].maskLocked);
    EXPECT_EQ(p.host.changes, 3);
    EXPECT_FALSE(p.host.table.canUndo(d, kWindow)) << "flags and choosing record nothing";
}

// Which links a click makes or drops is LayerPaletteRules' test; here the keys reach them.
TEST(LayerPalette, CtrlAndShiftClicksLink)
{
    Palette p(3);
    LayerStack& d = *p.host.doc;
    d.layers[2].visible = false;
    p.window.refresh();
    Click(p.rows(), At(1, 120, 12), Qt::ControlModifier);
    EXPECT_TRUE(d.layers[0].linked);
    EXPECT_TRUE(d.layers[1].linked);
    Click(p.rows(), At(2, 120, 12), Qt::ShiftModifier);
    EXPECT_TRUE(d.layers[0].linked && d.layers[1].linked && d.layers[2].linked);
    EXPECT_TRUE(d.layers[2].visible) << "Shift shows the range";
}

TEST(LayerPalette, AnOpacityDragPastBothEndsIsOneUndoStep)
{
    Palette p(2);
    LayerStack& d = *p.host.doc;
    SetLayerOpacity(d, 1, 45, false);
    p.window.refresh();
    const RowLayout l = LayOutRow(p.rows().width(), kPaletteRowHeight);
    Mouse(p.rows(), QEvent::MouseButtonPress, At(1, l.track.left + 5, 36));
    EXPECT_EQ(d.currentLayer, 1);
    Mouse(p.rows(), QEvent::MouseMove, At(1, l.track.right + 200, 36));
    EXPECT_EQ(GetLayerOpacity(d, 1), 100);
    Mouse(p.rows(), QEvent::MouseMove, At(1, -50, 36));
    EXPECT_EQ(GetLayerOpacity(d, 1), 0);
    Mouse(p.rows(), QEvent::MouseButtonRelease, At(1, -50, 36));
    EXPECT_EQ(GetLayerOpacity(d, 1), 0);
    ASSERT_TRUE(p.host.table.undo(d, kWindow));
    EXPECT_EQ(GetLayerOpacity(d, 1), 45);
    EXPECT_FALSE(p.host.table.canUndo(d, kWindow));
}

TEST(LayerPalette, DoubleClickRenamesWithAnUndoStepAndDraggingReorders)
{
    Palette p(3);
    LayerStack& d = *p.host.doc;
    Mouse(p.rows(), QEvent::MouseButtonDblClick, At(1, 120, 12));
    auto* field = p.rows().findChild<QLineEdit*>();
    ASSERT_TRUE(field);
    EXPECT_EQ(field->maxLength(), 255);
    EXPECT_EQ(field->selectedText(), field->text()) << "the whole name selected";
    field->setText(QStringLiteral("Céu"));
    emit field->editingFinished();
    EXPECT_EQ(d.layers[1].name, "Céu");
    ASSERT_TRUE(p.host.table.undo(d, kWindow));
    EXPECT_EQ(d.layers[1].name, "layer2");
    ASSERT_TRUE(p.host.table.redo(d, kWindow));

    // Row 0 dragged down onto row 2.
    Mouse(p.rows(), QEvent::MouseButtonPress, At(0, 10, 10));
    Mouse(p.rows(), QEvent::MouseMove, At(1, 10, 10));
    Mouse(p.rows(), QEvent::MouseMove, At(2, 10, 20));
    Mouse(p.rows(), QEvent::MouseButtonRelease, At(2, 10, 20));
    EXPECT_EQ(d.layers[2].name, "layer1");
    EXPECT_EQ(d.currentLayer, 2) << "the moved layer stays current";
    ASSERT_TRUE(p.host.table.undo(d, kWindow));
    EXPECT_EQ(d.layers[0].name, "layer1");
}

TEST(LayerPalette, TheToolBarSendsItsCommandsInOrder)
{
    Palette p(1);
    const auto buttons = p.window.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 7);
    for (QToolButton* b : buttons)
        b->click();
    EXPECT_EQ(p.host.commands, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_GE(p.window.minimumWidth(), kPaletteMinimumRowWidth);
}

}  // namespace
}  // namespace lv::app
