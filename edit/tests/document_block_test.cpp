// The layered stream's document block: metadata and profile survive a save and reopen, older
// streams open as before, and a block that isn't whole or isn't after every other block is
// ignored while the layers still open.

#include "common/little_endian.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "layer_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv::testing {
namespace {

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
