#pragma once
// The selection's outline: the edges between selected and unselected pixels, found once per
// selection and drawn at any zoom as one-pixel dotted lines on the pixels just inside.

#include "common/geometry.h"
#include "edit/layer_stack.h"
#include "edit/view_mapping.h"
#include "imagelib/dib.h"
#include "imagelib/drawing_surface.h"

#include <vector>

namespace lv {

class SelectionOutline {
public:
    // A run of pixel boundaries: along row boundary `fixed` (a horizontal edge) from column
    // `from` to `to` (exclusive), or along column boundary `fixed` over rows; `selectedAfter`
    // when the selected pixels lie below (right of) it rather than above (left of) it.
    struct Edge {
        int fixed = 0;
        int from = 0;
        int to = 0;
        bool selectedAfter = false;
        bool operator==(const Edge&) const = default;
    };

    SelectionOutline() = default;
    // The outline of a mask placed at `rect` (document coordinates).
    static SelectionOutline FromMask(const HDIB& mask, const Rect& rect);
    // A plain rectangle: its four edges.
    static SelectionOutline FromRectangle(const Rect& rect);
    // The document's selection, or an empty outline without one.
    static SelectionOutline FromSelection(const LayerStack& stack);

    bool empty() const { return horizontal_.empty() && vertical_.empty(); }
    // Sorted by `fixed`, then `from`.
    const std::vector<Edge>& horizontal() const { return horizontal_; }
    const std::vector<Edge>& vertical() const { return vertical_; }

    // Draws the outline where `view` shows it, in black and white dots whose places swap
    // with the phase (0 or 1).
    void draw(DrawingSurface& surface, const ViewMapping& view, int phase) const;

private:
    std::vector<Edge> horizontal_;
    std::vector<Edge> vertical_;
    mutable std::vector<SurfaceLine> lines_;  // kept between frames to spare allocations
};

// Whether the outline drawn for a document is still the document's selection: compares the
// flag, the rectangle and the mask (the same picture, unwritten since).
class SelectionOutlineCache {
public:
    const SelectionOutline& outlineOf(const LayerStack& stack);

private:
    SelectionOutline outline_;
    std::uint32_t active_ = 0;
    Rect rect_;
    PictureStamp mask_;
    bool built_ = false;
};

}  // namespace lv
