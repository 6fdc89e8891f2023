#pragma once

// The main window on the build's skin in the large variant, its pictures in real image
// windows: what the editing screens' widget tests start from.

#include "app/core/screen_mode.h"
#include "app/core/shell_state.h"
#include "app/editing/document_windows.h"
#include "app/shell/main_window.h"
#include "app/widgets/skin_panel_widget.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

namespace lv::app {

// The main window without a skin: its whole 700 x 500 surface is the workspace.
struct BareEditingWindow {
    BareEditingWindow()
    {
        main.resize(700, 500);
        documents.attach(main);
    }

    testing::UiRecorder ui;
    TestHooks hooks;
    DocumentWindows documents{hooks};
    MainWindow main{documents, documents, hooks, nullptr};
};

class EditingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(Size{1280, 1024}, 0);
        ASSERT_TRUE(window.create());
        documents.attach(window);
    }
    void TearDown() override { documents.closeAll(); }

    SkinPanelWidget& panel(int level) const { return *window.skin()->panelAt(level); }
    // A 120 x 80 picture of one colour in a window of its own.
    void open(std::uint32_t colour, const char* title)
    {
        auto stack = CreateLayerStackFromImage(DibCreate(120, 80, colour, false));
        CompositeLayers(*stack);
        ASSERT_TRUE(documents.openDocumentWindow(std::move(stack), title));
    }

    testing::UiRecorder ui;
    TestHooks hooks;
    DocumentWindows documents{hooks};
    MainWindow window{documents, documents, hooks, [] {}};
};

// The panel's control with this handler, argument (low word) and kind; -1 when there is none.
inline int ControlIndex(const SkinPanelWidget& p, skin::Handler handler, int argument, skin::ButtonKind kind)
{
    for (int i = 0; i < int(p.input().size()); ++i) {
        const skin::ButtonDefinition& d = p.input().control(i).definition;
        if (d.handler == handler && d.kind == kind && int(d.argument & 0xFFFF) == argument)
            return i;
    }
    return -1;
}

}  // namespace lv::app
