#include "app/tests/editing_window.h"
#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/undo/undo_table.h"
#include "app/editing/document_windows.h"
#include "app/core/view/scroll_thumb.h"
#include "app/widgets/scroll_control.h"
#include "app/editing/image_window.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "edit/tools/tool_registry.h"
#include "imagelib/dib_geometry.h"
#include "app/skin/handlers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A tool for the window's side of the framework: counts what it is handed and answers as told.
class ProbeTool final : public Tool {
public:
    ProbeTool(int id, bool repeats)
        : id_(id)
        , repeats_(repeats)
    {
    }
    int id() const override { return id_; }
    ToolResult press(ToolContext& context, const PointerEvent& event) override
    {
        held_ = true;
        ++presses;
        if (onPress)
            return onPress(context, event);
        return {};
    }
    ToolResult move(ToolContext&, const PointerEvent& event) override
    {
        moves.push_back(event.point);
        return ToolResult::Redraw({0, 0, 20, 20});  // an outline follows the mouse
    }
    ToolResult release(ToolContext&, const PointerEvent&) override
    {
        held_ = false;
        return {};
    }
    ToolResult cancel(ToolContext&) override
    {
        ++cancels;
        held_ = false;
        return {};
    }
    bool dragging() const override { return held_; }
    bool repeatsWhileHeld() const override { return repeats_; }

    std::function<ToolResult(ToolContext&, const PointerEvent&)> onPress;
    std::vector<Point> moves;
    int presses = 0;
    int cancels = 0;

private:
    int id_;
    bool repeats_;
    bool held_ = false;
};

// Puts a probe in place of a tool for one test, and the real tool back after.
struct ProbeInstalled {
    ProbeInstalled(int id, bool repeats)
        : id(id)
    {
        auto made = std::make_unique<ProbeTool>(id, repeats);
        probe = made.get();
        Tools().add(std::move(made));
        CurrentToolId() = id;
    }
    ~ProbeInstalled()
    {
        Tools() = ToolRegistry();
        RegisterStandardTools(Tools());
        CurrentToolId() = kDefaultTool;
    }
    int id;
    ProbeTool* probe = nullptr;
};

struct ImageWindows : ::testing::Test, BareEditingWindow {
    static std::unique_ptr<LayerStack> picture(int width, int height, std::uint32_t colour = 0x204080)
    {
        auto stack = CreateLayerStackFromImage(DibCreate(width, height, colour, false));
        CompositeLayers(*stack);
        return stack;
    }
};

// Mouse events at points of a window, the global position the same.
struct WindowMouse {
    QWidget* window;
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(at), QPointF(at), button, held, keys);
        QCoreApplication::sendEvent(window, &event);
    }
    void drag(QPoint from, QPoint to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonPress, at, button, button);
        send(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
};

// Every picture shows whole: nothing to scroll, the frame inside its area.
void ExpectWhole(const ImageWindow& window)
{
    EXPECT_FALSE(window.view().scrollable(Axis::Horizontal)) << window.title();
    EXPECT_FALSE(window.view().scrollable(Axis::Vertical)) << window.title();
    EXPECT_TRUE(window.area().contains(window.geometry())) << window.title();
}

// Frames hold the caption strip (20 pixels) over the picture and are at least 160 wide.
TEST_F(ImageWindows, ALargeDocumentOpensFittedAndCentredAndASecondSharesTheWorkspaceBothRefitted)
{
    ASSERT_TRUE(documents.openDocumentWindow(picture(4000, 3000), "grande"));
    ImageWindow* big = documents.active();
    ASSERT_TRUE(big);
    // 3000 / 480 rows below the caption; the readout is in the status field and in the 1:1 box.
    EXPECT_EQ(std::tuple(big->objectName(), big->zoom(), big->geometry(), main.statusText(), main.zoomReadout()),
              std::tuple(QString("Lumivista2000MDI"), -6, QRect(64, 26, 571, 448), QString(" Visualizar 14%  "),
                         QString("Visualizar 14%")));

    ASSERT_TRUE(documents.openDocumentWindow(picture(100, 80), "pequena"));
    // Fitted anew into its half, not cut at the divider.
    EXPECT_EQ(std::tuple(big->area(), big->zoom(), big->geometry()),
              std::tuple(QRect(0, 0, 348, 500), -11, QRect(7, 115, 333, 270)));
    EXPECT_EQ(std::tuple(documents.active()->geometry(), documents.active()->zoom()),
              std::tuple(QRect(352 + 94, 200, 160, 100), 0));
    ExpectWhole(*big);
    ExpectWhole(*documents.active());

    ASSERT_TRUE(documents.openDocumentWindow(picture(50, 50), "terceira"));
    EXPECT_EQ(documents.count(), 2) << "the active one closed first";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tuple(documents.active()->title(), documents.active()->area()),
              std::tuple("terceira", QRect(352, 0, 348, 500)))
        << "the half the closed window left";
    EXPECT_TRUE(ui.messages.empty());

    ui.answers = {ui::Answer::No};
    ASSERT_TRUE(documents.closeActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tuple(big->area(), big->zoom(), big->geometry()),
              std::tuple(QRect(0, 0, 700, 500), -6, QRect(64, 26, 571, 448)))
        << "the one left takes the whole workspace";
}

TEST_F(ImageWindows, CancellingTheActiveWindowsQuestionStopsTheThirdDocument)
{
    documents.openDocumentWindow(picture(60, 60), "/fotos/a.jpg");
    documents.openDocumentWindow(picture(60, 60), ProcessUntitledNames().next(kNewPictureBaseString));
    ui.answers = {ui::Answer::Cancel};
    EXPECT_FALSE(documents.openDocumentWindow(picture(60, 60), "/fotos/c.jpg"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("\nacabou de ser criado. Quer salvá-lo?"), std::string::npos)
        << "an untitled window always asks";
    EXPECT_EQ(documents.count(), 2);

    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(documents.closeAll());
    EXPECT_EQ(documents.count(), 0);
}

TEST_F(ImageWindows, ZoomStepsUndoAndRedoActOnTheActiveWindow)
{
    documents.openDocumentWindow(picture(2000, 100), "/fotos/larga.jpg");
    ImageWindow* window = documents.active();
    window->setZoomLevel(7);
    EXPECT_FALSE(window->zoomStep(+1)) << "9 x 2000 exceeds 16384";
    EXPECT_EQ(std::tuple(ui.beeps, window->zoom()), std::tuple(1, 7));

    LayerStack& doc = window->document();
    ASSERT_TRUE(AddLayer(doc, 0, DibCreate(10, 10, 0xFF, false), {}, true, false));
    main.handlers().call(skin::Handler::Undo);
    EXPECT_EQ(doc.layerCount, 1);
    main.handlers().call(skin::Handler::Redo);
    EXPECT_EQ(doc.layerCount, 2);
    main.handlers().call(skin::Handler::Redo);
    EXPECT_EQ(ui.beeps, 2) << "nothing to redo";

    main.runCommand(583);
    EXPECT_EQ(window->zoom(), -3) << "fitting keeps the window's size (666 x 33 at 1:3)";
    EXPECT_TRUE(ProcessUndoTable().canUndo(doc, window->id()));
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(documents.closeActive());
    EXPECT_EQ(ProcessUndoTable().count(), 0) << "closing purged the window's steps";
}

TEST_F(ImageWindows, AReleaseInTheWorkspaceActivatesTheWindowOnItsSideAndTheTickRepeatsAHeldTool)
{
    documents.openDocumentWindow(picture(900, 900), "/fotos/esquerda.jpg");
    ImageWindow* left = documents.active();
    documents.openDocumentWindow(picture(900, 900), "/fotos/direita.jpg");
    ImageWindow* right = documents.active();
    EXPECT_FALSE(documents.activeScrollable());
    documents.activateAt({100, 100});
    EXPECT_EQ(documents.active(), left);
    documents.activateAt({600, 10});
    EXPECT_EQ(documents.active(), right);

    ProbeInstalled airbrush(1113, true);
    WindowMouse mouse{right};
    mouse.send(QEvent::MouseButtonPress, {10, 40}, Qt::LeftButton, Qt::LeftButton);
    documents.tick();
    documents.tick();
    const std::vector<Point>& moves = airbrush.probe->moves;
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1], (Point{30, 60})) << "the last point, in document pixels at 1:3, below the caption";
    mouse.send(QEvent::MouseButtonRelease, {10, 40}, Qt::LeftButton, Qt::NoButton);
    documents.tick();
    EXPECT_EQ(moves.size(), 2u);

    mouse.send(QEvent::MouseButtonPress, {10, 40}, Qt::LeftButton, Qt::LeftButton);
    documents.activate(*left);
    EXPECT_EQ(std::tuple(airbrush.probe->cancels, right->dragging()), std::tuple(1, false))
        << "the window that stops being active drops the drag";
}

TEST_F(ImageWindows, OnlyChangesMarkTheDocumentModifiedNotViewingOrRedrawing)
{
    documents.openDocumentWindow(picture(900, 700), "/fotos/vista.jpg");
    ImageWindow* window = documents.active();
    LayerStack& doc = window->document();
    WindowMouse mouse{window};

    window->zoomStep(+1);
    window->zoomStep(-1);
    window->setZoomLevel(-2);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &down);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
    ProbeInstalled outline(1101, false);
    int changes = 0;
    outline.probe->onPress = [&changes](ToolContext& context, const PointerEvent&) {
        ++changes;
        context.document().layers[0].image.write().row(0)[0] ^= 0xFF;
        return ToolResult::Changed({0, 0, 1, 1});
    };
    mouse.send(QEvent::MouseMove, {8, 28}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(std::tuple(window->modifiedState(), changes), std::tuple(ModifiedState::Unchanged, 0))
        << "viewing and redrawing change nothing";

    mouse.click({5, 25});
    EXPECT_EQ(std::tuple(window->modifiedState(), changes), std::tuple(ModifiedState::Modified, 1));
    doc.modified = 0;
    ASSERT_TRUE(AddLayer(doc, 0, DibCreate(4, 4, 0xFF, false), {}, true, false));
    EXPECT_EQ(window->modifiedState(), ModifiedState::Modified) << "recording a step marks the document";
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(documents.closeActive());
}

TEST_F(ImageWindows, APictureNarrowerThanTheCaptionIsCentredUnderIt)
{
    documents.openDocumentWindow(picture(20, 10, 0x0000FF), "/fotos/vermelha.jpg");
    ImageWindow* window = documents.active();
    EXPECT_EQ(window->geometry().size(), QSize(160, 30)) << "room for the caption's text";
    window->renderInto(QRect(0, 0, 160, 10));
    // The workspace grey beside it.
    EXPECT_EQ(std::tuple(window->backing().pixelColor(75, 5), window->backing().pixelColor(69, 5)),
              std::tuple(QColor(255, 0, 0), QColor(155, 158, 162)));
    EXPECT_EQ(window->caption(), "vermelha.jpg — 20 × 10 — 100%");
}

TEST_F(ImageWindows, TheRulersTakeTheirBandKeptInTheDocument)
{
    documents.openDocumentWindow(picture(300, 200, 0xFFFFFF), "/fotos/branca.jpg");
    ImageWindow* window = documents.active();
    EXPECT_FALSE(window->rulersShown());
    const QRect before = window->geometry();
    documents.contextCommand(*window, kRulersCommand);
    ASSERT_TRUE(window->rulersShown());
    EXPECT_EQ(window->document().view.rulers, 1u) << "the document's view word";
    const int band = window->view().rulerBand();
    EXPECT_GE(band, 13);
    // The picture keeps its size.
    EXPECT_EQ(std::tuple(window->geometry().size(), window->view().scrollable(Axis::Horizontal)),
              std::tuple(before.size() + QSize(band, band), false));

    documents.contextCommand(*window, kRulersCommand);
    EXPECT_EQ(std::tuple(window->document().view.rulers, window->geometry()), std::tuple(0u, before));
}

TEST_F(ImageWindows, TheSkinsScrollControlsShowAndDriveTheScrollPositions)
{
    documents.openDocumentWindow(picture(600, 400), "/fotos/larga.jpg");
    ImageWindow* window = documents.active();
    const auto bars = window->findChildren<ScrollControl*>(QStringLiteral("scrollcontrol"));
    ASSERT_EQ(bars.size(), 2);
    ScrollControl* horizontal = bars[0]->height() < bars[0]->width() ? bars[0] : bars[1];
    EXPECT_TRUE(horizontal->isHidden()) << "nothing to scroll at first";

    window->setZoomLevel(1);  // 1200 x 800 in the same window
    ASSERT_TRUE(window->view().scrollable(Axis::Horizontal));
    EXPECT_EQ(std::tuple(horizontal->isHidden(), horizontal->range().maximum),
              std::tuple(false, window->view().scroll(Axis::Horizontal).maximum));

    // A press beside the thumb pages; dragging the thumb follows the pointer.
    const int page = window->view().pictureArea().width;
    QTest::mouseClick(horizontal, Qt::LeftButton, Qt::NoModifier, QPoint(horizontal->width() - 2, 4));
    EXPECT_EQ(std::tuple(window->view().scroll(Axis::Horizontal).position, horizontal->range().position),
              std::tuple(page, page));
    const ThumbPlace thumb = PlaceThumb(horizontal->width(), horizontal->range().maximum, page, page);
    QTest::mousePress(horizontal, Qt::LeftButton, Qt::NoModifier, QPoint(thumb.offset + 2, 4));
    QMouseEvent drag(QEvent::MouseMove, QPointF(2, 4), horizontal->mapToGlobal(QPointF(2, 4)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(horizontal, &drag);
    EXPECT_EQ(window->view().scroll(Axis::Horizontal).position, 0) << "dragged to the start";
    QTest::mouseRelease(horizontal, Qt::LeftButton, Qt::NoModifier, QPoint(2, 4));
}

TEST_F(ImageWindows, OverAScreenWithoutWorkspaceThePicturesHideAndComeBackWhereTheyWere)
{
    main.show();
    documents.openDocumentWindow(picture(100, 100), "/fotos/a.jpg");
    ImageWindow* first = documents.active();
    const QRect frame = first->geometry();
    documents.workspaceShown(false);
    EXPECT_FALSE(first->isVisible());
    documents.openDocumentWindow(picture(100, 100), "/fotos/b.jpg");
    EXPECT_FALSE(documents.active()->isVisible()) << "opened while hidden, it waits too";
    documents.workspaceShown(true);
    EXPECT_EQ(std::tuple(first->isVisible(), documents.active()->isVisible(), first->area()),
              std::tuple(true, true, QRect(0, 0, 348, 500)));
    EXPECT_NE(first->geometry(), frame) << "moved into its half";
}

TEST_F(ImageWindows, TheCaptionNamesTheActiveWindowsPictureAndFollowsItsZoom)
{
    documents.openDocumentWindow(picture(4000, 3000), ProcessUntitledNames().next(kNewPictureBaseString));
    ImageWindow* window = documents.active();
    const QString caption = window->caption();
    EXPECT_TRUE(caption.startsWith("TrueColor-Sem título-") && caption.endsWith(" — 4000 × 3000 — 14%"))
        << caption.toStdString();
    window->zoomStep(+1);
    EXPECT_TRUE(window->caption().endsWith(" — 16%")) << "1:6";
    window->setTitle("/fotos/nova.png");
    EXPECT_EQ(std::tuple(window->caption(), main.zoomReadout()),
              std::tuple(QString("nova.png — 4000 × 3000 — 16%"), QString("Visualizar 16%")));
    ui.answers = {ui::Answer::No};
    documents.closeActive();
    EXPECT_EQ(main.zoomReadout(), "") << "the box's own text without a picture";
}

bool IsOutlinePixel(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y) & 0xFFFFFF;
    return c == 0x000000 || c == 0xFFFFFF;
}

TEST_F(ImageWindows, ADraggedSelectionShowsItsMarchingOutlineAndThePickerTakesColours)
{
    documents.openDocumentWindow(picture(100, 80, 0x204080), "/fotos/selecao.jpg");
    ImageWindow* window = documents.active();
    LayerStack& doc = window->document();
    documents.chooseTool(1101);
    EXPECT_TRUE(main.statusText().startsWith(QString::fromUtf8("  Ferramenta Selecionar - ")));

    // Window points: the picture sits below the caption strip, centred in a frame wider than it.
    ASSERT_GT(window->view().inset(Axis::Horizontal), 0);
    const auto at = [window](int x, int y) {
        return QPoint(window->view().origin(Axis::Horizontal) + x, kCaptionHeight + window->view().origin(Axis::Vertical) + y);
    };
    WindowMouse mouse{window};
    mouse.drag(at(10, 10), at(30, 20));
    EXPECT_EQ(std::tuple(doc.selectionRect, doc.selectionActive), std::tuple(Rect{10, 10, 31, 21}, 1u));
    const QImage shown = window->grab().toImage();
    EXPECT_TRUE(IsOutlinePixel(shown, at(10, 15).x(), at(10, 15).y())) << "left edge on the first selected column";
    EXPECT_TRUE(IsOutlinePixel(shown, at(30, 15).x(), at(30, 15).y())) << "right edge on the last one";
    EXPECT_EQ(shown.pixel(at(20, 15)) & 0xFFFFFF, 0x804020u) << "inside, the picture";
    window->tick();
    const QImage next = window->grab().toImage();
    EXPECT_NE(shown.pixel(at(12, 10)), next.pixel(at(12, 10))) << "the tick moves the dots";

    documents.chooseTool(1123);
    mouse.click(at(5, 5), Qt::RightButton);
    EXPECT_EQ(Shell().config.secondaryColour, (RgbTriple{0x80, 0x40, 0x20})) << "the right button takes the secondary colour";
    documents.chooseTool(1101);
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(documents.closeActive());
}

// Without a skin the main window's whole 700 x 500 surface is the workspace.
struct Refit : ImageWindows {
    Refit()
    {
        documents.openDocumentWindow(picture(4000, 1000), "larga");
        window = documents.active();
    }
    ImageWindow* window = nullptr;
};

// A turned picture was clipped with a scroll bar, a cropped one sat small in grey.
TEST_F(Refit, AfterATurnAndItsUndoTheWindowFitsAsWhenOpened)
{
    ASSERT_TRUE(window);
    const QRect opened = window->geometry();
    const int openedZoom = window->zoom();
    main.handlers().call(skin::Handler::RotateImage, 90);
    ASSERT_EQ(window->document().height, 4000);
    ExpectWhole(*window);
    EXPECT_LT(window->zoom(), openedZoom) << "4000 rows need a smaller zoom than 1000";

    main.handlers().call(skin::Handler::Undo);
    ASSERT_EQ(window->document().width, 4000);
    EXPECT_EQ(std::tuple(window->zoom(), window->geometry(), ui.beeps), std::tuple(openedZoom, opened, 0));
}

TEST_F(Refit, AZoomChosenByHandIsKept)
{
    main.handlers().call(skin::Handler::ZoomIn);
    const int chosen = window->zoom();
    const QRect frame = window->geometry();
    main.handlers().call(skin::Handler::RotateImage, 90);
    EXPECT_EQ(std::tuple(window->zoom(), window->geometry()), std::tuple(chosen, frame));
}

}  // namespace
}  // namespace lv::app
