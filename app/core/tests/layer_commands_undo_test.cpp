// The layer commands' own outcomes through the real undo table: refusals leave no step,
// merge and flatten keep what they must (their walks among other kinds of step are in
// undo_walks_test.cpp; the opacity drag's single step is the layer palette's test).

#include "app/core/tests/undo_walk.h"
#include "edit/layer_commands.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>


namespace lv::testing {
namespace {

TEST(LayerCommandsUndo, RefusedCommandsLeaveNoStep)
{
    UndoWalk h(1);
    LayerStack& d = h.doc();
    EXPECT_FALSE(MergeDown(d));               // nothing below
    EXPECT_FALSE(MoveCurrentLayer(d, true));  // already the top
    EXPECT_FALSE(MoveCurrentLayer(d, false));
    EXPECT_FALSE(DeleteLayerOrSelection(d));  // the last layer stays
    EXPECT_FALSE(h.table.canUndo(d, kWindow));
    EXPECT_EQ(Fingerprint(d), h.states()[0]);

    while (d.layerCount < kOrdinaryLayerLimit)
        ASSERT_TRUE(NewTransparentLayer(d));
    const std::string full = Fingerprint(d);
    const int steps = h.table.count();
    EXPECT_FALSE(NewTransparentLayer(d));
    EXPECT_FALSE(DuplicateCurrentLayer(d));
    EXPECT_EQ(h.table.count(), steps);
    EXPECT_EQ(Fingerprint(d), full);
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
    EXPECT_EQ(d.layerCount, 3);
    EXPECT_EQ(d.currentLayer, 1);
    EXPECT_EQ(d.layers[1].name, "baixo");
    EXPECT_TRUE(d.layers[1].visible);
    EXPECT_FALSE(d.layers[1].linked);
    EXPECT_TRUE(d.layers[2].linked);  // the old layer 3 kept its link
    EXPECT_FALSE(d.layers[0].linked);
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
    EXPECT_EQ(flat.name, "Fundo");
    EXPECT_EQ(flat.image.read().width(), d.width);
    EXPECT_EQ(flat.image.read().height(), d.height);
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
