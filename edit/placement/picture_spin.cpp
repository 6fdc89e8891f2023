#include "edit/placement/picture_spin.h"

#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "imagelib/dib_alloc.h"

namespace lv {

HDIB SpinPicture(const HDIB& picture, double degrees, int threads)
{
    // Another grid colour would show in the new corners; palettes would be widened first.
    if (!picture || TransparencyGridScheme() != 0 || (picture.bitCount() != 24 && DibGetType(picture) != IMG_GREY8))
        return nullptr;
    const int w = picture.width(), h = picture.height();
    // The document's own rotation and canvas, so the result is the document's to the byte.
    const Placement rotation = RotatePlacement(w / 2.0, h / 2.0, -degrees * kApplyRadiansPerDegree);
    const Rect canvas = PlacedBoundingBox({0, 0, w, h}, rotation);
    const int newWidth = canvas.right - canvas.left;
    const int newHeight = canvas.bottom - canvas.top;
    if (newWidth >= kRefusedDocumentSide || newHeight >= kRefusedDocumentSide)
        return nullptr;
    const Placement m = Compose(Compose(TranslatePlacement(-canvas.left, -canvas.top), rotation), TranslatePlacement(0, 0));
    // An opaque layer covering the whole canvas is the composite; one placed elsewhere is not.
    if (ResampledBox(picture, m) != Rect{0, 0, newWidth, newHeight})
        return nullptr;
    HDIB composite = MakeCompositeLike(picture, newWidth, newHeight, picture.bitCount());
    if (!composite || !ResampleInto(picture, composite, 0xFFFFFF, m, threads))
        return nullptr;
    return composite;
}

}  // namespace lv
