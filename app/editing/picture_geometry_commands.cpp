#include "app/editing/picture_geometry_commands.h"

#include "app/core/view/colours.h"
#include "app/editing/geometry_dialogs.h"
#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/editing/image_window.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "edit/placement/document_geometry.h"
#include "imagelib/dib.h"

namespace lv::app {
namespace {

using Change = std::function<bool(LayerStack&)>;

// Runs a change of the whole document; a beep when a drag is under way or the change could
// not be made.
void changeWhole(ImageWindow& window, const Change& change)
{
    if (window.dragging() || !change(window.document())) {
        ui::Beep("change refused");
        return;
    }
    window.apply(ToolResult::Document());
}

// A handler that asks `ask` (which may decline) what to do to the active window's document.
HandlerTable::Function onActive(std::function<ImageWindow*()> activeWindow,
                                std::function<std::optional<Change>(ImageWindow&, const HandlerCall&)> ask)
{
    return [activeWindow, ask](const HandlerCall& call) {
        ImageWindow* window = activeWindow();
        if (!window || window->dragging()) {
            ui::Beep("no picture open");
            return;
        }
        if (const auto change = ask(*window, call))
            changeWhole(*window, *change);
    };
}

std::optional<Change> at(Change change)
{
    return change;
}

}  // namespace

void RegisterPictureGeometryCommands(HandlerTable& handlers, std::function<ImageWindow*()> activeWindow)
{
    using skin::Handler;
    handlers.set(Handler::FlipHorizontal, onActive(activeWindow, [](ImageWindow&, const HandlerCall&) {
                     return at([](LayerStack& d) { return FlipDocument(d, true); });
                 }));
    handlers.set(Handler::FlipVertical, onActive(activeWindow, [](ImageWindow&, const HandlerCall&) {
                     return at([](LayerStack& d) { return FlipDocument(d, false); });
                 }));
    handlers.set(Handler::RotateImage, onActive(activeWindow, [](ImageWindow&, const HandlerCall& call) {
                     const bool right = (call.argument & 0xFFFF) == 90;
                     return at([right](LayerStack& d) { return TurnDocument(d, right); });
                 }));
    handlers.set(Handler::RotateAllLayers, onActive(activeWindow, [](ImageWindow& window, const HandlerCall&) {
                     const auto degrees = RunSpinLayersDialog(&window);
                     return degrees ? at([d = *degrees](LayerStack& s) { return SpinDocument(s, d); }) : std::nullopt;
                 }));
    handlers.set(Handler::ResizeImage, onActive(activeWindow, [](ImageWindow& window, const HandlerCall&) {
                     const LayerStack& doc = window.document();
                     const int dpi = int(DpiFromPixelsPerMetre(doc.xResolution));
                     const auto size = RunImageSizeDialog(&window, doc.width, doc.height, dpi);
                     return size ? at([s = *size](LayerStack& d) { return ResizeDocument(d, s.width, s.height); })
                                 : std::nullopt;
                 }));
    handlers.set(Handler::CanvasSize, onActive(activeWindow, [](ImageWindow& window, const HandlerCall&) {
                     const LayerStack& doc = window.document();
                     const auto request = RunCanvasSizeDialog(&window, doc.width, doc.height);
                     if (!request)
                         return std::optional<Change>();
                     const RgbTriple c = SecondaryColour();
                     const std::uint32_t background = c.red | (c.green << 8) | (std::uint32_t(c.blue) << 16);
                     return at([r = *request, background](LayerStack& d) {
                         return ResizeCanvas(d, r.width, r.height, r.anchor, background);
                     });
                 }));
}

}  // namespace lv::app
