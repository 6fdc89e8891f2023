#include "app/shell/accelerators.h"
#include "app/shell/main_window.h"
#include "app/tests/shell_fakes.h"
#include "common/testing/ui_recorder.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <vector>

namespace lv::app {
namespace {

// Records what reaches the acquisition stage and consumes the letter A.
class AcquisitionProbe final : public MessageFilter {
public:
    bool filterEvent(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        seen.push_back(key);
        return key == Qt::Key_A;
    }
    std::vector<int> seen;
};

void press(QWidget& target, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&target, &event);
}

TEST(Accelerators, QtKeysMapOntoTable501WithExactlyItsModifiers)
{
    // Control with the numeric pad's plus and minus are the zoom steps, wherever the focus is; not the main
    // keyboard's plus.
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, pad = Qt::KeypadModifier;
    const std::tuple<int, Qt::KeyboardModifiers, std::optional<int>> keys[] = {
        {Qt::Key_C, ctrl | pad, skin::kCommandCopy},   {Qt::Key_F1, Qt::NoModifier, skin::kCommandHelp},
        {Qt::Key_Q, ctrl | Qt::ShiftModifier, {}},    {Qt::Key_Q, Qt::NoModifier, {}},
        {Qt::Key_F1, ctrl | Qt::AltModifier, {}},     {Qt::Key_A, ctrl, {}},
        {Qt::Key_Plus, ctrl | pad, 548},               {Qt::Key_Minus, ctrl | pad, 549},
        {Qt::Key_Plus, ctrl, {}},                      {Qt::Key_Plus, pad, {}},
        {Qt::Key_Minus, ctrl | pad | Qt::ShiftModifier, {}}};
    for (const auto& [key, modifiers, command] : keys)
        EXPECT_EQ(TranslateAccelerator(key, modifiers), command) << key << " with " << modifiers.toInt();
}

// A shown main window with the accelerators in the application's filter chain.
struct Chain : ::testing::Test {
    Chain()
    {
        window.show();
        chain.setFilter(EventFilterChain::Stage::Accelerators, &accelerators);
    }
    testing::UiRecorder ui;
    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    int destroyed = 0;
    MainWindow window{opener, images, hooks, [this] { ++destroyed; }};
    EventFilterChain chain{*QApplication::instance()};
    AcceleratorFilter accelerators{window};
};

TEST_F(Chain, TranslatesKeysBeforeTheAcquisitionFilterAndDispatch)
{
    AcquisitionProbe acquisition;  // outlives the field, whose removal passes the chain
    chain.setFilter(EventFilterChain::Stage::Acquisition, &acquisition);
    QLineEdit field(&window);
    field.show();
    std::vector<skin::Handler> called;
    window.handlers().set(skin::Handler::Undo, [&](const HandlerCall& c) { called.push_back(c.handler); });

    press(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(called, acquisition.seen.size()), std::tuple(std::vector{skin::Handler::Undo}, 0u))
        << "a translated key goes no further";

    press(field, Qt::Key_A, Qt::NoModifier, "a");
    press(field, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(field.text(), "b") << "the acquisition filter consumed the A";
    EXPECT_EQ(acquisition.seen.at(0), Qt::Key_A);

    EXPECT_TRUE(window.runCommand(skin::kCommandRedo));
    EXPECT_EQ(ui.beeps, 1) << "redo has no function yet";
    EXPECT_FALSE(window.runCommand(126)) << "no scanner yet";
    int scans = 0;
    window.setCommandHandler(126, [&] { ++scans; });
    EXPECT_TRUE(window.runCommand(126) && scans == 1);
}

// The keys once reached only an image window with the keyboard focus, which a click on any
// skin button took away.
TEST_F(Chain, LeavesAloneKeysOfOtherWindowsAndOfModalDialogs)
{
    QLineEdit elsewhere;
    press(elsewhere, Qt::Key_Q, Qt::ControlModifier);
    QDialog dialog(&window);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(destroyed, 0);
    dialog.hide();
    press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(destroyed, 1);
}

// In a mail's subject Ctrl+X deleted the picture's layer and Ctrl+Z undid the picture.
TEST_F(Chain, EditingKeysStayWithTheFocusedTextFieldSpinBoxAndList)
{
    std::vector<skin::Handler> called;
    for (const auto handler : {skin::Handler::Undo, skin::Handler::Redo, skin::Handler::Copy, skin::Handler::Paste})
        window.handlers().set(handler, [&called](const HandlerCall& c) { called.push_back(c.handler); });
    QLineEdit subject(&window);
    subject.show();
    subject.setFocus();
    subject.setText("Férias");
    subject.selectAll();
    press(subject, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(subject.text(), "");
    press(subject, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(subject.text(), "Férias") << "the field's own undo";
    for (const int key : {Qt::Key_Y, Qt::Key_C, Qt::Key_V})
        press(subject, key, Qt::ControlModifier);

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
    press(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(called.size(), ui.beeps), std::tuple(0u, 0)) << "no editing key reached the picture";

    // With the focus on the skin the table has them again.
    window.setFocus();
    press(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(called, (std::vector<skin::Handler>{skin::Handler::Undo}));
}

}  // namespace
}  // namespace lv::app
