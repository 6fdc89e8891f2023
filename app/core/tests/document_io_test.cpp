#include "app/core/documents/document_io.h"
#include "app/core/tests/picture_difference.h"
#include "common/byte_sink.h"
#include "common/testing/file_failures.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "common/byte_source.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/shared_picture.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

std::string writePhoto(const testing::TempDir& dir, const std::string& name)
{
    const std::string path = dir.file(name);
    HDIB photo = testing::MakePhotoLike(37, 23);
    EXPECT_EQ(WriteBmp(path, photo), WriteResult::Written);
    return path;
}

TEST(DocumentIo, FlatFilesOpenAsOneLayerAndSaveAsPngBmpAndLayeredFiles)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    LoadedDocument loaded = LoadDocument(writePhoto(dir, "foto.bmp"));
    ASSERT_TRUE(loaded.stack);
    LayerStack& doc = *loaded.stack;
    EXPECT_EQ(std::tuple(doc.layerCount, doc.layers[0].name, testing::SamePixels(doc.composite, doc.layers[0].image)),
              std::tuple(1, std::string("Fundo"), true));

    // A second, half-transparent layer makes the composite differ from every layer.
    HDIB top = testing::MakePhotoLike(10, 10);
    ASSERT_TRUE(AddLayer(doc, 0, std::move(top), {}, false, false));
    doc.layers[0].opacity = 50;
    CompositeLayers(doc);
    doc.modified = 1;

    std::string png = dir.file("saida");
    ASSERT_TRUE(WriteDocument(doc, png, kSaveAsPng));
    EXPECT_EQ(std::tuple(png, doc.modified), std::tuple(dir.file("saida.PNG"), 0u));
    LoadedDocument fromPng = LoadDocument(png);
    ASSERT_TRUE(fromPng.stack);
    EXPECT_EQ(std::tuple(fromPng.format, fromPng.stack->layerCount,
                         testing::PictureDifference(fromPng.stack->layers[0].image, doc.composite, {0, 0, 37, 23}).first),
              std::tuple(std::string("PNG"), 1, 0));

    std::string layered = dir.file("camadas");
    ASSERT_TRUE(WriteDocument(doc, layered, kSaveAsLayered));
    EXPECT_EQ(layered, dir.file("camadas.vlf"));
    LoadedDocument fromVlf = LoadDocument(layered);
    ASSERT_TRUE(fromVlf.stack);
    ASSERT_EQ(std::tuple(fromVlf.format, fromVlf.stack->layerCount), std::tuple(std::string("VLF"), 2));
    EXPECT_EQ(fromVlf.stack->layers[0].opacity, 50u);
    EXPECT_TRUE(testing::SamePixels(fromVlf.stack->layers[0].mask, doc.layers[0].mask)) << "masks are lossless";

    std::string bmp = dir.file("plana.bmp");
    ASSERT_TRUE(WriteDocument(doc, bmp, kSaveAsJpeg)) << "the name's extension wins";
    LoadedDocument fromBmp = LoadDocument(bmp);
    ASSERT_TRUE(fromBmp.stack);
    EXPECT_TRUE(testing::SamePixels(fromBmp.stack->composite, doc.composite));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DocumentIo, UnreadableFilesShowString2356WithTheNameAndEmptyPicturesBeep)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    std::ofstream(dir.file("lixo.jpg")) << "not a picture at all";
    EXPECT_FALSE(LoadDocument(dir.file("lixo.jpg")).stack);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido. --- " + dir.file("lixo.jpg")});
    EXPECT_EQ(std::tuple(ui.messages[0].title, ui.messages[0].icon),
              std::tuple(std::string("Atenção"), ui::Icon::Exclamation));

    std::ofstream(dir.file("vazio.vlf")) << "FLVT";
    EXPECT_FALSE(LoadDocument(dir.file("vazio.vlf")).stack);
    EXPECT_EQ(ui.messages.size(), 2u);
}

// The picture library words what went wrong; the open and the save show it, box for box
// as the library itself once did.
TEST(DocumentIo, TheLibrarysOwnWordsAreShownByTheOpenAndTheSaveInTheirOrder)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    // A compressed 16-bit Targa file, a kind the reader refuses: its English words from both
    // readers that try it, then the open's sentence with the name.
    const std::string tga = dir.file("cores.tga");
    ASSERT_TRUE(WriteWholeFile(tga, {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 16, 0, 0x80, 1, 2}));
    EXPECT_FALSE(LoadDocument(tga).stack);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Unknown file format", "Unknown file format",
                                                     "Formato de arquivo desconhecido. --- " + tga}));
    for (const testing::ShownMessage& shown : ui.messages)
        EXPECT_EQ(shown.title, "Atenção");
    ui.messages.clear();

    // A full disk through the Save-as procedure: the cause with the name, once, and the old
    // file as it was.
    LoadedDocument loaded = LoadDocument(writePhoto(dir, "foto.bmp"));
    ASSERT_TRUE(loaded.stack);
    std::string target = dir.file("cheio.jpg");
    ASSERT_TRUE(WriteWholeFile(target, {'o', 'l', 'd'}));
    {
        testing::DiskFullAfter full(0);
        EXPECT_FALSE(WriteDocument(*loaded.stack, target, kSaveAsJpeg));
    }
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"O disco está cheio. --- " + target});
    EXPECT_EQ(*ReadWholeFile(target), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    ui.messages.clear();

    // A folder that is not there: the procedure's own words with the folder's name.
    std::string lost = dir.file("sumiu/foto.bmp");
    EXPECT_FALSE(WriteDocument(*loaded.stack, lost, kSaveAsBmp));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível localizar --- " + dir.file("sumiu")});
}

// A PNG with transparency opened black where it was transparent: the alpha now becomes the
// mask of "Fundo", shows the grid, and a PNG save of the one layer keeps it.
TEST(DocumentIo, TransparencyBecomesTheBackgroundMaskAndSurvivesAPngSave)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB colours = testing::MakePhotoLike(16, 8);
    HDIB alpha = AllocatePicture(16, 8, 8, 256);
    FillGreyRamp(alpha.colors(), 256);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            alpha.row(y)[x] = x < 8 ? 0 : 255;  // the left half transparent
    const std::string source = dir.file("logo.png");
    ASSERT_EQ(WritePng(source, colours, nullptr, &alpha), PngWriteResult::Written);

    LoadedDocument loaded = LoadDocument(source);
    ASSERT_TRUE(loaded.stack);
    LayerStack& doc = *loaded.stack;
    ASSERT_EQ(doc.layerCount, 1);
    EXPECT_EQ(std::tuple(doc.layers[0].name, testing::SamePixels(doc.layers[0].mask, alpha)),
              std::tuple(std::string("Fundo"), true));
    const auto even = GridEvenColour(TransparencyGridScheme());
    const std::uint8_t* top = doc.composite.row(7);
    EXPECT_EQ(std::tuple(top[0], top[1], top[2]), std::tuple(even[2], even[1], even[0]))
        << "the grid shows where the picture is transparent";

    std::string saved = dir.file("copia.png");
    ASSERT_TRUE(WriteDocument(doc, saved, kSaveAsPng));
    const auto bytes = ReadWholeFile(saved);
    ASSERT_TRUE(bytes && bytes->size() > 26);
    EXPECT_EQ((*bytes)[25], 6) << "colour type 6: red, green, blue and alpha";
    EXPECT_TRUE(testing::SamePixels(ReadAlphaMask(saved), alpha));
    // Where the picture is transparent the file holds the layer's colours, not the grid.
    const HDIB reread = ReadPng(saved).take();
    EXPECT_TRUE(testing::SamePixels(reread, doc.layers[0].image) && !testing::SamePixels(reread, doc.composite));

    // Half the layer's opacity halves the alpha; a second layer saves the composite as before.
    doc.layers[0].opacity = 50;
    ASSERT_TRUE(WriteDocument(doc, saved, kSaveAsPng));
    EXPECT_EQ(ReadAlphaMask(saved).row(0)[15], 128);
    ASSERT_TRUE(AddLayer(doc, 0, testing::MakePhotoLike(4, 4), {}, false, false));
    ASSERT_TRUE(WriteDocument(doc, saved, kSaveAsPng));
    EXPECT_EQ(std::tuple((*ReadWholeFile(saved))[25], bool(ReadAlphaMask(saved))), std::tuple(2, false));

    // An opaque PNG and a JPEG keep the opaque mask of a new document.
    std::string opaque = dir.file("opaca.png");
    ASSERT_TRUE(WriteDocument(*LoadDocument(saved).stack, opaque, kSaveAsPng));
    EXPECT_EQ(std::tuple((*ReadWholeFile(opaque))[25], ui.messages.size()), std::tuple(2, 0u));
}

TEST(DocumentIo, PhotoshopDocumentsOpenWithTheirLayersAndBrokenOnesSayWhy)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string fixtures = std::string(LV_SOURCE_DIR) + "/edit/tests/fixtures/psd/";
    LoadedDocument loaded = LoadDocument(fixtures + "py_three.psd");
    ASSERT_TRUE(loaded.stack);
    ASSERT_EQ(std::tuple(loaded.format, loaded.stack->layerCount, ui.messages.size()),
              std::tuple(std::string("PSD"), 3, 0u));
    EXPECT_EQ(loaded.stack->layers[2].name, "Fundo");

    std::ofstream(dir.file("lixo.psd")) << "8BPS but nothing more";
    EXPECT_FALSE(LoadDocument(dir.file("lixo.psd")).stack);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"O arquivo está danificado. --- " + dir.file("lixo.psd")});
    EXPECT_FALSE(LoadDocument(fixtures + "py_cmyk.psd").stack);
    ASSERT_EQ(ui.messages.size(), 2u) << "the mode's own message, and no other";
    EXPECT_NE(ui.messages[1].text.find("CMYK"), std::string::npos);
}

// Every picture stays within its own budget, but 32 layers of a 12-megapixel photo with
// their masks are 1.5 GB together: the document the program saves must open again.
TEST(DocumentIo, ThirtyTwoLayersOfATwelveMegapixelPhotoSaveAndOpenAgain)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    const HDIB photo = testing::MakePhotoLike(4000, 3000);
    auto stack = CreateLayerStackFromImage(CopyPicture(photo));
    ASSERT_TRUE(stack);
    while (stack->layerCount < kMaxLayers) {
        HDIB layer = CopyPicture(photo), mask;
        layer.row(0)[0] = std::uint8_t(stack->layerCount);  // tells the layers apart
        ASSERT_GE(InsertLayer(*stack, layer, mask, 0, false, {}, LayerLimit::Lifted), 0) << stack->layerCount;
    }
    stack->layers[0].opacity = 40;
    CompositeLayers(*stack);
    std::string path = dir.file("grande.vlf");
    ASSERT_TRUE(WriteDocument(*stack, path, kSaveAsLayered));
    stack.reset();

    const LoadedDocument opened = LoadDocument(path);
    ASSERT_TRUE(opened.stack) << "the file the program saved opens again";
    ASSERT_EQ(std::tuple(ui.messages.size(), opened.stack->layerCount), std::tuple(0u, kMaxLayers));
    EXPECT_EQ(opened.stack->layers[0].opacity, 40u);
    for (int i = 0; i < kMaxLayers; ++i) {
        const HDIB& image = opened.stack->layers[i].image;
        ASSERT_EQ(std::tuple(image.width(), image.height()), std::tuple(4000, 3000));
        EXPECT_LT(testing::PictureDifference(image, photo, {0, 1500, 4000, 1508}).second, 4.0) << i;
    }
}

TEST(DocumentIo, TheCompositeFollowsAChangeOfDocumentSize)
{
    auto stack = CreateLayerStackFromImage(testing::MakePhotoLike(8, 6));
    stack->width = 5;
    stack->height = 4;
    ASSERT_TRUE(RebuildComposite(*stack));
    EXPECT_EQ(std::tuple(stack->composite.width(), stack->composite.height()), std::tuple(5, 4));
}

}  // namespace
}  // namespace lv
