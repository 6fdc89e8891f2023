// The layer stack: making, inserting, deleting, moving and naming layers, the palette's mouse
// rules, copying and pasting layers through the clipboard, and compositing and merging them.

#include "common/string_table.h"
#include "common/testing/ui_recorder.h"
#include "edit/clipboard_layer.h"
#include "edit/compositing.h"
#include "edit/layer_commands.h"
#include "edit/layer_file_name.h"
#include "edit/layer_palette_rules.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "edit/tests/layer_test_support.h"
#include "edit/text_object.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

namespace lv::testing {
namespace {

// A 20 × 10 document of `layers` layers of 3 rows, 4, 5, 6... columns wide.
std::unique_ptr<LayerStack> Document(int layers)
{
    auto stack = EmptyDocument(20, 10);
    for (int i = 0; i < layers; ++i)
        AppendLayer(*stack, SolidPicture(4 + i, 3, {10, 20, 30}));
    return stack;
}

TEST(LayerStack, FlatPictureBecomesOneOpaqueBackgroundLayer)
{
    HDIB picture = SolidPicture(5, 3, {10, 20, 30});
    picture.header().biXPelsPerMeter = 3937;
    auto stack = CreateLayerStackFromImage(std::move(picture));
    ASSERT_TRUE(stack);
    EXPECT_EQ((std::vector<int>{stack->width, stack->height, stack->bitCount, stack->compositeBitsOffset,
                                stack->layerCount, stack->currentLayer}),
              (std::vector<int>{5, 3, 24, 40, 1, 0}));
    const LayerRecord& layer = stack->layers[0];
    EXPECT_EQ(std::tie(layer.name, layer.visible, layer.linked, layer.opacity, layer.kind, layer.x, layer.y),
              std::make_tuple(std::string("Fundo"), true, false, 100u, LAYER_IMAGE, 0, 0));
    EXPECT_DOUBLE_EQ(layer.aspect, 5.0 / 3.0);
    EXPECT_TRUE(SamePixels(layer.mask, MakeGreyFilled(5, 3, 255)));
    EXPECT_EQ(std::tuple(stack->composite.bitCount(), stack->composite.header().biXPelsPerMeter), std::tuple(24, 3937));

    auto grey = CreateLayerStackFromImage(MakeGreyPicture(4, 1));
    ASSERT_TRUE(grey);
    EXPECT_EQ(std::tuple(grey->bitCount, grey->compositeBitsOffset, grey->composite.clrUsed()), std::tuple(8, 1064, 256u));
    EXPECT_DOUBLE_EQ(grey->layers[0].aspect, 4.0);  // a height below 2 counts as 1
}

TEST(LayerStack, ConvertingAPictureAcceptsOnlyColourAndExactGrey)
{
    LayerStack stack;
    EXPECT_EQ(ConvertImageToLayerStack(stack, MakePicture(2, 2, 8, 256)), -1);
    HDIB grey = MakeGreyPicture(2, 2);
    grey.colors()[7].rgbReserved = 1;
    EXPECT_EQ(ConvertImageToLayerStack(stack, grey), -1);
    grey.colors()[7].rgbReserved = 0;
    ASSERT_EQ(ConvertImageToLayerStack(stack, grey), 0);
    EXPECT_EQ(std::tie(stack.layers[0].name, stack.bitCount), std::tuple("layer1", 8));
    EXPECT_TRUE(grey);  // copied, not taken
    EXPECT_NE(stack.layers[0].image.data(), grey.data());
    EXPECT_EQ(ConvertImageToLayerStack(stack, grey), -1);  // already holds a layer
}

TEST(LayerStack, ThirtyOneLayersRefuseAnotherButTheProgramMayAddTheLast)
{
    UiRecorder ui;
    auto stack = Document(31);
    HDIB image = SolidPicture(2, 2, {9, 9, 9});
    HDIB mask;
    EXPECT_EQ(InsertLayer(*stack, image, mask, 0, false), kInsertStackFull);
    EXPECT_TRUE(image);  // still the caller's
    EXPECT_EQ(stack->layerCount, 31);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tie(ui.messages[0].text, ui.messages[0].title),
              std::tuple("Não é possível adicionar uma nova camada pois já alcançou a capacidade máxima.", "Atenção"));

    EXPECT_EQ(InsertLayer(*stack, image, mask, 5, false, {}, LayerLimit::Lifted), kInsertOk);
    EXPECT_FALSE(image);
    EXPECT_EQ(std::tie(stack->layerCount, stack->layers[5].name), std::tuple(32, "layer32"));
    EXPECT_EQ(stack->layers[5].image.width(), 2);

    HDIB more = SolidPicture(1, 1, {0, 0, 0});
    EXPECT_EQ(InsertLayer(*stack, more, mask, 0, false, {}, LayerLimit::Lifted), kInsertStackFull);
    EXPECT_EQ(stack->layerCount, 32);
}

TEST(LayerStack, InsertionPlacesTheLayerAtTheTopEdgeAndKeepsTheCurrentLayer)
{
    auto stack = EmptyDocument(10, 8);
    AppendLayer(*stack, SolidPicture(2, 2, {1, 1, 1}));
    AppendLayer(*stack, SolidPicture(2, 2, {2, 2, 2}));
    stack->currentLayer = 1;
    stack->composite.header().biXPelsPerMeter = 4724;

    HDIB image = SolidPicture(3, 5, {7, 7, 7});
    HDIB mask;
    ASSERT_EQ(InsertLayer(*stack, image, mask, 99, false), kInsertOk);  // beyond the count: the bottom
    EXPECT_EQ(LayerNames(*stack), (std::vector<std::string>{"layer1", "layer2", "layer3"}));
    const LayerRecord& bottom = stack->layers[2];
    EXPECT_EQ(std::tuple(bottom.image.width(), bottom.x, bottom.y, bottom.image.header().biXPelsPerMeter),
              std::tuple(3, 0, 8 - 5, 4724));
    EXPECT_TRUE(SamePixels(bottom.mask, MakeGreyFilled(3, 5, 255)));
    EXPECT_EQ(stack->currentLayer, 1);  // below the insertion point: unchanged

    image = SolidPicture(1, 1, {8, 8, 8});
    ASSERT_EQ(InsertLayer(*stack, image, mask, 1, false), kInsertOk);
    EXPECT_EQ(std::tie(stack->currentLayer, stack->layers[2].name, stack->layers[1].name),
              std::tuple(2, "layer2", "layer4")) << "still the same layer";

    image = SolidPicture(1, 1, {8, 8, 8});
    EXPECT_EQ(InsertLayer(*stack, image, mask, -1, false), kInsertBadArgument);
}

TEST(LayerStack, InsertionBringsPicturesToTheDocumentDepth)
{
    auto colour = EmptyDocument(4, 4, 24);
    HDIB grey = MakeGreyPicture(2, 2);
    grey.row(0)[0] = 77;
    HDIB none;
    ASSERT_EQ(InsertLayer(*colour, grey, none, 0, false), kInsertOk);
    EXPECT_EQ(std::tuple(colour->layers[0].image.bitCount(), Pixel24(colour->layers[0].image, 0, 0)), std::tuple(24, Rgb{77, 77, 77}));

    HDIB rgb = SolidPicture(2, 2, {100, 200, 50});
    ASSERT_EQ(InsertLayer(*colour, rgb, none, 0, true), kInsertOk);  // kept 8-bit: a mask layer's picture
    EXPECT_EQ(std::tuple(DibGetType(colour->layers[0].image), colour->layers[0].image.row(0)[0]),
              std::tuple(IMG_GREY8, GreyValue(100, 200, 50)));

    auto greyDoc = EmptyDocument(4, 4, 8);
    rgb = SolidPicture(2, 2, {255, 0, 0});
    ASSERT_EQ(InsertLayer(*greyDoc, rgb, none, 0, false), kInsertOk);
    EXPECT_EQ(greyDoc->layers[0].image.row(1)[1], 77);  // 0.3 × 255 rounded

    HDIB pal4 = MakePicture(2, 2, 4, 16);
    HDIB image = SolidPicture(2, 2, {1, 1, 1});
    HDIB wrongMask = MakeGreyFilled(3, 2, 255);
    HDIB colourMask = SolidPicture(2, 2, {1, 1, 1});
    // A 4-bit picture, a mask of another size and a colour mask; the pictures stay the caller's.
    EXPECT_EQ((std::vector<int>{InsertLayer(*greyDoc, pal4, none, 0, false), InsertLayer(*greyDoc, image, wrongMask, 0, false),
                                InsertLayer(*greyDoc, image, colourMask, 0, false)}),
              std::vector<int>(3, kInsertBadDepth));
    EXPECT_TRUE(pal4 && image && wrongMask && colourMask);
    EXPECT_EQ(greyDoc->layerCount, 1);
}

TEST(LayerStack, AddLayerRecordsCentresAndWithdrawsOnFailure)
{
    auto stack = EmptyDocument(11, 9);
    RecordingUndo undo(*stack);
    AppendLayer(*stack, SolidPicture(11, 9, {0, 0, 0}));
    stack->selectionActive = 1;
    stack->selectionMask = MakeGreyFilled(2, 2, 1);

    ASSERT_TRUE(AddLayer(*stack, 1, SolidPicture(4, 2, {5, 5, 5}), {}, true, false));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerAdd});
    EXPECT_EQ(undo.steps[0].values, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(std::tuple(stack->currentLayer, stack->layers[1].x, stack->layers[1].y, stack->selectionActive, bool(stack->selectionMask)),
              std::tuple(1, (11 - 4) / 2, (9 - 2) / 2, 0u, false));

    // A picture larger than the document centres at a negative offset, truncating toward zero.
    ASSERT_TRUE(AddLayer(*stack, 0, SolidPicture(14, 12, {5, 5, 5}), {}, true, false));
    EXPECT_EQ(std::pair(stack->layers[0].x, stack->layers[0].y), std::pair(-1, -1));

    // Without undo the layer keeps the top-left placement.
    ASSERT_TRUE(AddLayer(*stack, 3, SolidPicture(2, 3, {5, 5, 5}), {}, false, false));
    EXPECT_EQ(std::pair(stack->layers[3].x, stack->layers[3].y), std::pair(0, 9 - 3));
    EXPECT_EQ(undo.steps.size(), 2u);

    EXPECT_FALSE(AddLayer(*stack, 1, MakePicture(2, 2, 1, 2), {}, true, false));
    EXPECT_EQ(std::tuple(undo.withdrawn, undo.steps.size()), std::tuple(1, 2u));
    EXPECT_FALSE(AddLayer(*stack, 6, SolidPicture(1, 1, {}), {}, true, false));  // beyond the count
    EXPECT_EQ(stack->layerCount, 4);
}

TEST(LayerStack, DeletingRecordsItsIndexAndTheLayerAboveBecomesCurrent)
{
    auto stack = Document(3);
    RecordingUndo undo(*stack);
    stack->currentLayer = 0;
    ASSERT_TRUE(DeleteLayer(*stack, 0, true));
    EXPECT_EQ(std::tuple(stack->currentLayer, LayerNames(*stack), bool(stack->layers[2].image)),
              std::tuple(0, std::vector<std::string>{"layer2", "layer3"}, false));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerDelete});
    // Recorded before the change.
    EXPECT_EQ(std::tuple(undo.steps[0].layerCount, undo.steps[0].values), std::tuple(3, std::vector<std::int32_t>{0}));

    stack->currentLayer = 1;
    ASSERT_TRUE(DeleteLayer(*stack, 1, false));
    EXPECT_EQ(std::tuple(stack->currentLayer, stack->layerCount), std::tuple(0, 1));
    EXPECT_FALSE(DeleteLayer(*stack, 1, true));

    // Without a step the layer goes all the same.
    undo.refuse = true;
    ASSERT_TRUE(DeleteLayer(*stack, 0, true));
    EXPECT_EQ(stack->layerCount, 0);
}

TEST(LayerStack, MovingKeepsTheCurrentLayerOnItsLayer)
{
    auto stack = Document(5);
    RecordingUndo undo(*stack);
    stack->currentLayer = 1;
    ASSERT_TRUE(MoveLayer(*stack, 3, 0, true));
    EXPECT_EQ(std::tuple(LayerNames(*stack), stack->currentLayer),
              std::tuple(std::vector<std::string>{"layer4", "layer1", "layer2", "layer3", "layer5"}, 2));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerMove});
    EXPECT_EQ(undo.steps[0].values, (std::vector<std::int32_t>{3, 0}));

    ASSERT_TRUE(MoveLayer(*stack, 0, 4, false));
    EXPECT_EQ(std::tuple(LayerNames(*stack), stack->currentLayer),
              std::tuple(std::vector<std::string>{"layer1", "layer2", "layer3", "layer5", "layer4"}, 1));
    stack->currentLayer = 4;
    ASSERT_TRUE(MoveLayer(*stack, 4, 2, false));
    EXPECT_EQ(stack->currentLayer, 2);
    EXPECT_FALSE(MoveLayer(*stack, 0, 5, true));
    EXPECT_EQ(undo.steps.size(), 1u);
}

TEST(LayerStack, PropertiesRefuseBadIndexes)
{
    auto stack = Document(2);
    RecordingUndo undo(*stack);
    // Setters answer the old value, toggles the new one; a bad index answers -1.
    EXPECT_EQ((std::vector<int>{SetCurrentLayer(*stack, 1), SetCurrentLayer(*stack, 2), GetCurrentLayer(*stack)}),
              (std::vector<int>{0, -1, 1}));
    EXPECT_EQ((std::vector<int>{ToggleLayerVisible(*stack, 0), IsLayerVisible(*stack, 0), CountVisibleLayers(*stack),
                                ToggleLayerLinked(*stack, 1), IsLayerLinked(*stack, 1), SetLayerMaskLocked(*stack, 0, true),
                                IsLayerMaskLocked(*stack, 0), IsLayerVisible(*stack, 2), ToggleLayerLinked(*stack, -1)}),
              (std::vector<int>{0, 0, 1, 1, 1, 0, 1, -1, -1}));

    EXPECT_EQ((std::vector<int>{SetLayerOpacity(*stack, 0, 40, true), GetLayerOpacity(*stack, 0),
                                SetLayerOpacity(*stack, 0, 250, false), GetLayerOpacity(*stack, 0),
                                SetLayerOpacity(*stack, 3, 10, true)}),
              (std::vector<int>{100, 40, 40, 100, -1}));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerOpacity});
    // The changed layer stood as current while recording, and the current one is back.
    EXPECT_EQ(std::tuple(undo.steps[0].currentLayer, stack->currentLayer), std::tuple(0, 1));

    EXPECT_TRUE(SetLayerName(*stack, 0, std::string(300, 'n')));
    EXPECT_EQ(GetLayerName(*stack, 0)->size(), 255u);
    // A two-byte character straddling the limit is left out whole.
    EXPECT_TRUE(SetLayerName(*stack, 0, std::string(254, 'a') + "ção"));
    EXPECT_EQ(*GetLayerName(*stack, 0), std::string(254, 'a'));
    EXPECT_FALSE(GetLayerName(*stack, 2));
    EXPECT_EQ(std::tuple(GetLayerImageSlot(*stack, 1), GetLayerImageSlot(*stack, 2)), std::tuple(&stack->layers[1], nullptr));
}

TEST(LayerStack, RectanglesAndLinkedMoves)
{
    auto stack = EmptyDocument(20, 10);
    AppendLayer(*stack, SolidPicture(4, 3, {}), {}, 2, 1);
    AppendLayer(*stack, SolidPicture(2, 2, {}), {}, 10, 5);
    AppendLayer(*stack, SolidPicture(1, 1, {}), {}, 0, 0);
    EXPECT_EQ(*GetLayerTopDownRect(*stack, 0), (Rect{2, 6, 6, 9})) << "4 x 3 whose bottom row is row 1 from the bottom";
    EXPECT_FALSE(GetLayerTopDownRect(*stack, 3));

    stack->currentLayer = 0;
    stack->layers[1].linked = true;  // linked, but the current layer is not: it stays
    auto damaged = OffsetLinkedLayers(*stack, {5, 5}, {8, 4});
    ASSERT_TRUE(damaged);
    // One row up in top-down terms; the linked layer stays.
    EXPECT_EQ(std::tuple(stack->layers[0].x, stack->layers[0].y, stack->layers[1].x, *damaged), std::tuple(5, 2, 10, Rect{2, 5, 10, 10}));

    stack->layers[0].linked = true;
    damaged = OffsetLinkedLayers(*stack, {0, 0}, {-1, 2});
    ASSERT_TRUE(damaged);
    // The third layer is neither current nor linked.
    EXPECT_EQ(std::tuple(stack->layers[0].x, stack->layers[1].x, stack->layers[1].y, stack->layers[2].x, *damaged),
              std::tuple(4, 9, 3, 0, Rect{4, 3, 13, 11}));
    EXPECT_FALSE(OffsetLinkedLayers(*stack, {3, 3}, {3, 3}));
}

// A layer added from a file is named after the file; layers of a layered file keep theirs.
TEST(LayerFromFile, NamedAfterTheFileWithoutFolderOrExtensionCutTo63Characters)
{
    EXPECT_EQ(LayerNameForPicturePath("/fotos/praia.2024.jpg"), "praia.2024");
    EXPECT_EQ(LayerNameForPicturePath("céu"), "céu");
    EXPECT_EQ(LayerNameForPicturePath("/fotos/.oculta"), ".oculta") << "a leading dot is no extension";
    EXPECT_EQ(LayerNameForPicturePath("/fotos.d/semponto"), "semponto");
    EXPECT_EQ(LayerNameForPicturePath(std::string(63, 'a') + ".bmp"), std::string(63, 'a'));
    std::string cedillas;
    for (int n = 0; n < 70; ++n)
        cedillas += "ç";
    EXPECT_EQ(LayerNameForPicturePath("/x/" + cedillas + ".png"), cedillas.substr(0, 63 * 2))
        << "characters, not bytes";
}

TEST(LayerFromFile, ALayeredFileKeepsItsOwnNamesAndWithoutAFileNothingIsRenamed)
{
    auto document = CreateLayerStackFromImage(SolidPicture(20, 10, {1, 2, 3}));
    ASSERT_TRUE(document);
    const auto flat = CreateLayerStackFromImage(SolidPicture(8, 8, {9, 9, 9}));

    auto layered = CreateLayerStackFromImage(SolidPicture(8, 8, {9, 9, 9}));
    layered->layers[0].name = "Céu";
    ASSERT_TRUE(AddLayersFrom(*document, *layered, "/fotos/montagem.vlf"));
    EXPECT_EQ(LayerNames(*document)[0], "Céu");
    ASSERT_TRUE(AddLayersFrom(*document, *flat));
    EXPECT_EQ(LayerNames(*document)[0], "Fundo") << "without a file (the clipboard) nothing is renamed";
}

// The mouse rules of the layer palette's rows.

// One letter a layer: `L` linked and `V` shown, `-` not, top first, and the current layer.
std::tuple<std::string, std::string, int> Rows(const LayerStack& s)
{
    std::string links, shown;
    for (int i = 0; i < s.layerCount; ++i) {
        links += s.layers[std::size_t(i)].linked ? 'L' : '-';
        shown += s.layers[std::size_t(i)].visible ? 'V' : '-';
    }
    return {links, shown, s.currentLayer};
}

TEST(LayerPaletteRules, PlainClickMakesCurrentShowsAndClearsLinksOfAnUnlinkedLayer)
{
    auto s = Document(4);
    s->layers[1].linked = s->layers[2].linked = true;
    s->layers[3].visible = false;
    EXPECT_TRUE(ClickLayerRow(*s, 3));
    EXPECT_EQ(Rows(*s), std::tuple("----", "VVVV", 3)) << "a hidden layer made current is shown";

    s->layers[1].linked = s->layers[2].linked = true;
    EXPECT_TRUE(ClickLayerRow(*s, 2));
    EXPECT_EQ(Rows(*s), std::tuple("-LL-", "VVVV", 2)) << "a linked layer keeps the links";
    EXPECT_FALSE(ClickLayerRow(*s, 2)) << "already current";
    EXPECT_FALSE(ClickLayerRow(*s, 4) || ClickLayerRow(*s, -1));
}

TEST(LayerPaletteRules, CtrlClickLinksAndUnlinksAsTheVisibleCountSays)
{
    auto s = Document(3);
    s->currentLayer = 0;
    s->layers[2].visible = false;
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(Rows(*s), std::tuple("L-L", "VVV", 0)) << "the clicked layer is shown";
    // Three visible layers: only the clicked one goes.
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(std::get<0>(Rows(*s)), "L--");
    // Exactly two visible: both links go.
    s->layers[1].visible = false;
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(std::get<0>(Rows(*s)), "L-L");
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(std::get<0>(Rows(*s)), "---");
    EXPECT_FALSE(CtrlClickLayerRow(*s, 3));
}

TEST(LayerPaletteRules, ShiftClickLinksAndShowsTheRangeAndUnlinksTheRest)
{
    auto s = Document(6);
    s->currentLayer = 4;
    s->layers[0].linked = s->layers[5].linked = true;
    s->layers[2].visible = s->layers[5].visible = false;
    EXPECT_TRUE(ShiftClickLayerRow(*s, 1));
    EXPECT_EQ(Rows(*s), std::tuple("-LLLL-", "VVVVV-", 4)) << "outside the range stays hidden";
    EXPECT_TRUE(ShiftClickLayerRow(*s, 4));
    EXPECT_EQ(std::get<0>(Rows(*s)), "----L-") << "the current row alone";
}

TEST(LayerPaletteRules, TrackPointsGiveZeroToHundredPastEitherEnd)
{
    // The ends, the middle, one short of the end, far past both ends without overflow, and a
    // track with no length.
    EXPECT_EQ((std::vector<int>{OpacityAtTrackPoint(79, 79, 179), OpacityAtTrackPoint(-1000, 79, 179),
                                OpacityAtTrackPoint(129, 79, 179), OpacityAtTrackPoint(178, 79, 179),
                                OpacityAtTrackPoint(179, 79, 179), OpacityAtTrackPoint(1 << 30, 79, 179),
                                OpacityAtTrackPoint(-(1 << 30), 0, 1), OpacityAtTrackPoint(5, 79, 79)}),
              (std::vector<int>{0, 0, 50, 99, 100, 100, 0, 0}));
}

TEST(LayerPaletteRules, AnOpacityDragRecordsOnceAtItsFirstChange)
{
    auto s = Document(2);
    RecordingUndo undo(*s);
    s->layers[1].opacity = 70;
    OpacityDrag drag(*s, 1);
    EXPECT_FALSE(drag.moveTo(149, 79, 179) || !undo.steps.empty()) << "70 again: no change, no step";
    EXPECT_TRUE(drag.moveTo(300, 79, 179) && drag.moveTo(0, 79, 179));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerOpacity});
    EXPECT_EQ(undo.steps[0].currentLayer, 1) << "the dragged layer stands as current while recording";
}

// Copy and paste of layers: the private format's round trip and its defences, the
// picture other programs take and give, and where a pasted piece lands.
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
    l.linked = l.maskLocked = true;
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

    auto back = ParseClipboardLayer(SerializeClipboardLayer(*copied));
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
    const std::vector<std::uint8_t> bytes = SerializeClipboardLayer(*CopyCurrentLayer(*Source()));
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
    m.image = SharedPicture(MakeGreyFilled(6, 4, 77));
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

// Compositing: hand-computed pixels, random documents of every kind of layer pinned, whole and in
// part; and merging layers.
class Compositing : public ::testing::Test {
protected:
    void SetUp() override { SetTransparencyGridScheme(0); }
    void TearDown() override { SetTransparencyGridScheme(0); }
};

HDIB RandomMask(std::mt19937& random, int width, int height)
{
    HDIB mask = MakeGreyFilled(width, height, 0);
    std::uniform_int_distribution<int> pick(0, 9);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int kind = pick(random);
            mask.row(y)[x] = std::uint8_t(kind < 2 ? 0 : kind < 4 ? 255 : random() & 255);
        }
    return mask;
}

HDIB RandomPicture(std::mt19937& random, int width, int height, bool grey)
{
    HDIB picture = grey ? MakeGreyFilled(width, height, 0) : AllocatePicture(width, height, 24, 0);
    const int channels = grey ? 1 : 3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * channels; ++x)
            picture.row(y)[x] = std::uint8_t(random() % 5 == 0 ? 0 : random() & 255);
    return picture;
}

// Layers of every kind (grey ones in colour documents too), partly outside the document,
// some hidden, some mask layers in runs.
std::unique_ptr<LayerStack> RandomDocument(std::mt19937& random, int width, int height, int bitCount, int layers)
{
    auto stack = EmptyDocument(width, height, bitCount);
    std::uniform_int_distribution<int> wide(width / 2, width + 8), high(height / 2, height + 8);
    std::uniform_int_distribution<int> column(-6, width / 2), row(-6, height / 2), percent(1, 100);
    for (int i = 0; i < layers; ++i) {
        const int w = wide(random), h = high(random);
        const bool maskLayer = random() % 3 == 0;
        const bool grey = maskLayer || bitCount == 8 || random() % 5 == 0;
        const std::uint32_t opacity = random() % 8 == 0 ? 100 : random() % 8 == 0 ? 0 : std::uint32_t(percent(random));
        LayerRecord& r = AppendLayer(*stack, RandomPicture(random, w, h, grey), RandomMask(random, w, h), column(random),
                                     row(random), opacity, grey);
        r.kind = maskLayer ? LAYER_MASK : LAYER_IMAGE;
        r.visible = random() % 6 != 0;
    }
    return stack;
}

// By hand: an opaque layer shows its own colour; half of 200 over a light square of the grid
// (255) is (200 × 128 + 255 × 128 + 128) >> 8 = 228; hidden layers and those at opacity 0 add
// nothing; the squares alternate every eight pixels from the bottom-left.
TEST_F(Compositing, OpaqueHalfAndHiddenLayersOverTheGrid)
{
    auto stack = EmptyDocument(24, 16);
    AppendLayer(*stack, SolidPicture(24, 16, {0, 0, 0}), {}, 0, 0, 0);
    AppendLayer(*stack, SolidPicture(8, 8, {10, 20, 30}));
    AppendLayer(*stack, SolidPicture(8, 8, {200, 200, 200}), {}, 8, 0, 50);
    AppendLayer(*stack, SolidPicture(24, 16, {0, 0, 0})).visible = false;
    CompositeLayers(*stack);
    const auto even = GridEvenColour(0);
    const Rgb light{255, 255, 255}, dark{even[0], even[1], even[2]}, half{228, 228, 228};
    std::vector<Rgb> got;
    for (const Point p : {Point{7, 7}, Point{8, 0}, Point{15, 7}, Point{0, 8}, Point{23, 15}, Point{8, 8}, Point{16, 0}})
        got.push_back(Pixel24(stack->composite, p.x, p.y));
    EXPECT_EQ(got, (std::vector<Rgb>{{10, 20, 30}, half, half, light, light, dark, dark}));
}

// Random documents of every kind, colour and grey, in every grid scheme: the composites pinned
// (checked pixel by pixel against the walk written out when pinned); a partial rebuild gives the
// whole one's bytes inside its rectangle and leaves the rest alone.
TEST_F(Compositing, RandomDocumentsStayAsPinnedAndPartialRebuildsMatchWholeOnes)
{
    std::mt19937 random(7);
    std::uint32_t pinned = 2166136261u;
    for (int round = 0; round < 24; ++round) {
        SetTransparencyGridScheme(round % 3);
        const int bitCount = round % 4 == 3 ? 8 : 24;
        auto stack = RandomDocument(random, 37, 29, bitCount, 3 + round % 12);
        CompositeLayers(*stack);
        pinned = PixelChecksum(stack->composite, pinned);
        const HDIB whole = DibDuplicate(stack->composite);

        std::uniform_int_distribution<int> coord(-5, 40);
        for (int i = 0; i < 25; ++i) {
            std::memset(stack->composite.pixels(), 0x5A, stack->composite.header().biSizeImage);
            Rect r{coord(random), coord(random), coord(random), coord(random)};
            CompositeLayers(*stack, r);
            const int channels = bitCount / 8;
            for (int row = 0; row < 29; ++row)
                for (int b = 0; b < 37 * channels; ++b) {
                    const bool inRect = r.contains({b / channels, 29 - 1 - row});
                    ASSERT_EQ(stack->composite.row(row)[b], inRect ? whole.row(row)[b] : 0x5A) << b << "," << row;
                }
        }
    }
    EXPECT_EQ(pinned, 1990909708u);
}

TEST(Merge, TwoLinkedHalfLayersBecomeOneAtSeventyFivePercent)
{
    auto stack = EmptyDocument(6, 4);
    RecordingUndo undo(*stack);
    AppendLayer(*stack, SolidPicture(2, 2, {200, 200, 200}), {}, 0, 0, 50).linked = true;
    AppendLayer(*stack, SolidPicture(3, 1, {100, 100, 100}), {}, 1, 0, 50).linked = true;
    AppendLayer(*stack, SolidPicture(6, 4, {0, 0, 0}));
    stack->layers[0].visible = true;
    stack->currentLayer = 0;

    ASSERT_TRUE(MergeLinkedLayers(*stack, false));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoMergeLinked});
    EXPECT_EQ(undo.steps[0].values, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(undo.steps[0].links, (std::vector<bool>{false, false, false}));  // recorded unlinked

    EXPECT_EQ(LayerNames(*stack), (std::vector<std::string>{"layer1", "layer3"}));
    const LayerRecord& merged = stack->layers[0];
    // O = 128 + 64 = 192.
    EXPECT_EQ(std::tuple(stack->currentLayer, merged.opacity, merged.linked, merged.kind, merged.x, merged.y),
              std::tuple(0, 75u, true, LAYER_IMAGE, 0, 0));
    ASSERT_EQ(std::pair(merged.image.width(), merged.image.height()), std::pair(4, 2));
    // Both layers: S = 200 × 128 + 100 × 64, A = 192; 65536 / 192 = 341. Only the front layer:
    // A = 128, M = 128 × 341 >> 8. Neither: nothing.
    EXPECT_EQ((std::vector<int>{Pixel24(merged.image, 1, 0).r, merged.mask.row(0)[1], Pixel24(merged.image, 0, 1).r,
                                merged.mask.row(1)[0], Pixel24(merged.image, 3, 1).r, merged.mask.row(1)[3]}),
              (std::vector<int>{(32000 * 341 + 32768) >> 16, 255, 200, (128 * 341) >> 8, 0, 0}));
    EXPECT_FALSE(stack->layers[2].image);
}

TEST(Merge, MaskLayersMergeIntoAMaskLayer)
{
    auto stack = EmptyDocument(2, 1);
    LayerRecord& front = AppendLayer(*stack, MakeGreyFilled(2, 1, 200), MakeGreyFilled(2, 1, 100), 0, 0, 50, true);
    LayerRecord& back = AppendLayer(*stack, MakeGreyFilled(1, 1, 150), MakeGreyFilled(1, 1, 60), 0, 0, 100, true);
    front.kind = back.kind = LAYER_MASK;
    front.linked = back.linked = true;
    stack->currentLayer = 1;
    ASSERT_EQ(MergeLayers(*stack, MergeMode::Linked, false), 0);
    const LayerRecord& merged = stack->layers[0];
    // The current layer's record hosts the result.
    EXPECT_EQ(std::tie(merged.name, merged.kind, merged.opacity), std::tuple("layer2", LAYER_MASK, 100u));
    EXPECT_EQ(merged.image.bitCount(), 8);
    const int c = (200 * 128) >> 8;
    // The back layer does not cover the second pixel.
    EXPECT_EQ((std::vector<int>{merged.image.row(0)[0], merged.mask.row(0)[0], merged.image.row(0)[1], merged.mask.row(0)[1]}),
              (std::vector<int>{((150 + 1) * 256 * c + 128) >> 16, ((60 + 1) * 100) >> 8, 0, 0}));
}

TEST(Merge, VisibleModeFillsTheCurrentRecordAndRemovesNothing)
{
    auto stack = EmptyDocument(3, 2);
    AppendLayer(*stack, SolidPicture(1, 1, {90, 90, 90}), {}, 2, 1);
    AppendLayer(*stack, SolidPicture(3, 2, {10, 20, 30}), {}, 0, 0, 100);
    AppendLayer(*stack, SolidPicture(3, 2, {1, 1, 1}), {}, 0, 0).visible = false;
    stack->currentLayer = 2;
    ASSERT_EQ(MergeLayers(*stack, MergeMode::Visible, true), 2);
    EXPECT_EQ(stack->layerCount, 3);
    const LayerRecord& result = stack->layers[2];
    // It keeps its flags.
    EXPECT_EQ(std::tuple(result.opacity, result.visible, int(result.mask.row(0)[0])), std::tuple(100u, false, 255));
    EXPECT_EQ(std::pair(Pixel24(result.image, 2, 1), Pixel24(result.image, 0, 0)), std::pair(Rgb{90, 90, 90}, Rgb{10, 20, 30}));
}

TEST(Merge, NothingToMergeLeavesTheStackAlone)
{
    auto stack = EmptyDocument(3, 3);
    RecordingUndo undo(*stack);
    AppendLayer(*stack, SolidPicture(1, 1, {}));
    EXPECT_TRUE(!MergeLinkedLayers(*stack, false) && undo.steps.empty());

    stack->layers[0].linked = true;
    stack->layers[0].visible = false;
    EXPECT_FALSE(MergeLinkedLayers(*stack, false));  // hidden only: no rectangle
    EXPECT_EQ(std::tuple(undo.steps.size(), undo.withdrawn, stack->layerCount, bool(stack->layers[0].image)), std::tuple(0u, 1, 1, true));

    // With the whole document, hidden layers give an empty, transparent result.
    ASSERT_EQ(MergeLayers(*stack, MergeMode::Linked, true), 0);
    EXPECT_EQ(std::tuple(stack->layers[0].image.width(), stack->layers[0].opacity, int(stack->layers[0].mask.row(1)[1])), std::tuple(3, 0u, 0));
}

TEST(Merge, WithoutALinkedCurrentLayerTheFrontLinkedRecordHoldsTheResult)
{
    auto stack = EmptyDocument(4, 4);
    AppendLayer(*stack, SolidPicture(1, 1, {}));
    AppendLayer(*stack, SolidPicture(1, 1, {}), {}, 1, 1).linked = true;
    AppendLayer(*stack, SolidPicture(1, 1, {}), {}, 3, 3).linked = true;
    stack->currentLayer = 0;
    ASSERT_EQ(MergeLayers(*stack, MergeMode::Linked, false), 1);
    EXPECT_EQ(LayerNames(*stack), (std::vector<std::string>{"layer1", "layer2"}));
    EXPECT_EQ(std::tuple(stack->currentLayer, stack->layers[1].image.width(), stack->layers[1].x, stack->layers[1].y), std::tuple(1, 3, 1, 1));
}

// Folding layers into one must not change what the document looks like, beyond rounding.
TEST(Merge, AMergedDocumentLooksLikeTheOriginal)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> percent(1, 100), place(-4, 10);
    for (int round = 0; round < 6; ++round) {
        auto stack = EmptyDocument(24, 18);
        for (int i = 0; i < 4; ++i) {
            HDIB image = RandomPicture(random, 16, 12, false);
            HDIB mask = RandomMask(random, 16, 12);
            const int x = place(random), y = place(random);
            AppendLayer(*stack, std::move(image), std::move(mask), x, y, std::uint32_t(percent(random))).linked = true;
        }
        CompositeLayers(*stack);
        const HDIB before = DibDuplicate(stack->composite);
        ASSERT_TRUE(MergeLinkedLayers(*stack, true));
        ASSERT_EQ(stack->layerCount, 1);
        CompositeLayers(*stack);
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 24 * 3; ++x)
                ASSERT_NEAR(stack->composite.row(y)[x], before.row(y)[x], 3) << x / 3 << "," << y;
    }
}

}  // namespace
}  // namespace lv::testing
