#include "app/windows/picture_geometry_commands.h"

#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/windows/image_window.h"
#include "common/ui_service.h"
#include "edit/placement/document_geometry.h"

namespace lv {
namespace {

// Runs a change of the whole document; a beep when there is no window, a drag is under
// way or the change could not be made.
void changeWhole(ImageWindow* window, const std::function<bool(LayerStack&)>& change)
{
    if (!window || window->dragging() || !change(window->document())) {
        ui::Current().beep();
        return;
    }
    window->apply(ToolResult::Document());
}

}  // namespace

void RegisterPictureGeometryCommands(HandlerTable& handlers, std::function<ImageWindow*()> activeWindow)
{
    using skin::Handler;
    handlers.set(Handler::FlipHorizontal, [activeWindow](const HandlerCall&) {
        changeWhole(activeWindow(), [](LayerStack& d) { return FlipDocument(d, true); });
    });
    handlers.set(Handler::FlipVertical, [activeWindow](const HandlerCall&) {
        changeWhole(activeWindow(), [](LayerStack& d) { return FlipDocument(d, false); });
    });
    handlers.set(Handler::RotateImage, [activeWindow](const HandlerCall& call) {
        const bool right = (call.argument & 0xFFFF) == 90;
        changeWhole(activeWindow(), [right](LayerStack& d) { return TurnDocument(d, right); });
    });
}

}  // namespace lv
