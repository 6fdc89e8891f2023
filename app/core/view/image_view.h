#pragma once
// What an image window shows of its document: zoom, the client area, the optional ruler
// band along the top and left edges, the scroll ranges and positions. Offsets count screen
// pixels of the scaled document from its top-left corner.

#include "app/core/view/zoom.h"

namespace lv {

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom, EndScroll };
enum class Axis { Horizontal, Vertical };

struct ScrollBarState {
    int maximum = 0;   // 0: nothing to scroll
    int position = 0;  // 0..maximum
};

class ImageView {
public:
    ImageView(Size document, int zoom, int rulerBand = 0);

    Size document() const { return document_; }
    int zoom() const { return zoom_; }
    Size client() const { return client_; }
    // Width of the ruler band, 0 while rulers are hidden.
    int rulerBand() const { return rulerBand_; }
    // The client less the ruler band: where the picture goes.
    Size pictureArea() const;
    Size scaledDocument() const { return ScaledSize(document_, zoom_); }

    const ScrollBarState& scroll(Axis axis) const { return axis == Axis::Horizontal ? horizontal_ : vertical_; }
    bool scrollable(Axis axis) const { return scroll(axis).maximum > 0; }
    // A document smaller than the picture area is centred in it: the gap before it.
    int inset(Axis axis) const;
    // The client pixel where the document's first column (row) lies: band, inset and scroll.
    int origin(Axis axis) const { return rulerBand_ + inset(axis) - scroll(axis).position; }

    // Size changes keep the scroll positions in proportion to the change of range.
    void setClient(Size client);
    void setRulerBand(int band);

    // Changes the level keeping the document point under the centre of the picture area
    // there, with `client` the window's new client size. Levels outside the allowed range are
    // the caller's to refuse.
    void zoomAbout(int zoom, Size client);
    // Changes the level; the window keeps its size (the zoom-set commands).
    void setZoom(int zoom);

    // One scroll message; true when the position changed.
    bool scrollBy(Axis axis, ScrollAction action, int thumb = 0);

    // Document point (top-down) under a client point; may lie outside the document.
    Point documentPoint(int clientX, int clientY) const;

private:
    void recomputeRanges();
    int lineStep(Axis axis) const;
    int pageStep(Axis axis) const;

    Size document_;
    int zoom_;
    int rulerBand_;
    Size client_;
    ScrollBarState horizontal_;
    ScrollBarState vertical_;
};

// What an image window does with a key press when no drag is going on and no text is edited.
enum class ViewKeyAction { None, Scroll, PassToTool };
enum class ViewKey { PageUp, PageDown, Left, Right, Up, Down, Other };
struct ViewKeyResult {
    ViewKeyAction action = ViewKeyAction::None;
    Axis axis = Axis::Vertical;
    ScrollAction scroll = ScrollAction::LineDown;
};
ViewKeyResult ClassifyViewKey(ViewKey key, bool control, bool shift, const ImageView& view);

}  // namespace lv
