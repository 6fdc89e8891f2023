#pragma once
// A document: up to 32 layers of image, mask and text, the on-screen composite and the
// selection state. Record 0 is the top of the stack (front); layer positions count rows
// from the document's bottom edge, like the picture rows.

#include "common/geometry.h"
#include "edit/text_object.h"
#include "imagelib/dib.h"
#include "imagelib/shared_picture.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

class UndoRecorder;

enum LayerKind : std::uint32_t {
    LAYER_IMAGE = 0,
    LAYER_MASK = 1,
    LAYER_TEXT = 2,
};

inline constexpr int kMaxLayers = 32;
// Ordinary insertion stops here; the last record is kept for layers the program adds itself.
inline constexpr int kOrdinaryLayerLimit = 31;
inline constexpr std::size_t kMaxLayerNameBytes = 255;

// The layer's placement matrix, three rows of three (see the transform tools). All zero
// until the layer is first placed.
using Placement = std::array<double, 9>;

// A layer image's encoded block as the file the layer was read from held it (the bytes
// after the block header), and the picture it decoded to: saving writes it back unchanged
// while the layer still holds that picture unwritten, so untouched layers lose nothing.
struct EncodedImageBlock {
    std::vector<std::uint8_t> bytes;
    PictureStamp decoded;
};

// Pictures are shared (with undo steps, the clipboard, snapshots): read them freely, and
// change them through `write()`, which copies a shared picture first.
struct LayerRecord {
    SharedPicture image;  // 24-bit in a colour document, 8-bit grey in a grey one; mask layers always 8-bit
    SharedPicture mask;   // 8-bit, same size as `image`: 255 opaque, 0 transparent
    std::shared_ptr<TextObject> textObject;  // text layers only
    std::int32_t x = 0;  // left edge, document columns
    std::int32_t y = 0;  // bottom edge, document rows counted from the bottom
    std::string name;    // at most kMaxLayerNameBytes bytes
    bool linked = false;
    bool visible = false;
    bool maskLocked = false;
    std::uint32_t opacity = 0;  // percent
    LayerKind kind = LAYER_IMAGE;
    // Untouched pixels the placement renders from; shared with the undo steps that keep them.
    std::shared_ptr<HDIB> sourceImage;
    std::shared_ptr<HDIB> sourceMask;
    std::uint32_t reserved = 0;
    Placement textPlacement{};
    double aspect = 0;  // image width / height, a height below 2 counting as 1
    std::shared_ptr<const EncodedImageBlock> imageBlock;  // JPEG image of a layer read from a file
};

// State the image window keeps in the document and that is copied with it unchanged.
struct ViewWords {
    std::uint32_t displayPalette = 0;
    std::uint32_t displayCache = 0;
    std::uint32_t displayCache2 = 0;
    std::uint32_t spare = 0;
    std::uint32_t zoomLevel = 0;
    std::uint32_t rulers = 0;
};

struct LayerStack {
    HDIB composite;  // same size and depth as the document
    std::uint16_t compositeBitsOffset = 0;  // 40 for a colour document, 1064 for a grey one
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t bitCount = 0;  // 24 or 8
    std::uint16_t xResolution = 0;  // pixels per metre, low 16 bits
    std::uint16_t yResolution = 0;
    ViewWords view;
    std::uint32_t selectionActive = 0;
    Rect selectionRect;  // top-down
    SharedPicture selectionAux;
    SharedPicture floatingMask;
    // Content lifted by a move covers what was under it where it was last put down: the
    // layer's image and mask there, over the selection rectangle, put back when the
    // content moves on. Null until lifted content is first put down.
    SharedPicture floatingUnderImage;
    SharedPicture floatingUnderMask;
    SharedPicture selectionMask;
    std::uint32_t modified = 0;
    std::int32_t layerCount = 0;
    std::array<LayerRecord, kMaxLayers> layers;
    std::int32_t currentLayer = 0;
    std::array<std::uint32_t, 7> projectPlacement{};  // the project screens' words, copied unchanged

    // The recorder of the window that owns the document; null records nothing.
    UndoRecorder* undo = nullptr;
};

// Width over height, a height below 2 counting as 1.
double LayerAspect(const HDIB& image);
inline double LayerAspect(const SharedPicture& image)
{
    return LayerAspect(image.read());
}

// A layer name from text: up to the first NUL, at most 255 bytes, cut on a UTF-8
// character boundary.
std::string LayerNameFrom(std::string_view text);
// The same for a name as a file holds it: UTF-8 (possibly cut inside its last character)
// stays, anything else was written by the older program and is read as Windows-1252.
std::string LayerNameFromFile(std::string_view bytes);
// Bytes a reader takes of a stored name: the longest name, and room to tell a UTF-8
// character cut at the limit from a Windows-1252 one.
inline constexpr std::size_t kStoredLayerNameBytes = kMaxLayerNameBytes + 3;

inline bool IsLayerIndex(const LayerStack& stack, int index)
{
    return index >= 0 && index < stack.layerCount;
}

}  // namespace lv
