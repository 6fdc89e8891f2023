#include "app/core/tests/undo_walk.h"
#include "app/core/undo/undo_codes.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::Fingerprint;
using testing::OpenDocument;
using testing::PaintCurrentLayer;

TEST(UndoTable, TheLevelIsSharedByAllDocumentsAndTheOldestStepGoesFirst)
{
    UndoTable table(32);
    OpenDocument a(table, 1, 3), b(table, 2, 3);
    for (int i = 0; i < 32; ++i)
        ASSERT_TRUE(SetLayerOpacity((i % 2 ? b : a).doc(), 0, 50 + i, true) >= 0);
    EXPECT_EQ(std::tuple(table.count(), table.at(0).window), std::tuple(32, 1));
    SetLayerOpacity(b.doc(), 1, 10, true);
    EXPECT_EQ(std::tuple(table.count(), table.at(0).window),
              std::tuple(32, 2)) << "a's oldest step was evicted for b's new one";

    std::vector<int> levels;
    for (const int asked : {0, 500}) {
        table.setLevel(asked);
        levels.push_back(table.level());
    }
    EXPECT_EQ(levels, (std::vector{1, 64}));
}

TEST(UndoTable, ANewStepDiscardsOnlyThisDocumentsUndoneSteps)
{
    UndoTable table;
    OpenDocument a(table, 1, 3), b(table, 2, 2);
    for (int i = 0; i < 4; ++i) {
        SetLayerOpacity(a.doc(), 0, 10 + i, true);
        SetLayerOpacity(b.doc(), 0, 10 + i, true);
    }
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.undo(a.doc(), 1));
    ASSERT_TRUE(table.undo(b.doc(), 2));
    EXPECT_EQ(std::tuple(a.doc().layers[0].opacity, table.canRedo(a.doc(), 1)), std::tuple(10u, true));

    MoveLayer(a.doc(), 0, 2, true);
    // The other document keeps its redo.
    EXPECT_EQ(std::tuple(table.count(), table.canRedo(a.doc(), 1), table.canRedo(b.doc(), 2), table.undoAvailableFor(),
                         bool(table.redoAvailableFor())),
              std::tuple(8 - 3 + 1, false, true, std::optional(1), false));
}

TEST(UndoTable, PixelStepsShareTheLayerUntilItsFirstWriteAndSwapItBack)
{
    UndoTable table;
    OpenDocument a(table, 1, 2);
    LayerStack& doc = a.doc();
    SetCurrentLayer(doc, 1);
    const std::string before = Fingerprint(doc);
    const SharedPicture original = doc.layers[1].image;

    ASSERT_TRUE(RecordUndoStep(doc, 1001));
    const UndoRecord& step = table.at(table.count() - 1);
    ASSERT_EQ(step.layers.size(), 1u);
    // Recording copied nothing, nor kept another layer.
    const LayerRecord& kept = step.layers[0].record;
    EXPECT_EQ(std::tuple(kept.image.sameAs(doc.layers[1].image), kept.mask.sameAs(doc.layers[1].mask),
                         doc.layers[0].image.unique()),
              std::tuple(true, true, true));

    // The first write made a copy and left the kept picture as it was.
    PaintCurrentLayer(doc, 77);
    EXPECT_EQ(std::tuple(kept.image.sameAs(doc.layers[1].image), kept.image.sameAs(original)),
              std::tuple(false, true));
    const std::string painted = Fingerprint(doc);

    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(std::tuple(Fingerprint(doc), doc.layers[1].image.sameAs(original)), std::tuple(before, true));
    ASSERT_TRUE(table.redo(doc, 1));
    EXPECT_EQ(Fingerprint(doc), painted);
}

TEST(UndoTable, ClosingADocumentRemovesItsStepsAndTheOtherStillUndoes)
{
    UndoTable table;
    auto a = std::make_unique<OpenDocument>(table, 1, 2);
    OpenDocument b(table, 2, 2);
    SetLayerOpacity(a->doc(), 0, 20, true);
    SetLayerOpacity(b.doc(), 0, 30, true);
    DeleteLayer(a->doc(), 0, true);
    table.purge(1);
    a.reset();
    EXPECT_EQ(std::tuple(table.count(), bool(table.undoAvailableFor())), std::tuple(1, false));
    ASSERT_TRUE(table.undo(b.doc(), 2));
    EXPECT_EQ(b.doc().layers[0].opacity, 100u);
}

TEST(UndoTable, AStepsFollowTheirDocumentToAnotherWindow)
{
    UndoTable table;
    OpenDocument a(table, 1, 2);
    SetLayerOpacity(a.doc(), 0, 20, true);
    auto moved = CreateEmptyLayerStack(40, 30, 24);
    std::swap(*moved, a.doc());  // the document changes hands
    table.repoint(1, 7, *moved);
    EXPECT_FALSE(table.undo(*moved, 1));
    ASSERT_TRUE(table.undo(*moved, 7));
    EXPECT_EQ(moved->layers[0].opacity, 100u);
}

TEST(UndoTable, ASourcePictureHeldByTwoStepsIsFreedOnlyWithTheSecond)
{
    UndoTable table(2);
    OpenDocument a(table, 1, 2);
    auto source = std::make_shared<HDIB>(DibCreate(4, 4, 0x090909, false));
    const std::weak_ptr<HDIB> watch = source;
    a.doc().layers[0].sourceImage = std::move(source);
    RecordUndoStep(a.doc(), 21000);  // the layer's values, its source among them
    RecordUndoStep(a.doc(), 21000);
    a.doc().layers[0].sourceImage.reset();  // a transform replaced it
    std::vector<bool> freed = {watch.expired()};
    for (const int opacity : {30, 40}) {  // each evicts the oldest step
        SetLayerOpacity(a.doc(), 1, opacity, true);
        freed.push_back(watch.expired());
    }
    EXPECT_EQ(freed, (std::vector{false, false, true}));
}

TEST(UndoTable, FailedOperationsWithdrawTheirOwnStepAndALayerListChangedBehindItsBackRefusesTheUndo)
{
    UndoTable table;
    OpenDocument a(table, 1, 2), b(table, 2, 1);
    LayerStack& doc = a.doc();
    SetLayerOpacity(b.doc(), 0, 50, true);
    HDIB palette = AllocatePicture(4, 4, 4, 16);
    EXPECT_FALSE(AddLayer(doc, 0, std::move(palette), {}, true, false));
    // The step was withdrawn, the other document's stays, and this document is left unmodified.
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(std::tuple(table.at(0).window, doc.modified, b.doc().modified), std::tuple(2, 0u, 1u));

    ASSERT_TRUE(DeleteLayer(doc, 1, true));
    DeleteLayer(doc, 0, false);  // without telling the undo
    const std::string now = Fingerprint(doc);
    EXPECT_FALSE(table.undo(doc, 1)) << "index 1 can't go back into an empty list";
    EXPECT_EQ(Fingerprint(doc), now);
}

TEST(UndoCodes, StepsCarryOnThroughTheirGroup)
{
    UndoTable table;
    OpenDocument a(table, 1, 2);
    for (int i = 0; i < 4; ++i)
        SetLayerOpacity(a.doc(), 0, 10 * (i + 1), true);
    RecordUndoStep(a.doc(), 41000);
    ASSERT_TRUE(table.undo(a.doc(), 1));
    EXPECT_EQ(a.doc().layers[0].opacity, 10u) << "one 41000 step and three more";
    ASSERT_TRUE(table.redo(a.doc(), 1));
    EXPECT_EQ(a.doc().layers[0].opacity, 20u) << "redo goes one at a time";

    RecordUndoStep(a.doc(), kUndoGroupCode);
    RecordUndoStep(a.doc(), 2500);
    EXPECT_EQ(std::tuple(table.at(table.count() - 1).continuesGroup, table.at(table.count() - 2).continuesGroup),
              std::tuple(true, false));
}

TEST(UndoTable, AStepKeepsOnlyItsOwnValues)
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
    EXPECT_EQ(std::tuple(doc.layers[2].opacity, doc.currentLayer, doc.view.zoomLevel, doc.layers[1].name, doc.layers[0].x),
              std::tuple(100u, 0, 4u, "depois", 7));

    // A pixel step keeps its layer and the selection, not the others' values.
    ASSERT_TRUE(RecordUndoStep(doc, 1001));
    PaintCurrentLayer(doc, 200);
    doc.layers[2].opacity = 60;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(std::tuple(doc.layers[2].opacity, doc.view.zoomLevel), std::tuple(60u, 4u));

    // A step of the whole document does bring its zoom back.
    ASSERT_TRUE(RecordUndoStep(doc, 12001, {1}));
    doc.view.zoomLevel = 6;
    doc.layers[2].opacity = 5;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(std::tuple(doc.layers[2].opacity, doc.view.zoomLevel), std::tuple(60u, 4u));
    ASSERT_TRUE(table.redo(doc, 1));
    EXPECT_EQ(doc.view.zoomLevel, 6u);

    // With flag 0 it keeps positions only.
    ASSERT_TRUE(RecordUndoStep(doc, 12001, {0}));
    doc.layers[1].y = -4;
    doc.layers[1].opacity = 20;
    ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_EQ(std::tuple(doc.layers[1].y, doc.layers[1].opacity), std::tuple(30 - 11, 20u));
}

TEST(UndoTable, TwoDocumentsInterleavingKeepTheirOwnPictures)
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
