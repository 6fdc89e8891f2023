#pragma once
// How lettering is laid out beside its font: alignment, line and letter spacing, and
// smooth or hard edges, as the text object keeps them (words 21, 22 and 27, and bit 8 of
// the flags word).

#include "edit/text_object.h"

#include <cstdint>

namespace lv {

enum class TextAlignment : std::uint32_t { Left = 0, Centre = 1, Right = 2 };

struct TextStyle {
    TextAlignment alignment = TextAlignment::Left;
    std::int32_t lineSpacing = 100;   // percent of the font's line height
    std::int32_t letterSpacing = 0;   // pixels added between characters; negative draws them closer
    bool smoothEdges = true;

    bool operator==(const TextStyle&) const = default;
};

inline constexpr int kAlignmentWord = 21;
inline constexpr int kLineSpacingWord = 22;
inline constexpr int kLetterSpacingWord = 27;
inline constexpr std::uint32_t kSmoothEdgesFlag = 1u << 8;

// Unknown alignments read as left; a line spacing of 0 (objects that never stored one) as 100.
TextStyle TextStyleOfObject(const TextObject& object);
void StoreTextStyle(TextObject& object, const TextStyle& style);

}  // namespace lv
