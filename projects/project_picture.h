#pragma once
// Pictures the projects take from files: calendar pieces and dropped photos, as a 24-bit
// image and, when the file brings one, its mask.

#include "imagelib/dib.h"

#include <optional>
#include <string>

namespace lv {

struct ProjectPicture {
    HDIB image;  // 24-bit
    HDIB mask;   // 8-bit grey, the image's size; null when the file brings none
};

// A layered file (".vlf", or a Photoshop file by its extension): one layer gives its image
// and mask, several their picture flattened over white without a mask. Nothing when the
// file cannot be read.
std::optional<ProjectPicture> LoadLayeredPicture(const std::string& path);

// A dropped file by the last three characters of its name, lower-cased: "vlf" as above,
// "psd" flattened without a mask, anything else through the general loader at 24 bits.
// Nothing when it cannot be read.
std::optional<ProjectPicture> LoadDroppedPicture(const std::string& path);

// Whether a file (not a folder) stands at the path.
bool ProjectFileExists(const std::string& path);

}  // namespace lv
