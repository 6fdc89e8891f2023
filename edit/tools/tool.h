#pragma once
// An editing tool: what the image window hands it (the mouse in document coordinates, keys,
// the periodic tick, activation) and what it answers (what changed, its cursor, the overlay
// it draws over the picture). One tool object per tool id serves every window; a drag's
// state lives in the tool from press to release and is dropped by cancel().

#include "common/geometry.h"
#include "edit/tools/tool_context.h"

#include <optional>

namespace lv {

class OverlayPainter;

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

enum class MouseButton { Left, Right };

struct PointerEvent {
    Point point;  // top-down document pixels, possibly outside the document
    Point client;  // the same place in the window's client pixels
    MouseButton button = MouseButton::Left;  // the button pressed or released; for moves, the one held
    bool buttonDown = false;  // for moves: a button is held
    Modifiers keys;
};

// An event at a document point shown at 100 % with no scrolling (client = document), as
// the command line and the tests make them.
inline PointerEvent PointerAt(Point p, MouseButton button = MouseButton::Left, bool buttonDown = false,
                              Modifiers keys = {})
{
    return {p, {p.x, p.y}, button, buttonDown, keys};
}

enum class ToolKey { Escape, Delete, Return, Left, Right, Up, Down, Other };

struct KeyEvent {
    ToolKey key = ToolKey::Other;
    Modifiers keys;
};

// What handling an event asks of the window, in document pixels.
struct ToolResult {
    // Pixels, layers or document state changed here: recomposited, and the document
    // counts as modified.
    std::optional<Rect> changed;
    // Only the view needs drawing again (outlines, handles): nothing is modified.
    std::optional<Rect> redraw;
    // The document changed as a whole (its size, every layer): composite, scroll ranges
    // and readouts are made anew.
    bool wholeDocument = false;
    // The event was the tool's: the window does nothing else with it.
    bool handled = false;
    // The tool rebuilt the composite over `changed` itself (a paint stroke does, dab by dab).
    bool composited = false;

    static ToolResult Changed(Rect rect) { return {rect, std::nullopt, false, true}; }
    static ToolResult Redraw(Rect rect) { return {std::nullopt, rect, false, true}; }
    static ToolResult Document() { return {std::nullopt, std::nullopt, true, true}; }
    static ToolResult Handled() { return {std::nullopt, std::nullopt, false, true}; }
    static ToolResult Painted(Rect rect) { return {rect, std::nullopt, false, true, true}; }
};

// Pointer shapes a tool asks for; the window maps them to its toolkit's cursors.
enum class ToolCursor {
    Arrow,
    Crosshair,
    Move,
    ZoomIn,
    ZoomOut,
    OpenHand,
    ClosedHand,
    Wand,
    Picker,
    Crop,
    Trash,
    Brush,
    Text,
    Forbidden,
    // The layer frame's handles: diagonal, across and up-and-down arrows; the free-rotate
    // tool's own cursor away from its handles.
    SizeNwse,
    SizeNesw,
    SizeWe,
    SizeNs,
    Rotate,
};

class Tool {
public:
    virtual ~Tool() = default;

    virtual int id() const = 0;

    virtual ToolResult press(ToolContext&, const PointerEvent&) { return {}; }
    virtual ToolResult move(ToolContext&, const PointerEvent&) { return {}; }
    virtual ToolResult release(ToolContext&, const PointerEvent&) { return {}; }
    virtual ToolResult doubleClick(ToolContext&, const PointerEvent&) { return {}; }
    // Esc, Delete, Return and the arrows with Ctrl or Shift (the others scroll the view).
    virtual ToolResult key(ToolContext&, const KeyEvent&) { return {}; }
    // The periodic tick of the active window (every 500 ms).
    virtual ToolResult tick(ToolContext&) { return {}; }
    // Chosen by the user while a document window is active (once, unlike activate).
    virtual ToolResult chosen(ToolContext&) { return {}; }
    // Chosen, or its window became the active one: show what the tool keeps on screen.
    virtual ToolResult activate(ToolContext&) { return {}; }
    // Another tool was chosen, or the window stopped being the active one: drop what is
    // under way without changing the document.
    virtual ToolResult cancel(ToolContext&) { return {}; }

    // Draws the tool's own marks (rubber band, handles, brush outline) over the picture.
    virtual void drawOverlay(const ToolContext&, OverlayPainter&) const {}
    virtual ToolCursor cursor(const ToolContext&, Point) const { return ToolCursor::Arrow; }

    // A drag is under way (undo and redo wait for its end).
    virtual bool dragging() const { return false; }
    // Usable on a document without layers (the zoom, grab and colour-picker tools).
    virtual bool worksWithoutLayers() const { return false; }
    // Takes the right button itself instead of the window's menu.
    virtual bool takesRightButton() const { return false; }
    // Keeps acting while the button is held still: the tick repeats the last move.
    virtual bool repeatsWhileHeld() const { return false; }
    // The selection outline is animated while this tool is current.
    virtual bool animatesSelection() const { return false; }
};

}  // namespace lv
