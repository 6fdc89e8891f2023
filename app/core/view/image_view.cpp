#include "app/core/view/image_view.h"

#include <algorithm>

namespace lv {
namespace {

int rescaled(int position, int oldMaximum, int newMaximum)
{
    if (oldMaximum <= 0)
        return 0;
    return std::clamp(int((long long)position * newMaximum / oldMaximum), 0, std::max(newMaximum, 0));
}

}  // namespace

ImageView::ImageView(Size document, int zoom, int rulerBand)
    : document_(document)
    , zoom_(zoom)
    , rulerBand_(rulerBand)
{
}

Size ImageView::pictureArea() const
{
    return {std::max(client_.width - rulerBand_, 0), std::max(client_.height - rulerBand_, 0)};
}

int ImageView::inset(Axis axis) const
{
    const Size area = pictureArea();
    const Size scaled = scaledDocument();
    return axis == Axis::Horizontal ? std::max((area.width - scaled.width) / 2, 0)
                                    : std::max((area.height - scaled.height) / 2, 0);
}

void ImageView::recomputeRanges()
{
    const Size scaled = scaledDocument();
    const Size area = pictureArea();
    const int newH = std::max(scaled.width - area.width, 0);
    const int newV = std::max(scaled.height - area.height, 0);
    horizontal_ = {newH, rescaled(horizontal_.position, horizontal_.maximum, newH)};
    vertical_ = {newV, rescaled(vertical_.position, vertical_.maximum, newV)};
}

void ImageView::setClient(Size client)
{
    client_ = client;
    recomputeRanges();
}

void ImageView::setRulerBand(int band)
{
    rulerBand_ = std::max(band, 0);
    recomputeRanges();
}

void ImageView::setZoom(int zoom)
{
    zoom_ = zoom;
    recomputeRanges();
}

void ImageView::zoomAbout(int zoom, Size client)
{
    const Size area = pictureArea();
    const int centreX = DocumentOffset(horizontal_.position + area.width / 2, zoom_);
    const int centreY = DocumentOffset(vertical_.position + area.height / 2, zoom_);
    zoom_ = zoom;
    client_ = client;
    const Size newArea = pictureArea();
    const Size scaled = scaledDocument();
    const int maxH = std::max(scaled.width - newArea.width, 0);
    const int maxV = std::max(scaled.height - newArea.height, 0);
    horizontal_ = {maxH, std::clamp(ScaledLength(centreX, zoom) - newArea.width / 2, 0, maxH)};
    vertical_ = {maxV, std::clamp(ScaledLength(centreY, zoom) - newArea.height / 2, 0, maxV)};
}

int ImageView::lineStep(Axis axis) const
{
    return std::max(pageStep(axis) / 10, 1);
}

int ImageView::pageStep(Axis axis) const
{
    const Size area = pictureArea();
    return axis == Axis::Horizontal ? area.width : area.height;
}

bool ImageView::scrollBy(Axis axis, ScrollAction action, int thumb)
{
    ScrollBarState& bar = axis == Axis::Horizontal ? horizontal_ : vertical_;
    int position = bar.position;
    switch (action) {
    case ScrollAction::LineUp: position -= lineStep(axis); break;
    case ScrollAction::LineDown: position += lineStep(axis); break;
    case ScrollAction::PageUp: position -= pageStep(axis); break;
    case ScrollAction::PageDown: position += pageStep(axis); break;
    case ScrollAction::ThumbPosition: position = thumb; break;
    default: break;
    }
    position = std::clamp(position, 0, bar.maximum);
    const bool moved = position != bar.position;
    bar.position = position;
    return moved;
}

Point ImageView::documentPoint(int clientX, int clientY) const
{
    auto toDocument = [this](int offset) {
        // Floor division for points left of or above the document.
        if (offset < 0 && zoom_ >= 0)
            return -((-offset + zoom_) / (zoom_ + 1));
        return DocumentOffset(offset, zoom_);
    };
    return {toDocument(clientX - origin(Axis::Horizontal)), toDocument(clientY - origin(Axis::Vertical))};
}

ViewKeyResult ClassifyViewKey(ViewKey key, bool control, bool shift, const ImageView& view)
{
    switch (key) {
    case ViewKey::PageUp:
    case ViewKey::PageDown:
        return {ViewKeyAction::Scroll, control ? Axis::Horizontal : Axis::Vertical,
                key == ViewKey::PageUp ? ScrollAction::PageUp : ScrollAction::PageDown};
    case ViewKey::Left:
    case ViewKey::Right:
    case ViewKey::Up:
    case ViewKey::Down: {
        if (control || shift)
            return {ViewKeyAction::PassToTool};
        const bool horizontal = key == ViewKey::Left || key == ViewKey::Right;
        const Axis axis = horizontal ? Axis::Horizontal : Axis::Vertical;
        if (!view.scrollable(axis))
            return {};
        const bool back = key == ViewKey::Left || key == ViewKey::Up;
        return {ViewKeyAction::Scroll, axis, back ? ScrollAction::LineUp : ScrollAction::LineDown};
    }
    default:
        return {};
    }
}

}  // namespace lv
