#pragma once
// What a tool may use besides the event: the document of the window, the window's view,
// the program's colours and tool settings, the user. The image window provides it; tests
// provide their own.

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "edit/tools/tool_settings.h"
#include "edit/view_mapping.h"
#include "imagelib/rgb_triple.h"

namespace lv {

class ToolContext {
public:
    virtual ~ToolContext() = default;

    virtual LayerStack& document() = 0;
    virtual const LayerStack& document() const = 0;
    // Where the window shows the document (zoom, scrolling), for hit tolerances and overlays.
    virtual ViewMapping mapping() const = 0;

    // The program's active and secondary colours.
    virtual RgbTriple activeColour() const = 0;
    virtual RgbTriple secondaryColour() const = 0;
    virtual void setActiveColour(RgbTriple colour) = 0;
    virtual void setSecondaryColour(RgbTriple colour) = 0;

    virtual ToolSettings& settings() = 0;
    virtual const ToolSettings& settings() const = 0;
    virtual ui::Service& ui() = 0;

    // The view, for the zoom and grab tools: one zoom step about a document point, and the
    // scroll position in scaled-document pixels.
    virtual void zoomAt(int step, Point point) = 0;
    virtual Point scrollPosition() const = 0;
    virtual void scrollTo(Point position) = 0;
};

}  // namespace lv
