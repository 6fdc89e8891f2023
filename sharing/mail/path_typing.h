#pragma once
// How a file path is typed into the client's file name box: three spaces, then the path
// byte by byte, where two bytes above 127 in a row travel as one double-byte character.

#include <cstdint>
#include <string_view>
#include <vector>

namespace lv::sharing {

struct TypedCharacter {
    bool doubleByte = false;  // one double-byte character: first byte high, second low
    std::uint32_t code = 0;
    bool operator==(const TypedCharacter&) const = default;
};

std::vector<TypedCharacter> CharactersForPath(std::string_view path);

}  // namespace lv::sharing
