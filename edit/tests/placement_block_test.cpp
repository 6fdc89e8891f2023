// Placed layers in the layered stream: the source and matrix survive a save, so transforms
// after reopening render from the same source; a stream without them, or with a damaged
// placement block, opens with the layer unplaced.

#include "common/little_endian.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement_block.h"
#include "layer_test_support.h"
#include "layered_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

namespace lv::testing {
namespace {

// A 120 × 80 document whose one layer (40 × 20 at column 30, row 10) has every pixel
// different, so a render from anything but the same source shows.
std::unique_ptr<LayerStack> Document(int bitCount)
{
    auto stack = EmptyDocument(120, 80, bitCount);
    HDIB image = bitCount == 8 ? MakeGreyFilled(40, 20, 0) : AllocatePicture(40, 20, 24, 0);
    HDIB mask = MakeGreyFilled(40, 20, 255);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            if (bitCount == 8)
                image.row(y)[x] = std::uint8_t(x * 13 + y * 29);
            else
                SetPixel24(image, x, y, {std::uint8_t(x * 37 + y * 11), std::uint8_t(x * 5 + y * 91), std::uint8_t(x ^ (y * 7))});
            mask.row(y)[x] = std::uint8_t(255 - (x + y) % 7 * 30);
        }
    AppendLayer(*stack, std::move(image), std::move(mask), 30, 80 - 10 - 20, 100, bitCount == 8);
    CompositeLayers(*stack);
    return stack;
}

// Shrinks and turns the layer: its pixels now hold far less than its source.
void Shrink(LayerStack& stack)
{
    ASSERT_TRUE(ResizeCurrentLayer(stack, {30, 10, 46, 18}));
    ASSERT_TRUE(RotateCurrentLayer(stack, 17));
}

void Regrow(LayerStack& stack)
{
    const Rect box = *CurrentLayerBox(stack);
    ASSERT_TRUE(ResizeCurrentLayer(stack, {box.left, box.top, box.left + 60, box.top + 45}));
}

std::size_t PlacementOffset(const std::vector<std::uint8_t>& bytes)
{
    return LoadLE32(bytes.data() + kLayeredHeaderSize + 40);
}

TEST(PlacementBlock, APlacedLayerReopensAndTransformsOnFromTheSameSource)
{
    for (const int depth : {24, 8}) {
        SCOPED_TRACE(depth);
        auto unsaved = Document(depth);
        auto saved = Document(depth);
        const HDIB original = CopyPicture(saved->layers[0].image.read());
        Shrink(*unsaved);
        Shrink(*saved);
        auto reopened = ReadStream(WriteStream(*saved));
        ASSERT_TRUE(reopened);
        const LayerRecord& layer = reopened->layers[0];
        ASSERT_TRUE(layer.sourceImage && layer.sourceMask);
        EXPECT_TRUE(SamePixels(*layer.sourceImage, original)) << "the source is kept losslessly";
        EXPECT_EQ(layer.textPlacement, saved->layers[0].textPlacement);
        Regrow(*unsaved);
        Regrow(*reopened);
        EXPECT_TRUE(SamePixels(reopened->layers[0].image, unsaved->layers[0].image));
        EXPECT_TRUE(SamePixels(reopened->layers[0].mask, unsaved->layers[0].mask));
        EXPECT_EQ(*CurrentLayerBox(*reopened), *CurrentLayerBox(*unsaved));
    }
}

TEST(PlacementBlock, TheBlockFollowsTheLayersOtherBlocksAndNamesItsSources)
{
    auto stack = Document(24);
    const auto plain = WriteStream(*stack);
    EXPECT_EQ(PlacementOffset(plain), 0u) << "an unplaced layer writes no block";
    Shrink(*stack);
    const auto bytes = WriteStream(*stack);
    const std::size_t at = PlacementOffset(bytes);
    ASSERT_NE(at, 0u);
    EXPECT_EQ(at % 8, 0u);
    EXPECT_EQ(LoadLE32(bytes.data() + at), 16u);
    EXPECT_EQ(LoadLE32(bytes.data() + at + 4), 4u);
    double m[9];
    std::memcpy(m, bytes.data() + at + 16, sizeof m);  // little-endian like the machine
    EXPECT_TRUE(std::equal(std::begin(m), std::end(m), stack->layers[0].textPlacement.begin()));
    const std::uint32_t image = LoadLE32(bytes.data() + at + 88);
    const std::uint32_t mask = LoadLE32(bytes.data() + at + 92);
    const std::uint32_t layerMask = LoadLE32(bytes.data() + kLayeredHeaderSize + 32);
    EXPECT_GT(image, layerMask) << "after the layer's own blocks";
    EXPECT_LT(image, mask);
    EXPECT_LT(mask, at);
    for (const std::uint32_t block : {image, mask}) {
        EXPECT_EQ(LoadLE32(bytes.data() + block + 4), 1u) << "bitmap blocks";
        EXPECT_EQ(bytes[block + 16], 'B');
    }
    EXPECT_EQ(LoadLE32(bytes.data() + 36), at + kPlacementBlockSize) << "the preview comes next";
}

TEST(PlacementBlock, StreamsWithoutItOrWithADamagedOneOpenTheLayerUnplaced)
{
    auto stack = Document(24);
    Shrink(*stack);
    const auto good = WriteStream(*stack);
    const std::size_t at = PlacementOffset(good);
    const std::uint32_t layerImage = LoadLE32(good.data() + kLayeredHeaderSize + 28);
    const auto putDouble = [](std::vector<std::uint8_t>& b, std::size_t offset, double value) {
        std::memcpy(b.data() + offset, &value, sizeof value);
    };
    const std::vector<std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>>> damages = {
        {"no table word", [](auto& b) { StoreLE32(b.data() + kLayeredHeaderSize + 40, 0); }},
        {"word into the table", [](auto& b) { StoreLE32(b.data() + kLayeredHeaderSize + 40, 8); }},
        {"word past the end", [&](auto& b) { StoreLE32(b.data() + kLayeredHeaderSize + 40, std::uint32_t(b.size() - 8)); }},
        {"other encoding", [&](auto& b) { StoreLE32(b.data() + at + 4, 1); }},
        {"not a number", [&](auto& b) { putDouble(b, at + 16, std::nan("")); }},
        {"third row", [&](auto& b) { putDouble(b, at + 16 + 64, 2); }},
        {"degenerate", [&](auto& b) { for (int i = 0; i < 6; ++i) putDouble(b, at + 16 + 8 * std::size_t(i), 0); }},
        {"a thousand times the layer", [&](auto& b) { putDouble(b, at + 16, 1000); putDouble(b, at + 16 + 32, 1000); }},
        {"source is the layer's image", [&](auto& b) { StoreLE32(b.data() + at + 88, layerImage); }},
        {"both sources alike", [&](auto& b) { StoreLE32(b.data() + at + 92, LoadLE32(b.data() + at + 88)); }},
        {"source past the end", [&](auto& b) { StoreLE32(b.data() + at + 92, 0xFFFFFFF0u); }},
        {"mask block is the image", [&](auto& b) { StoreLE32(b.data() + LoadLE32(b.data() + at + 92) + 4, 2); }},
        {"source bitmap cut", [&](auto& b) { std::memset(b.data() + LoadLE32(b.data() + at + 88) + 16, 0, 8); }},
    };
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        auto bytes = good;
        damage(bytes);
        auto reopened = ReadStream(bytes);
        ASSERT_TRUE(reopened);
        const LayerRecord& layer = reopened->layers[0];
        EXPECT_FALSE(layer.sourceImage || layer.sourceMask);
        EXPECT_TRUE(IsUnplaced(layer.textPlacement));
        EXPECT_TRUE(SamePixels(layer.mask, stack->layers[0].mask)) << "the layer itself is whole";
        // Transforms start afresh from the pixels it has.
        ASSERT_TRUE(ResizeCurrentLayer(*reopened, {0, 0, 30, 30}));
        EXPECT_EQ(reopened->layers[0].sourceImage->width(), stack->layers[0].image.width());
    }
}

// The layered stream's document block: metadata and profile survive a save and reopen, older
// streams open as before, and a block that isn't whole or isn't after every other block is
// ignored while the layers still open.
std::vector<std::uint8_t> Written(const DocumentMetadata& metadata)
{
    auto stack = EmptyDocument(9, 7);
    AppendLayer(*stack, SolidPicture(5, 4, {10, 200, 30}), MakeGreyFilled(5, 4, 255), 2, 1);
    CompositeLayers(*stack);
    MemorySink sink;
    EXPECT_EQ(WriteLayeredStream(sink, *stack, kLayeredSaveQuality, metadata), kLayeredWritten);
    return sink.take();
}

// The document's layer count and its metadata as read back.
std::pair<int, DocumentMetadata> Read(const std::vector<std::uint8_t>& bytes)
{
    DocumentMetadata metadata;
    metadata.iccProfile = {1};  // a reader that forgets to clear it shows
    MemorySource source(bytes);
    const auto stack = ReadLayeredStream(source, &metadata);
    return {stack ? stack->layerCount : -1, metadata};
}

TEST(DocumentBlock, RoundTripsAfterThePreviewAndIsIgnoredWhenNotWholeOrNotLast)
{
    DocumentMetadata sample;
    sample.photo.xmp = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                       "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' dc:format='image/x-praia'/>"
                       "</rdf:RDF></x:xmpmeta>";
    sample.photo.iptc = {0x1C, 0x02, 0x05, 0x00, 0x04, 'P', 'r', 'a', 'i'};
    sample.iccProfile.assign(131, 7);
    const auto good = Written(sample);
    const std::uint32_t block = LoadLE32(good.data() + 40), preview = LoadLE32(good.data() + 36);
    ASSERT_GT(block, preview);
    EXPECT_EQ(block % 8 + good.size() % 8, 0u);
    EXPECT_EQ(LoadLE32(good.data() + block + 4), std::uint32_t(kBlockDocument));
    const auto [layers, metadata] = Read(good);
    EXPECT_EQ(layers, 1);
    EXPECT_NE(metadata.photo.xmp.find("image/x-praia"), std::string::npos) << metadata.photo.xmp;
    EXPECT_EQ(metadata.photo.iptc, sample.photo.iptc);
    EXPECT_EQ(metadata.iccProfile, sample.iccProfile);

    const auto plain = Written({});
    EXPECT_EQ(LoadLE32(plain.data() + 40), 0u);
    EXPECT_TRUE(Read(plain).second.empty());

    const std::uint32_t image = LoadLE32(good.data() + 48 + 28);
    const std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>> damages[] = {
        {"profile past the end", [&](auto& b) { StoreLE32(b.data() + block + 28, 4096); }},
        {"lengths overflowing", [&](auto& b) { StoreLE32(b.data() + block + 16, ~0u); StoreLE32(b.data() + block + 28, ~0u); }},
        {"file cut inside it", [&](auto& b) { b.resize(block + 40); }},
        {"preview inside it", [&](auto& b) { StoreLE32(b.data() + 36, block + 16); }},
        {"at a layer's image", [&](auto& b) { StoreLE32(b.data() + 40, image); }},
        {"at the preview", [&](auto& b) { StoreLE32(b.data() + 40, preview); }},
        {"past the end", [&](auto& b) { StoreLE32(b.data() + 40, std::uint32_t(b.size())); }},
    };
    for (const auto& [what, damage] : damages) {
        auto bytes = good;
        damage(bytes);
        const auto [damagedLayers, ignored] = Read(bytes);
        EXPECT_EQ(damagedLayers, 1) << what;
        EXPECT_TRUE(ignored.empty()) << what;
    }
}

}  // namespace
}  // namespace lv::testing
