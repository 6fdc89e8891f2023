#include "app/core/undo_codes.h"
#include "app/core/undo_table.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace lv {
namespace {

// A document with `layers` layers of distinct colours, attached to a window's recorder.
struct OpenDocument {
    OpenDocument(UndoTable& table, int window, int layers)
        : stack(CreateEmptyLayerStack(40, 30, 24))
        , recorder(table, window)
    {
        for (int i = 0; i < layers; ++i) {
            HDIB image = DibCreate(20 + i, 10 + i, 0x006400u + std::uint32_t(40 * i) + (std::uint32_t(200 - 30 * i) << 16), false);
            HDIB mask;
            InsertLayer(*stack, image, mask, stack->layerCount, false);
        }
        CompositeLayers(*stack);
        stack->undo = &recorder;
    }
    LayerStack& doc() { return *stack; }

    std::unique_ptr<LayerStack> stack;
    WindowUndoRecorder recorder;
};

// Everything a user could see of a document, in one string for exact comparisons.
std::string fingerprint(const LayerStack& s)
{
    std::ostringstream f;
    f << s.layerCount << ' ' << s.currentLayer << ' ' << s.view.zoomLevel << ' ' << s.selectionActive;
    const auto add = [&f](const HDIB& dib) {
        f << '|' << (dib ? dib.size() : 0) << ':';
        if (dib)
            f.write(reinterpret_cast<const char*>(dib.data()), std::streamsize(dib.size()));
    };
    for (int i = 0; i < s.layerCount; ++i) {
        const LayerRecord& l = s.layers[std::size_t(i)];
        f << '|' << l.name << ' ' << l.x << ' ' << l.y << ' ' << l.opacity;
        add(l.image);
        add(l.mask);
    }
    add(s.composite);
    return f.str();
}

void paintCurrentLayer(LayerStack& s, std::uint8_t value)
{
    LayerRecord& l = s.layers[std::size_t(s.currentLayer)];
    std::memset(l.image.pixels(), value, l.image.stride() * std::size_t(l.image.height()));
    std::memset(l.mask.pixels(), value / 2, l.mask.stride() * std::size_t(l.mask.height()));
}

TEST(UndoTable, TheLevelIsSharedByAllDocumentsAndTheOldestStepGoesFirst)
{
    UndoTable table(32);
    OpenDocument a(table, 1, 3), b(table, 2, 3);
    for (int i = 0; i < 32; ++i)
        ASSERT_TRUE(SetLayerOpacity((i % 2 ? b : a).doc(), 0, 50 + i, true) >= 0);
    EXPECT_EQ(table.count(), 32);
    EXPECT_EQ(table.at(0).window, 1);
    SetLayerOpacity(b.doc(), 1, 10, true);
    EXPECT_EQ(table.count(), 32);
    EXPECT_EQ(table.at(0).window, 2) << "a's oldest step was evicted for b's new one";

    table.setLevel(0);
    EXPECT_EQ(table.level(), 1);
    table.setLevel(500);
    EXPECT_EQ(table.level(), 64);
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
    EXPECT_EQ(a.doc().layers[0].opacity, 10u);
    EXPECT_TRUE(table.canRedo(a.doc(), 1));

    MoveLayer(a.doc(), 0, 2, true);
    EXPECT_EQ(table.count(), 8 - 3 + 1);
    EXPECT_FALSE(table.canRedo(a.doc(), 1));
    EXPECT_TRUE(table.canRedo(b.doc(), 2)) << "the other document keeps its redo";
    EXPECT_EQ(table.undoAvailableFor(), 1);
    EXPECT_FALSE(table.redoAvailableFor());
}

TEST(UndoTable, UndoThenRedoRestoresTheDocumentExactlyWithoutCopyingLayerPictures)
{
    UndoTable table;
    OpenDocument a(table, 1, 3);
    LayerStack& doc = a.doc();
    doc.view.zoomLevel = std::uint32_t(-3);
    SetCurrentLayer(doc, 1);
    const std::string before = fingerprint(doc);
    const PictureId deletedImage = IdOf(doc.layers[1].image);

    ASSERT_TRUE(DeleteLayer(doc, 1, true));
    doc.view.zoomLevel = 2;
    ASSERT_TRUE(MoveLayer(doc, 0, 1, true));
    HDIB image = DibCreate(8, 8, 0x030201, false);
    ASSERT_TRUE(AddLayer(doc, 0, std::move(image), {}, true, false));
    CompositeLayers(doc);
    const std::string after = fingerprint(doc);
    ASSERT_NE(after, before);
    EXPECT_EQ(table.bytesCopied(), 0u) << "layer operations keep pictures by reference";

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.undo(doc, 1));
    EXPECT_FALSE(table.undo(doc, 1));
    CompositeLayers(doc);
    EXPECT_EQ(fingerprint(doc), before);
    EXPECT_EQ(IdOf(doc.layers[1].image), deletedImage) << "the deleted layer came back, not a copy";
    EXPECT_EQ(int(doc.view.zoomLevel), -3);
    EXPECT_EQ(doc.currentLayer, 1);
    EXPECT_EQ(doc.modified, 1u);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.redo(doc, 1));
    EXPECT_FALSE(table.redo(doc, 1));
    CompositeLayers(doc);
    EXPECT_EQ(fingerprint(doc), after);
    EXPECT_EQ(table.bytesCopied(), 0u);
}

TEST(UndoTable, PixelStepsCopyTheCurrentLayerOnlyAndSwapItBack)
{
    UndoTable table;
    OpenDocument a(table, 1, 2);
    LayerStack& doc = a.doc();
    SetCurrentLayer(doc, 1);
    const std::string before = fingerprint(doc);
    const std::size_t layerBytes = doc.layers[1].image.size() + doc.layers[1].mask.size();

    ASSERT_TRUE(RecordUndoStep(doc, 1001));
    paintCurrentLayer(doc, 77);
    CompositeLayers(doc);
    const std::string painted = fingerprint(doc);
    EXPECT_EQ(table.bytesCopied(), layerBytes);

    ASSERT_TRUE(table.undo(doc, 1));
    CompositeLayers(doc);
    EXPECT_EQ(fingerprint(doc), before);
    ASSERT_TRUE(table.redo(doc, 1));
    CompositeLayers(doc);
    EXPECT_EQ(fingerprint(doc), painted);
    EXPECT_EQ(table.bytesCopied(), layerBytes) << "exchanging copies nothing";
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
    EXPECT_EQ(table.count(), 1);
    EXPECT_FALSE(table.undoAvailableFor());
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
    SetLayerOpacity(a.doc(), 0, 10, true);
    SetLayerOpacity(a.doc(), 0, 20, true);
    a.doc().layers[0].sourceImage.reset();  // a transform replaced it
    EXPECT_FALSE(watch.expired());
    SetLayerOpacity(a.doc(), 1, 30, true);  // evicts the first step
    EXPECT_FALSE(watch.expired());
    SetLayerOpacity(a.doc(), 1, 40, true);  // evicts the second
    EXPECT_TRUE(watch.expired());
}

TEST(UndoTable, FailedOperationsWithdrawTheirStepAndUnknownPicturesRefuseTheUndo)
{
    UndoTable table;
    OpenDocument a(table, 1, 1);
    LayerStack& doc = a.doc();
    HDIB palette = AllocatePicture(4, 4, 4, 16);
    EXPECT_FALSE(AddLayer(doc, 0, std::move(palette), {}, true, false));
    EXPECT_EQ(table.count(), 0) << "the step was withdrawn";

    MoveLayer(doc, 0, 0, true);
    doc.layers[0].image = DibCreate(20, 10, 0x050505, false);  // replaced without telling the undo
    const std::string now = fingerprint(doc);
    EXPECT_FALSE(table.undo(doc, 1));
    EXPECT_EQ(fingerprint(doc), now);
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
    EXPECT_TRUE(table.at(table.count() - 1).continuesGroup);
    EXPECT_FALSE(table.at(table.count() - 2).continuesGroup);
}

}  // namespace
}  // namespace lv
