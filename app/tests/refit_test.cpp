#include "app/tests/editing_window.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/skin/handlers.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// Without a skin the main window's whole 700 x 500 surface is the workspace.
struct Refit : ::testing::Test, BareEditingWindow {
    Refit()
    {
        auto stack = CreateLayerStackFromImage(DibCreate(4000, 1000, 0x204080, false));
        CompositeLayers(*stack);
        documents.openDocumentWindow(std::move(stack), "larga");
        window = documents.active();
    }
    void expectWhole() const
    {
        EXPECT_FALSE(window->view().scrollable(Axis::Horizontal));
        EXPECT_FALSE(window->view().scrollable(Axis::Vertical));
        EXPECT_TRUE(window->area().contains(window->geometry()));
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
    expectWhole();
    EXPECT_LT(window->zoom(), openedZoom) << "4000 rows need a smaller zoom than 1000";

    main.handlers().call(skin::Handler::Undo);
    ASSERT_EQ(window->document().width, 4000);
    EXPECT_EQ(window->zoom(), openedZoom);
    EXPECT_EQ(window->geometry(), opened);
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(Refit, AZoomChosenByHandIsKept)
{
    main.handlers().call(skin::Handler::ZoomIn);
    const int chosen = window->zoom();
    const QRect frame = window->geometry();
    main.handlers().call(skin::Handler::RotateImage, 90);
    EXPECT_EQ(window->zoom(), chosen);
    EXPECT_EQ(window->geometry(), frame);
}

}  // namespace
}  // namespace lv::app
