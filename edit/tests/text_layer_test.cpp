// Lettering: text layers and their drop shadow (what a new layer holds and where it stands,
// editing in place, a save and reopen that draws the same lettering again) and, without a
// display, the font structure's bytes, the layout words and what the renderer draws.

#include "common/little_endian.h"
#include "edit/layer_pictures.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/resampler.h"
#include "edit/tests/test_fonts.h"
#include "edit/tests/tool_test_support.h"
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "edit/text_render/mask_blur.h"
#include "edit/text_render/text_renderer.h"
#include "edit/tools/text/text_tool.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <numeric>

namespace lv::testing {
namespace {

std::vector<std::uint8_t> pixels(const HDIB& picture)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < picture.height(); ++y)
        out.insert(out.end(), picture.row(y), picture.row(y) + picture.width());
    return out;
}

TextLayerSettings settingsFor(std::string text, int px = 40)
{
    TextLayerSettings s;
    s.text = std::move(text);
    s.font.height = -px;
    s.font.weight = 700;
    s.font.faceName = "Arial";
    s.style.smoothEdges = false;
    s.colour = 0x0000FF;  // red
    s.left = 10;
    s.top = 20;
    return s;
}

TEST(TextLayer, NewLayerIsAFillOfTheColourMaskedByTheLettering)
{
    auto stack = EmptyDocument(300, 120);
    AppendLayer(*stack, SolidPicture(300, 120, {255, 255, 255}));
    RecordingUndo undo(*stack);
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("Olá\nmundo"), false), kTextLayerOk);

    ASSERT_EQ(std::tuple(stack->layerCount, stack->currentLayer), std::tuple(2, 0));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerAdd});
    EXPECT_EQ(undo.steps[0].values, std::vector<std::int32_t>{0});

    // The kind, the locked mask, the place, the hard edges, the text, font and colour words are
    // the tool's text-layer test, through the layered file.
    const LayerRecord& layer = stack->layers[0];
    EXPECT_TRUE(layer.visible);
    EXPECT_TRUE(SamePixels(layer.image, SolidPicture(layer.image.width(), layer.image.height(), {255, 0, 0})));
    ASSERT_TRUE(layer.textObject);
    const TextObject& object = *layer.textObject;
    EXPECT_EQ((std::vector<std::uint32_t>{object.words[0], object.words[1], object.words[TextObject::kFlagsWord] & 0xF,
                                          object.words[kTextOffsetXWord], object.words[kTextOffsetYWord]}),
              (std::vector<std::uint32_t>{176, 1024, 0, 10, 20}));
    for (int w = TextObject::kPlacementFirstWord; w < TextObject::kWordCount; ++w)
        EXPECT_EQ(object.words[std::size_t(w)], 0u);
}

TEST(TextLayer, SmoothEdgesGreyDocumentsAndLongText)
{
    auto grey = EmptyDocument(200, 80, 8);
    TextLayerSettings settings = settingsFor("Aç");
    settings.style.smoothEdges = true;
    settings.colour = 0xFFFFFF;
    ASSERT_EQ(CreateOrUpdateTextLayer(grey.get(), TestFonts(), settings, false), kTextLayerOk);
    const LayerRecord& layer = grey->layers[0];
    EXPECT_EQ(std::pair(layer.image.bitCount(), int(layer.image.row(0)[0])), std::pair(8, 255));
    EXPECT_NE(layer.textObject->words[TextObject::kFlagsWord] & kSmoothEdgesFlag, 0u);

    // The string keeps 1023 bytes at most, never half a character.
    settings.text = std::string(1022, 'x') + "é";
    ASSERT_EQ(CreateOrUpdateTextLayer(grey.get(), TestFonts(), settings, false), kTextLayerOk);
    EXPECT_EQ(grey->layers[0].textObject->text, std::string(1022, 'x'));
}

TEST(TextLayer, RefusalsCreateNothing)
{
    EXPECT_EQ(CreateOrUpdateTextLayer(nullptr, TestFonts(), settingsFor("a"), false), kTextLayerRefused);
    auto empty = EmptyDocument(50, 50);
    EXPECT_EQ(CreateOrUpdateTextLayer(empty.get(), TestFonts(), settingsFor("  \n "), false), kTextLayerRefused);
    EXPECT_EQ(empty->layerCount, 0);
    // Editing needs a current text layer.
    AppendLayer(*empty, SolidPicture(4, 4, {1, 2, 3}));
    EXPECT_EQ(CreateOrUpdateTextLayer(empty.get(), TestFonts(), settingsFor("x"), true), kTextLayerRefused);
}

TEST(TextLayer, EditingKeepsThePositionInsideTheDocument)
{
    auto stack = EmptyDocument(400, 100);
    AppendLayer(*stack, SolidPicture(400, 100, {0, 0, 0}));
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("ab"), false), kTextLayerOk);
    LayerRecord& layer = stack->layers[0];
    layer.x = 50;
    layer.y = 30;
    const auto first = layer.textObject;
    RecordingUndo undo(*stack);

    TextLayerSettings changed = settingsFor("abc");
    changed.colour = 0x00FF00;
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), changed, true), kTextLayerOk);
    EXPECT_EQ(std::tie(stack->layerCount, layer.x, layer.y, layer.textObject->text), std::tuple(2, 50, 30, "abc"));
    EXPECT_EQ(first->text, "ab");  // the undo step's object stays as it was
    const auto& words = layer.textObject->words;
    EXPECT_EQ(std::tuple(words[TextObject::kColourWord], words[kTextOffsetXWord], words[kTextOffsetYWord]),
              std::tuple(0x00FF00u, 50u, std::uint32_t(100 - 30 - layer.image.height())));
    EXPECT_EQ(Pixel24(layer.image, 0, 0), (Rgb{0, 255, 0}));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoTextLayerEdit});

    // Longer text at the right edge moves back so that it still fits.
    layer.x = 380;
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("abcdef"), true), kTextLayerOk);
    EXPECT_EQ(std::pair(layer.x + layer.image.width(), layer.y), std::pair(400, 30));
}

// A turned text layer keeps its turn when its words change: the new lettering goes through
// the same matrix, stands where the old one stood, and is what later transforms start from.
TEST(TextLayer, EditingATurnedLayerTurnsTheNewLettering)
{
    auto stack = EmptyDocument(400, 300);
    AppendLayer(*stack, SolidPicture(400, 300, {255, 255, 255}));
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("Oi", 30), false), kTextLayerOk);
    ASSERT_TRUE(RotateCurrentLayer(*stack, 30));
    LayerRecord& layer = stack->layers[0];
    const Placement turned = layer.textPlacement;
    const Rect before = *CurrentLayerBox(*stack);

    // What the new words look like upright, from a layer of their own.
    TextLayerSettings changed = settingsFor("Olá mundo", 30);
    changed.colour = 0x00FF00;
    auto upright = EmptyDocument(400, 300);
    ASSERT_EQ(CreateOrUpdateTextLayer(upright.get(), TestFonts(), changed, false), kTextLayerOk);
    Rect placed;
    const HDIB expected = ResamplePlaced(upright->layers[0].mask.read(), placed, 0, turned);
    ASSERT_TRUE(expected);

    RecordingUndo undo(*stack);
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), changed, true), kTextLayerOk);
    ASSERT_EQ(undo.steps.size(), 1u);
    EXPECT_EQ(std::tie(layer.kind, layer.textObject->text), std::tuple(LAYER_TEXT, "Olá mundo"));
    EXPECT_TRUE(SamePixels(layer.mask.read(), expected));
    EXPECT_EQ(Pixel24(layer.image, 3, 3), (Rgb{0, 255, 0}));
    const Rect after = *CurrentLayerBox(*stack);
    EXPECT_EQ(std::pair(after.left, after.top), std::pair(before.left, before.top));
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_EQ(layer.textObject->words[kTextOffsetXWord], std::uint32_t(after.left));

    // Turning by nothing renders afresh from the source: the same lettering in the same place.
    const HDIB shown = CopyPicture(layer.mask.read());
    ASSERT_TRUE(RotateCurrentLayer(*stack, 0));
    EXPECT_TRUE(SamePixels(layer.mask.read(), shown));
    EXPECT_EQ(*CurrentLayerBox(*stack), after);

    // Near the bottom-right corner the longer lettering moves back inside the document.
    layer.x = 390;
    layer.y = 0;
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("Olá mundo!", 30), true), kTextLayerOk);
    const Rect inside = *CurrentLayerBox(*stack);
    EXPECT_EQ(std::pair(inside.right, inside.bottom), std::pair(400, 300));
    ASSERT_TRUE(RotateCurrentLayer(*stack, 0));
    EXPECT_EQ(*CurrentLayerBox(*stack), inside);
}

TEST(DropShadow, IntensityGivesTheGreyAndTheOffsetItsPlace)
{
    for (const int intensity : {100, 0}) {
        auto stack = EmptyDocument(200, 100);
        AppendLayer(*stack, SolidPicture(200, 100, {0, 0, 255}));
        ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("I", 60), false), kTextLayerOk);
        const HDIB textMask = CopyPicture(stack->layers[0].mask.read());
        const int textX = stack->layers[0].x, textY = stack->layers[0].y;
        stack->layers[0].opacity = 80;
        RecordingUndo undo(*stack);

        DropShadowSettings shadow{0, intensity, 30, 5};
        ASSERT_TRUE(AddDropShadow(*stack, shadow));
        ASSERT_EQ(stack->layerCount, 2);
        const LayerRecord& merged = stack->layers[0];
        EXPECT_EQ(std::tuple(merged.kind, bool(merged.textObject), merged.opacity, stack->currentLayer),
                  std::tuple(LAYER_IMAGE, false, 80u, 0));
        ASSERT_EQ(undo.codes(), (std::vector<int>{kUndoLayerAdd, kUndoMergeLinked}));

        // Where the lettering was opaque, 30 right and 5 down is shadow (the "I" is narrower than 30).
        const Rgb expected = intensity == 100 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
        int checked = 0;
        for (int y = 0; y < textMask.height(); ++y)
            for (int x = 0; x < textMask.width(); ++x) {
                if (textMask.row(y)[x] != 255)
                    continue;
                const int mx = textX + x + 30 - merged.x, my = textY + y - 5 - merged.y;
                ASSERT_EQ(merged.mask.row(my)[mx], 255);
                ASSERT_EQ(Pixel24(merged.image, mx, my), expected);
                // and the lettering itself is still red
                ASSERT_EQ(Pixel24(merged.image, textX + x - merged.x, textY + y - merged.y), (Rgb{255, 0, 0}));
                ++checked;
            }
        EXPECT_GT(checked, 100);
    }
}

TEST(DropShadow, AFullStackRefusesNewLetteringButStillTakesAShadowAndLinksSurvive)
{
    auto stack = EmptyDocument(120, 60);
    for (int i = 0; i < kOrdinaryLayerLimit - 1; ++i)
        AppendLayer(*stack, SolidPicture(4, 4, {1, 2, 3})).linked = i % 2 == 0;
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("Sombra", 20), false), kTextLayerOk);
    ASSERT_EQ(stack->layerCount, kOrdinaryLayerLimit);
    RecordingUndo undo(*stack);
    ASSERT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settingsFor("mais"), false), kTextLayerRefused);
    EXPECT_TRUE(undo.steps.empty()) << "a full stack refuses new lettering and records nothing";
    const HDIB textMask = CopyPicture(stack->layers[0].mask.read());

    ASSERT_TRUE(AddDropShadow(*stack, {4, 60, 3, 3}));
    EXPECT_EQ(std::tuple(stack->layerCount, stack->layers[0].kind), std::tuple(kOrdinaryLayerLimit, LAYER_IMAGE));
    // The shadow reaches 4 beyond the lettering's box on each side and is moved 3 right and down.
    EXPECT_EQ(std::pair(stack->layers[0].mask.width(), stack->layers[0].mask.height()),
              std::pair(textMask.width() + 8, textMask.height() + 8));
    for (int i = 1; i < stack->layerCount; ++i)
        EXPECT_EQ(stack->layers[std::size_t(i)].linked, (i - 1) % 2 == 0) << i;
    EXPECT_FALSE(stack->layers[0].linked);

    // Only text layers take a shadow; the merged layer no longer is one.
    EXPECT_FALSE(AddDropShadow(*stack, {4, 60, 3, 3}) || AddDropShadow(*stack, {-1, 60, 3, 3}));
}

// A text screen whose user types `answer`, remembering what it was shown.
class ScriptedScreen final : public TextScreen {
public:
    FontLibrary* fonts() override { return &TestFonts(); }
    bool edit(TextToolChoice& choice, bool editing) override
    {
        shown.push_back({choice, editing});
        choice.settings.text = answer;
        if (nextHeight)
            choice.settings.font.height = -nextHeight;
        return true;
    }
    std::vector<std::pair<TextToolChoice, bool>> shown;
    std::string answer = "Texto";
    int nextHeight = 0;  // the size the user picks, if any
};

// What new lettering starts from: a size readable on the picture at hand, and the face the
// stored name "Arial" is drawn with.
TEST(TextDefaults, ThePhotoStartsAtATenthThenTheLastSizeUntilItNoLongerSuits)
{
    // The first time; 1/40 itself and just below; 1/2 itself and just above; never below a
    // pixel; rounded.
    EXPECT_EQ((std::vector<int>{StartingTextHeight(0, 1000), StartingTextHeight(25, 1000), StartingTextHeight(24, 1000),
                                StartingTextHeight(500, 1000), StartingTextHeight(501, 1000), StartingTextHeight(0, 3),
                                StartingTextHeight(0, 15)}),
              (std::vector<int>{100, 25, 100, 500, 100, 1, 2}));

    auto photo = EmptyDocument(300, 720);
    AppendLayer(*photo, SolidPicture(300, 720, {255, 255, 255}));
    FakeWindow window(std::move(photo));
    ScriptedScreen screen;
    screen.answer = "A";
    TextTool tool;
    tool.setScreen(&screen);
    window.press(tool, {10, 10});
    screen.nextHeight = 60;
    window.press(tool, {10, 300});
    window.press(tool, {10, 500});
    screen.nextHeight = 400;  // more than half the photo
    window.press(tool, {100, 10});
    window.press(tool, {100, 600});
    std::vector<int> heights;
    for (const auto& [choice, editing] : screen.shown)
        heights.push_back(std::abs(choice.settings.font.height));
    EXPECT_EQ(heights, (std::vector<int>{72, 72, 60, 60, 72}));
}

// Lettering without a display: the font structure's bytes and its fontconfig mapping, the
// layout words of the text object, and what the renderer draws (edges, accents, lines,
// alignment, spacing, kerning, underline and strike-out), plus the shadow's blur.
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
    font.italic = font.strikeOut = 1;
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
        font.italic = font.underline = font.strikeOut = 1;
        EXPECT_EQ(LogFontFromPattern(*PatternFromLogFont(font)), font);
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

// Hard edges giving only 0 and 255 and smooth ones blending are the tool's text tests.
TEST(TextRender, SmoothOrHardTheLetteringIsTrimmedToItsInk)
{
    const RenderedText smooth = render("Feliz Aniversário", arial(-30));
    const RenderedText sharp = render("Feliz Aniversário", arial(-30), hard());
    ASSERT_TRUE(smooth.coverage && sharp.coverage);
    EXPECT_TRUE(std::abs(smooth.coverage.width() - sharp.coverage.width()) <= 3 &&
                std::abs(smooth.coverage.height() - sharp.coverage.height()) <= 3);
    EXPECT_EQ(smooth.coverage.bitCount(), 8);
    // Trimmed: ink touches every edge.
    for (const HDIB* p : {&smooth.coverage, &sharp.coverage}) {
        const int w = p->width(), h = p->height();
        const auto column = [&](int x) { for (int y = 0; y < h; ++y) if (p->row(y)[x]) return true; return false; };
        EXPECT_TRUE(column(0) && column(w - 1) && std::any_of(p->row(0), p->row(0) + w, [](auto v) { return v != 0; }));
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
    const auto before = pixels(mask), after = pixels(blurred);
    const double mass = std::accumulate(before.begin(), before.end(), 0.0);
    EXPECT_NEAR(std::accumulate(after.begin(), after.end(), 0.0), mass, mass * 0.005);

    EXPECT_FALSE(GaussianBlurMask(mask, -1) || GaussianBlurMask(AllocatePicture(4, 4, 24, 0), 2));
}

}  // namespace
}  // namespace lv::testing
