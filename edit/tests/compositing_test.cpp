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

TEST_F(Compositing, TheGridAlternatesEveryEightPixelsFromTheBottomLeft)
{
    SetTransparencyGridScheme(2);
    auto stack = EmptyDocument(20, 20);
    CompositeLayers(*stack);
    const Rgb pink{255, 128, 192}, white{255, 255, 255};
    EXPECT_EQ((std::vector<Rgb>{Pixel24(stack->composite, 0, 0), Pixel24(stack->composite, 7, 7), Pixel24(stack->composite, 8, 0),
                                Pixel24(stack->composite, 0, 8), Pixel24(stack->composite, 8, 8), Pixel24(stack->composite, 19, 8)}),
              (std::vector<Rgb>{pink, pink, white, white, pink, white}));

    auto grey = EmptyDocument(9, 1, 8);
    CompositeLayers(*grey);
    // The blue value of the scheme.
    EXPECT_EQ(std::pair(grey->composite.row(0)[0], grey->composite.row(0)[8]), std::pair(std::uint8_t(192), std::uint8_t(255)));
}

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

}  // namespace
}  // namespace lv::testing
