#include "app/accelerators.h"
#include "app/main_window.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

namespace lv::app {
namespace {

class NoOpener final : public DocumentOpener {
public:
    bool acceptsFile(const std::string&) override { return false; }
    bool openDocument(const std::string&) override { return false; }
};

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

TEST(Accelerators, TheTableMapsKeysWithExactlyTheirModifiers)
{
    EXPECT_EQ(AcceleratorTable().size(), 9u);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Q, Qt::ControlModifier), kCommandQuit);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_C, Qt::ControlModifier | Qt::KeypadModifier), kCommandCopy);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_F1, Qt::NoModifier), kCommandHelp);
    EXPECT_EQ(TranslateAccelerator(Qt::Key_Tab, Qt::NoModifier), kCommandNextField);
    EXPECT_FALSE(TranslateAccelerator(Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(TranslateAccelerator(Qt::Key_Q, Qt::NoModifier));
    EXPECT_FALSE(TranslateAccelerator(Qt::Key_F1, Qt::AltModifier));
}

TEST(Accelerators, TheChainTranslatesKeysBeforeTheAcquisitionFilterAndDispatch)
{
    NoOpener opener;
    MainWindow window(opener, nullptr);
    QLineEdit field(&window);
    window.show();
    std::vector<int> commands;
    window.setCommandHandler(kCommandUndo, [&] { commands.push_back(kCommandUndo); });

    EventFilterChain chain(*QApplication::instance());
    AcceleratorFilter accelerators(window);
    AcquisitionProbe acquisition;
    chain.setFilter(EventFilterChain::Stage::Accelerators, &accelerators);
    chain.setFilter(EventFilterChain::Stage::Acquisition, &acquisition);

    press(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(commands, std::vector<int>{kCommandUndo});
    EXPECT_TRUE(acquisition.seen.empty()) << "a translated key goes no further";

    press(field, Qt::Key_A, Qt::NoModifier, "a");
    press(field, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(field.text(), "b") << "the acquisition filter consumed the A";
    ASSERT_FALSE(acquisition.seen.empty());
    EXPECT_EQ(acquisition.seen.front(), Qt::Key_A);

    EXPECT_TRUE(window.runCommand(kCommandUndo));
    EXPECT_FALSE(window.runCommand(kCommandRedo)) << "no handler yet";
}

TEST(Accelerators, KeysOfOtherWindowsAndOfModalDialogsAreLeftAlone)
{
    NoOpener opener;
    MainWindow window(opener, nullptr);
    window.show();
    int quits = 0;
    window.setCommandHandler(kCommandQuit, [&] { ++quits; });
    EventFilterChain chain(*QApplication::instance());
    AcceleratorFilter accelerators(window);
    chain.setFilter(EventFilterChain::Stage::Accelerators, &accelerators);

    QLineEdit elsewhere;
    press(elsewhere, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 0);

    QDialog dialog(&window);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 0);
    dialog.hide();
    press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
}

}  // namespace
}  // namespace lv::app
