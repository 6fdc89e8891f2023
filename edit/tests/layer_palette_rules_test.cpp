// The mouse rules of the layer palette's rows, on documents of a few layers.

#include "edit/layer_palette_rules.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace lv::testing {
namespace {

std::unique_ptr<LayerStack> Document(int layers)
{
    auto stack = EmptyDocument(20, 10);
    for (int i = 0; i < layers; ++i)
        AppendLayer(*stack, SolidPicture(4 + i, 3, {10, 20, 30}));
    return stack;
}

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
    EXPECT_FALSE(ClickLayerRow(*s, 4));
    EXPECT_FALSE(ClickLayerRow(*s, -1));
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
    EXPECT_FALSE(drag.moveTo(149, 79, 179)) << "70 again: no change, no step";
    EXPECT_TRUE(undo.steps.empty());
    EXPECT_TRUE(drag.moveTo(300, 79, 179));
    EXPECT_TRUE(drag.moveTo(0, 79, 179));
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerOpacity});
    EXPECT_EQ(undo.steps[0].currentLayer, 1) << "the dragged layer stands as current while recording";
}

}  // namespace
}  // namespace lv::testing
