#pragma once
// A Photoshop document decoded into layers the way the layered document holds them, but
// not yet a document: the pictures, names and flags of each layer, top layer first.

#include "common/byte_source.h"
#include "common/file_problem.h"
#include "edit/psd/psd_structure.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lv {

// Layers a document keeps of a file: the top ones, and one more holding the rest merged,
// so the last record of a document stays free for the layers the program adds itself.
inline constexpr std::size_t kPsdKeptLayers = 30;
inline constexpr std::size_t kPsdMostLayers = kPsdKeptLayers + 1;

struct PsdLayer {
    HDIB image;  // 24-bit, the layer rectangle's size
    HDIB mask;   // 8-bit grey, the same size: 255 opaque
    std::string name;
    std::int32_t x = 0;  // left edge, document columns
    std::int32_t y = 0;  // bottom edge, document rows counted from the bottom
    std::uint32_t opacity = 100;  // percent
    bool visible = true;
};

struct PsdDocument {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::vector<PsdLayer> layers;  // the top layer first
    // Names of layers whose blend mode or clipping could not be kept (imported as normal).
    std::vector<std::string> approximated;
    std::size_t fileLayers = 0;  // picture layers in the file, group folders not counted
    std::size_t merged = 0;      // how many of them were merged into the bottom layer
    bool flattened = false;      // the file had no layers: one layer of its merged image
};

struct PsdDecode {
    PsdProblem problem = PsdProblem::Broken;
    bool outOfMemory = false;
    bool cancelled = false;  // Esc during the reading
    FileFailure failure;     // TooLarge: a picture beyond what the file's bytes may make
    PsdHeader header;  // what the file declared, for messages about its mode or depth
    PsdDocument document;
};

// Reads the whole file from the source's start. Nothing is shown to the user.
PsdDecode DecodePsd(ByteSource& source);

}  // namespace lv
