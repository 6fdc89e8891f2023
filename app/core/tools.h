#pragma once
// The current tool, one number from 1101 to 1141 for the whole program, and how image
// windows hand it the mouse: the message, the keys held and the document point.

#include "edit/document_rect.h"
#include "edit/layer_stack.h"

#include <functional>
#include <optional>

namespace lv {

inline constexpr int kZoomTool = 1107;
inline constexpr int kGrabTool = 1108;
inline constexpr int kRepeatingTool = 1113;  // keeps acting while the button is held still
inline constexpr int kOwnRightButtonTool = 1119;
inline constexpr int kLayerlessTool = 1123;

// The tool in use; the grab tool until another is chosen.
int& CurrentTool();

// Tools that work on a document without layers.
bool ToolWorksWithoutLayers(int tool);

enum class MouseMessage { Move, LeftDown, LeftUp, RightDown, RightUp };

struct ToolInput {
    int tool = 0;
    MouseMessage message = MouseMessage::Move;
    bool shift = false;
    bool control = false;
    DocumentPoint point;  // top-down document pixels, possibly outside the document
};

// What a tool's handling of the mouse asks of the window, as top-down document rectangles
// (right and bottom inclusive, as the composite takes them).
struct ToolResult {
    // Pixels, layers or document state changed here: recomposited, and the document
    // counts as modified.
    std::optional<DocumentRect> changed;
    // Only the view needs drawing again (outlines, handles): nothing is modified.
    std::optional<DocumentRect> redraw;

    static ToolResult Changed(DocumentRect rect) { return {rect, std::nullopt}; }
    static ToolResult Redraw(DocumentRect rect) { return {std::nullopt, rect}; }
};

using ToolHandler = std::function<ToolResult(LayerStack&, const ToolInput&)>;

// Tools of the editing screens register here; a tool without a handler ignores the mouse.
void RegisterTool(int tool, ToolHandler handler);
const ToolHandler* FindTool(int tool);

// Set while a long document operation runs: the image windows ignore the mouse meanwhile.
bool& DocumentEngineBusy();

class EngineBusy {
public:
    EngineBusy()
        : previous_(DocumentEngineBusy())
    {
        DocumentEngineBusy() = true;
    }
    ~EngineBusy() { DocumentEngineBusy() = previous_; }
    EngineBusy(const EngineBusy&) = delete;
    EngineBusy& operator=(const EngineBusy&) = delete;

private:
    bool previous_;
};

}  // namespace lv
