#include "edit/layer_file_name.h"

namespace lv {

std::string LayerNameForPicturePath(std::string_view path)
{
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    // A leading dot names a hidden file, not an extension.
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::size_t characters = 0;
    std::size_t end = 0;
    for (; end < name.size(); ++end) {
        const bool startsCharacter = (static_cast<unsigned char>(name[end]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == kFileLayerNameCharacters)
            break;
    }
    return std::string(name.substr(0, end));
}

}  // namespace lv
