#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/undo_table.h"
#include "app/document_windows.h"
#include "app/image_window.h"
#include "app/handler_table.h"
#include "app/main_window.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A main window of 700 x 500 whose whole surface is the workspace.
struct Workspace {
    // Without a skin the main window has no control 100: the whole surface is the workspace.
    Workspace()
        : documents(hooks)
        , window(documents, documents, hooks, nullptr)
    {
        window.resize(700, 500);
        documents.attach(window);
    }

    static std::unique_ptr<LayerStack> picture(int width, int height, std::uint32_t colour = 0x204080)
    {
        auto stack = CreateLayerStackFromImage(DibCreate(width, height, colour, false));
        CompositeLayers(*stack);
        return stack;
    }

    TestHooks hooks;
    DocumentWindows documents;
    MainWindow window;
};

TEST(ImageWindows, ALargeDocumentOpensFittedAndCentredAndASecondSharesTheWorkspace)
{
    testing::UiRecorder ui;
    Workspace w;
    ASSERT_TRUE(w.documents.openDocumentWindow(Workspace::picture(4000, 3000), "grande"));
    ImageWindow* big = w.documents.active();
    ASSERT_TRUE(big);
    EXPECT_EQ(big->objectName(), "Lumivista2000MDI");
    EXPECT_EQ(big->zoom(), -6);
    EXPECT_EQ(big->geometry(), QRect(64, 36, 571, 428));
    EXPECT_EQ(w.window.statusText(), " Visualizar 14%  ") << "the readout is in the status field";

    ASSERT_TRUE(w.documents.openDocumentWindow(Workspace::picture(100, 80), "pequena"));
    EXPECT_EQ(big->area(), QRect(0, 0, 348, 500));
    EXPECT_EQ(w.documents.active()->geometry(), QRect(352 + 124, 210, 100, 80));
    EXPECT_EQ(w.documents.active()->zoom(), 0);

    ASSERT_TRUE(w.documents.openDocumentWindow(Workspace::picture(50, 50), "terceira"));
    EXPECT_EQ(w.documents.count(), 2) << "the active one closed first";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.documents.active()->title(), "terceira");
    EXPECT_EQ(w.documents.active()->area(), QRect(352, 0, 348, 500)) << "the half the closed window left";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ImageWindows, CancellingTheActiveWindowsQuestionStopsTheThirdDocument)
{
    testing::UiRecorder ui;
    Workspace w;
    w.documents.openDocumentWindow(Workspace::picture(60, 60), "/fotos/a.jpg");
    w.documents.openDocumentWindow(Workspace::picture(60, 60), ProcessUntitledNames().next(kNewPictureBaseString));
    ui.answers = {ui::Answer::Cancel};
    EXPECT_FALSE(w.documents.openDocumentWindow(Workspace::picture(60, 60), "/fotos/c.jpg"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("\nacabou de ser criado. Quer salvá-lo?"), std::string::npos)
        << "an untitled window always asks";
    EXPECT_EQ(w.documents.count(), 2);

    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(w.documents.closeAll());
    EXPECT_EQ(w.documents.count(), 0);
}

TEST(ImageWindows, ZoomStepsUndoAndRedoActOnTheActiveWindow)
{
    testing::UiRecorder ui;
    Workspace w;
    w.documents.openDocumentWindow(Workspace::picture(2000, 100), "/fotos/larga.jpg");
    ImageWindow* window = w.documents.active();
    window->setZoomLevel(7);
    EXPECT_FALSE(window->zoomStep(+1)) << "9 x 2000 exceeds 16384";
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(window->zoom(), 7);

    LayerStack& doc = window->document();
    ASSERT_TRUE(AddLayer(doc, 0, DibCreate(10, 10, 0xFF, false), {}, true, false));
    w.window.handlers().call(skin::Handler::Undo);
    EXPECT_EQ(doc.layerCount, 1);
    w.window.handlers().call(skin::Handler::Redo);
    EXPECT_EQ(doc.layerCount, 2);
    w.window.handlers().call(skin::Handler::Redo);
    EXPECT_EQ(ui.beeps, 2) << "nothing to redo";

    w.window.runCommand(583);
    EXPECT_EQ(window->zoom(), -3) << "fitting keeps the window's size (666 x 33 at 1:3)";
    EXPECT_EQ(ProcessUndoTable().canUndo(doc, window->id()), true);
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(w.documents.closeActive());
    EXPECT_EQ(ProcessUndoTable().count(), 0) << "closing purged the window's steps";
}

TEST(ImageWindows, AReleaseInTheWorkspaceActivatesTheWindowOnItsSideAndTheTickRepeatsAHeldTool)
{
    testing::UiRecorder ui;
    Workspace w;
    w.documents.openDocumentWindow(Workspace::picture(900, 900), "/fotos/esquerda.jpg");
    ImageWindow* left = w.documents.active();
    w.documents.openDocumentWindow(Workspace::picture(900, 900), "/fotos/direita.jpg");
    ImageWindow* right = w.documents.active();
    EXPECT_TRUE(w.documents.activeScrollable() == false);
    w.documents.activateAt({100, 100});
    EXPECT_EQ(w.documents.active(), left);
    w.documents.activateAt({600, 10});
    EXPECT_EQ(w.documents.active(), right);

    std::vector<DocumentPoint> moves;
    RegisterTool(kRepeatingTool, [&moves](LayerStack&, const ToolInput& input) -> std::optional<DocumentRect> {
        if (input.message == MouseMessage::Move)
            moves.push_back(input.point);
        return std::nullopt;
    });
    CurrentTool() = kRepeatingTool;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), QPointF(10, 20), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(right, &press);
    w.documents.tick();
    w.documents.tick();
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1], (DocumentPoint{30, 60})) << "the last point, in document pixels at 1:3";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 20), QPointF(10, 20), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(right, &release);
    w.documents.tick();
    EXPECT_EQ(moves.size(), 2u);
    CurrentTool() = kGrabTool;
}

TEST(ImageWindows, PaintingShowsTheCompositeAtTheScale)
{
    Workspace w;
    w.documents.openDocumentWindow(Workspace::picture(20, 10, 0x0000FF), "/fotos/vermelha.jpg");
    ImageWindow* window = w.documents.active();
    window->renderInto(window->rect());
    EXPECT_EQ(window->backing().pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(window->geometry().size(), QSize(20, 10));
}

}  // namespace
}  // namespace lv::app
