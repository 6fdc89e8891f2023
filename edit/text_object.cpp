#include "edit/text_object.h"

namespace lv {

TextObject MakeTextObject(std::string_view text)
{
    TextObject object;
    object.words[0] = TextObject::kObjectBytes;
    object.words[1] = std::uint32_t((text.size() + 1 + 1022) / TextObject::kStringBlockGrain * TextObject::kStringBlockGrain);
    object.text = std::string(text);
    return object;
}

}  // namespace lv
