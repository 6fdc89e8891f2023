// Compositing: the row kernel against the walk written out one pixel at a time, on random
// documents of every kind of layer, whole and in part; and merging layers.

#include "edit/compositing.h"
#include "layer_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace lv::testing {
namespace {

class Compositing : public ::testing::Test {
protected:
    void SetUp() override { SetTransparencyGridScheme(0); }
    void TearDown() override { SetTransparencyGridScheme(0); }
};

// The walk as written, one pixel at a time, for comparison with the row kernel.
std::array<int, 3> ReferencePixel(const LayerStack& stack, int x, int row)
{
    struct Entry {
        const LayerRecord* layer;
        int a;
    };
    std::vector<Entry> table;
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& r = stack.layers[std::size_t(i)];
        if (r.visible && r.opacity != 0)
            table.push_back({&r, int((r.opacity * 256 + 50) / 100)});
    }
    while (!table.empty() && table.back().layer->kind == LAYER_MASK)
        table.pop_back();
    const auto inside = [&](const LayerRecord& r) {
        return x >= r.x && x < r.x + r.image.width() && row >= r.y && row < r.y + r.image.height();
    };
    const auto value = [&](const HDIB& dib, const LayerRecord& r, int channel) {
        const int bpp = dib.bitCount() / 8;
        return int(dib.row(row - r.y)[(x - r.x) * bpp + (bpp == 3 ? channel : 0)]);
    };
    const int channels = stack.bitCount / 8;
    int s[3] = {0, 0, 0};
    int coverage = 0;
    bool first = true;
    for (std::size_t i = 0; i < table.size() && coverage < 256; ++i) {
        const LayerRecord& r = *table[i].layer;
        if (r.kind == LAYER_MASK || !inside(r) || value(r.mask, r, 0) == 0)
            continue;
        std::size_t k = 0;
        while (k < i && table[i - k - 1].layer->kind == LAYER_MASK)
            ++k;
        int g = 255;
        bool blocked = false;
        for (std::size_t j = i - k; j < i; ++j) {
            const LayerRecord& m = *table[j].layer;
            if (!inside(m) || value(m.image, m, 0) == 0 || value(m.mask, m, 0) == 0) {
                blocked = true;
                break;
            }
            g = (table[j].a * (g + 1) * value(m.image, m, 0)) >> 16;
        }
        if (blocked)
            continue;
        const int m = value(r.mask, r, 0);
        const int alpha = k == 0 ? ((m + 1) * table[i].a) >> 8 : ((m + 1) * (g + 1) * table[i].a) >> 16;
        const int w = (256 - coverage) * alpha;
        for (int c = 0; c < channels; ++c) {
            const int p = value(r.image, r, c);
            s[c] = first ? p * alpha : s[c] + ((p * w + 128) >> 8);
        }
        coverage = first ? alpha : coverage + ((w + 128) >> 8);
        first = false;
    }
    const auto even = GridEvenColour(TransparencyGridScheme());
    const bool odd = (((row >> 3) + (x >> 3)) & 1) != 0;
    std::array<int, 3> out{};
    for (int c = 0; c < channels; ++c) {
        const int grid = odd ? 255 : channels == 1 ? even[2] : even[std::size_t(2 - c)];
        out[std::size_t(c)] = (s[c] + grid * (256 - coverage) + 128) >> 8;
    }
    return out;
}

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

void ExpectMatchesReference(const LayerStack& stack, const char* what)
{
    const int channels = stack.bitCount / 8;
    for (int row = 0; row < stack.height; ++row)
        for (int x = 0; x < stack.width; ++x) {
            const auto expected = ReferencePixel(stack, x, row);
            for (int c = 0; c < channels; ++c)
                ASSERT_EQ(stack.composite.row(row)[x * channels + c], expected[std::size_t(c)])
                    << what << " at " << x << "," << row << " channel " << c;
        }
}

// The grid alternating every eight pixels from the bottom-left, in colour and grey, in every
// scheme, is part of the walk written out below.
TEST_F(Compositing, RandomDocumentsMatchTheWalkAndPartialRebuildsMatchWholeOnes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 24; ++round) {
        SetTransparencyGridScheme(round % 3);
        const int bitCount = round % 4 == 3 ? 8 : 24;
        auto stack = RandomDocument(random, 37, 29, bitCount, 3 + round % 12);
        CompositeLayers(*stack);
        ExpectMatchesReference(*stack, "whole");
        const HDIB whole = DibDuplicate(stack->composite);

        std::uniform_int_distribution<int> coord(-5, 40);
        for (int i = 0; i < 25; ++i) {
            std::memset(stack->composite.pixels(), 0x5A, stack->composite.header().biSizeImage);
            Rect r{coord(random), coord(random), coord(random), coord(random)};
            CompositeLayers(*stack, r);
            const int channels = bitCount / 8;
            for (int row = 0; row < 29; ++row)
                for (int x = 0; x < 37; ++x) {
                    const int top = 29 - 1 - row;
                    const bool inRect = r.contains({x, top});
                    for (int c = 0; c < channels; ++c) {
                        const std::uint8_t got = stack->composite.row(row)[x * channels + c];
                        ASSERT_EQ(got, inRect ? whole.row(row)[x * channels + c] : 0x5A) << x << "," << row;
                    }
                }
        }
    }
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
    EXPECT_FALSE(MergeLinkedLayers(*stack, false));
    EXPECT_TRUE(undo.steps.empty());

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
    std::uniform_int_distribution<int> byte(0, 255), percent(1, 100), place(-4, 10);
    for (int round = 0; round < 6; ++round) {
        auto stack = EmptyDocument(24, 18);
        for (int i = 0; i < 4; ++i) {
            HDIB image = AllocatePicture(16, 12, 24, 0);
            HDIB mask = MakeGreyFilled(16, 12, 0);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 16; ++x) {
                    SetPixel24(image, x, y, {std::uint8_t(byte(random)), std::uint8_t(byte(random)), std::uint8_t(byte(random))});
                    mask.row(y)[x] = std::uint8_t(x < 3 ? 0 : byte(random));
                }
            AppendLayer(*stack, std::move(image), std::move(mask), place(random), place(random),
                        std::uint32_t(percent(random))).linked = true;
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
