#pragma once
// The bucket fill: the pixels like the clicked one, contiguous with it, move toward the
// active colour (all the way at transparency 0).

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "edit/paint/paint_options.h"
#include "edit/paint/paint_target.h"
#include "imagelib/rgb_triple.h"

#include <array>
#include <optional>

namespace lv {

// A copy of `picture` (24-bit, or 8-bit with one channel) whose pixels marked in the 1-bit
// mask `marked` (the same size) move toward `colour` (memory order; grey in [0]) by
// 100 − `transparency` percent. Null when the cancel test stopped it or memory ran out.
HDIB FillSelectedPixels(const HDIB& picture, const HDIB& marked, int transparency, std::array<std::uint8_t, 3> colour);

// The region the fill takes on the current layer at a document point: a 1-bit mask over
// `area` (top-down document rectangle), limited to the selection. Nothing (after a beep or
// message) when the click is refused.
struct FillRegion {
    HDIB marked;
    Rect area;
    bool clickedTransparent = false;
    // The document rectangle the marks lie in, when known: the composite is rebuilt there only.
    std::optional<Rect> markedBounds;
};
std::optional<FillRegion> SimilarRegion(LayerStack& stack, ui::Service& ui, Point point, int tolerance);
// Every pixel of the current layer the selection takes (the whole layer without one),
// less the transparent ones of a mask-locked layer. Nothing (after the message) when the
// layer cannot be painted or nothing is left.
std::optional<FillRegion> WholeRegion(LayerStack& stack, ui::Service& ui);

// The whole click: records undo step 3088, fills, and sets the mask where a transparent
// pixel was clicked on a layer whose mask is not locked. Returns the document rectangle
// changed (right and bottom exclusive); the composite is rebuilt there.
std::optional<Rect> BucketFill(LayerStack& stack, ui::Service& ui, Point point, RgbTriple colour,
                                       const PaintOptions& options);

// What the fills share: the region's rows of the layer replaced by `filled` (the region's
// size), the mask set to 255 where `marked` says when `setMask` (and the mask is not
// locked), the working copies and the composite brought up to date.
void PutFilledRegion(LayerStack& stack, const PaintTarget& target, const FillRegion& region, HDIB filled, bool setMask);
// The layer's image over a top-down document rectangle inside it, as a picture of its own.
HDIB CutLayerImage(const PaintTarget& target, const Rect& area);

// A fill under way: the layer, the region, and a copy of the layer's pixels over the region
// for the fill to change (`channels` bytes a pixel).
struct FillWork {
    PaintTarget target;
    FillRegion region;
    HDIB filled;
    int channels = 3;
};
// Nothing when there is no region or the copy cannot be made.
std::optional<FillWork> StartFill(LayerStack& stack, ui::Service& ui, std::optional<FillRegion> region);

}  // namespace lv
