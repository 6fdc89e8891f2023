#pragma once
// The text layer's object: 44 little-endian words that remember the font, colour, flags
// and placement of the lettering, and the string itself. In memory the string is held
// beside the words; word 2 (the string block's handle in files of the old platform) stays 0.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lv {

struct TextObject {
    static constexpr int kWordCount = 44;
    static constexpr std::uint32_t kObjectBytes = kWordCount * 4;  // 176
    static constexpr std::uint32_t kStringBlockGrain = 1024;
    // Words 4..18: the font description.
    static constexpr int kFontFirstWord = 4;
    static constexpr int kFontWordCount = 15;
    static constexpr int kColourWord = 19;
    static constexpr int kFlagsWord = 20;
    // Words 32..43: the first six numbers of the layer's placement matrix.
    static constexpr int kPlacementFirstWord = 32;
    static constexpr int kPlacementWordCount = 12;

    std::array<std::uint32_t, kWordCount> words{};
    std::string text;

    bool operator==(const TextObject&) const = default;
};

// A fresh object for `text` as a reader makes it: word 0 the object size, word 1 the string
// buffer size (the text's length plus 1023, rounded down to the 1024-byte grain).
TextObject MakeTextObject(std::string_view text);

}  // namespace lv
