// Steps of every kind mixed on one document: each undoes and redoes whatever came before
// or after it, and keeps only what its kind keeps.

#include "app/core/tests/undo_test_support.h"
#include "edit/layer_pictures.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace lv {
namespace {

using testing::Fingerprint;
using testing::OpenDocument;
using testing::PaintCurrentLayer;

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
constexpr Kind kKinds[] = {Kind::Pixels,    Kind::Opacity,   Kind::Move,       Kind::Add,
                           Kind::Delete,    Kind::Merge,     Kind::Selection,  Kind::Canvas,
                           Kind::Attributes, Kind::Placement, Kind::WholeDocument, Kind::AllLayers};

const char* nameOf(Kind kind)
{
    static const char* const names[] = {"pixels",     "opacity",   "move",           "add",
                                        "delete",     "merge",     "selection",      "canvas",
                                        "attributes", "placement", "whole document", "all layers"};
    return names[int(kind)];
}

bool applicable(const LayerStack& doc, Kind kind)
{
    switch (kind) {
    case Kind::Delete:
    case Kind::Merge:
    case Kind::WholeDocument: return doc.layerCount >= 3;
    case Kind::Add: return doc.layerCount < kOrdinaryLayerLimit;
    default: return doc.layerCount >= 1;
    }
}

// Records the kind's step and makes its change; `n` varies the change from one call to the next.
void apply(LayerStack& doc, Kind kind, int n)
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
int redosOf(Kind kind)
{
    return kind == Kind::Placement ? 2 : 1;
}

TEST(UndoSteps, EveryPairOfKindsUndoesAndRedoesInBothOrders)
{
    for (const Kind first : kKinds)
        for (const Kind second : kKinds) {
            SCOPED_TRACE(std::string(nameOf(first)) + " then " + nameOf(second));
            UndoTable table;
            OpenDocument a(table, 1, 4);
            LayerStack& doc = a.doc();
            SetCurrentLayer(doc, 1);
            std::vector<std::string> states{Fingerprint(doc)};
            for (const Kind kind : {first, second}) {
                apply(doc, kind, int(states.size()));
                states.push_back(Fingerprint(doc));
                ASSERT_NE(states.back(), states[states.size() - 2]) << nameOf(kind) << " changed nothing";
            }
            ASSERT_TRUE(table.undo(doc, 1));
            EXPECT_EQ(Fingerprint(doc), states[1]);
            ASSERT_TRUE(table.undo(doc, 1));
            EXPECT_EQ(Fingerprint(doc), states[0]);
            EXPECT_FALSE(table.undo(doc, 1));
            for (int i = 0; i < redosOf(first); ++i)
                ASSERT_TRUE(table.redo(doc, 1));
            EXPECT_EQ(Fingerprint(doc), states[1]);
            for (int i = 0; i < redosOf(second); ++i)
                ASSERT_TRUE(table.redo(doc, 1));
            EXPECT_EQ(Fingerprint(doc), states[2]);
            EXPECT_FALSE(table.redo(doc, 1));
        }
}

// A long walk of steps, undos and redos in an order the generator picks, against the
// history a user would expect.
TEST(UndoSteps, ARandomMixOfStepsUndosAndRedosFollowsTheHistory)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        UndoTable table(64);
        OpenDocument a(table, 1, 5);
        LayerStack& doc = a.doc();
        std::vector<std::string> history{Fingerprint(doc)};
        std::vector<int> redos{0};
        std::size_t at = 0;
        int steps = 0;
        for (int turn = 0; turn < 150 && steps < 60; ++turn) {
            const unsigned choice = random() % 4;
            if (choice == 0 && at > 0) {
                ASSERT_TRUE(table.undo(doc, 1)) << "turn " << turn;
                ASSERT_EQ(Fingerprint(doc), history[--at]) << "undo at turn " << turn;
            } else if (choice == 1 && at + 1 < history.size()) {
                for (int i = 0; i < redos[at + 1]; ++i)
                    ASSERT_TRUE(table.redo(doc, 1)) << "turn " << turn;
                ASSERT_EQ(Fingerprint(doc), history[++at]) << "redo at turn " << turn;
            } else {
                const Kind kind = kKinds[random() % std::size(kKinds)];
                if (!applicable(doc, kind))
                    continue;
                SCOPED_TRACE(std::string(nameOf(kind)) + " at turn " + std::to_string(turn));
                apply(doc, kind, turn);
                history.resize(++at);
                redos.resize(at);
                history.push_back(Fingerprint(doc));
                redos.push_back(redosOf(kind));
                ++steps;
            }
        }
        while (at > 0) {
            ASSERT_TRUE(table.undo(doc, 1));
            ASSERT_EQ(Fingerprint(doc), history[--at]);
        }
    }
}

TEST(UndoSteps, AStepWhoseCopyWasSwappedInStillLetsOlderStepsUndo)
{
    UndoTable table;
    OpenDocument a(table, 1, 3);
    LayerStack& doc = a.doc();
    const std::string start = Fingerprint(doc);
    SetLayerOpacity(doc, 0, 40, true);
    MoveLayer(doc, 0, 2, true);
    SetCurrentLayer(doc, 2);
    ASSERT_TRUE(RecordUndoStep(doc, 1001));
    PaintCurrentLayer(doc, 9);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.undo(doc, 1)) << "undo " << i;
    SetCurrentLayer(doc, 0);
    EXPECT_EQ(Fingerprint(doc), start);
    EXPECT_EQ(doc.layers[0].opacity, 100u);
}

TEST(UndoSteps, AStepKeepsOnlyItsOwnValues)
{
    UndoTable table;
    OpenDocument a(table, 1, 3);
    LayerStack& doc = a.doc();
    SetCurrentLayer(doc, 0);
    doc.view.zoomLevel = 1;

    // Opacity of a layer that is not current: undoing it neither makes it current nor
    // undoes what was done to other layers and to the view since.
    SetLayerOpacity(doc, 2, 30, true);
    doc.view.zoomLevel = 4;
    SetLayerName(doc, 1, "depois");
    doc.layers[0].x = 7;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(doc.layers[2].opacity, 100u);
    EXPECT_EQ(doc.currentLayer, 0);
    EXPECT_EQ(doc.view.zoomLevel, 4u);
    EXPECT_EQ(doc.layers[1].name, "depois");
    EXPECT_EQ(doc.layers[0].x, 7);

    // A pixel step keeps its layer and the selection, not the others' values.
    ASSERT_TRUE(RecordUndoStep(doc, 1001));
    PaintCurrentLayer(doc, 200);
    doc.layers[2].opacity = 60;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(doc.layers[2].opacity, 60u);
    EXPECT_EQ(doc.view.zoomLevel, 4u);

    // A step of the whole document does bring its zoom back.
    ASSERT_TRUE(RecordUndoStep(doc, 12001, {1}));
    doc.view.zoomLevel = 6;
    doc.layers[2].opacity = 5;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(doc.view.zoomLevel, 4u);
    EXPECT_EQ(doc.layers[2].opacity, 60u);
    ASSERT_TRUE(table.redo(doc, 1));
    EXPECT_EQ(doc.view.zoomLevel, 6u);

    // With flag 0 it keeps positions only.
    ASSERT_TRUE(RecordUndoStep(doc, 12001, {0}));
    doc.layers[1].y = -4;
    doc.layers[1].opacity = 20;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(doc.layers[1].y, 30 - 11);
    EXPECT_EQ(doc.layers[1].opacity, 20u);
}

TEST(UndoSteps, TwoDocumentsInterleavingKeepTheirOwnPictures)
{
    UndoTable table;
    OpenDocument a(table, 1, 3), b(table, 2, 2);
    const std::string bStart = Fingerprint(b.doc());
    const SharedPicture aDeleted = a.doc().layers[1].image;
    const SharedPicture aDropped = a.doc().layers[2].image;

    ASSERT_TRUE(DeleteLayer(a.doc(), 1, true));
    ASSERT_TRUE(RecordUndoStep(b.doc(), 1001));
    PaintCurrentLayer(b.doc(), 3);
    ASSERT_TRUE(DeleteLayer(b.doc(), 1, true));
    DeleteLayer(a.doc(), 1, false);  // no step of its own: nobody keeps that layer
    EXPECT_TRUE(aDropped.unique()) << "another document's step took the layer";
    ASSERT_TRUE(RecordUndoStep(a.doc(), 1001));
    PaintCurrentLayer(a.doc(), 4);

    ASSERT_TRUE(table.undo(b.doc(), 2));
    ASSERT_TRUE(table.undo(a.doc(), 1));
    ASSERT_TRUE(table.undo(b.doc(), 2));
    EXPECT_EQ(Fingerprint(b.doc()), bStart);
    ASSERT_TRUE(table.undo(a.doc(), 1));
    ASSERT_EQ(a.doc().layerCount, 2);
    EXPECT_TRUE(a.doc().layers[1].image.sameAs(aDeleted)) << "a's own step gave its layer back";
    EXPECT_FALSE(table.undo(a.doc(), 1));
}

}  // namespace
}  // namespace lv
