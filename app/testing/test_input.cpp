#include "app/testing/test_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>

namespace lv::app {
namespace {

// Moves the pointer; a press and release follow unless `button` is none.
void SendMouse(QWidget& window, QPoint point, Qt::MouseButton button)
{
    QWidget* child = window.childAt(point);
    QPointer<QWidget> target = child ? child : &window;
    const QPoint local = target->mapFrom(&window, point);
    const QPoint global = window.mapToGlobal(point);
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (button == Qt::NoButton || !target)
        return;
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (!target)
        return;
    // The release goes where the press went, as the window system's grab has it.
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// Press at `from`, move with the button held and let go at `to`: the widget pressed has
// every event, as the window system's grab gives them.
void SendDrag(QWidget& window, QPoint from, QPoint to)
{
    QWidget* child = window.childAt(from);
    QPointer<QWidget> target = child ? child : &window;
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        if (!target)
            return;
        QMouseEvent event(type, target->mapFrom(&window, at), window.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i)
        send(QEvent::MouseMove, from + (to - from) * i / kSteps, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// A window of the program's that covers the screen (the slide show) has the keyboard.
QWidget* FullScreenWindow(const QWidget& mainWindow)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &mainWindow && top->isVisible() && top->isFullScreen())
            return top;
    return nullptr;
}

// Keys go to the focused widget of the open dialog, of a full-screen window, or of the main
// window.
QPointer<QWidget> KeyTarget(QWidget& window)
{
    QWidget* top = QApplication::activeModalWidget();
    if (!top)
        top = FullScreenWindow(window);
    if (!top)
        top = &window;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == top)
        return focus;
    if (QWidget* own = top->focusWidget())
        return own;
    return top;
}

// "Num+" in a sequence is the numeric pad's key.
void SendKey(QWidget& window, const QKeySequence& sequence)
{
    if (sequence.isEmpty())
        return;
    const QKeyCombination combination = sequence[0];
    QPointer<QWidget> target = KeyTarget(window);
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    QApplication::sendEvent(target, &press);
    if (!target)
        return;
    QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
    QApplication::sendEvent(target, &release);
}

// Each character as the key press that types it.
void SendText(QWidget& window, const QString& text)
{
    for (const QChar c : text) {
        QPointer<QWidget> target = KeyTarget(window);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        if (!target)
            return;
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

}  // namespace

bool DeliverTestInput(QWidget& window, const QString& command)
{
    if (command.startsWith(QLatin1String("type "))) {
        SendText(window, command.mid(5));
        return true;
    }
    const QStringList words = command.split(' ', Qt::SkipEmptyParts);
    if (words.size() == 3) {
        const QPoint point(words[1].toInt(), words[2].toInt());
        if (words[0] == QLatin1String("move"))
            SendMouse(window, point, Qt::NoButton);
        else if (words[0] == QLatin1String("click"))
            SendMouse(window, point, Qt::LeftButton);
        else if (words[0] == QLatin1String("rclick"))
            SendMouse(window, point, Qt::RightButton);
        else
            return false;
        return true;
    }
    if (words.size() == 5 && words[0] == QLatin1String("drag")) {
        SendDrag(window, QPoint(words[1].toInt(), words[2].toInt()), QPoint(words[3].toInt(), words[4].toInt()));
        return true;
    }
    if (words.size() == 2 && words[0] == QLatin1String("key")) {
        SendKey(window, QKeySequence::fromString(words[1]));
        return true;
    }
    return false;
}

}  // namespace lv::app
