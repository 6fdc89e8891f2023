// The mouse rules of the layer palette's rows, on documents of a few layers.

#include "edit/layer_palette_rules.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

std::unique_ptr<LayerStack> Document(int layers)
{
    auto stack = EmptyDocument(20, 10);
    for (int i = 0; i < layers; ++i)
        AppendLayer(*stack, SolidPicture(4 + i, 3, {10, 20, 30}));
    return stack;
}

std::string Links(const LayerStack& s)
{
    std::string out;
    for (int i = 0; i < s.layerCount; ++i)
        out += s.layers[std::size_t(i)].linked ? 'L' : '-';
    return out;
}

std::string Shown(const LayerStack& s)
{
    std::string out;
    for (int i = 0; i < s.layerCount; ++i)
        out += s.layers[std::size_t(i)].visible ? 'V' : '-';
    return out;
}

TEST(LayerPaletteRules, PlainClickMakesCurrentShowsAndClearsLinksOfAnUnlinkedLayer)
{
    auto s = Document(4);
    s->layers[1].linked = s->layers[2].linked = true;
    s->layers[3].visible = false;
    EXPECT_TRUE(ClickLayerRow(*s, 3));
    EXPECT_EQ(s->currentLayer, 3);
    EXPECT_EQ(Shown(*s), "VVVV") << "a hidden layer made current is shown";
    EXPECT_EQ(Links(*s), "----");

    s->layers[1].linked = s->layers[2].linked = true;
    EXPECT_TRUE(ClickLayerRow(*s, 2));
    EXPECT_EQ(Links(*s), "-LL-") << "a linked layer keeps the links";
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
    EXPECT_EQ(Links(*s), "L-L");
    EXPECT_EQ(Shown(*s), "VVV") << "the clicked layer is shown";

    // Three visible layers: only the clicked one goes.
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(Links(*s), "L--");

    // Exactly two visible: both links go.
    s->layers[1].visible = false;
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(Links(*s), "L-L");
    EXPECT_TRUE(CtrlClickLayerRow(*s, 2));
    EXPECT_EQ(Links(*s), "---");
    EXPECT_FALSE(CtrlClickLayerRow(*s, 3));
}

TEST(LayerPaletteRules, ShiftClickLinksAndShowsTheRangeAndUnlinksTheRest)
{
    auto s = Document(6);
    s->currentLayer = 4;
    s->layers[0].linked = s->layers[5].linked = true;
    s->layers[2].visible = s->layers[5].visible = false;
    EXPECT_TRUE(ShiftClickLayerRow(*s, 1));
    EXPECT_EQ(Links(*s), "-LLLL-");
    EXPECT_EQ(Shown(*s), "VVVVV-") << "outside the range stays hidden";
    EXPECT_EQ(s->currentLayer, 4);
    EXPECT_TRUE(ShiftClickLayerRow(*s, 4));
    EXPECT_EQ(Links(*s), "----L-") << "the current row alone";
}

TEST(LayerPaletteRules, TrackPointsGiveZeroToHundredPastEitherEnd)
{
    EXPECT_EQ(OpacityAtTrackPoint(79, 79, 179), 0);
    EXPECT_EQ(OpacityAtTrackPoint(-1000, 79, 179), 0);
    EXPECT_EQ(OpacityAtTrackPoint(129, 79, 179), 50);
    EXPECT_EQ(OpacityAtTrackPoint(178, 79, 179), 99);
    EXPECT_EQ(OpacityAtTrackPoint(179, 79, 179), 100);
    EXPECT_EQ(OpacityAtTrackPoint(1 << 30, 79, 179), 100);
    EXPECT_EQ(OpacityAtTrackPoint(-(1 << 30), 0, 1), 0) << "no overflow";
    EXPECT_EQ(OpacityAtTrackPoint(5, 79, 79), 0) << "a track with no length";
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
    EXPECT_EQ(s->layers[1].opacity, 0u);
    ASSERT_EQ(undo.codes(), std::vector<int>{kUndoLayerOpacity});
    EXPECT_EQ(undo.steps[0].currentLayer, 1) << "the dragged layer stands as current while recording";
}

}  // namespace
}  // namespace lv::testing
