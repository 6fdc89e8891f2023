// The layered stream: its bytes, round trips, damaged and hostile streams, the older layout, the
// bitmap streams its mask blocks are written as, and its placement and document blocks.

#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "edit/bmp_stream.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement_block.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/tests/pictures.h"
#include "layer_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <tuple>

namespace lv::testing {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return LoadLE32(bytes.data() + at);
}

using Words = std::vector<std::uint32_t>;

// `count` little-endian words from `at`.
Words WordsAt(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count)
{
    Words words;
    for (std::size_t i = 0; i < count; ++i)
        words.push_back(U32(bytes, at + 4 * i));
    return words;
}

std::vector<std::uint8_t> JpegOf(const HDIB& picture, int quality)
{
    MemorySink sink;
    EXPECT_EQ(WriteJpeg(sink, picture, quality), WriteResult::Written);
    return sink.take();
}

// `bytes` with the little-endian word at `at` replaced by `value`.
std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t value)
{
    StoreLE32(bytes.data() + at, value);
    return bytes;
}

bool ZeroBetween(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to)
{
    return std::all_of(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(to), [](std::uint8_t b) { return b == 0; });
}

// A colour document of several kinds of layer, composited.
std::unique_ptr<LayerStack> SampleDocument()
{
    auto stack = EmptyDocument(40, 30);
    stack->composite.header().biXPelsPerMeter = 3937;
    stack->composite.header().biYPelsPerMeter = 7874;
    HDIB mask = MakeGreyFilled(12, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            mask.row(y)[x] = std::uint8_t(x < 4 ? 0 : x < 8 ? 255 : 20 * y + x);
    LayerRecord& top = AppendLayer(*stack, MakePhotoLike(12, 10), std::move(mask), -3, 25, 60);
    top.linked = top.maskLocked = true;
    top.name = "primeira camada";
    LayerRecord& maskLayer = AppendLayer(*stack, MakeGreyFilled(20, 20, 180), {}, 5, 5, 100, true);
    maskLayer.kind = LAYER_MASK;
    maskLayer.visible = false;
    AppendLayer(*stack, MakePhotoLike(40, 30));
    stack->currentLayer = 1;
    CompositeLayers(*stack);
    return stack;
}

void ExpectSameLayers(const LayerStack& a, const LayerStack& b, bool exactImages)
{
    ASSERT_EQ(a.layerCount, b.layerCount);
    EXPECT_EQ(std::tie(a.currentLayer, a.width, a.height, a.bitCount),
              std::tie(b.currentLayer, b.width, b.height, b.bitCount));
    const auto fields = [](const LayerRecord& r) {
        return std::tie(r.name, r.x, r.y, r.opacity, r.kind, r.linked, r.visible, r.maskLocked, r.aspect);
    };
    for (int i = 0; i < a.layerCount; ++i) {
        const LayerRecord& x = a.layers[std::size_t(i)];
        const LayerRecord& y = b.layers[std::size_t(i)];
        EXPECT_EQ(fields(x), fields(y)) << "layer " << i;
        EXPECT_TRUE(SamePixels(x.mask, y.mask)) << "mask of layer " << i;
        ASSERT_EQ(std::tuple(x.image.bitCount(), x.image.width(), x.image.height()),
                  std::tuple(y.image.bitCount(), y.image.width(), y.image.height()));
        if (exactImages) {
            EXPECT_TRUE(SamePixels(x.image, y.image)) << "image of layer " << i;
            continue;
        }
        // JPEG: close on average, nowhere far off.
        EXPECT_LE(MeanDifference(x.image, y.image), 6.0) << "layer " << i;
        for (int row = 0; row < x.image.height(); ++row)
            for (int k = 0; k < x.image.width() * x.image.bitCount() / 8; ++k)
                ASSERT_LE(std::abs(int(x.image.row(row)[k]) - int(y.image.row(row)[k])), 64) << "layer " << i;
    }
}

TEST(LayeredFormat, OnePixelDocumentLayout)
{
    auto stack = CreateLayerStackFromImage(SolidPicture(1, 1, {10, 200, 30}));
    stack->composite.header().biXPelsPerMeter = 2835;
    stack->composite.header().biYPelsPerMeter = 2836;
    CompositeLayers(*stack);
    const auto bytes = WriteStream(*stack);
    ASSERT_EQ(bytes.size() % 8, 0u);

    // Header: magic, version, size, depth, resolution, count, current, preview, two zeros.
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "FLVT");
    const std::uint32_t preview = U32(bytes, 36);
    EXPECT_EQ(WordsAt(bytes, 4, 11), (Words{3, 1, 1, 24, 2835, 2836, 1, 0, preview, 0, 0}));

    // The one table entry, and the name block straight after it.
    const std::uint32_t image = U32(bytes, 48 + 28), mask = U32(bytes, 48 + 32);
    EXPECT_EQ(WordsAt(bytes, 48, 12), (Words{48, 0, 96, 2, 0, 0, 100, image, mask, 0, 0, 0}));
    EXPECT_EQ(WordsAt(bytes, 96, 2), (Words{6, 0}));
    EXPECT_EQ(std::tuple(std::memcmp(bytes.data() + 104, "Fundo", 6), image), std::tuple(0, 112u));
    EXPECT_TRUE(ZeroBetween(bytes, 110, 112));

    // Image block: header, then the layer's JPEG stream exactly as the codec writes it.
    EXPECT_EQ(WordsAt(bytes, image, 4), (Words{16, 2, 0, 0}));
    const auto jpeg = JpegOf(stack->layers[0].image, 90);
    ASSERT_LE(image + 16 + jpeg.size(), bytes.size());
    EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.end(), bytes.begin() + image + 16));
    EXPECT_EQ(mask, (image + 16 + jpeg.size() + 7) / 8 * 8);
    EXPECT_TRUE(ZeroBetween(bytes, image + 16 + jpeg.size(), mask));

    // Mask block: a run-length bitmap of the one opaque pixel.
    EXPECT_EQ(WordsAt(bytes, mask, 2), (Words{16, 1}));
    const std::size_t bmp = mask + 16;
    EXPECT_EQ(std::string(bytes.begin() + std::ptrdiff_t(bmp), bytes.begin() + std::ptrdiff_t(bmp + 2)), "BM");
    EXPECT_EQ((Words{U32(bytes, bmp + 2), U32(bytes, bmp + 10)}), (Words{14 + 40 + 1024 + 4, 14 + 40 + 1024}));
    EXPECT_EQ(WordsAt(bytes, bmp + 14 + 16, 2), (Words{1, 4}));  // BI_RLE8, four bytes of codes
    const std::size_t rle = bmp + 14 + 40 + 1024;
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + rle, bytes.begin() + rle + 4)),
              (std::vector<std::uint8_t>{1, 255, 0, 1}));
    EXPECT_EQ(preview, (rle + 4 + 7) / 8 * 8);
    EXPECT_TRUE(ZeroBetween(bytes, rle + 4, preview));

    // Preview: the composite as JPEG, then zeros to a multiple of 8.
    EXPECT_EQ(WordsAt(bytes, preview, 2), (Words{16, 2}));
    const auto previewJpeg = JpegOf(stack->composite, 90);
    EXPECT_TRUE(std::equal(previewJpeg.begin(), previewJpeg.end(), bytes.begin() + preview + 16));
    EXPECT_EQ(bytes.size(), (preview + 16 + previewJpeg.size() + 7) / 8 * 8);
    EXPECT_TRUE(ZeroBetween(bytes, preview + 16 + previewJpeg.size(), bytes.size()));
}

TEST(LayeredFormat, LayersRoundTrip)
{
    auto stack = SampleDocument();
    // The stream starts where the sink stands, here after a prefix as in a container.
    MemorySink sink;
    sink.write("prefix!", 7);
    ASSERT_EQ(WriteLayeredStream(sink, *stack, 100), kLayeredWritten);
    EXPECT_EQ(sink.position(), sink.bytes().size());
    const std::vector<std::uint8_t> lossless(sink.bytes().begin() + 7, sink.bytes().end());
    EXPECT_EQ(lossless.size() % 8, 0u);
    MemorySource source(sink.bytes());
    ASSERT_TRUE(source.seek(7));
    auto exact = ReadLayeredStream(source);
    ASSERT_TRUE(exact);
    ExpectSameLayers(*stack, *exact, true);
    EXPECT_EQ(std::tuple(exact->composite.header().biXPelsPerMeter, exact->composite.header().biYPelsPerMeter,
                         exact->xResolution, exact->compositeBitsOffset), std::tuple(3937, 7874, 3937, 40));
    EXPECT_EQ(U32(lossless, U32(lossless, 48 + 28) + 4), 1u);  // images as bitmaps at quality 100

    auto jpeg = ReadStream(WriteStream(*stack, 75));
    ASSERT_TRUE(jpeg);
    ExpectSameLayers(*stack, *jpeg, false);

    auto grey = EmptyDocument(9, 7, 8);
    AppendLayer(*grey, MakeGreyFilled(9, 7, 99), {}, 0, 0, 33).name = "cinza";
    AppendLayer(*grey, MakeGreyFilled(3, 2, 7), MakeGreyFilled(3, 2, 128), 6, 5);
    CompositeLayers(*grey);
    auto greyRead = ReadStream(WriteStream(*grey, 100));
    ASSERT_TRUE(greyRead);
    ExpectSameLayers(*grey, *greyRead, true);
    EXPECT_EQ(std::tuple(greyRead->compositeBitsOffset, greyRead->composite.bitCount()), std::tuple(1064, 8));
}

TEST(LayeredFormat, TextLayersKeepTheirObject)
{
    auto stack = EmptyDocument(30, 20);
    TextObject object = MakeTextObject("Feliz aniversário");
    for (int w = 3; w < TextObject::kWordCount; ++w)
        object.words[std::size_t(w)] = 0x01010101u * std::uint32_t(w);
    object.words[TextObject::kFlagsWord] = 0xFFFFFFFF;
    auto text = std::make_shared<TextObject>(object);
    HDIB image = SolidPicture(8, 4, {255, 0, 0});
    HDIB mask = MakeGreyFilled(8, 4, 200);
    ASSERT_EQ(InsertLayer(*stack, image, mask, 0, false, text), kInsertOk);
    LayerRecord& layer = stack->layers[0];
    layer.textPlacement = {1.5, 0.25, -3, 0.5, 2, 7.75, 0, 0, 1};
    CompositeLayers(*stack);
    const auto bytes = WriteStream(*stack);

    const std::uint32_t block = U32(bytes, 48 + 36);
    ASSERT_NE(block, 0u);
    EXPECT_EQ(U32(bytes, block + 4), 3u);
    const std::size_t d = block + 16;
    EXPECT_EQ(WordsAt(bytes, d, 3), (Words{176, std::uint32_t(d + 184), object.words[3]}));
    EXPECT_EQ((Words{U32(bytes, d + 72), U32(bytes, d + 76), U32(bytes, d + 120)}), (Words{object.words[19], 0x30F, object.words[31]}));
    EXPECT_TRUE(ZeroBetween(bytes, d + 124, d + 128) && ZeroBetween(bytes, d + 176, d + 184));
    double m0;
    std::memcpy(&m0, bytes.data() + d + 128, 8);
    EXPECT_EQ(std::tuple(m0, U32(bytes, d + 184)), std::tuple(1.5, std::uint32_t(object.text.size() + 1)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + d + 192)), "Feliz aniversário");

    auto read = ReadStream(bytes);
    ASSERT_TRUE(read);
    const LayerRecord& back = read->layers[0];
    ASSERT_TRUE(back.textObject);
    EXPECT_EQ(std::tie(back.kind, back.textObject->text), std::tuple(LAYER_TEXT, "Feliz aniversário"));
    EXPECT_EQ(Words(back.textObject->words.begin(), back.textObject->words.begin() + 2), (Words{176, 1024}));
    Words kept(object.words.begin() + 3, object.words.begin() + 32);
    kept[TextObject::kFlagsWord - 3] = 0x30F;
    EXPECT_EQ(Words(back.textObject->words.begin() + 3, back.textObject->words.begin() + 32), kept);
    EXPECT_EQ(back.textPlacement, (Placement{1.5, 0.25, -3, 0.5, 2, 7.75, 0, 0, 1}));

    // A text layer whose text offset is 0 reads as an image layer.
    auto plain = ReadStream(Patched(bytes, 48 + 36, 0));
    ASSERT_TRUE(plain);
    EXPECT_EQ(std::pair(plain->layers[0].kind, bool(plain->layers[0].textObject)), std::pair(LAYER_IMAGE, false));
}

// A 4 × 4 document of 32 layers of one colour each, `side` pixels square.
std::unique_ptr<LayerStack> ThirtyTwoLayers(int side)
{
    auto stack = EmptyDocument(4, 4);
    for (int i = 0; i < 32; ++i) {
        HDIB image = SolidPicture(side, side, {std::uint8_t(i), 0, 0});
        HDIB mask;
        EXPECT_EQ(InsertLayer(*stack, image, mask, i, false, {}, LayerLimit::Lifted), kInsertOk);
    }
    return stack;
}

TEST(LayeredFormat, CountsAreCappedAndTheCurrentLayerChecked)
{
    auto stack = ThirtyTwoLayers(1);
    stack->currentLayer = 31;
    auto bytes = WriteStream(*stack);
    EXPECT_EQ(ReadStream(bytes)->currentLayer, 31);
    auto read = ReadStream(Patched(Patched(bytes, 28, 40), 32, 32));  // 40 layers, the 33rd current
    ASSERT_TRUE(read);
    EXPECT_EQ(std::tie(read->layerCount, read->currentLayer, read->layers[31].name), std::tuple(32, 0, "layer32"));
}

TEST(LayeredFormat, BadHeadersAndBlocksFailTheRead)
{
    const auto good = WriteStream(*SampleDocument());
    ASSERT_TRUE(ReadStream(good));
    EXPECT_FALSE(ReadStream(Patched(good, 4, 2)));         // version
    EXPECT_FALSE(ReadStream(Patched(good, 16, 16)));       // depth
    EXPECT_FALSE(ReadStream(Patched(good, 48 + 32, 0)));   // a mask offset of 0
    EXPECT_FALSE(ReadStream(Patched(good, 48 + 28, 0)));   // an image offset of 0
    EXPECT_FALSE(ReadStream(Patched(good, 48 + 8, 0)));    // a name offset of 0
    EXPECT_FALSE(ReadStream(Patched(good, 48 + 32, U32(good, 48 + 28))));  // a JPEG block as the mask
    EXPECT_FALSE(ReadStream(Patched(good, 48 + 28, 0x7FFFFFF0)));            // beyond the end
    EXPECT_FALSE(ReadStream(Patched(Patched(good, 8, 60000), 12, 60000)));  // a canvas the file could not describe
    auto magic = good;
    magic[0] = 'X';
    EXPECT_FALSE(ReadStream(magic));
}

TEST(LayeredFormat, SharedOrMisplacedBlocksAndPaddedCanvasesAreRefused)
{
    const auto good = WriteStream(*ThirtyTwoLayers(3));
    ASSERT_TRUE(ReadStream(good));
    const auto entry = [](int layer, std::size_t field) { return 48 + std::size_t(layer) * 48 + field; };
    // Every layer's image is the first layer's: one block decoded 32 times.
    auto shared = good;
    for (int i = 1; i < 32; ++i)
        StoreLE32(shared.data() + entry(i, 28), U32(good, entry(0, 28)));
    EXPECT_FALSE(ReadStream(shared));
    EXPECT_FALSE(ReadStream(Patched(good, entry(5, 32), U32(good, entry(4, 32)))));  // a shared mask
    EXPECT_FALSE(ReadStream(Patched(good, entry(3, 8), 48 + 48)));                   // a name inside the table
    EXPECT_FALSE(ReadStream(Patched(good, 36, U32(good, entry(0, 28)))));            // an image as the preview

    // A canvas far larger than the blocks' data, made plausible by zero padding: refused
    // before the canvas is made.
    auto padded = Patched(Patched(good, 8, 6000), 12, 6000);
    padded.resize(padded.size() + 3'000'000);
    EXPECT_FALSE(ReadStream(padded));
}

TEST(LayeredFormat, LongNamesAreCutAndOlderNamesBecomeUtf8)
{
    auto stack = SampleDocument();
    stack->layers[1].name = std::string(300, 'x');  // past what the stack would keep, as a foreign writer might
    // A UTF-8 name cut at 255 bytes inside its last character stays UTF-8, one character shorter.
    stack->layers[0].name = std::string(253, 'a') + "çã";
    stack->layers[2].name = "Ver\xE3o \x80 1999";  // Windows-1252, as the older program wrote names
    auto read = ReadStream(WriteStream(*stack));
    ASSERT_TRUE(read);
    EXPECT_EQ(LayerNames(*read),
              (std::vector<std::string>{std::string(253, 'a') + "ç", std::string(255, 'x'), "Verão € 1999"}));
    EXPECT_EQ(std::tie(read->layers[1].x, read->layers[1].y, read->layers[1].kind), std::tuple(5, 5, LAYER_MASK));

    // A name block announcing more bytes than the file still holds reads what is there.
    auto cut = WriteStream(*stack);
    const std::uint32_t nameBlock = U32(cut, 48 + 2 * 48 + 8);
    StoreLE32(cut.data() + nameBlock, 300);
    cut.resize(nameBlock + 8 + 256);
    MemorySource source(cut);
    const auto name = ReadNameBlock(source, nameBlock);
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, "Verão € 1999");
}

// The image block of layer `layer`: from its offset to the mask block that follows it.
std::vector<std::uint8_t> ImageBlockOf(const std::vector<std::uint8_t>& file, std::size_t layer)
{
    const std::uint32_t image = U32(file, 48 + 48 * layer + 28), mask = U32(file, 48 + 48 * layer + 32);
    return {file.begin() + image, file.begin() + mask};
}

TEST(LayeredFormat, UntouchedLayersKeepTheirBlocksThroughTenSaves)
{
    TempDir dir;
    const std::string path = dir.file("dez.vlf");
    auto stack = EmptyDocument(48, 32);
    AppendLayer(*stack, MakePhotoLike(48, 32));
    AppendLayer(*stack, MakePhotoLike(30, 20), MakeGreyFilled(30, 20, 200), 5, 4, 70);
    AppendLayer(*stack, MakeGreyFilled(20, 10, 90), {}, 1, 1, 100, true);
    CompositeLayers(*stack);
    ASSERT_TRUE(WriteLayeredFile(path, *stack));
    const auto first = ReadWholeFile(path).value();
    auto firstRead = ReadLayeredFile(path);
    ASSERT_TRUE(firstRead);

    std::vector<std::uint8_t> previous = first;
    for (int round = 0; round < 10; ++round) {
        auto document = ReadLayeredFile(path);
        ASSERT_TRUE(document);
        HDIB& pixels = document->layers[0].image.write();
        for (int y = 0; y < 8; ++y)
            std::memset(pixels.row(2 * round + y) + 6 * round, 23 * round + 7, 24);
        CompositeLayers(*document);
        ASSERT_TRUE(WriteLayeredFile(path, *document));
        const auto saved = ReadWholeFile(path).value();
        EXPECT_NE(ImageBlockOf(saved, 0), ImageBlockOf(previous, 0)) << "the changed layer is encoded afresh";
        previous = saved;
    }
    for (std::size_t layer : {1u, 2u})
        EXPECT_EQ(ImageBlockOf(previous, layer), ImageBlockOf(first, layer)) << "layer " << layer;
    auto last = ReadLayeredFile(path);
    ASSERT_TRUE(last);
    EXPECT_TRUE(SamePixels(last->layers[1].image, firstRead->layers[1].image)) << "no loss in ten saves";

    // A layer written and then put back as it was read (an undo) keeps its block too; the
    // lossless save encodes every image as a bitmap.
    const SharedPicture asRead = last->layers[1].image;
    last->layers[1].image.write().row(0)[0] ^= 1;
    EXPECT_NE(ImageBlockOf(WriteStream(*last), 1), ImageBlockOf(first, 1));
    last->layers[1].image = asRead;
    EXPECT_EQ(ImageBlockOf(WriteStream(*last), 1), ImageBlockOf(first, 1));
    EXPECT_EQ(U32(WriteStream(*last, 100), U32(WriteStream(*last, 100), 48 + 48 + 28) + 4), 1u);
}

// A stream made by the seed script from the format's description, not by our writer.
TEST(LayeredFormat, ReadsAStreamMadeElsewhere)
{
    auto stack = ReadLayeredFile(std::string(LV_SOURCE_DIR) + "/fuzz/corpus/layered_stream/bitmaps.vlf");
    ASSERT_TRUE(stack);
    ASSERT_EQ(std::tuple(stack->width, stack->height, stack->layerCount), std::tuple(6, 5, 3));
    const LayerRecord& text = stack->layers[0];
    EXPECT_EQ(std::tie(text.kind, text.name, text.linked, text.visible, text.maskLocked, text.x, text.opacity),
              std::tuple(LAYER_TEXT, "texto", true, true, false, 1, 80u));
    EXPECT_EQ(std::tuple(Pixel24(text.image, 1, 2), int(text.mask.row(1)[2])), std::tuple(Rgb{90, 120, 40}, 120));
    ASSERT_TRUE(text.textObject);
    EXPECT_EQ(std::tie(text.textObject->text, text.textObject->words[19], text.textObject->words[43], text.textPlacement[8]),
              std::tuple("Olá", 19 * 0x01010101u, 43 * 0x01010101u, 1.0));
    const LayerRecord& mask = stack->layers[1];
    EXPECT_EQ(std::tuple(mask.kind, mask.name, mask.y, int(mask.image.row(0)[0])),
              std::tuple(LAYER_MASK, "máscara", 2, 90));
    const LayerRecord& last = stack->layers[2];
    EXPECT_EQ(std::tie(last.x, last.maskLocked, last.opacity), std::tuple(-1, true, 50u));
}

// The older layout, built here as its writer laid it out.
class OlderFile {
public:
    OlderFile(int width, int height, int depth)
    {
        bytes.zeros(10008);
        bytes.text("Verandolith Layer Version 1.0").u8(0);
        StoreLE16(&bytes.data[520], std::uint16_t(width));
        StoreLE16(&bytes.data[522], std::uint16_t(height));
        StoreLE16(&bytes.data[524], std::uint16_t(depth));
    }
    void setCounts(std::int32_t count, std::int32_t current)
    {
        StoreLE32(&bytes.data[528], std::uint32_t(count));
        StoreLE32(&bytes.data[532], std::uint32_t(current));
    }
    // Appends the layer's picture and run-length mask and fills its slot and record.
    void addLayer(int slot, const HDIB* image, const HDIB& mask, std::int32_t x, std::int32_t y, const char* name,
                  std::uint32_t kind, std::uint32_t opacity)
    {
        std::vector<std::uint8_t> slotWords(16, 0);
        if (image) {
            StoreLE32(slotWords.data(), std::uint32_t(bytes.size()));
            StoreLE32(slotWords.data() + 4, std::uint32_t(image->size()));
            bytes.data.insert(bytes.data.end(), image->data(), image->data() + image->size());
        }
        // The mask block: its length, one run pair for the header's first byte, literals for the rest.
        const std::size_t maskStart = bytes.size();
        const std::size_t length = mask.size();
        bytes.u32(std::uint32_t(length));
        bytes.u8(1).u8(mask.data()[0]);
        for (std::size_t at = 1; at < length; at += 255) {
            const std::size_t n = std::min<std::size_t>(255, length - at);
            bytes.u8(0).u8(std::uint8_t(n));
            bytes.data.insert(bytes.data.end(), mask.data() + at, mask.data() + at + n);
        }
        StoreLE32(slotWords.data() + 8, std::uint32_t(maskStart));
        StoreLE32(slotWords.data() + 12, std::uint32_t(bytes.size() - maskStart));
        std::memcpy(&bytes.data[8 + 16 * std::size_t(slot)], slotWords.data(), 16);
        std::uint8_t* r = &bytes.data[536 + 296 * std::size_t(slot)];
        StoreLE32(r + 8, std::uint32_t(x));
        StoreLE32(r + 12, std::uint32_t(y));
        std::strncpy(reinterpret_cast<char*>(r + 16), name, 255);
        StoreLE32(r + 272, 1);
        StoreLE32(r + 276, 1);
        StoreLE32(r + 288, opacity);
        StoreLE32(r + 292, kind);
    }
    Bytes bytes;
};

TEST(LayeredFormat, OlderFilesAreRead)
{
    TempDir dir;
    OlderFile older(6, 4, 24);
    const HDIB photo = MakePhotoLike(6, 4);
    HDIB mask = MakeGreyFilled(6, 4, 0);
    mask.row(1)[2] = 255;
    older.addLayer(0, &photo, mask, 0, 0, "texto antigo", LAYER_TEXT, 80);
    const HDIB small = MakeGreyFilled(2, 2, 30);
    older.addLayer(1, &small, MakeGreyFilled(2, 2, 255), 4, 2, "cinza", LAYER_IMAGE, 100);
    older.setCounts(2, 1);
    ASSERT_TRUE(WriteWholeFile(dir.file("old.vlf"), older.bytes.data));

    auto stack = ReadLayeredFile(dir.file("old.vlf"));
    ASSERT_TRUE(stack);
    ASSERT_EQ(std::tuple(stack->layerCount, stack->currentLayer), std::tuple(2, 1));
    // The text is not kept.
    EXPECT_EQ(std::tie(stack->layers[0].name, stack->layers[0].kind, stack->layers[0].opacity, stack->layers[0].linked),
              std::tuple("texto antigo", LAYER_IMAGE, 80u, true));
    EXPECT_TRUE(SamePixels(stack->layers[0].image, photo) && SamePixels(stack->layers[0].mask, mask));
    // A grey layer stays grey in a colour document.
    EXPECT_EQ(std::tuple(stack->layers[1].image.bitCount(), stack->layers[1].x, stack->layers[1].y),
              std::tuple(8, 4, 2));

    // Without a preview block, the preview is the flattened document.
    const HDIB preview = ReadLayeredPreview(dir.file("old.vlf"));
    CompositeLayers(*stack);
    EXPECT_TRUE(SamePixels(preview, stack->composite));

    // A stream header of version 2 is not enough for either reader...
    auto versionTwo = older.bytes.data;
    std::memcpy(versionTwo.data(), "FLVT\2\0\0\0", 8);
    ASSERT_TRUE(WriteWholeFile(dir.file("v2.vlf"), versionTwo));
    EXPECT_TRUE(ReadLayeredFile(dir.file("v2.vlf")));  // ...the older reader takes it by its text at 10008
    versionTwo[10010] = 'X';
    ASSERT_TRUE(WriteWholeFile(dir.file("v2.vlf"), versionTwo));
    EXPECT_FALSE(ReadLayeredFile(dir.file("v2.vlf")) || ReadLayeredPreview(dir.file("v2.vlf")));

    // Records without an image are left out and the current layer keeps designating its
    // record; a current record without an image gives way to the one in front of it.
    OlderFile gaps(6, 4, 24);
    gaps.addLayer(0, nullptr, MakeGreyFilled(6, 4, 255), 0, 0, "sem imagem", LAYER_IMAGE, 100);
    gaps.addLayer(1, &photo, mask, 0, 0, "Paisagem \xE9", LAYER_IMAGE, 100);
    gaps.addLayer(2, nullptr, MakeGreyFilled(6, 4, 255), 0, 0, "vazia", LAYER_IMAGE, 100);
    gaps.addLayer(3, &small, MakeGreyFilled(2, 2, 255), 0, 0, "Cora\xE7\xE3o", LAYER_IMAGE, 100);
    for (const auto& [stored, expected] : {std::pair{3, 1}, std::pair{2, 0}, std::pair{1, 0}, std::pair{0, 0}}) {
        gaps.setCounts(4, stored);
        MemorySource gapSource(gaps.bytes.data);
        auto read = ReadOlderLayeredFile(gapSource);
        ASSERT_TRUE(read);
        EXPECT_EQ(std::tie(read->layerCount, read->currentLayer, read->layers[0].name, read->layers[1].name),
                  std::tuple(2, expected, "Paisagem é", "Coração")) << "stored current " << stored;
    }

    // A layer without a mask fails the whole read.
    auto noMask = older.bytes.data;
    StoreLE32(noMask.data() + 8 + 16 + 8, 0);
    MemorySource source(noMask);
    EXPECT_FALSE(ReadOlderLayeredFile(source));
}

// Rows of long runs, short runs, pairs, lone bytes and long literal stretches.
HDIB PatternedMask(std::mt19937& random, int width, int height)
{
    HDIB mask = MakeGreyFilled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = mask.row(y);
        for (int x = 0; x < width;) {
            const int kind = int(random() % 4);
            const int length = std::min(width - x, kind == 0 ? int(random() % 600) + 1 : int(random() % 5) + 1);
            const std::uint8_t value = std::uint8_t(random());
            for (int i = 0; i < length; ++i, ++x)
                row[x] = kind == 3 ? std::uint8_t(random()) : kind == 2 ? std::uint8_t(value + (i & 1)) : value;
        }
    }
    return mask;
}

TEST(BmpStream, RunLengthMasksReadBackExactly)
{
    std::mt19937 random(5);
    for (int round = 0; round < 60; ++round) {
        const int width = 1 + int(random() % (round < 30 ? 20 : 1200));
        const int height = 1 + int(random() % 12);
        const HDIB mask = PatternedMask(random, width, height);
        const HDIB before = DibDuplicate(mask);
        MemorySink sink;
        ASSERT_TRUE(WriteBmpStream(sink, mask, true));
        EXPECT_EQ(std::memcmp(before.data(), mask.data(), mask.size()), 0);  // not changed by writing
        const std::vector<std::uint8_t>& bytes = sink.bytes();
        // BI_RLE8, the file's size, and the end-of-bitmap code last.
        EXPECT_EQ(std::tuple(LoadLE32(bytes.data() + 14 + 16), std::size_t(LoadLE32(bytes.data() + 2)), int(bytes[bytes.size() - 2]),
                             int(bytes[bytes.size() - 1])),
                  std::tuple(1u, bytes.size(), 0, 1));
        MemorySource source(bytes);
        const HDIB back = ReadBmp(source).take();
        ASSERT_TRUE(testing::SamePixels(back, mask)) << width << " x " << height;
        EXPECT_EQ(DibGetType(back), IMG_GREY8);
    }
}

TEST(BmpStream, RunsAndLiteralsAreEncodedAsTheFormatAsksForEightBitsOnly)
{
    HDIB mask = MakeGreyFilled(12, 1, 9);
    const std::uint8_t row[12] = {9, 9, 9, 1, 2, 3, 4, 5, 5, 6, 7, 7};
    std::memcpy(mask.row(0), row, 12);
    EXPECT_EQ(EncodeRle8(mask), (std::vector<std::uint8_t>{3, 9, 0, 4, 1, 2, 3, 4, 2, 5, 1, 6, 2, 7, 0, 1}));

    HDIB two = MakeGreyFilled(300, 2, 200);
    two.row(1)[299] = 7;
    EXPECT_EQ(EncodeRle8(two), (std::vector<std::uint8_t>{255, 200, 45, 200, 0, 0, 255, 200, 44, 200, 1, 7, 0, 1}));

    // Uncompressed streams are the layered format's lossless round trip.
    MemorySink sink;
    EXPECT_FALSE(WriteBmpStream(sink, testing::MakePhotoLike(7, 5), true)) << "run-length coding needs eight bits";
}

// Placed layers in the layered stream: the source and matrix survive a save, so transforms
// after reopening render from the same source; a stream without them, or with a damaged
// placement block, opens with the layer unplaced.
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
        EXPECT_TRUE(SamePixels(reopened->layers[0].image, unsaved->layers[0].image) &&
                    SamePixels(reopened->layers[0].mask, unsaved->layers[0].mask));
        EXPECT_EQ(*CurrentLayerBox(*reopened), *CurrentLayerBox(*unsaved));
    }
}

TEST(PlacementBlock, TheBlockFollowsTheLayersOtherBlocksAndNamesItsSources)
{
    auto stack = Document(24);
    EXPECT_EQ(PlacementOffset(WriteStream(*stack)), 0u) << "an unplaced layer writes no block";
    Shrink(*stack);
    const auto bytes = WriteStream(*stack);
    const std::size_t at = PlacementOffset(bytes);
    ASSERT_NE(at, 0u);
    EXPECT_EQ(std::tuple(at % 8, LoadLE32(bytes.data() + at), LoadLE32(bytes.data() + at + 4)),
              std::tuple(0u, 16u, 4u));
    double m[9];
    std::memcpy(m, bytes.data() + at + 16, sizeof m);  // little-endian like the machine
    EXPECT_TRUE(std::equal(std::begin(m), std::end(m), stack->layers[0].textPlacement.begin()));
    const std::uint32_t image = LoadLE32(bytes.data() + at + 88);
    const std::uint32_t mask = LoadLE32(bytes.data() + at + 92);
    const std::uint32_t layerMask = LoadLE32(bytes.data() + kLayeredHeaderSize + 32);
    EXPECT_TRUE(layerMask < image && image < mask && mask < at) << "after the layer's own blocks";
    for (const std::uint32_t block : {image, mask})
        EXPECT_EQ(std::tuple(LoadLE32(bytes.data() + block + 4), char(bytes[block + 16])), std::tuple(1u, 'B'))
            << "bitmap blocks";
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
        EXPECT_TRUE(!(layer.sourceImage || layer.sourceMask) && IsUnplaced(layer.textPlacement));
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
    EXPECT_EQ(std::tie(metadata.photo.iptc, metadata.iccProfile), std::tie(sample.photo.iptc, sample.iccProfile));

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
        EXPECT_EQ(std::pair(damagedLayers, ignored.empty()), std::pair(1, true)) << what;
    }
}

}  // namespace
}  // namespace lv::testing
