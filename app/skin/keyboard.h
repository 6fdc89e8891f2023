#pragma once
// Accelerator table 501 of the main window and what each of its commands does where.

#include <optional>

namespace lv::skin {

enum class Key { F1, Escape, Tab, Q, Z, Y, X, C, V };

struct Accelerator {
    Key key;
    bool control;
    int command;
};

inline constexpr int kCommandHelp = 220;
inline constexpr int kCommandEscape = 128;
inline constexpr int kCommandNextField = 256;
inline constexpr int kCommandClose = 502;
inline constexpr int kCommandUndo = 503;
inline constexpr int kCommandRedo = 504;
inline constexpr int kCommandCut = 505;
inline constexpr int kCommandCopy = 506;
inline constexpr int kCommandPaste = 507;

std::optional<int> TranslateAccelerator(Key key, bool control);

enum class KeyboardAction {
    None,
    ScreenHelp,          // help for the current screen
    EscapeToSlideShow,   // an Escape key-down to the running slide show
    FocusField,          // focus the field `control`
    CloseMainWindow,
    Undo,
    Redo,
    Beep,
    CopyThenDelete,      // copy, then the delete action of control 132
    Copy,
    SendCopyToFocus,     // the copy message to the focused window
    Paste,
    SendPasteToFocus,
};

struct KeyboardContext {
    int screen = 0;
    int focusedControl = 0;         // the control id of the focused field, 0 for none
    bool focusInOtherWindow = false;// the keyboard focus is in a window other than the main one
    bool slideShowRunning = false;
};

struct KeyboardOutcome {
    KeyboardAction action = KeyboardAction::None;
    int control = 0;
};

KeyboardOutcome RouteKeyboardCommand(int command, const KeyboardContext& context);

// Screens without the undo button: undo from the keyboard beeps there.
bool UndoOffered(int screen);

}  // namespace lv::skin
