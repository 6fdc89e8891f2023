// Copy and paste of layers: the private format's round trip and its defences, the
// picture other programs take and give, and where a pasted piece lands.

#include "edit/clipboard_layer.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "edit/tests/layer_test_support.h"
#include "edit/text_object.h"

#include <gtest/gtest.h>

#include <array>

namespace lv::testing {
namespace {

// A 30 × 20 document whose only layer is a 6 × 4 picture of distinct pixels at (5, 3),
// its mask a ramp.
std::unique_ptr<LayerStack> Source()
{
    auto stack = EmptyDocument(30, 20);
    HDIB image = AllocatePicture(6, 4, 24, 0);
    HDIB mask = MakeGreyFilled(6, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            SetPixel24(image, x, y, {std::uint8_t(40 * x), std::uint8_t(60 * y), 99});
            mask.row(y)[x] = std::uint8_t(x * 51);
        }
    LayerRecord& l = AppendLayer(*stack, std::move(image), std::move(mask), 5, 3, 70);
    l.name = "peça";
    l.linked = true;
    l.maskLocked = true;
    return stack;
}

void MakeTextLayer(LayerStack& stack, std::string_view text)
{
    LayerRecord& l = stack.layers[0];
    l.kind = LAYER_TEXT;
    l.textObject = std::make_shared<TextObject>(MakeTextObject(text));
    l.textPlacement = {1, 0, double(stack.height - l.y - 4), 0, 1, double(l.x), 0, 0, 1};
}

// A document of one black layer of its size, with `piece` pasted in front of it.
std::unique_ptr<LayerStack> PastedInto(int width, int height, const ClipboardLayer& piece)
{
    auto doc = EmptyDocument(width, height);
    AppendLayer(*doc, SolidPicture(width, height, {0, 0, 0}));
    EXPECT_TRUE(PasteLayer(*doc, piece));
    return doc;
}

TEST(ClipboardLayer, ThePrivateFormatCarriesEverythingALayerHas)
{
    auto stack = Source();
    MakeTextLayer(*stack, "Olá, mundo");
    auto copied = CopyCurrentLayer(*stack);
    ASSERT_TRUE(copied);
    EXPECT_EQ(std::pair(copied->layer.textPlacement[2], copied->layer.textPlacement[5]), std::pair(0.0, 0.0))
        << "placement relative to the piece";

    const std::vector<std::uint8_t> bytes = SerializeClipboardLayer(*copied);
    auto back = ParseClipboardLayer(bytes);
    ASSERT_TRUE(back);
    const LayerRecord& a = copied->layer;
    const LayerRecord& b = back->layer;
    EXPECT_TRUE(SamePixels(a.image, b.image) && SamePixels(a.mask, b.mask));
    EXPECT_EQ(std::tie(b.name, b.x, b.y, b.opacity, b.linked, b.visible, b.maskLocked, b.kind, b.textPlacement),
              std::tie(a.name, a.x, a.y, a.opacity, a.linked, a.visible, a.maskLocked, a.kind, a.textPlacement));
    EXPECT_EQ(std::tuple(b.name, b.kind), std::tuple("peça", LAYER_TEXT));
    ASSERT_TRUE(b.textObject);
    EXPECT_EQ(std::tuple(b.textObject->text, ClipboardText(*back)), std::tuple("Olá, mundo", "Olá, mundo"));
}

TEST(ClipboardLayer, DamagedBytesAreRefusedWhateverIsCut)
{
    auto stack = Source();
    const std::vector<std::uint8_t> bytes = SerializeClipboardLayer(*CopyCurrentLayer(*stack));
    for (std::size_t size = 0; size < bytes.size(); size += 7)
        EXPECT_FALSE(ParseClipboardLayer({bytes.data(), size})) << "cut at " << size;
    for (const std::size_t at : {0u, 8u, 108u, 116u, 132u}) {
        std::vector<std::uint8_t> bad = bytes;
        bad[at + 3] ^= 0x40;  // magic, version, a block position, the name length
        EXPECT_FALSE(ParseClipboardLayer(bad)) << "changed at " << at;
    }
    std::vector<std::uint8_t> loud = bytes;
    loud[24] = 250;  // opacity beyond 100
    auto piece = ParseClipboardLayer(loud);
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->layer.opacity, 100u);
}

TEST(ClipboardLayer, OtherProgramsGetThePieceOverWhite)
{
    auto stack = Source();
    HDIB flat = FlattenedForClipboard(*CopyCurrentLayer(*stack));
    ASSERT_TRUE(flat);
    // Mask 0 shows white, mask 255 the piece.
    EXPECT_EQ(std::tuple(flat.bitCount(), Pixel24(flat, 0, 1), Pixel24(flat, 5, 2)), std::tuple(24, Rgb{255, 255, 255}, Rgb{200, 120, 99}));
    const Rgb half = Pixel24(flat, 2, 0);  // mask 102 of 255 over white
    EXPECT_EQ(half.r, std::uint8_t((80 * 102 + 255 * 153 + 127) / 255));
}

TEST(ClipboardLayer, APictureFromAnotherProgramPastesOpaqueAndTwentyFourBit)
{
    HDIB palette = AllocatePicture(5, 3, 4, 16);
    auto piece = LayerFromPicture(palette);
    ASSERT_TRUE(piece);
    auto doc = EmptyDocument(10, 10);
    AppendLayer(*doc, SolidPicture(10, 10, {1, 2, 3}));
    RecordingUndo undo(*doc);
    ASSERT_TRUE(PasteLayer(*doc, *piece));
    const LayerRecord& l = doc->layers[0];
    EXPECT_EQ(std::tie(l.opacity, l.visible, l.name), std::tuple(100u, true, "layer2")) << "a nameless picture keeps the new layer's name";
    EXPECT_EQ(l.image.read().bitCount(), 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(l.mask.read().row(y)[x], 255);
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerAdd});
    EXPECT_FALSE(LayerFromPicture(HDIB{}));
}

TEST(ClipboardLayer, APastedPieceKeepsItsPlaceOrIsCentredWhenItWouldMiss)
{
    auto source = Source();  // the piece at (5, 3)
    const ClipboardLayer piece = *CopyCurrentLayer(*source);
    for (const auto& [width, height, x, y] : {std::array{40, 40, 5, 3}, std::array{4, 3, (4 - 6) / 2, (3 - 4) / 2}}) {
        SCOPED_TRACE(width);
        const auto doc = PastedInto(width, height, piece);
        EXPECT_EQ(std::tie(doc->layers[0].x, doc->layers[0].y, doc->layers[0].name, doc->layers[0].opacity), std::tuple(x, y, "peça", 70u));
    }
}

TEST(ClipboardLayer, ATextLayerPastesEditableAtTheTopLeft)
{
    auto source = Source();
    MakeTextLayer(*source, "Feliz aniversário");
    const auto other = PastedInto(50, 40, *ParseClipboardLayer(SerializeClipboardLayer(*CopyCurrentLayer(*source))));
    const LayerRecord& l = other->layers[0];
    ASSERT_TRUE(l.textObject);
    EXPECT_EQ(std::tie(l.kind, l.textObject->text), std::tuple(LAYER_TEXT, "Feliz aniversário"));
    // Its top edge on the document's top row.
    EXPECT_EQ(std::tuple(l.x, l.y, l.textPlacement[2], l.textPlacement[5]), std::tuple(0, 40 - 4, 0.0, 0.0));
}

TEST(ClipboardLayer, AMaskLayerPastesAsAWhiteLayerItMasks)
{
    auto source = Source();
    LayerRecord& m = source->layers[0];
    HDIB grey = MakeGreyFilled(6, 4, 77);
    m.image = std::move(grey);
    m.kind = LAYER_MASK;
    const auto doc = PastedInto(30, 20, *ParseClipboardLayer(SerializeClipboardLayer(*CopyCurrentLayer(*source))));
    const LayerRecord& l = doc->layers[0];
    EXPECT_EQ(std::tuple(l.kind, Pixel24(l.image.read(), 3, 2), int(l.mask.read().row(2)[3])), std::tuple(LAYER_IMAGE, Rgb{255, 255, 255}, 77));
}

TEST(ClipboardLayer, AFullStackRefusesThePasteAndStaysAsItWas)
{
    auto doc = EmptyDocument(10, 10);
    for (int i = 0; i < kOrdinaryLayerLimit; ++i)
        AppendLayer(*doc, SolidPicture(2, 2, {std::uint8_t(i), 0, 0}));
    RecordingUndo undo(*doc);
    const auto piece = LayerFromPicture(SolidPicture(3, 3, {1, 1, 1}));
    EXPECT_FALSE(PasteLayer(*doc, *piece));
    EXPECT_EQ(std::tuple(doc->layerCount, undo.steps.size()), std::tuple(kOrdinaryLayerLimit, 0u)) << "the step was withdrawn";
    EXPECT_EQ(piece->layer.image.read().width(), 3) << "the clipboard's own copy is untouched";
}

TEST(ClipboardLayer, TheSelectionCopiesItsContentWithItselfAsTheMask)
{
    auto stack = Source();  // the 6 × 4 layer covers columns 5..10, top-down rows 13..16
    ChangeSelection(*stack, *EllipseRegion({4, 12, 10, 18}), CombineMode::New, kUndoShapeSelection);
    auto piece = CopySelectedContent(*stack);
    ASSERT_TRUE(piece);
    const HDIB& image = piece->layer.image.read();
    const HDIB& mask = piece->layer.mask.read();
    EXPECT_EQ(std::tuple(image.width(), image.height(), piece->layer.x, piece->layer.y), std::tuple(6, 6, 4, 20 - 18));
    const LayerRecord& layer = stack->layers[0];
    for (int row = 0; row < 6; ++row)
        for (int i = 0; i < 6; ++i) {
            const int docX = 4 + i, docY = 17 - row;  // top-down
            const int lx = docX - 5, ly = (19 - docY) - 3;
            const bool onLayer = lx >= 0 && lx < 6 && ly >= 0 && ly < 4;
            const int expected = onLayer && SelectionContains(*stack, {docX, docY}) ? layer.mask.read().row(ly)[lx] : 0;
            ASSERT_EQ(mask.row(row)[i], expected) << i << "," << row;
        }
    RemoveSelection(*stack);
    EXPECT_FALSE(CopySelectedContent(*stack));
}

}  // namespace
}  // namespace lv::testing
