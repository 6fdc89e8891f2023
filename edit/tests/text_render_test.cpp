// Lettering without a display: the font structure's bytes and its fontconfig mapping, the
// layout words of the text object, and what the renderer draws (edges, accents, lines,
// alignment, spacing, kerning, underline and strike-out), plus the shadow's blur.

#include "common/little_endian.h"
#include "edit/layer_pictures.h"
#include "imagelib/dib_alloc.h"
#include "edit/tests/test_fonts.h"
#include "edit/text_render/mask_blur.h"
#include "edit/text_render/text_renderer.h"

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>

#include <set>

namespace lv {
namespace {

LogFont arial(std::int32_t height)
{
    LogFont font;
    font.height = height;
    font.weight = 400;
    font.faceName = "Arial";
    return font;
}

RenderedText render(std::string_view text, const LogFont& font, TextStyle style = {})
{
    return RenderText(testing::TestFonts(), text, font, style);
}

TextStyle hard()
{
    TextStyle style;
    style.smoothEdges = false;
    return style;
}

std::vector<std::uint8_t> pixels(const HDIB& picture)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < picture.height(); ++y)
        out.insert(out.end(), picture.row(y), picture.row(y) + picture.width());
    return out;
}

// Rows (top first) in which every column from `from` to `to` is fully inked.
std::vector<int> solidRows(const HDIB& picture, int from, int to)
{
    std::vector<int> rows;
    for (int top = 0; top < picture.height(); ++top) {
        const std::uint8_t* row = picture.row(picture.height() - 1 - top);
        if (std::all_of(row + from, row + to, [](std::uint8_t v) { return v == 255; }))
            rows.push_back(top);
    }
    return rows;
}

TEST(LogFontBytes, LayoutRoundTripAndOldFaceNames)
{
    LogFont font = arial(-24);
    font.weight = 700;
    font.italic = 1;
    font.strikeOut = 1;
    font.charSet = 0xCC;
    font.pitchAndFamily = 0x22;
    const auto bytes = LogFontBytes(font);
    // Height, weight, italic, underline, strike-out, character set, pitch and family, face.
    EXPECT_EQ(std::tuple(std::int32_t(LoadLE32(&bytes[0])), LoadLE32(&bytes[16]), std::string(reinterpret_cast<const char*>(&bytes[28]))),
              std::tuple(-24, 700u, "Arial"));
    EXPECT_EQ((std::vector<int>{bytes[20], bytes[21], bytes[22], bytes[23], bytes[27]}), (std::vector<int>{1, 0, 1, 0xCC, 0x22}));
    EXPECT_TRUE(std::all_of(bytes.begin() + 33, bytes.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(LogFontFromBytes(bytes), font);

    // Face names keep 31 bytes cut on a character boundary; names of old files are Windows-1252.
    font.faceName = "Fonte com acentuação é demais longa";
    EXPECT_EQ(LogFontFromBytes(LogFontBytes(font)).faceName, "Fonte com acentuação é demai");
    auto old = LogFontBytes(arial(-10));
    old[28 + 5] = 0xE9;
    EXPECT_EQ(LogFontFromBytes(old).faceName, "Arialé");

    TextObject object = MakeTextObject("Olá");
    StoreLogFont(object, font);
    EXPECT_EQ((std::vector<std::uint32_t>{object.words[4], object.words[8], object.words[3], object.words[19]}),
              (std::vector<std::uint32_t>{std::uint32_t(-24), 700, 0, 0}));
    EXPECT_EQ(LogFontOfObject(object).faceName, "Fonte com acentuação é demai");
}

TEST(LogFontPattern, TheFieldsAPatternCarriesSurviveBothWays)
{
    for (const std::int32_t height : {-40, 33}) {
        LogFont font = arial(height);
        font.faceName = "Times New Roman";
        font.weight = 700;
        font.italic = 1;
        font.underline = 1;
        font.strikeOut = 1;
        const FontPattern pattern = PatternFromLogFont(font);
        EXPECT_EQ(LogFontFromPattern(*pattern), font);
    }
    for (const std::int32_t weight : {100, 300, 400, 600, 900}) {
        LogFont font = arial(-12);
        font.weight = weight;
        EXPECT_EQ(LogFontFromPattern(*PatternFromLogFont(font)).weight, weight);
    }
    // A pattern from elsewhere, in points at 96 pixels an inch.
    FontPattern points(FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Serif-12:bold:italic")));
    const LogFont parsed = LogFontFromPattern(*points);
    EXPECT_EQ(std::tie(parsed.faceName, parsed.height, parsed.weight, parsed.italic), std::tuple("Liberation Serif", -16, 700, 1));
}

TEST(TextStyleWords, LayoutWordsRoundTripAndOldObjectsReadSensibly)
{
    TextObject object = MakeTextObject("x");
    object.words[TextObject::kFlagsWord] = 0x201;
    const TextStyle style{TextAlignment::Right, 150, -3, true};
    StoreTextStyle(object, style);
    EXPECT_EQ((std::vector<std::uint32_t>{object.words[21], object.words[22], object.words[27], object.words[TextObject::kFlagsWord]}),
              (std::vector<std::uint32_t>{2, 150, 0xFFFFFFFD, 0x301}));
    EXPECT_EQ(TextStyleOfObject(object), style);
    StoreTextStyle(object, TextStyle{TextAlignment::Left, 100, 0, false});
    EXPECT_EQ(object.words[TextObject::kFlagsWord], 0x201u);

    TextObject old = MakeTextObject("x");
    old.words[21] = 7;
    EXPECT_EQ(TextStyleOfObject(old), (TextStyle{TextAlignment::Left, 100, 0, false}));
}

TEST(TextRender, DocumentFontNamesUseTheProgramsFonts)
{
    const auto file = [](const char* face) {
        LogFont font = arial(-12);
        font.faceName = face;
        return testing::TestFonts().matchFile(font).value_or(std::pair<std::string, int>{}).first;
    };
    EXPECT_NE(file("Arial").find("LiberationSans-Regular"), std::string::npos) << file("Arial");
    EXPECT_NE(file("Small Fonts").find("LiberationSans-Regular"), std::string::npos);
    EXPECT_NE(file("Times New Roman").find("LiberationSerif-Regular"), std::string::npos);
    LogFont bold = arial(-12);
    bold.weight = 700;
    bold.italic = 1;
    EXPECT_NE(testing::TestFonts().matchFile(bold)->first.find("LiberationSans-BoldItalic"), std::string::npos);
}

TEST(TextRender, SmoothEdgesBlendAndHardEdgesDoNot)
{
    const RenderedText smooth = render("Feliz Aniversário", arial(-30));
    const RenderedText sharp = render("Feliz Aniversário", arial(-30), hard());
    ASSERT_TRUE(smooth.coverage && sharp.coverage);
    const auto values = [](const HDIB& p) {
        const auto all = pixels(p);
        return std::set<std::uint8_t>(all.begin(), all.end());
    };
    EXPECT_EQ(values(sharp.coverage), (std::set<std::uint8_t>{0, 255}));
    EXPECT_GT(values(smooth.coverage).size(), 20u);
    EXPECT_TRUE(std::abs(smooth.coverage.width() - sharp.coverage.width()) <= 3 &&
                std::abs(smooth.coverage.height() - sharp.coverage.height()) <= 3);
    EXPECT_EQ(smooth.coverage.bitCount(), 8);
    // Trimmed: ink touches every edge.
    for (const HDIB* p : {&smooth.coverage, &sharp.coverage}) {
        const int w = p->width(), h = p->height();
        const auto column = [&](int x) { for (int y = 0; y < h; ++y) if (p->row(y)[x]) return true; return false; };
        EXPECT_TRUE(column(0) && column(w - 1));
        EXPECT_TRUE(std::any_of(p->row(0), p->row(0) + w, [](auto v) { return v != 0; }));
        EXPECT_TRUE(std::any_of(p->row(h - 1), p->row(h - 1) + w, [](auto v) { return v != 0; }));
    }
}

TEST(TextRender, AccentsInkAboveTheXHeightAndCedillaBelowTheBaseline)
{
    const LogFont font = arial(-40);
    const RenderedText plain = render("a", font, hard());
    const RenderedText tilde = render("ã", font, hard());
    const RenderedText capital = render("A", font, hard());
    const RenderedText acute = render("Á", font, hard());
    const RenderedText c = render("c", font, hard());
    const RenderedText cedilla = render("ç", font, hard());
    ASSERT_TRUE(plain.coverage && tilde.coverage && acute.coverage && cedilla.coverage);
    EXPECT_LT(tilde.top, plain.top - 4);
    EXPECT_EQ(tilde.top + tilde.coverage.height(), plain.top + plain.coverage.height());
    EXPECT_LT(acute.top, capital.top - 4);
    EXPECT_GT(cedilla.top + cedilla.coverage.height(), c.top + c.coverage.height() + 4);
    // Text that isn't UTF-8 is read as Windows-1252: "\xE3" is "ã".
    EXPECT_EQ(pixels(render("\xE3", font, hard()).coverage), pixels(tilde.coverage));
}

TEST(TextRender, LinesStackByTheLineHeightAndSpacing)
{
    const LogFont font = arial(-20);
    const RenderedText one = render("Hx", font, hard());
    const RenderedText three = render("Hx\r\nHx\nHx", font, hard());
    ASSERT_TRUE(one.coverage && three.coverage);
    EXPECT_EQ(std::pair(one.lineCount, three.lineCount), std::pair(1, 3));
    EXPECT_NEAR(three.lineHeight, 22, 2);  // the cell of a 20-pixel em of the Arial-metric font (1.117 em)
    EXPECT_EQ(three.coverage.height(), one.coverage.height() + 2 * three.lineHeight);
    TextStyle doubled = hard();
    doubled.lineSpacing = 200;
    const RenderedText spaced = render("Hx\nHx\nHx", font, doubled);
    EXPECT_EQ(std::pair(spaced.lineHeight, spaced.coverage.height()), std::pair(2 * three.lineHeight, one.coverage.height() + 2 * spaced.lineHeight));
    // An empty line still takes its place; text without ink gives no picture.
    EXPECT_EQ(render("Hx\n\nHx", font, hard()).coverage.height(), three.coverage.height());
    EXPECT_FALSE(render("", font).coverage || render("  \n ", font).coverage);
}

TEST(TextRender, AlignmentLetterSpacingAndKerning)
{
    const LogFont font = arial(-30);
    TextStyle style = hard();
    const auto inkColumns = [](const HDIB& p, int top, int rows) {
        std::pair<int, int> span{p.width(), -1};
        for (int t = top; t < top + rows; ++t)
            for (int x = 0; x < p.width(); ++x)
                if (p.row(p.height() - 1 - t)[x])
                    span = {std::min(span.first, x), std::max(span.second, x)};
        return span;
    };
    // The last line "l" against a wide first line: left, centre, right.
    std::vector<std::pair<int, int>> spans;
    for (const TextAlignment alignment : {TextAlignment::Left, TextAlignment::Centre, TextAlignment::Right}) {
        style.alignment = alignment;
        const RenderedText r = render("WWWWWW\nl", font, style);
        ASSERT_TRUE(r.coverage);
        spans.push_back(inkColumns(r.coverage, r.coverage.height() - 15, 15));
    }
    const int width = render("WWWWWW", font, hard()).coverage.width();
    EXPECT_LE(spans[0].first, 3);
    EXPECT_NEAR((spans[1].first + spans[1].second) / 2.0, width / 2.0, 3);
    EXPECT_GE(spans[2].second, width - 4);

    style = hard();
    const int tight = render("abcd", font, style).coverage.width();
    for (const int spacing : {7, -2}) {
        style.letterSpacing = spacing;
        EXPECT_EQ(render("abcd", font, style).coverage.width(), tight + 3 * spacing) << spacing;
    }

    const LogFont big = arial(-100);
    const int pair = render("AV", big, hard()).coverage.width();
    const int apart = render("A", big, hard()).coverage.width() + render("V", big, hard()).coverage.width();
    EXPECT_LE(pair, apart - 4) << "the pair's kerning draws V under A's arm";
}

TEST(TextRender, UnderlineAndStrikeOutSpanTheLine)
{
    LogFont font = arial(-40);
    const RenderedText plain = render("oca", font, hard());
    font.underline = 1;
    const RenderedText underlined = render("oca", font, hard());
    font.underline = 0;
    font.strikeOut = 1;
    const RenderedText struck = render("oca", font, hard());
    ASSERT_TRUE(plain.coverage && underlined.coverage && struck.coverage);
    EXPECT_TRUE(solidRows(plain.coverage, 0, plain.coverage.width()).empty());

    // The underline lies below the letters (the picture grows downwards), the strike-out across their middle.
    const auto under = solidRows(underlined.coverage, 0, underlined.coverage.width());
    ASSERT_FALSE(under.empty());
    EXPECT_GT(under.front(), plain.coverage.height() - 1);
    EXPECT_EQ(underlined.top, plain.top);
    const auto across = solidRows(struck.coverage, 0, struck.coverage.width());
    ASSERT_FALSE(across.empty());
    EXPECT_TRUE(across.front() > 3 && across.back() < struck.coverage.height() - 4);
    EXPECT_EQ(struck.coverage.height(), plain.coverage.height());
}

TEST(MaskBlur, SpreadsByTheRadiusAndKeepsFlatAreasAndMass)
{
    HDIB mask = MakeGreyFilled(30, 20, 0);
    for (int y = 4; y < 16; ++y)
        for (int x = 5; x < 25; ++x)
            mask.row(y)[x] = 255;
    const HDIB copy = GaussianBlurMask(mask, 0);
    ASSERT_TRUE(copy);
    EXPECT_EQ(pixels(copy), pixels(mask));

    const int r = 4;
    const HDIB blurred = GaussianBlurMask(mask, r);
    ASSERT_TRUE(blurred);
    // Grown by the radius each way; deep inside full, far outside empty.
    EXPECT_EQ(std::tuple(blurred.width(), blurred.height(), blurred.bitCount(), int(blurred.row(10 + r)[15 + r]), int(blurred.row(0)[0])),
              std::tuple(30 + 2 * r, 20 + 2 * r, 8, 255, 0));
    const std::uint8_t edge = blurred.row(10 + r)[5 + r];
    EXPECT_TRUE(edge > 100 && edge < 160) << int(edge);
    EXPECT_GT(blurred.row(10 + r)[5 + r - 3], 0);  // spreads out by up to r
    EXPECT_EQ(blurred.row(10 + r)[5 + r - 3], blurred.row(10 + r)[24 + r + 3]);  // symmetric
    long before = 0, after = 0;
    for (const auto v : pixels(mask))
        before += v;
    for (const auto v : pixels(blurred))
        after += v;
    EXPECT_NEAR(double(after), double(before), before * 0.005);

    EXPECT_FALSE(GaussianBlurMask(mask, -1) || GaussianBlurMask(AllocatePicture(4, 4, 24, 0), 2));
}

}  // namespace
}  // namespace lv
