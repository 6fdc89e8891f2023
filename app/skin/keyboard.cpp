#include "app/skin/keyboard.h"

#include "app/skin/screen_table.h"

#include <array>

namespace lv::skin {
namespace {

constexpr std::array<Accelerator, 9> kTable501 = {{
    {Key::F1, false, kCommandHelp},
    {Key::Escape, false, kCommandEscape},
    {Key::Tab, false, kCommandNextField},
    {Key::Q, true, kCommandClose},
    {Key::Z, true, kCommandUndo},
    {Key::Y, true, kCommandRedo},
    {Key::X, true, kCommandCut},
    {Key::C, true, kCommandCopy},
    {Key::V, true, kCommandPaste},
}};

int NextField(int screen, int focused)
{
    if (screen == 4) {
        switch (focused) {
        case 156: return 157;
        case 157: return 158;
        default: return 156;
        }
    }
    if (screen == 6 || screen == 24)
        return focused == 160 ? 102 : 160;
    return 0;
}

}  // namespace

std::optional<int> TranslateAccelerator(Key key, bool control)
{
    for (const Accelerator& a : kTable501)
        if (a.key == key && a.control == control)
            return a.command;
    return std::nullopt;
}

bool UndoOffered(int screen)
{
    return ScreenLayout(screen).basePanel == 0;
}

KeyboardOutcome RouteKeyboardCommand(int command, const KeyboardContext& context)
{
    switch (command) {
    case kCommandHelp:
        return {KeyboardAction::ScreenHelp};
    case kCommandEscape:
        return {context.slideShowRunning ? KeyboardAction::EscapeToSlideShow : KeyboardAction::None};
    case kCommandNextField: {
        const int field = NextField(context.screen, context.focusedControl);
        return field ? KeyboardOutcome{KeyboardAction::FocusField, field} : KeyboardOutcome{};
    }
    case kCommandClose:
        return {KeyboardAction::CloseMainWindow};
    case kCommandUndo:
        return {UndoOffered(context.screen) ? KeyboardAction::Undo : KeyboardAction::Beep};
    case kCommandRedo:
        return {KeyboardAction::Redo};
    case kCommandCut:
        return {KeyboardAction::CopyThenDelete};
    case kCommandCopy:
        return {context.focusInOtherWindow ? KeyboardAction::SendCopyToFocus : KeyboardAction::Copy};
    case kCommandPaste:
        return {context.focusInOtherWindow ? KeyboardAction::SendPasteToFocus : KeyboardAction::Paste};
    default:
        return {};
    }
}

}  // namespace lv::skin
