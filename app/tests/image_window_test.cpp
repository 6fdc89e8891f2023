#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/undo_table.h"
#include "app/windows/document_windows.h"
#include "app/windows/image_window.h"
#include "app/shell/handler_table.h"
#include "app/windows/main_window.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// Without a skin the main window has no control 100: its whole 700 x 500 surface is the workspace.
struct ImageWindows : ::testing::Test {
    ImageWindows()
    {
        main.resize(700, 500);
        documents.attach(main);
    }

    static std::unique_ptr<LayerStack> picture(int width, int height, std::uint32_t colour = 0x204080)
    {
        auto stack = CreateLayerStackFromImage(DibCreate(width, height, colour, false));
        CompositeLayers(*stack);
        return stack;
    }

    testing::UiRecorder ui;
    TestHooks hooks;
    DocumentWindows documents{hooks};
    MainWindow main{documents, documents, hooks, nullptr};
};

TEST_F(ImageWindows, ALargeDocumentOpensFittedAndCentredAndASecondSharesTheWorkspace)
{
    ASSERT_TRUE(documents.openDocumentWindow(picture(4000, 3000), "grande"));
    ImageWindow* big = documents.active();
    ASSERT_TRUE(big);
    EXPECT_EQ(big->objectName(), "Lumivista2000MDI");
    EXPECT_EQ(big->zoom(), -6);
    EXPECT_EQ(big->geometry(), QRect(64, 36, 571, 428));
    EXPECT_EQ(main.statusText(), " Visualizar 14%  ") << "the readout is in the status field";

    ASSERT_TRUE(documents.openDocumentWindow(picture(100, 80), "pequena"));
    EXPECT_EQ(big->area(), QRect(0, 0, 348, 500));
    EXPECT_EQ(documents.active()->geometry(), QRect(352 + 124, 210, 100, 80));
    EXPECT_EQ(documents.active()->zoom(), 0);

    ASSERT_TRUE(documents.openDocumentWindow(picture(50, 50), "terceira"));
    EXPECT_EQ(documents.count(), 2) << "the active one closed first";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(documents.active()->title(), "terceira");
    EXPECT_EQ(documents.active()->area(), QRect(352, 0, 348, 500)) << "the half the closed window left";
    EXPECT_TRUE(ui.messages.empty());
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
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(window->zoom(), 7);

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
    EXPECT_EQ(ProcessUndoTable().canUndo(doc, window->id()), true);
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
    EXPECT_TRUE(documents.activeScrollable() == false);
    documents.activateAt({100, 100});
    EXPECT_EQ(documents.active(), left);
    documents.activateAt({600, 10});
    EXPECT_EQ(documents.active(), right);

    std::vector<DocumentPoint> moves;
    RegisterTool(kRepeatingTool, [&moves](LayerStack&, const ToolInput& input) {
        if (input.message == MouseMessage::Move)
            moves.push_back(input.point);
        return ToolResult{};
    });
    CurrentTool() = kRepeatingTool;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), QPointF(10, 20), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(right, &press);
    documents.tick();
    documents.tick();
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1], (DocumentPoint{30, 60})) << "the last point, in document pixels at 1:3";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 20), QPointF(10, 20), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(right, &release);
    documents.tick();
    EXPECT_EQ(moves.size(), 2u);
    CurrentTool() = kGrabTool;
}

TEST_F(ImageWindows, OnlyChangesMarkTheDocumentModifiedNotViewingOrRedrawing)
{
    documents.openDocumentWindow(picture(900, 700), "/fotos/vista.jpg");
    ImageWindow* window = documents.active();
    LayerStack& doc = window->document();
    const auto click = [window] {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &event);
        }
    };

    window->zoomStep(+1);
    window->zoomStep(-1);
    window->setZoomLevel(-2);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &down);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
    constexpr int kOutlineTool = 1101;
    int changes = 0;
    RegisterTool(kOutlineTool, [&changes](LayerStack& stack, const ToolInput& input) {
        if (input.message != MouseMessage::LeftDown)
            return ToolResult::Redraw({0, 0, 20, 20});  // an outline follows the mouse
        ++changes;
        stack.layers[0].image.write().row(0)[0] ^= 0xFF;
        return ToolResult::Changed({0, 0, 1, 1});
    });
    CurrentTool() = kOutlineTool;
    QMouseEvent move(QEvent::MouseMove, QPointF(8, 8), QPointF(8, 8), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    EXPECT_EQ(window->modifiedState(), ModifiedState::Unchanged) << "viewing and redrawing change nothing";
    EXPECT_EQ(changes, 0);

    click();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(window->modifiedState(), ModifiedState::Modified);
    doc.modified = 0;
    ASSERT_TRUE(AddLayer(doc, 0, DibCreate(4, 4, 0xFF, false), {}, true, false));
    EXPECT_EQ(window->modifiedState(), ModifiedState::Modified) << "recording a step marks the document";
    CurrentTool() = kGrabTool;
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(documents.closeActive());
}

TEST_F(ImageWindows, PaintingShowsTheCompositeAtTheScale)
{
    documents.openDocumentWindow(picture(20, 10, 0x0000FF), "/fotos/vermelha.jpg");
    ImageWindow* window = documents.active();
    window->renderInto(window->rect());
    EXPECT_EQ(window->backing().pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(window->geometry().size(), QSize(20, 10));
}

}  // namespace
}  // namespace lv::app
