#pragma once
// The file-type lists of the Open and Save-as dialogs, as data.

#include <span>
#include <string_view>

namespace lv {

struct FileFilter {
    std::string_view description;
    std::string_view patterns;  // ";"-separated, e.g. "*.BMP;*.TIF"
};

// Open, still images: the first pair covers every still-image type.
std::span<const FileFilter> OpenStillImageFilters();
// Open, all images: as above with Photo CD in place of FlashPix.
std::span<const FileFilter> OpenAllImageFilters();
// Save as: dialog type n (1-based) is entry n - 1.
std::span<const FileFilter> SaveAsFilters();

}  // namespace lv
