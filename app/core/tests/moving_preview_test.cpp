// A slow effect's live preview: coarse frames while the slider moves, then the frame it
// settles on equals the effect applied to the whole picture.

#include "app/core/effects_bridge.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "effects/operation_codes.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv::testing {
namespace {

constexpr int kWidth = 120, kHeight = 90;

AdjustmentChoice Effect(int operation, int strength)
{
    return {.kind = AdjustmentChoice::Kind::Effect, .operation = operation, .strength = strength};
}

bool SameComposite(const LayerStack& a, const LayerStack& b)
{
    for (int y = 0; y < kHeight; ++y)
        if (std::memcmp(a.composite.row(y), b.composite.row(y), kWidth * 3) != 0)
            return false;
    return true;
}

TEST(MovingPreview, TheSettledFrameAfterCoarseMovesIsTheEffectApplied)
{
    for (const int operation : {effects::kOpZoomBlur, effects::kOpOilPaint}) {
        const auto shown = CreateLayerStackFromImage(MakePhotoLike(kWidth, kHeight));
        const auto applied = CreateLayerStackFromImage(MakePhotoLike(kWidth, kHeight));
        CompositeLayers(*shown);
        const ShownPart part{{0, 0, kWidth, kHeight}, 1.0, 1};
        PreviewCache cache;
        ASSERT_TRUE(MovingPreviewIsCoarser(Effect(operation, 60)));
        ASSERT_TRUE(PreviewComposite(*shown, Effect(operation, 40), part, cache, PreviewPass::Moving));
        ASSERT_TRUE(PreviewComposite(*shown, Effect(operation, 60), part, cache, PreviewPass::Moving));
        ASSERT_TRUE(ApplyEffect(*applied, operation, 60, false));
        EXPECT_FALSE(SameComposite(*shown, *applied)) << operation << ": the moving frame is the coarse one";
        ASSERT_TRUE(PreviewComposite(*shown, Effect(operation, 60), part, cache, PreviewPass::Final));
        EXPECT_TRUE(SameComposite(*shown, *applied)) << operation;
    }
}

TEST(MovingPreview, QuickChoicesMoveAtFullViewSize)
{
    EXPECT_FALSE(MovingPreviewIsCoarser(Effect(effects::kOpNegative, 60)));
    EXPECT_FALSE(MovingPreviewIsCoarser({.kind = AdjustmentChoice::Kind::Enhancement, .mode = 0}));
    EXPECT_FALSE(MovingPreviewIsCoarser({}));
}

}  // namespace
}  // namespace lv::testing
