// Steps of every kind mixed on one document through the real undo table: each undoes and
// redoes whatever came before or after it, in order and at random, and keeps only what its
// kind keeps. Faults hid in sequences that mix kinds, so every walk mixes them. The text
// tool's lettering is one action with its shadow, and puts lifted content down first; the
// layer commands' refusals leave no step, and merge and flatten keep what they must.

#include "app/core/effects_bridge.h"
#include "app/core/tests/text_tool_support.h"
#include "app/core/tests/undo_walk.h"
#include "common/testing/ui_recorder.h"
#include "edit/layer_commands.h"
#include "edit/layer_palette_rules.h"
#include "edit/layer_pictures.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/gradient_fill.h"
#include "edit/paint/paint_stroke.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/layer_placement.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/shape_mask.h"
#include "edit/tests/test_fonts.h"
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "edit/tools/tool_registry.h"
#include "edit/undo_hooks.h"
#include "effects/operation_codes.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

// The kinds of step, each as a user makes it.

Step PaintBelow(int layer)  // a brush on another layer; the top one is current again after it
{
    return {"paint below", [=](LayerStack& d) {
                SetCurrentLayer(d, layer);
                ASSERT_TRUE(RecordUndoStep(d, 1001));
                PaintCurrentLayer(d, 90);
                SetCurrentLayer(d, 0);
            }};
}
Step Stroke(PaintKind kind, std::vector<Point> points)
{
    return {"stroke", [=](LayerStack& d) {
                UiRecorder ui;
                StrokeSetup setup;
                setup.kind = kind;
                setup.colour = {250, 20, 90};
                setup.options.brush.size = 6;
                setup.options.brush.speed = 32;
                setup.cloneOffset = Point{-5, -3};
                PaintStroke stroke;
                for (std::size_t i = 0; i < points.size(); ++i)
                    stroke.step(d, ui, setup, points[i], i == 0);
                stroke.finish();
                ASSERT_TRUE(ui.messages.empty());
            }};
}
Step Bucket(Point at)
{
    return {"bucket", [=](LayerStack& d) {
                UiRecorder ui;
                PaintOptions fill;
                fill.fillTransparency = 30;
                ASSERT_TRUE(BucketFill(d, ui, at, {10, 200, 10}, fill));
            }};
}
Step Gradient(Point from, Point to)
{
    return {"gradient", [=](LayerStack& d) {
                UiRecorder ui;
                ASSERT_TRUE(GradientFill(d, ui, from, to, {0, 0, 0}, {255, 255, 255}, GradientShape::Linear));
            }};
}

Step Select(Rect r, CombineMode mode = CombineMode::New)
{
    return {"select", [=](LayerStack& d) { ASSERT_TRUE(SelectRectangle(d, r, mode)); }};
}
Step SelectEllipse(Rect r, CombineMode mode = CombineMode::New)
{
    return {"select ellipse", [=](LayerStack& d) { ASSERT_TRUE(ChangeSelection(d, *EllipseRegion(r), mode, kUndoShapeSelection)); }};
}
Step ShapeTool(int toolId, Rect r, CombineMode pageMode)  // a drag of the rectangle or ellipse tool
{
    return {"shape tool", [=](LayerStack& d) {
                DocumentWindow window(d);
                window.view.clip = {0, 0, 400, 300};
                window.settings().wand.combine = pageMode;
                Tool& tool = *Tools().find(toolId);
                const Point to{r.right - 1, r.bottom - 1};
                tool.press(window, PointerAt({r.left, r.top}, MouseButton::Left, false, {}));
                tool.move(window, PointerAt(to, MouseButton::Left, true, {}));
                tool.release(window, PointerAt(to, MouseButton::Left, false, {}));
            }};
}
Step SwitchLayer(int layer, int undos)  // a click on the palette's row
{
    return {"switch layer", [=](LayerStack& d) { ASSERT_TRUE(ClickLayerRow(d, layer)); }, undos, undos};
}
Step XorShape(Rect r)  // a shape mask of the selection tools
{
    return {"xor shape", [=](LayerStack& d) {
                HDIB ellipse = MakeShapeMask(r.right - r.left, r.bottom - r.top, SelectionShape::Ellipse);
                ChangeSelection(d, {std::move(ellipse), r}, CombineMode::Xor, kUndoShapeSelection);
            }};
}
Step RawSelection()  // selection values set by hand after their step
{
    return {"raw selection", [](LayerStack& d) {
                ASSERT_TRUE(RecordUndoStep(d, 3001));
                d.selectionActive = 1;
                d.selectionRect = {1, 1, 9, 7};
                d.selectionMask = MakeGreyFilled(8, 6, 200);
            }};
}
Step Wand(Point at, int tolerance = 32)
{
    return {"wand", [=](LayerStack& d) {
                WandSettings wand;
                wand.tolerance = {tolerance, tolerance, tolerance};
                ASSERT_TRUE(MagicWandClick(d, at, wand));
            }};
}
Step MoveOutline(int dx, int dy)
{
    return {"move outline", [=](LayerStack& d) { ASSERT_TRUE(MoveSelectionOutline(d, dx, dy)); }};
}
Step MoveContent(int dx, int dy, bool keepSource = false)
{
    return {"move content", [=](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, dx, dy, keepSource)); }};
}
Step DeleteContent() { return {"delete content", [](LayerStack& d) { ASSERT_TRUE(DeleteSelectionContent(d)); }}; }
Step Crop() { return {"crop", [](LayerStack& d) { ASSERT_TRUE(CropToSelection(d)); }}; }
Step Deselect() { return {"deselect", [](LayerStack& d) { ASSERT_TRUE(RemoveSelection(d)); }}; }

Step AddLayerOf(int width, int height, std::uint32_t colour)
{
    return {"add layer", [=](LayerStack& d) { ASSERT_TRUE(AddLayer(d, 0, DibCreate(width, height, colour, false), {}, true, false)); }};
}
Step NewLayer() { return {"new layer", [](LayerStack& d) { ASSERT_TRUE(NewTransparentLayer(d)); }}; }
Step Duplicate() { return {"duplicate", [](LayerStack& d) { ASSERT_TRUE(DuplicateCurrentLayer(d)); }}; }
Step DeleteLayerOrContent()  // the selection's content when there is one, else the layer
{
    return {"delete", [](LayerStack& d) { ASSERT_TRUE(DeleteLayerOrSelection(d)); }};
}
Step MoveLayerTo(int from, int to)
{
    return {"move layer", [=](LayerStack& d) { ASSERT_TRUE(MoveLayer(d, from, to, true)); }};
}
Step MoveCurrent(bool up) { return {"move current", [=](LayerStack& d) { ASSERT_TRUE(MoveCurrentLayer(d, up)); }}; }
Step Merge() { return {"merge down", [](LayerStack& d) { ASSERT_TRUE(MergeDown(d)); }}; }
Step Flatten() { return {"flatten", [](LayerStack& d) { ASSERT_TRUE(FlattenLayers(d)); }}; }
Step Opacity(int layer, int percent)
{
    return {"opacity", [=](LayerStack& d) { ASSERT_GE(SetLayerOpacity(d, layer, percent, true), 0); }};
}
Step Rename(int layer, std::string name)
{
    return {"rename", [=](LayerStack& d) { ASSERT_TRUE(RenameLayer(d, layer, name)); }};
}

Step ResizeLayer(Rect to)
{
    return {"resize layer", [=](LayerStack& d) { ASSERT_TRUE(ResizeCurrentLayer(d, to)); }};
}
Step PlaceLayer(Rect to)
{
    return {"place layer", [=](LayerStack& d) { ASSERT_TRUE(MoveCurrentLayer(d, to)); }};
}
Step Rotate(double degrees)
{
    return {"rotate layer", [=](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, degrees)); }};
}
Step Flip(bool horizontal) { return {"flip", [=](LayerStack& d) { ASSERT_TRUE(FlipDocument(d, horizontal)); }}; }
Step Spin(double degrees) { return {"spin", [=](LayerStack& d) { ASSERT_TRUE(SpinDocument(d, degrees)); }}; }
Step ResizePicture(int width, int height)
{
    return {"resize picture", [=](LayerStack& d) { ASSERT_TRUE(ResizeDocument(d, width, height)); }};
}
Step Canvas(int width, int height, CanvasAnchor anchor)
{
    return {"canvas", [=](LayerStack& d) { ASSERT_TRUE(ResizeCanvas(d, width, height, anchor, 0xFF)); }};
}

// Lettering in 14-pixel Arial at a place of the document.
TextLayerSettings Words(std::string text, int left, int top, std::uint32_t colour = 0)
{
    return {.text = std::move(text), .font = {.height = -14, .faceName = "Arial"}, .colour = colour, .left = left,
            .top = top};
}

// A new text layer, or the current one edited.
Step Letter(std::string text, std::uint32_t colour, bool edit)
{
    return {"text " + text, [=](LayerStack& d) {
                ASSERT_EQ(CreateOrUpdateTextLayer(&d, TestFonts(), Words(text, 3, 4, colour), edit), kTextLayerOk);
            }};
}
Step Shadow()  // a layer added and merged: one action
{
    return {"shadow", [](LayerStack& d) { ASSERT_TRUE(AddDropShadow(d, {2, 70, 2, 1})); }};
}

Step Enhance(int mode, std::vector<int> sliders)
{
    return {"enhance", [=](LayerStack& d) { ASSERT_TRUE(ApplyEnhancement(d, mode, sliders, false)); }};
}
Step Effect(int operation, int strength)
{
    return {"effect", [=](LayerStack& d) { ASSERT_TRUE(ApplyEffect(d, operation, strength, false)); }};
}
Step Preview()  // shown on the composite only: no step
{
    const AdjustmentChoice choice{.kind = AdjustmentChoice::Kind::Enhancement, .mode = 2, .sliders = {90, 10, 50}};
    return {"preview", [=](LayerStack& d) { ASSERT_TRUE(PreviewComposite(d, choice, {0, 0, 40, 30})); }, 0, 0};
}

struct Walk {
    const char* name;
    int layers;
    std::vector<Step> steps;
};

const Walk kWalks[] = {
    {"LayerCommandsAmongPixelAndSelectionSteps", 3,
     {NewLayer(), Paint(200, 1067), Duplicate(), Select({2, 2, 12, 9}), DeleteLayerOrContent(), MoveCurrent(false),
      Merge(), Opacity(1, 35), Rename(2, "céu"), MoveCurrent(true), Deselect(), DeleteLayerOrContent(), Flatten(),
      Paint(40, 1067)}},
    {"StrokesFillsSelectionsAndLayerSteps", 2,
     {Stroke(PaintKind::Brush, {{1, 1}, {12, 6}}), Stroke(PaintKind::Smudge, {{0, 8}, {12, 2}}), Select({3, 2, 14, 9}),
      Stroke(PaintKind::Pen, {{0, 5}, {19, 5}}),  // inside the selection only
      Bucket({5, 3}), MoveContent(2, 1), Stroke(PaintKind::Eraser, {{6, 4}, {9, 6}}),  // on lifted content
      MoveContent(1, 1),
      // The new layer (12 × 8, centred: columns 14..25, rows 11..18) clears the selection.
      AddLayerOf(12, 8, 0x303030), Stroke(PaintKind::Brush, {{16, 12}, {24, 17}}), MoveLayerTo(0, 2), Opacity(1, 40),
      SelectEllipse({12, 10, 24, 18}), Gradient({12, 0}, {24, 0}), Stroke(PaintKind::Clone, {{20, 15}, {24, 17}}),
      Deselect(), Stroke(PaintKind::Airbrush, {{18, 14}, {18, 14}, {18, 14}})}},
    {"SelectionChanges", 2,
     {Wand({3, 3}), Select({30, 20, 38, 28}, CombineMode::Add), XorShape({2, 2, 11, 9}), MoveOutline(3, -1), Deselect()}},
    {"SelectionToolsInThePagesModeAmongOtherSteps", 2,
     {ShapeTool(1101, {2, 2, 8, 8}, CombineMode::New), Paint(120, 1067),
      ShapeTool(1101, {12, 3, 18, 9}, CombineMode::Add), MoveContent(2, 1), Opacity(1, 50),
      ShapeTool(1102, {0, 0, 9, 6}, CombineMode::Subtract), Wand({3, 3}), ShapeTool(1101, {20, 10, 26, 16}, CombineMode::Add),
      Deselect()}},
    {"LiftSwitchLayerAndPaint", 3,
     {Select({2, 2, 10, 8}), MoveContent(3, 2), SwitchLayer(1, 1), MoveContent(1, 1), Paint(60, 1067),
      SwitchLayer(0, 1), MoveContent(2, 0), Stroke(PaintKind::Brush, {{4, 4}, {9, 6}}), Deselect()}},
    {"SelectPaintMoveDeleteAndCrop", 2,
     {Wand({1, 1}, 0), Paint(90, 1067), MoveContent(4, 3), MoveContent(-2, 5) /* lifted: no second lift */,
      Select({0, 0, 6, 6}, CombineMode::Subtract), DeleteContent(), MoveContent(1, 1, true), Paint(17, 1067), Crop()}},
    {"LayerTransformsAmongSelectionPixelAndLayerSteps", 3,
     {ResizeLayer({2, 3, 32, 18}), Select({1, 1, 9, 9}), Rotate(33), Paint(90), PlaceLayer({-4, 7, 20, 30}),
      Opacity(1, 40), MoveLayerTo(0, 2), Rotate(-75)}},
    {"WholePictureGeometryAmongSelectionsAndLayerTurns", 3,
     {Select({5, 5, 15, 12}), Turn(true), Rotate(12), Flip(true), Canvas(50, 45, CanvasAnchor::TopRight),
      Select({0, 0, 4, 4}), ResizePicture(25, 60), Spin(20), Flip(false), Turn(false)}},
    {"TextStepsAmongPixelSelectionAndLayerSteps", 3,
     {Letter("Oi", 0x0000FF, false), PaintBelow(2), RawSelection(), Letter("Olá!", 0x00FF00, true), Opacity(0, 55),
      Shadow(), Letter("fim", 0xFF0000, false)}},
    {"ATurnedTextLayerEditedAmongPaintSteps", 2,
     {Letter("Oi", 0x0000FF, false), Rotate(30), Letter("Olá!", 0x00FF00, true), PaintBelow(1),
      Letter("Tchau", 0xFF0000, true), Rotate(-30)}},
    {"EnhancementsAndEffectsAmongSelectionAndLayerSteps", 2,
     {Enhance(1, {80, 65}), Select({2, 2, 12, 9}), Opacity(0, 40), Effect(effects::kOpNoise, 70), MoveLayerTo(1, 0),
      Enhance(6, {}), Preview()}},
};

class UndoWalks : public ::testing::TestWithParam<Walk> {};

TEST_P(UndoWalks, EveryStateComesBackStepByStepAndInAnyOrder)
{
    UndoWalk walk(GetParam().layers);
    walk.run(GetParam().steps, 17);
}

INSTANTIATE_TEST_SUITE_P(Mixed, UndoWalks, ::testing::ValuesIn(kWalks),
                         [](const ::testing::TestParamInfo<Walk>& info) { return info.param.name; });

// Twelve kinds of step as the table records them, each varied by `n` from one use to the next.
enum class Kind {
    Pixels,         // a brush on the current layer
    Opacity,        // of the bottom layer, whichever is current
    Move,           // the top layer to the bottom
    Add,
    Delete,         // the current layer
    Merge,          // the two top layers, linked for it
    Selection,      // a new selection with its working copies
    Canvas,         // the document grows and the current layer with it
    Attributes,     // the current layer renamed and moved
    Placement,      // the current layer's mask and placement, a pair of steps that undo as one
    WholeDocument,  // zoom, a layer dropped, pixels and selection at once
    AllLayers,      // every layer moved and painted
};
constexpr Kind kKinds[] = {Kind::Pixels,     Kind::Opacity,   Kind::Move,          Kind::Add,
                           Kind::Delete,     Kind::Merge,     Kind::Selection,     Kind::Canvas,
                           Kind::Attributes, Kind::Placement, Kind::WholeDocument, Kind::AllLayers};
const char* const kKindNames[] = {"pixels", "opacity",   "move",           "add",
                                  "delete", "merge",     "selection",      "canvas",
                                  "attributes", "placement", "whole document", "all layers"};

bool Applicable(const LayerStack& doc, Kind kind)
{
    switch (kind) {
    case Kind::Delete:
    case Kind::Merge:
    case Kind::WholeDocument: return doc.layerCount >= 3;
    case Kind::Add: return doc.layerCount < kOrdinaryLayerLimit;
    default: return doc.layerCount >= 1;
    }
}

void Change(LayerStack& doc, Kind kind, int n)
{
    const auto value = std::uint8_t(40 + 17 * n);
    LayerRecord& current = doc.layers[std::size_t(doc.currentLayer)];
    switch (kind) {
    case Kind::Pixels:
        ASSERT_TRUE(RecordUndoStep(doc, 1001));
        PaintCurrentLayer(doc, value);
        break;
    case Kind::Opacity: SetLayerOpacity(doc, doc.layerCount - 1, 10 + n, true); break;
    case Kind::Move: ASSERT_TRUE(MoveLayer(doc, 0, doc.layerCount - 1, true)); break;
    case Kind::Add: ASSERT_TRUE(AddLayer(doc, 1, DibCreate(6 + n % 5, 5, 0x102030u * std::uint32_t(n + 1), false), {}, true, false)); break;
    case Kind::Delete: ASSERT_TRUE(DeleteLayer(doc, doc.currentLayer, true)); break;
    case Kind::Merge:
        doc.layers[0].linked = doc.layers[1].linked = true;
        ASSERT_TRUE(MergeLinkedLayers(doc, false));
        // The result keeps the links; dropping them keeps the next merge to two layers.
        doc.layers[std::size_t(doc.currentLayer)].linked = false;
        break;
    case Kind::Selection:
        ASSERT_TRUE(RecordUndoStep(doc, 3001));
        doc.selectionActive = 1;
        doc.selectionRect = {n, 2, 10 + n, 9};
        doc.selectionMask = MakeGreyFilled(10, 7, value);
        doc.selectionAux = current.image;
        doc.floatingMask = current.mask;
        break;
    case Kind::Canvas:
        ASSERT_TRUE(RecordUndoStep(doc, 9001));
        doc.width = std::uint16_t(doc.width + 4);
        doc.height = std::uint16_t(doc.height + 2);
        current.image = DibCreate(current.image.width() + 4, current.image.height() + 2, 0x0F0F0Fu * value, false);
        current.mask = MakeGreyFilled(current.image.width(), current.image.height(), value);
        current.aspect = LayerAspect(current.image);
        break;
    case Kind::Attributes:
        ASSERT_TRUE(RecordUndoStep(doc, 21000));
        current.name = "renomeada " + std::to_string(n);
        current.x += 3;
        current.maskLocked = !current.maskLocked;
        break;
    case Kind::Placement:
        ASSERT_TRUE(RecordUndoStep(doc, 21000));
        current.name = "colocada " + std::to_string(n);
        ASSERT_TRUE(RecordUndoStep(doc, 51000));
        current.mask.write().row(0)[0] = value;
        current.textPlacement[0] = 1.5 + n;
        current.sourceImage = std::make_shared<HDIB>(DibCreate(2, 2, 0x010203, false));
        break;
    case Kind::WholeDocument:
        ASSERT_TRUE(RecordUndoStep(doc, 71000));
        doc.view.zoomLevel = std::uint32_t(n % 7 - 3);
        DeleteLayer(doc, doc.layerCount - 1, false);
        PaintCurrentLayer(doc, value);
        doc.layers[0].name = "tudo " + std::to_string(n);
        doc.selectionActive = 0;
        doc.selectionMask.reset();
        break;
    case Kind::AllLayers:
        ASSERT_TRUE(RecordUndoStep(doc, 12001, {1}));
        for (int i = 0; i < doc.layerCount; ++i) {
            LayerRecord& layer = doc.layers[std::size_t(i)];
            layer.y -= 2;
            layer.image.write().row(0)[0] = value;
        }
        doc.view.zoomLevel = std::uint32_t(n % 5);
        break;
    }
}

// Undoing a placement carries on through the step before it; redo goes one step at a time.
Step Of(Kind kind, int n)
{
    return {kKindNames[int(kind)], [=](LayerStack& d) { Change(d, kind, n); }, 1, kind == Kind::Placement ? 2 : 1};
}

TEST(UndoWalk, EveryPairOfKindsUndoesAndRedoesInBothOrders)
{
    for (const Kind first : kKinds)
        for (const Kind second : kKinds) {
            SCOPED_TRACE(std::string(kKindNames[int(first)]) + " then " + kKindNames[int(second)]);
            UndoWalk walk(4);
            SetCurrentLayer(walk.doc(), 1);
            walk.restart();
            walk.apply({Of(first, 1), Of(second, 2)});
            walk.expectEveryStepChanged();
            walk.walkBackAndForth();
            if (::testing::Test::HasFatalFailure())
                return;
        }
}

// A long walk of steps, undos and redos in an order the generator picks, against the
// history a user would expect.
TEST(UndoWalk, ARandomMixOfStepsUndosAndRedosFollowsTheHistory)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        UndoWalk walk(5);
        int steps = 0;
        for (int turn = 0; turn < 150 && steps < 60 && !::testing::Test::HasFatalFailure(); ++turn) {
            const unsigned choice = random() % 4;
            if (choice == 0 && walk.canUndo()) {
                walk.undo();
            } else if (choice == 1 && walk.canRedo()) {
                walk.redo();
            } else {
                const Kind kind = kKinds[random() % std::size(kKinds)];
                if (Applicable(walk.doc(), kind)) {
                    walk.apply(Of(kind, turn));
                    ++steps;
                }
            }
        }
        while (walk.canUndo() && !::testing::Test::HasFatalFailure())
            walk.undo();
    }
}

// The text tool's press with the screen filled in: new lettering, or the text layer under
// the point edited. With `expectedLayer`, content lifted before it must have gone down into
// its layer and that layer be current after.
Step Lettering(std::string words, bool shadow, Point at, int expectedLayer = -1)
{
    return {"text tool " + words, [=](LayerStack& d) {
                const int lifted = d.currentLayer;
                const int layers = d.layerCount;
                FilledTextScreen screen;
                screen.words = words;
                screen.shadow = shadow;
                TextTool tool;
                tool.setScreen(&screen);
                DocumentWindow window(d);
                ASSERT_TRUE(tool.press(window, PointerAt(at)).wholeDocument);
                EXPECT_GE(d.layerCount, layers);
                if (expectedLayer >= 0) {
                    EXPECT_FALSE(d.selectionAux) << "the lifted content went down into layer " << lifted;
                    EXPECT_FALSE(d.floatingUnderImage);
                    EXPECT_EQ(d.currentLayer, expectedLayer);
                }
            }};
}
Step ShadowOnly() { return {"shadow", [](LayerStack& d) { ASSERT_TRUE(AddDropShadow(d, {3, 50, 1, 2})); }}; }

// Lettering placed with a shadow is one user action: one undo takes back the text, the
// shadow and their merge together, whatever steps come before and after it.
TEST(TextActionUndo, TextWithAShadowUndoesAndRedoesAsOneStepAmongOtherKinds)
{
    UndoWalk walk(2);
    walk.run({Lettering("Oi", true, {4, 5}), Paint(120), Turn(false), Lettering("Olá", true, {2, 2}),
              Lettering("sem", false, {20, 3}), Paint(60)},
             38);
}

TEST(TextActionUndo, TheFirstUndoNeverShowsALoneShadow)
{
    UndoWalk walk(1);
    const std::string start = walk.states().front();
    walk.apply(Lettering("Sombra", true, {3, 3}));
    ASSERT_TRUE(walk.table.undo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), start) << "the lettering, its shadow and the merge all went";
    EXPECT_FALSE(walk.table.undo(walk.doc(), kWindow)) << "nothing else was recorded";
    ASSERT_TRUE(walk.table.redo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), walk.states().back());
}

TEST(TextActionUndo, AShadowAddedLaterIsItsOwnSingleStep)
{
    UndoWalk walk(2);
    walk.run({Lettering("Oi", false, {4, 5}), ShadowOnly(), Paint(30), Lettering("Dois", false, {20, 18}), ShadowOnly()}, 7);
}

TEST(UndoActions, NestedActionsEndWithTheOutermostAndAWithdrawnStepLeavesNoHole)
{
    UndoWalk walk(2);
    walk.apply({"nested", [](LayerStack& d) {
                    const UndoAction outer(d);
                    ASSERT_TRUE(RecordUndoStep(d, 1001));
                    PaintCurrentLayer(d, 10);
                    {
                        const UndoAction inner(d);
                        ASSERT_TRUE(RecordUndoStep(d, 1001));
                        WithdrawUndoStep(d);
                    }
                    ASSERT_TRUE(RecordUndoStep(d, kUndoLayerOpacity));
                    d.layers[0].opacity = 40;
                }});
    walk.apply(Paint(77));
    walk.walkBackAndForth();
    walk.randomWalk(50, 3);
}

// Two image layers under a text layer at the top right; the first image layer is current.
std::unique_ptr<LayerStack> LetteringOverTwoLayers()
{
    auto stack = LayeredDocument(2);
    EXPECT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), Words("Oi", 22, 2), false), kTextLayerOk);
    SetCurrentLayer(*stack, 1);
    CompositeLayers(*stack);
    return stack;
}

Step Lift(Rect r, int dx, int dy)  // a rectangle selected, then its content moved
{
    return {"select and lift", [=](LayerStack& d) {
                ASSERT_TRUE(SelectRectangle(d, r, CombineMode::New));
                ASSERT_TRUE(MoveSelectionContent(d, dx, dy, false));
                ASSERT_TRUE(d.selectionAux) << "content lifted";
            },
            2, 2};  // two user actions: the selection and the move
}

TEST(LayerSwitchDrop, EditingAnotherTextLayerPutsLiftedContentDownInOneStepWithTheLettering)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.run({Lift({2, 2, 12, 8}, 3, 2), Lettering("Editado", false, {25, 8}, 0), Paint(90), Turn(true)}, 2);
}

TEST(LayerSwitchDrop, NewLetteringWithAShadowPutsLiftedContentDownFirst)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.run({Paint(70), Lift({2, 2, 12, 8}, 1, 4), Lettering("Novo", true, {1, 1}, 0), Turn(true), Paint(20)}, 5);
}

TEST(LayerSwitchDrop, UndoingTheLetteringBringsTheLiftedContentBackOnItsOwnLayer)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.apply(Lift({2, 2, 12, 8}, 3, 2));
    const std::string lifted = Fingerprint(walk.doc());
    walk.apply(Lettering("Editado", false, {25, 8}, 0));
    ASSERT_TRUE(walk.table.undo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), lifted) << "one undo: the lettering and the drop";
    EXPECT_EQ(walk.doc().currentLayer, 1);
}

TEST(LayerSwitchDrop, TheProjectScreensSwitchDropsTooAndAStayRecordsNothing)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.apply(Lift({2, 2, 12, 8}, 3, 2));
    walk.apply({"same layer", [](LayerStack& d) { EXPECT_EQ(SwitchCurrentLayer(d, 1), 1); }, 0, 0});
    walk.apply({"placeholder step", [](LayerStack& d) {
                    EXPECT_EQ(SwitchCurrentLayer(d, 0), 1);
                    EXPECT_FALSE(d.selectionAux);
                }});
    walk.apply({"bad index", [](LayerStack& d) { EXPECT_EQ(SwitchCurrentLayer(d, 9), -1); }, 0, 0});
    walk.apply(Paint(40));
    walk.walkBackAndForth();
}

TEST(LayerCommandsUndo, RefusedCommandsLeaveNoStep)
{
    UndoWalk h(1);
    LayerStack& d = h.doc();
    // Nothing below to merge with, already the top and the bottom, and the last layer stays.
    EXPECT_EQ((std::vector{MergeDown(d), MoveCurrentLayer(d, true), MoveCurrentLayer(d, false), DeleteLayerOrSelection(d),
                           h.table.canUndo(d, kWindow)}),
              std::vector(5, false));
    EXPECT_EQ(Fingerprint(d), h.states()[0]);

    while (d.layerCount < kOrdinaryLayerLimit)
        ASSERT_TRUE(NewTransparentLayer(d));
    const std::string full = Fingerprint(d);
    const int steps = h.table.count();
    EXPECT_FALSE(NewTransparentLayer(d) || DuplicateCurrentLayer(d));
    EXPECT_EQ(std::tuple(h.table.count(), Fingerprint(d)), std::tuple(steps, full));
}

TEST(LayerCommandsUndo, MergeDownKeepsTheLowerLayerAndOtherLinks)
{
    UndoWalk h(4);
    LayerStack& d = h.doc();
    SetLayerName(d, 2, "baixo");
    d.layers[3].linked = true;
    d.layers[2].visible = false;  // the lower one hidden: the result still shows
    d.currentLayer = 1;
    h.restart();
    h.apply({"merge down", [](LayerStack& doc) { ASSERT_TRUE(MergeDown(doc)); }});
    EXPECT_EQ(std::tuple(d.layerCount, d.currentLayer, d.layers[1].name, d.layers[1].visible),
              std::tuple(3, 1, "baixo", true));
    // The old layer 3 kept its link.
    EXPECT_EQ((std::vector<bool>{d.layers[0].linked, d.layers[1].linked, d.layers[2].linked}),
              (std::vector{false, false, true}));
    h.undo();
    h.redo();
}

TEST(LayerCommandsUndo, FlattenGivesOneOpaqueBackgroundOverWhite)
{
    UndoWalk h(2);
    LayerStack& d = h.doc();
    d.layers[0].visible = false;
    PaintCurrentLayer(d, 0);  // layer 0: hidden anyway
    d.currentLayer = 1;
    LayerRecord& lower = d.layers[1];
    std::memset(lower.mask.write().pixels(), 0, lower.mask.read().stride() * std::size_t(lower.mask.read().height()));
    lower.mask.write().row(0)[0] = 255;  // one opaque pixel at its bottom-left corner
    h.restart();
    const LayerRecord was = d.layers[1];
    h.apply({"flatten", [](LayerStack& doc) { ASSERT_TRUE(FlattenLayers(doc)); }});
    ASSERT_EQ(d.layerCount, 1);
    const LayerRecord& flat = d.layers[0];
    EXPECT_EQ(std::tuple(flat.name, flat.image.read().width(), flat.image.read().height()),
              std::tuple("Fundo", int(d.width), int(d.height)));
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x)
            ASSERT_EQ(flat.mask.read().row(y)[x], 255);
    const std::uint8_t* corner = flat.image.read().row(was.y) + 3 * was.x;
    const std::uint8_t* source = was.image.read().row(0);
    EXPECT_EQ(std::vector<int>(corner, corner + 3), std::vector<int>(source, source + 3));
    const std::uint8_t* beside = flat.image.read().row(was.y) + 3 * (was.x + 1);
    EXPECT_EQ(std::vector<int>(beside, beside + 3), (std::vector<int>{255, 255, 255}));
    h.undo();
}

}  // namespace
}  // namespace lv::testing
