#include "sharing/mail/path_typing.h"

namespace lv::sharing {

std::vector<TypedCharacter> CharactersForPath(std::string_view path)
{
    std::vector<TypedCharacter> out(3, TypedCharacter{false, ' '});
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = std::uint8_t(path[i]);
        if (byte > 127 && i + 1 < path.size() && std::uint8_t(path[i + 1]) > 127) {
            out.push_back({true, std::uint32_t(byte) << 8 | std::uint8_t(path[i + 1])});
            ++i;
        } else {
            out.push_back({false, byte});
        }
    }
    return out;
}

}  // namespace lv::sharing
