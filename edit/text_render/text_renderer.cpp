#include "edit/text_render/text_renderer.h"

#include "common/failure_notices.h"
#include "common/text_encoding.h"
#include "edit/layer_pictures.h"
#include "imagelib/dib_geometry.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace lv {
namespace {

// With no height asked for, lettering gets the cell height of the old platform's default font.
constexpr std::int32_t kDefaultCellHeight = 16;

struct Ink {
    int left, top;  // canvas pixels, rows counting down
    int width, height;
    std::vector<std::uint8_t> coverage;  // empty: a solid bar
};

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    void add(const Ink& ink)
    {
        left = std::min(left, ink.left);
        top = std::min(top, ink.top);
        right = std::max(right, ink.left + ink.width);
        bottom = std::max(bottom, ink.top + ink.height);
    }
    bool empty() const { return left >= right || top >= bottom; }
};

std::vector<char32_t> codepoints(std::string_view utf8)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = std::uint8_t(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + std::size_t(k) < utf8.size(); ++k)
            c = c << 6 | (std::uint8_t(utf8[i + std::size_t(k)]) & 0x3F);
        out.push_back(c);
        i += std::size_t(extra) + 1;
    }
    return out;
}

std::vector<std::vector<char32_t>> splitLines(std::string_view utf8)
{
    std::vector<std::vector<char32_t>> lines(1);
    for (const char32_t c : codepoints(utf8)) {
        if (c == U'\n')
            lines.emplace_back();
        else if (c != U'\r')
            lines.back().push_back(c);
    }
    return lines;
}

bool setSize(FT_Face face, std::int32_t height, int scale)
{
    FT_Size_RequestRec request{};
    // A positive height is the whole cell (ascent plus descent); a negative one the em.
    request.type = height > 0 ? FT_SIZE_REQUEST_TYPE_REAL_DIM : FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = FT_Long(std::abs(height ? height : kDefaultCellHeight)) * scale * 64;
    if (height == 0)
        request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
    return FT_Request_Size(face, &request) == 0;
}

Ink glyphInk(FT_GlyphSlot slot, int penX, int baseline, bool smooth)
{
    const FT_Bitmap& bitmap = slot->bitmap;
    Ink ink{penX + slot->bitmap_left, baseline - slot->bitmap_top, int(bitmap.width), int(bitmap.rows), {}};
    ink.coverage.resize(std::size_t(ink.width) * std::size_t(ink.height));
    for (int y = 0; y < ink.height; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < ink.width; ++x)
            ink.coverage[std::size_t(y * ink.width + x)] =
                smooth ? row[x] : ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0);
    }
    return ink;
}

// A bar across the line centred `offset` font units above the baseline, `thickness` units thick.
Ink bar(FT_Face face, int left, int right, int baseline, FT_Short offset, FT_Short thickness)
{
    const FT_Fixed scale = face->size->metrics.y_scale;
    const int height = std::max(1, int(std::lround(double(FT_MulFix(thickness, scale)) / 64)));
    const int top = baseline - int(std::lround(double(FT_MulFix(offset, scale)) / 64)) - height / 2;
    return {left, top, right - left, height, {}};
}

struct Layout {
    std::vector<Ink> inks;
    int lineCount = 0;
    int lineHeight = 0;
};

// Every glyph and bar of the text at `scale` times the font's size, in canvas pixels
// whose origin is the top-left corner of the first line's box.
std::optional<Layout> layOut(FT_Face face, std::string_view utf8, const LogFont& font, const TextStyle& style, int scale)
{
    if (!setSize(face, font.height, scale))
        return std::nullopt;
    const bool smooth = style.smoothEdges;
    const FT_Int32 loadFlags = smooth ? FT_LOAD_DEFAULT : FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;
    const FT_Render_Mode mode = smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    const FT_Size_Metrics& metrics = face->size->metrics;
    const int ascent = int(metrics.ascender >> 6);
    const int cell = int((metrics.ascender - metrics.descender) >> 6);
    Layout layout;
    layout.lineHeight = std::max(1, cell * style.lineSpacing / 100);
    const auto lines = splitLines(utf8);
    layout.lineCount = int(lines.size());

    // Line widths first, for the alignment.
    struct Placed {
        FT_UInt glyph;
        FT_Pos x;  // 26.6
    };
    std::vector<std::vector<Placed>> placed(lines.size());
    std::vector<FT_Pos> widths(lines.size(), 0);
    const FT_Pos letterSpacing = FT_Pos(style.letterSpacing) * scale * 64;
    const bool kerning = FT_HAS_KERNING(face);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        FT_Pos pen = 0;
        FT_UInt previous = 0;
        for (std::size_t i = 0; i < lines[l].size(); ++i) {
            const FT_UInt glyph = FT_Get_Char_Index(face, FT_ULong(lines[l][i]));
            if (kerning && previous && glyph) {
                FT_Vector delta{};
                FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &delta);
                pen += delta.x;
            }
            if (FT_Load_Glyph(face, glyph, loadFlags) != 0)
                return std::nullopt;
            placed[l].push_back({glyph, pen});
            pen += face->glyph->advance.x + (i + 1 < lines[l].size() ? letterSpacing : 0);
            previous = glyph;
        }
        widths[l] = pen;
    }
    const FT_Pos widest = *std::max_element(widths.begin(), widths.end());

    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const FT_Pos shift = style.alignment == TextAlignment::Centre  ? (widest - widths[l]) / 2
                             : style.alignment == TextAlignment::Right ? widest - widths[l]
                                                                       : 0;
        const int baseline = ascent + int(l) * layout.lineHeight;
        for (const Placed& p : placed[l]) {
            if (FT_Load_Glyph(face, p.glyph, loadFlags) != 0 || FT_Render_Glyph(face->glyph, mode) != 0)
                return std::nullopt;
            const int penX = int((shift + p.x + 32) >> 6);
            if (face->glyph->bitmap.width && face->glyph->bitmap.rows)
                layout.inks.push_back(glyphInk(face->glyph, penX, baseline, smooth));
        }
        if (placed[l].empty())
            continue;
        const int left = int((shift + 32) >> 6), right = int((shift + widths[l] + 32) >> 6);
        const FT_Short thickness = face->underline_thickness ? face->underline_thickness : FT_Short(face->units_per_EM / 20);
        if (font.underline)
            layout.inks.push_back(bar(face, left, right, baseline, face->underline_position, thickness));
        if (font.strikeOut) {
            const FT_Short position = os2 && os2->yStrikeoutPosition ? os2->yStrikeoutPosition : FT_Short(face->ascender / 3);
            const FT_Short size = os2 && os2->yStrikeoutSize ? os2->yStrikeoutSize : thickness;
            layout.inks.push_back(bar(face, left, right, baseline, FT_Short(position - size / 2), size));
        }
    }
    return layout;
}

// The inks drawn on a picture covering `box`, rows counting down from its top.
HDIB draw(const std::vector<Ink>& inks, const Box& box)
{
    HDIB picture = MakeGreyFilled(box.right - box.left, box.bottom - box.top, 0);
    if (!picture)
        return picture;
    const int height = picture.height();
    for (const Ink& ink : inks)
        for (int y = 0; y < ink.height; ++y) {
            std::uint8_t* row = picture.row(height - 1 - (ink.top - box.top + y)) + (ink.left - box.left);
            for (int x = 0; x < ink.width; ++x) {
                const std::uint8_t value = ink.coverage.empty() ? 255 : ink.coverage[std::size_t(y * ink.width + x)];
                row[x] = std::max(row[x], value);
            }
        }
    return picture;
}

// Cuts away the rows and columns without ink; moves `left` and `top` with the cut.
HDIB trim(const HDIB& picture, int& left, int& top)
{
    const int width = picture.width(), height = picture.height();
    int minX = width, maxX = -1, minTop = height, maxTop = -1;
    for (int t = 0; t < height; ++t) {
        const std::uint8_t* row = picture.row(height - 1 - t);
        for (int x = 0; x < width; ++x)
            if (row[x]) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minTop = std::min(minTop, t);
                maxTop = std::max(maxTop, t);
            }
    }
    if (maxX < 0)
        return {};
    left += minX;
    top += minTop;
    FileFailure failure;
    HDIB trimmed = DibCropPicture(picture, Rect{minX, minTop, maxX + 1, maxTop + 1}, &failure);
    ShowFailureNotices(failure);
    return trimmed;
}

}  // namespace

RenderedText RenderText(FontLibrary& fonts, std::string_view utf8, const LogFont& font, const TextStyle& style)
{
    RenderedText rendered;
    FT_Face face = fonts.face(font);
    if (!face)
        return rendered;
    const int scale = style.smoothEdges ? 2 : 1;
    const std::string text = ToUtf8(utf8);
    const auto layout = layOut(face, text, font, style, scale);
    if (!layout)
        return rendered;
    rendered.lineCount = layout->lineCount;
    rendered.lineHeight = layout->lineHeight / scale;
    Box box;
    for (const Ink& ink : layout->inks)
        box.add(ink);
    if (box.empty())
        return rendered;
    // Halving keeps whole pixel pairs together: the drawn area starts and ends on even pixels.
    const auto floorTo = [scale](int v) { return v - ((v % scale) + scale) % scale; };
    box.left = floorTo(box.left);
    box.top = floorTo(box.top);
    box.right = floorTo(box.right + scale - 1);
    box.bottom = floorTo(box.bottom + scale - 1);
    HDIB picture = draw(layout->inks, box);
    if (picture && scale > 1)
        picture = DibResize(picture, picture.width() / scale, picture.height() / scale);
    if (!picture)
        return rendered;
    rendered.left = box.left / scale;
    rendered.top = box.top / scale;
    rendered.coverage = trim(picture, rendered.left, rendered.top);
    return rendered;
}

}  // namespace lv
