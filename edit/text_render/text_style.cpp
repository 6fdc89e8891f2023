#include "edit/text_render/text_style.h"

namespace lv {

TextStyle TextStyleOfObject(const TextObject& object)
{
    TextStyle style;
    const std::uint32_t alignment = object.words[kAlignmentWord];
    style.alignment = alignment <= 2 ? TextAlignment(alignment) : TextAlignment::Left;
    const auto spacing = std::int32_t(object.words[kLineSpacingWord]);
    style.lineSpacing = spacing > 0 ? spacing : 100;
    style.letterSpacing = std::int32_t(object.words[kLetterSpacingWord]);
    style.smoothEdges = (object.words[TextObject::kFlagsWord] & kSmoothEdgesFlag) != 0;
    return style;
}

void StoreTextStyle(TextObject& object, const TextStyle& style)
{
    object.words[kAlignmentWord] = std::uint32_t(style.alignment);
    object.words[kLineSpacingWord] = std::uint32_t(style.lineSpacing);
    object.words[kLetterSpacingWord] = std::uint32_t(style.letterSpacing);
    std::uint32_t& flags = object.words[TextObject::kFlagsWord];
    flags = style.smoothEdges ? flags | kSmoothEdgesFlag : flags & ~kSmoothEdgesFlag;
}

}  // namespace lv
