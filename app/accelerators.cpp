#include "app/accelerators.h"

#include "app/main_window.h"

#include <QApplication>
#include <QKeyEvent>

namespace lv::app {
namespace {

constexpr Accelerator kTable[] = {
    {Qt::Key_F1, Qt::NoModifier, kCommandHelp},
    {Qt::Key_Escape, Qt::NoModifier, kCommandEscape},
    {Qt::Key_Tab, Qt::NoModifier, kCommandNextField},
    {Qt::Key_Q, Qt::ControlModifier, kCommandQuit},
    {Qt::Key_Z, Qt::ControlModifier, kCommandUndo},
    {Qt::Key_Y, Qt::ControlModifier, kCommandRedo},
    {Qt::Key_X, Qt::ControlModifier, kCommandCut},
    {Qt::Key_C, Qt::ControlModifier, kCommandCopy},
    {Qt::Key_V, Qt::ControlModifier, kCommandPaste},
};

constexpr Qt::KeyboardModifiers kCompared = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

}  // namespace

std::span<const Accelerator> AcceleratorTable()
{
    return kTable;
}

std::optional<int> TranslateAccelerator(int key, Qt::KeyboardModifiers modifiers)
{
    for (const Accelerator& a : kTable)
        if (a.key == key && (modifiers & kCompared) == a.modifiers)
            return a.command;
    return std::nullopt;
}

AcceleratorFilter::AcceleratorFilter(MainWindow& mainWindow)
    : mainWindow_(&mainWindow)
{
}

bool AcceleratorFilter::filterEvent(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !mainWindow_ || QApplication::activeModalWidget())
        return false;
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != mainWindow_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto command = TranslateAccelerator(key->key(), key->modifiers());
    if (!command)
        return false;
    mainWindow_->runCommand(*command);
    return true;
}

}  // namespace lv::app
