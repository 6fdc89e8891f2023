#pragma once
// Lettering drawn without a display: text in a font, laid out in lines, becomes an 8-bit
// coverage picture (255 where the letters are, 0 around them) trimmed to the lettering.

#include "edit/text_render/font_library.h"
#include "edit/text_render/text_style.h"
#include "imagelib/dib.h"

#include <string_view>

namespace lv {

struct RenderedText {
    HDIB coverage;  // 8-bit grey; null for text without ink (or no font)
    // Where the picture's top-left corner lies from the top-left corner of the first
    // line's box (before trimming), in pixels.
    int left = 0;
    int top = 0;
    int lineCount = 0;
    int lineHeight = 0;  // pixels from one baseline to the next
};

// Lines break at "\n" (a "\r" before it is dropped). Smooth edges draw the lettering at
// twice the size, anti-aliased, and halve it with the quality scaling; hard edges give
// only 0 and 255. Underline and strike-out span each line's text.
RenderedText RenderText(FontLibrary& fonts, std::string_view utf8, const LogFont& font, const TextStyle& style);

}  // namespace lv
