#include "lettering.h"

#include "edit/text_render/text_renderer.h"
#include "edit/text_render/text_style.h"

#include <algorithm>
#include <cmath>

namespace lv::artwork {

LogFont FontOf(const TypeFace& face)
{
    LogFont font;
    font.height = -face.pixels;
    font.weight = face.weight;
    font.italic = face.italic ? 1 : 0;
    font.faceName = face.family;
    return font;
}

Lettering Letter(FontLibrary& fonts, std::string_view text, const TypeFace& face)
{
    TextStyle style;
    style.alignment = TextAlignment::Centre;
    RenderedText rendered = RenderText(fonts, text, FontOf(face), style);
    Lettering out;
    out.left = rendered.left;
    out.top = rendered.top;
    out.lineHeight = rendered.lineHeight * std::max(1, rendered.lineCount);
    out.coverage = std::move(rendered.coverage);
    return out;
}

void LetterCentred(LayerArt& art, const Lettering& lettering, Point centre, const Fill& fill, float opacity)
{
    const int left = int(std::lround(centre.x - float(lettering.width()) / 2));
    const int top = int(std::lround(centre.y - float(lettering.lineHeight) / 2)) + lettering.top;
    art.stamp(lettering.coverage, left, top, fill, opacity);
}

}  // namespace lv::artwork
