#pragma once
// The file form of a document, as both layered readers produce it, and how a stack is
// made from it.

#include "edit/layer_stack.h"

#include <memory>
#include <vector>

namespace lv {

struct FileLayer {
    HDIB image;
    HDIB mask;
    std::vector<std::uint8_t> imageJpeg;  // the image's JPEG stream as the file holds it
    std::shared_ptr<TextObject> textObject;
    std::uint32_t kind = LAYER_IMAGE;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string name;
    bool linked = false;
    bool visible = false;
    bool maskLocked = false;
    std::uint32_t opacity = 0;
    // A placed layer's matrix and untouched source; both pictures null when the file
    // holds none (the layer then starts unplaced).
    Placement placement{};
    HDIB sourceImage;
    HDIB sourceMask;
};

struct FileDocument {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t depth = 24;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t current = 0;
    std::vector<FileLayer> layers;
};

// The densest a file can describe a canvas: a JPEG stream spends at least two bits on
// every 8 × 8 block, and every layered file carries pictures of the document's size.
inline constexpr std::uint64_t kMaxPixelsPerFileByte = 256;

// Whether a file of `fileBytes` bytes can describe a document of this size and depth.
bool PlausibleDocument(std::int64_t width, std::int64_t height, std::uint32_t depth, std::uint64_t fileBytes);

// Brings each layer's pictures to the document's depth (mask layers to grey), checks
// that masks are 8-bit and as large as their images, and fills the records: a text kind
// without text becomes an image layer, the placement comes from the text object, `aspect`
// from the image; an image kept at its depth keeps its JPEG stream for saving. A stored
// source and matrix are kept when they fit the layer, and dropped otherwise. Null when a
// layer is unusable or memory runs out.
std::unique_ptr<LayerStack> MakeStackFromFile(FileDocument document);

}  // namespace lv
