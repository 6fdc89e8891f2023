// The document block of the layered stream: a photo's metadata and colour profile survive a
// save and reopen, older streams open as before, and a block that isn't whole or doesn't
// stand after every other block is ignored while the layers still open.

#include "common/little_endian.h"
#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "edit/layer_pictures.h"
#include "edit/layered_layout.h"
#include "layer_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv::testing {
namespace {

constexpr std::size_t kWord40 = 40;

DocumentMetadata SampleMetadata()
{
    DocumentMetadata metadata;
    metadata.photo.xmp = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                         "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' dc:format='image/x-praia'/>"
                         "</rdf:RDF></x:xmpmeta>";
    metadata.photo.iptc = {0x1C, 0x02, 0x05, 0x00, 0x04, 'P', 'r', 'a', 'i'};
    for (int i = 0; i < 131; ++i)
        metadata.iccProfile.push_back(std::uint8_t(i * 7));
    return metadata;
}

std::vector<std::uint8_t> Written(const DocumentMetadata& metadata, int quality = kLayeredSaveQuality)
{
    auto stack = EmptyDocument(9, 7);
    AppendLayer(*stack, SolidPicture(5, 4, {10, 200, 30}), MakeGreyFilled(5, 4, 255), 2, 1);
    CompositeLayers(*stack);
    MemorySink sink;
    EXPECT_EQ(WriteLayeredStream(sink, *stack, quality, metadata), kLayeredWritten);
    return sink.take();
}

struct Opened {
    std::unique_ptr<LayerStack> stack;
    DocumentMetadata metadata;
};

Opened Read(const std::vector<std::uint8_t>& bytes)
{
    Opened opened;
    opened.metadata.iccProfile = {1};  // a reader that forgets to clear it shows
    MemorySource source(bytes);
    opened.stack = ReadLayeredStream(source, &opened.metadata);
    return opened;
}

TEST(DocumentBlock, RoundTripsAfterThePreviewAndOldStreamsOpenWithout)
{
    const DocumentMetadata sample = SampleMetadata();
    for (const int quality : {kLayeredSaveQuality, 100}) {
        const auto bytes = Written(sample, quality);
        const std::uint32_t block = LoadLE32(bytes.data() + kWord40);
        const std::uint32_t preview = LoadLE32(bytes.data() + 36);
        ASSERT_GT(block, preview);
        EXPECT_EQ(block % 8, 0u);
        EXPECT_EQ(bytes.size() % 8, 0u);
        EXPECT_EQ(LoadLE32(bytes.data() + block + 4), std::uint32_t(kBlockDocument));
        const Opened opened = Read(bytes);
        ASSERT_TRUE(opened.stack);
        EXPECT_EQ(opened.stack->layerCount, 1);
        EXPECT_NE(opened.metadata.photo.xmp.find("image/x-praia"), std::string::npos) << opened.metadata.photo.xmp;
        EXPECT_EQ(opened.metadata.photo.iptc, sample.photo.iptc);
        EXPECT_EQ(opened.metadata.iccProfile, sample.iccProfile);
    }
    const auto plain = Written({});
    EXPECT_EQ(LoadLE32(plain.data() + kWord40), 0u);
    const Opened old = Read(plain);
    ASSERT_TRUE(old.stack);
    EXPECT_TRUE(old.metadata.empty());
}

TEST(DocumentBlock, ABlockNotWholeOrNotAfterTheOthersIsIgnoredAndTheLayersOpen)
{
    const auto good = Written(SampleMetadata());
    const std::uint32_t block = LoadLE32(good.data() + kWord40);
    const std::uint32_t preview = LoadLE32(good.data() + 36);
    const std::uint32_t imageOffset = LoadLE32(good.data() + 48 + 28);
    const auto damaged = [&](auto change) {
        auto bytes = good;
        change(bytes);
        return Read(bytes);
    };
    const std::vector<std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>>> cases = {
        {"profile runs past the end", [&](auto& b) { StoreLE32(b.data() + block + 28, 4096); }},
        {"lengths overflow together", [&](auto& b) { StoreLE32(b.data() + block + 16, 0xFFFFFFFF); StoreLE32(b.data() + block + 28, 0xFFFFFFFF); }},
        {"cut short by the file's end", [&](auto& b) { b.resize(block + 40); }},
        {"the preview starts inside it", [&](auto& b) { StoreLE32(b.data() + 36, block + 16); }},
        {"named at a layer's image", [&](auto& b) { StoreLE32(b.data() + kWord40, imageOffset); }},
        {"named at the preview", [&](auto& b) { StoreLE32(b.data() + kWord40, preview); }},
        {"past the end", [&](auto& b) { StoreLE32(b.data() + kWord40, std::uint32_t(b.size())); }},
        {"inside the table", [&](auto& b) { StoreLE32(b.data() + kWord40, 8); }},
    };
    for (const auto& [what, change] : cases) {
        const Opened opened = damaged(change);
        ASSERT_TRUE(opened.stack) << what;
        EXPECT_EQ(opened.stack->layerCount, 1) << what;
        EXPECT_TRUE(opened.metadata.empty()) << what;
    }
}

}  // namespace
}  // namespace lv::testing
