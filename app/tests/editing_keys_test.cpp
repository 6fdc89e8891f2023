#include "app/shell/accelerators.h"
#include "app/shell/main_window.h"
#include "app/tests/shell_fakes.h"
#include "common/testing/ui_recorder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <vector>

namespace lv::app {
namespace {

void press(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &event);
}

struct EditingKeys : ::testing::Test {
    EditingKeys()
    {
        window.show();
        chain.setFilter(EventFilterChain::Stage::Accelerators, &accelerators);
        for (const auto handler : {skin::Handler::Undo, skin::Handler::Redo, skin::Handler::Copy, skin::Handler::Paste})
            window.handlers().set(handler, [this](const HandlerCall& c) { called.push_back(c.handler); });
    }
    testing::UiRecorder ui;
    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    MainWindow window{opener, images, hooks, [] {}};
    EventFilterChain chain{*QApplication::instance()};
    AcceleratorFilter accelerators{window};
    std::vector<skin::Handler> called;
};

// In a mail's subject Ctrl+X deleted the picture's layer and Ctrl+Z undid the picture.
TEST_F(EditingKeys, StayWithTheFocusedTextFieldSpinBoxAndList)
{
    QLineEdit subject(&window);
    subject.show();
    subject.setFocus();
    subject.setText("Férias");
    subject.selectAll();
    press(subject, Qt::Key_X);
    EXPECT_EQ(subject.text(), "");
    press(subject, Qt::Key_Z);
    EXPECT_EQ(subject.text(), "Férias") << "the field's own undo";
    press(subject, Qt::Key_Y);
    press(subject, Qt::Key_C);
    press(subject, Qt::Key_V);

    QSpinBox size(&window);
    size.show();
    size.setFocus();
    size.setValue(12);
    size.selectAll();
    press(size, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(size.text(), "");

    // A list leaves Ctrl+Z to its parents: the press must not become the picture's undo there.
    QListWidget list(&window);
    list.show();
    list.setFocus();
    press(list, Qt::Key_Z);
    EXPECT_TRUE(called.empty()) << "no editing key reached the picture";
    EXPECT_EQ(ui.beeps, 0);

    // With the focus on the skin the table has them again.
    window.setFocus();
    press(window, Qt::Key_Z);
    EXPECT_EQ(called, (std::vector<skin::Handler>{skin::Handler::Undo}));
}

}  // namespace
}  // namespace lv::app
