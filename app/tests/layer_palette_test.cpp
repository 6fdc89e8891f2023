// The layer palette's rows under the mouse, on a document attached to the real undo table;
// its opacity thumb's reach and its own drag strip; in the main window, Ctrl+P, the page's
// check and the frame's menu showing it together, its rows drawing the skin's eye and lock.

#include "app/core/undo/undo_table.h"
#include "app/editing/layer_palette.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"
#include "app/editing/document_windows.h"
#include "app/shell/main_window.h"
#include "app/widgets/drag_strip.h"
#include "common/testing/ui_recorder.h"
#include "app/core/layer_palette_layout.h"
#include "app/skin/skin_bitmaps.h"
#include "app/widgets/program_picture.h"
#include "app/editing/image_window.h"
#include "app/tests/editing_window.h"
#include "app/widgets/qt_geometry.h"
#include "edit/layer_commands.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QMenu>
#include <QTest>

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
    EXPECT_EQ(std::tuple(d.layers[2].visible, d.currentLayer), std::tuple(false, 0)) << "the eye does not choose the layer";
    Click(p.rows(), At(2, 120, 12));  // its name
    EXPECT_EQ(std::tuple(d.layers[2].visible, d.currentLayer), std::tuple(true, 2));
    Click(p.rows(), At(1, 60, 36));  // the lock
    EXPECT_EQ(std::tuple(d.layers[1].maskLocked, p.host.changes), std::tuple(true, 3));
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
    EXPECT_TRUE(d.layers[0].linked && d.layers[1].linked);
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
    std::vector<int> opacities;
    const std::pair<QEvent::Type, int> steps[] = {
        {QEvent::MouseMove, l.track.right + 200}, {QEvent::MouseMove, -50}, {QEvent::MouseButtonRelease, -50}};
    for (const auto& [type, x] : steps) {
        Mouse(p.rows(), type, At(1, x, 36));
        opacities.push_back(GetLayerOpacity(d, 1));
    }
    EXPECT_EQ(opacities, (std::vector{100, 0, 0}));
    ASSERT_TRUE(p.host.table.undo(d, kWindow));
    EXPECT_EQ(std::tuple(GetLayerOpacity(d, 1), p.host.table.canUndo(d, kWindow)), std::tuple(45, false));
}

TEST(LayerPalette, DoubleClickRenamesWithAnUndoStepAndDraggingReorders)
{
    Palette p(3);
    LayerStack& d = *p.host.doc;
    Mouse(p.rows(), QEvent::MouseButtonDblClick, At(1, 120, 12));
    auto* field = p.rows().findChild<QLineEdit*>();
    ASSERT_TRUE(field);
    EXPECT_EQ(std::tuple(field->maxLength(), field->selectedText()),
              std::tuple(255, field->text())) << "the whole name selected";
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
    EXPECT_EQ(std::tuple(d.layers[2].name, d.currentLayer),
              std::tuple(std::string("layer1"), 2)) << "the moved layer stays current";
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
    FakeHost host(1);
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
    FakeHost host(1);
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

constexpr int kLayersScreen = 3;

class PaletteOnSkin : public EditingWindow {
protected:
    void SetUp() override
    {
        EditingWindow::SetUp();
        QApplication::setActiveWindow(&window);
    }
    void TearDown() override
    {
        documents.showLayerPalette(false);
        EditingWindow::TearDown();
    }

    SkinPanelWidget& page() const { return *window.skin()->panelAt(1); }
    int checkIndex() const
    {
        for (int i = 0; i < int(page().input().size()); ++i)
            if (page().input().control(i).definition.handler == skin::Handler::ShowLayerPalette)
                return i;
        ADD_FAILURE() << "no palette check on the page";
        return 0;
    }
    bool checked() const { return page().input().selected(checkIndex()); }
    void clickCheck()
    {
        const QRect r = ToQRect(page().input().control(checkIndex()).rect);
        QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    // The frame's menu, by a right-click on the status line.
    QMenu* frameMenu()
    {
        const QPoint at = window.controlRect(kStatusControl)->center();
        QWidget* target = window.childAt(at);
        QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, target->mapFrom(&window, at));
        return window.findChild<QMenu*>(QStringLiteral("menu %1").arg(kHelpMenu));
    }
};

TEST_F(PaletteOnSkin, CtrlPTheCheckAndTheFrameMenuShowAndHideThePaletteTogether)
{
    const auto shownAndChecked = [&] { return std::tuple(documents.layerPaletteShown(), checked()); };
    ASSERT_TRUE(window.switchScreen(kLayersScreen));
    EXPECT_EQ(shownAndChecked(), std::tuple(false, false)) << "hidden at start, so not checked";

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shownAndChecked(), std::tuple(true, true)) << "Ctrl+P checks the page's check";

    clickCheck();
    EXPECT_EQ(shownAndChecked(), std::tuple(false, false)) << "unchecking hides the palette";
    clickCheck();
    EXPECT_TRUE(documents.layerPaletteShown());

    std::unique_ptr<QMenu> menu(frameMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().back()->text(), "Hide &Layer Palette\tCtrl+P");
    menu->actions().back()->trigger();
    EXPECT_EQ(shownAndChecked(), std::tuple(false, false)) << "the menu unchecks the check too";
    menu.reset();
    menu.reset(frameMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().back()->text(), "Show &Layer Palette\tCtrl+P");

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(documents.layerPaletteShown());
    documents.layerPalette()->close();  // the palette's own close box
    EXPECT_FALSE(checked()) << "closing the palette unchecks the check";

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(kLayersScreen));
    EXPECT_TRUE(checked()) << "the page shows the palette's state when it comes back";
}

TEST_F(PaletteOnSkin, TheRowsDrawTheSkinsEyeAndLockAtTheirParts)
{
    auto stack = CreateLayerStackFromImage(DibCreate(40, 30, 0x3060A0, false));
    CompositeLayers(*stack);
    ASSERT_TRUE(documents.openDocumentWindow(std::move(stack), "olho"));
    documents.showLayerPalette(true);
    LayerRows& rows = documents.layerPalette()->rows();
    const RowLayout layout = LayOutRow(rows.width(), kPaletteRowHeight);
    const auto part = [&](const Rect& r) {
        return rows.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(r.left, r.top, r.width(), r.height());
    };
    const auto bitmap = [](int id) { return ProgramPicture(skin::SkinBitmapFile(id)).convertToFormat(QImage::Format_RGB32); };
    for (const skin::SkinBitmap& b : skin::kSkinBitmaps) {
        const QImage picture = bitmap(b.id);
        ASSERT_EQ(picture.size(), QSize(b.width, b.height)) << "the generator drew bitmap " << b.id;
    }
    EXPECT_EQ(std::tuple(QSize(layout.eye.width(), layout.eye.height()), QSize(layout.lock.width(), layout.lock.height())),
              std::tuple(bitmap(skin::kEyeShownBitmap).size(), bitmap(skin::kMaskLockedBitmap).size()));

    EXPECT_EQ(std::tuple(part(layout.eye), part(layout.lock)),
              std::tuple(bitmap(skin::kEyeShownBitmap), bitmap(skin::kMaskUnlockedBitmap)));
    LayerStack& doc = documents.active()->document();
    ToggleLayerVisible(doc, 0);
    SetLayerMaskLocked(doc, 0, true);
    documents.layerPalette()->refresh();
    EXPECT_EQ(std::tuple(part(layout.eye), part(layout.lock)),
              std::tuple(bitmap(skin::kEyeHiddenBitmap), bitmap(skin::kMaskLockedBitmap)));
    EXPECT_NE(bitmap(skin::kEyeShownBitmap), bitmap(skin::kEyeHiddenBitmap));
    EXPECT_NE(bitmap(skin::kMaskLockedBitmap), bitmap(skin::kMaskUnlockedBitmap));
}

}  // namespace
}  // namespace lv::app
