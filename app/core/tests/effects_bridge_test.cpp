// The enhancement and effects panels' changes through the real undo table: previews leave
// no trace and applying makes exactly one step of the right kind (their walks among other
// kinds of step are in undo_walks_test.cpp); a slow effect's live preview settles on the
// effect applied; the effects list's thumbnails.

#include "app/core/view/colours.h"
#include "app/core/effects_bridge.h"
#include "app/core/tests/undo_walk.h"
#include "edit/undo_hooks.h"
#include "effects/enhance_and_effect.h"
#include "effects/operation_codes.h"
#include "imagelib/tests/pictures.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "app/core/effect_thumbnails.h"
#include "effects/slider_mapping.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace lv::testing {
namespace {

using Kind = AdjustmentChoice::Kind;

AdjustmentChoice Enhancement(int mode, std::array<int, 3> sliders)
{
    return {.kind = Kind::Enhancement, .mode = mode, .sliders = sliders};
}

AdjustmentChoice Effect(int operation, int strength)
{
    return {.kind = Kind::Effect, .operation = operation, .strength = strength};
}

// A photo-like document on one layer, attached to a table of its own.
struct PhotoDocument {
    explicit PhotoDocument(int width = 64, int height = 48)
        : open(table, kWindow, CreateLayerStackFromImage(MakePhotoLike(width, height)))
    {
        CompositeLayers(doc());
    }
    LayerStack& doc() { return open.doc(); }
    SharedPicture& image() { return doc().layers[0].image; }

    UndoTable table{64};
    OpenDocument open;
};

TEST(EffectsBridge, EachModeAndEveryEffectRecordsOneStepOfItsKind)
{
    const int kinds[] = {1111, 1020, 1021, 1090, 1031, 1034, 1025, 1027};
    for (int mode = 0; mode < 8; ++mode) {
        PhotoDocument d;
        const std::vector<int> sliders{80, 30, 70};
        ASSERT_TRUE(ApplyEnhancement(d.doc(), mode, sliders, false)) << mode;
        ASSERT_EQ(d.table.count(), 1) << mode;
        EXPECT_EQ(std::tuple(d.table.at(0).code, EnhancementUndoKind(mode), d.doc().modified),
                  std::tuple(kinds[mode], kinds[mode], 1u))
            << mode;
    }
    EXPECT_EQ(std::tuple(EnhancementUndoKind(-1), EnhancementUndoKind(8)), std::tuple(-1, -1));

    PhotoDocument d;
    ASSERT_TRUE(ApplyEffect(d.doc(), effects::kOpOilPaint, 60, false));
    ASSERT_TRUE(ApplyEffect(d.doc(), effects::kOpSepia, 60, false));
    ASSERT_EQ(d.table.count(), 2);
    EXPECT_EQ(std::tuple(d.table.at(0).code, d.table.at(1).code), std::tuple(kUndoEffect, kUndoEffect));
}

TEST(EffectsBridge, FailuresLeaveLayerAndHistoryAlone)
{
    PhotoDocument d;
    const SharedPicture original = d.image();
    const std::string before = Fingerprint(d.doc());
    EXPECT_FALSE(ApplyEnhancement(d.doc(), 8, std::vector<int>{50}, false));
    EXPECT_FALSE(ApplyEnhancement(d.doc(), -1, std::vector<int>{50}, true));
    EXPECT_FALSE(ApplyEffect(d.doc(), 9999, 50, false));  // the library knows no such effect
    EXPECT_FALSE(ApplyAdjustment(d.doc(), AdjustmentChoice{}, false));
    EXPECT_EQ(std::tuple(d.table.count(), d.image().sameAs(original), Fingerprint(d.doc()), d.doc().modified),
              std::tuple(0, true, before, 0u));

    auto empty = CreateEmptyLayerStack(10, 10, 24);
    EXPECT_FALSE(ApplyEnhancement(*empty, 0, std::vector<int>{90}, false));
    EXPECT_FALSE(PreviewComposite(*empty, Enhancement(0, {90, 50, 50}), {0, 0, 10, 10}));
}

TEST(EffectsBridge, NeighbourhoodEffectsSkipPicturesWithoutTwoPixelsEachWay)
{
    for (const int op : {effects::kOpOilPaint, effects::kOpMosaic, effects::kOpSketch}) {
        for (const auto& [w, h] : {std::pair{1, 20}, std::pair{20, 1}}) {
            PhotoDocument d(w, h);
            const SharedPicture original = d.image();
            EXPECT_FALSE(ApplyEffect(d.doc(), op, 80, false)) << op;
            EXPECT_EQ(std::tuple(d.image().sameAs(original), d.table.count()), std::tuple(true, 0)) << op;
        }
    }
    // Other effects still work on a single column.
    PhotoDocument d(1, 20);
    EXPECT_TRUE(ApplyEffect(d.doc(), effects::kOpNegative, 50, false));
}

TEST(EffectsBridge, PreviewCompositeShowsTheResultInTheRectangleAndKeepsTheLayer)
{
    PhotoDocument d;
    const SharedPicture original = d.image();
    const HDIB plain = CopyPicture(d.doc().composite);
    const Rect rect{10, 5, 41, 31};
    ASSERT_TRUE(PreviewComposite(d.doc(), Enhancement(4, {90, 50, 50}), rect));
    EXPECT_EQ(std::tuple(d.image().sameAs(original), d.table.count(), d.doc().modified), std::tuple(true, 0, 0u));

    PhotoDocument applied;
    ASSERT_TRUE(ApplyEnhancement(applied.doc(), 4, std::vector<int>{90}, false));
    int changed = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int top = 47 - y;
            const bool inside = x >= rect.left && x < rect.right && top >= rect.top && top < rect.bottom;
            const Rgb shown = Pixel24(d.doc().composite, x, y);
            const Rgb expected = Pixel24(inside ? applied.doc().composite : plain, x, y);
            ASSERT_EQ(shown, expected) << x << ',' << top;
            changed += inside && Pixel24(plain, x, y).r != shown.r;
        }
    }
    EXPECT_GT(changed, 100);  // sharpening did show
}

TEST(EffectsBridge, ScaledPreviewMatchesTheFullResultAtTheShownScale)
{
    PhotoDocument d(160, 120);
    PhotoDocument applied(160, 120);
    const AdjustmentChoice choice = Enhancement(1, {80, 70, 50});
    ASSERT_TRUE(PreviewComposite(d.doc(), choice, {0, 0, 160, 120}, 0.25));
    ASSERT_TRUE(ApplyAdjustment(applied.doc(), choice, false));
    // Each 4 × 4 block as the view shows it at 1:4. A curve applied to the block's mean
    // differs a little from the mean of the curve where a block straddles a hard edge.
    double worst = 0, total = 0;
    for (int by = 0; by < 30; ++by)
        for (int bx = 0; bx < 40; ++bx)
            for (int c = 0; c < 3; ++c) {
                double a = 0, b = 0;
                for (int y = 0; y < 4; ++y)
                    for (int x = 0; x < 4; ++x) {
                        a += d.doc().composite.row(by * 4 + y)[3 * (bx * 4 + x) + c];
                        b += applied.doc().composite.row(by * 4 + y)[3 * (bx * 4 + x) + c];
                    }
                worst = std::max(worst, std::abs(a - b) / 16);
                total += std::abs(a - b) / 16;
            }
    EXPECT_LE(worst, 8.0);
    EXPECT_LE(total / (30 * 40 * 3), 1.0);
}

// A window's preview kept from move to move: each update matches a preview made from
// scratch on the rows the view samples, leaves the other rows plain, and notices a picture
// changed in between.
TEST(EffectsBridge, ACachedPreviewFollowsSlidersAndPictureChangesOnTheSampledRows)
{
    PhotoDocument d(160, 120);
    const HDIB plain = CopyPicture(d.doc().composite);
    const SharedPicture original = d.image();
    PreviewCache cache;
    const ShownPart part{{0, 0, 160, 120}, 0.25, 4};
    const auto expectMatchesFresh = [&](const AdjustmentChoice& choice, const HDIB& unsampled, const char* what) {
        PhotoDocument fresh(160, 120);
        fresh.image() = d.image();
        ASSERT_TRUE(PreviewComposite(fresh.doc(), choice, part.rect, part.scale));
        for (int top = 0; top < 120; ++top) {
            const HDIB& expected = top % 4 == 0 ? fresh.doc().composite : unsampled;
            ASSERT_EQ(std::memcmp(d.doc().composite.row(119 - top), expected.row(119 - top), 160 * 3), 0) << what << " row " << top;
        }
    };
    for (const int value : {70, 30, 70, 90}) {
        const AdjustmentChoice choice = Enhancement(0, {value, 50, 50});
        ASSERT_TRUE(PreviewComposite(d.doc(), choice, part, cache));
        expectMatchesFresh(choice, plain, "brightness");
        EXPECT_TRUE(d.image().sameAs(original));
    }
    ASSERT_TRUE(PreviewComposite(d.doc(), Effect(effects::kOpMosaic, 60), part, cache));
    expectMatchesFresh(Effect(effects::kOpMosaic, 60), plain, "mosaic");

    // The layer painted between two moves, in place.
    HDIB& pixels = d.image().write();
    for (int y = 40; y < 80; ++y)
        std::memset(pixels.row(y), 0x10, 160 * 3);
    CompositeLayers(d.doc());
    const HDIB painted = CopyPicture(d.doc().composite);
    ASSERT_TRUE(PreviewComposite(d.doc(), Enhancement(0, {90, 50, 50}), part, cache));
    expectMatchesFresh(Enhancement(0, {90, 50, 50}), painted, "after painting");
    EXPECT_EQ(d.table.count(), 0);
}

TEST(EffectsBridge, PreviewOfALayerPlacedOffTheOriginLandsOnIt)
{
    UndoTable table{8};
    OpenDocument open(table, kWindow, 2);  // 40 × 30, layers smaller than the document
    LayerStack& s = open.doc();
    s.currentLayer = 1;
    s.layers[1].x = 7;
    s.layers[1].y = 4;
    CompositeLayers(s);
    const HDIB plain = CopyPicture(s.composite);
    ASSERT_TRUE(PreviewComposite(s, Effect(effects::kOpNegative, 50), {0, 0, 40, 30}));
    const int top = 30 - (4 + s.layers[1].image.height());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const int row = 29 - y;
            const bool onLayer = x >= 7 && x < 7 + s.layers[1].image.width() && y >= top && y < 26;
            const bool onTop = x < s.layers[0].image.width() && y >= 30 - s.layers[0].image.height();
            if (onLayer && !onTop) {
                EXPECT_NE(Pixel24(s.composite, x, row).r, Pixel24(plain, x, row).r) << x << ',' << y;
            } else if (!onLayer) {
                EXPECT_EQ(Pixel24(s.composite, x, row).r, Pixel24(plain, x, row).r) << x << ',' << y;
            }
        }
    EXPECT_EQ(table.count(), 0);
}

TEST(EffectsBridge, TheActiveColourIsWhiteOnlyWhileAnEffectRuns)
{
    const RgbTriple user{12, 34, 56};
    SetActiveColour(user);
    std::vector<RgbTriple> seen;
    const int listener = AddColourListener([&] { seen.push_back(ActiveColour()); });
    PhotoDocument d;
    ASSERT_TRUE(PreviewComposite(d.doc(), Effect(effects::kOpSketch, 40), {0, 0, 64, 48}));
    ASSERT_TRUE(ApplyEffect(d.doc(), effects::kOpSketch, 40, false));
    ASSERT_TRUE(ApplyEnhancement(d.doc(), 0, std::vector<int>{60}, false));
    RemoveColourListener(listener);
    const RgbTriple white{255, 255, 255};
    EXPECT_EQ(std::tuple(seen, ActiveColour()), std::tuple(std::vector<RgbTriple>{white, user, white, user}, user));
}

constexpr int kWidth = 120, kHeight = 90;

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
    EXPECT_FALSE(MovingPreviewIsCoarser(Effect(effects::kOpNegative, 60)) ||
                 MovingPreviewIsCoarser({.kind = Kind::Enhancement, .mode = 0}) || MovingPreviewIsCoarser({}));
}

TEST(EffectThumbnails, TheScaledPictureFitsTheBoxAndEachEffectIsTheLibrarysResultOnIt)
{
    EffectThumbnails thumbnails(36, 24);
    const SharedPicture wide(MakePhotoLike(400, 100));
    const SharedPicture tall(MakePhotoLike(30, 300));
    const SharedPicture tiny(MakePhotoLike(5, 3));
    std::vector<std::pair<int, int>> sizes;
    for (const SharedPicture* picture : {&wide, &tall, &tiny}) {
        thumbnails.setPicture(*picture);
        ASSERT_TRUE(thumbnails.base());
        sizes.emplace_back(thumbnails.base().width(), thumbnails.base().height());
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{36, 9}, {2, 24}, {5, 3}})) << "never enlarged";

    thumbnails.setPicture(wide);
    thumbnails.setStrength(70);
    const std::vector<int> codes{effects::kOpMosaic, effects::kOpNegative, effects::kOpTwirl};
    for (const int expected : codes)
        EXPECT_EQ(thumbnails.computeNext(codes), expected) << "in the order asked";
    EXPECT_EQ(thumbnails.computeNext(codes), std::nullopt);
    for (const int code : codes) {
        const effects::OperationCall call = effects::EffectCall(code, 70);
        const HDIB direct = effects::DoEnhanceAndEffect(thumbnails.base(), call.operation, call.parameters.data(),
                                                        std::int32_t(call.parameters.size()), nullptr);
        ASSERT_NE(thumbnails.find(code), nullptr);
        EXPECT_TRUE(SamePixels(*thumbnails.find(code), direct)) << code;
    }
    EXPECT_EQ(thumbnails.find(effects::kOpSepia), nullptr);

    const SharedPicture grey(MakeGreyPicture(60, 40));
    thumbnails.setPicture(grey);
    EXPECT_EQ((std::tuple{thumbnails.base().bitCount(), thumbnails.computeNext(codes)}),
              std::tuple(8, std::optional(effects::kOpMosaic)))
        << "a grey layer's thumbnails are grey";
    EXPECT_EQ(thumbnails.find(effects::kOpMosaic)->bitCount(), 8);
}

TEST(EffectThumbnails, StrengthsKeepTheirResultsAndAChangedPictureDropsThemAll)
{
    EffectThumbnails thumbnails(36, 24);
    SharedPicture picture(MakePhotoLike(90, 60));
    thumbnails.setPicture(picture);
    const std::vector<int> codes{effects::kOpPosterise};
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    const HDIB at50 = CopyPicture(*thumbnails.find(effects::kOpPosterise));
    thumbnails.setStrength(90);
    EXPECT_EQ(thumbnails.find(effects::kOpPosterise), nullptr) << "another strength, another picture";
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    EXPECT_FALSE(SamePixels(*thumbnails.find(effects::kOpPosterise), at50));
    thumbnails.setStrength(50);
    ASSERT_NE(thumbnails.find(effects::kOpPosterise), nullptr) << "kept";
    EXPECT_TRUE(SamePixels(*thumbnails.find(effects::kOpPosterise), at50));

    // The same picture handed again keeps everything; a copy of the handle is the same picture.
    const SharedPicture sameHandle = picture;
    thumbnails.setPicture(sameHandle);
    EXPECT_TRUE(thumbnails.find(effects::kOpPosterise) && thumbnails.follows(picture));

    // Pixels written in place (the holder alone): no longer followed, and starting over.
    SharedPicture alone(MakePhotoLike(90, 60));
    thumbnails.setPicture(alone);
    ASSERT_EQ(thumbnails.computeNext(codes), effects::kOpPosterise);
    const HDIB before = CopyPicture(thumbnails.base());
    HDIB& pixels = alone.write();
    for (int y = 0; y < pixels.height(); ++y)
        std::memset(pixels.row(y), 0xFF, std::size_t(pixels.width()) * 3);
    EXPECT_FALSE(thumbnails.follows(alone));
    thumbnails.setPicture(alone);
    EXPECT_EQ(std::tuple(thumbnails.find(effects::kOpPosterise), SamePixels(thumbnails.base(), before),
                         Pixel24(thumbnails.base(), 3, 3).r),
              std::tuple(nullptr, false, 255));

    // No picture: nothing to show or compute.
    thumbnails.setPicture(SharedPicture());
    EXPECT_EQ(std::tuple(thumbnails.follows(SharedPicture()), bool(thumbnails.base()), thumbnails.computeNext(codes)),
              std::tuple(true, false, std::nullopt));
}

}  // namespace
}  // namespace lv::testing
