#include "app/core/document_io.h"
#include "app/core/tests/picture_difference.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/bmp.h"
#include "imagelib/save_as.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

TEST(DocumentIo, FlatFilesOpenAsOneLayerAndSaveAsPngBmpAndLayeredFiles)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string source = dir.file("foto.bmp");
    HDIB photo = testing::MakePhotoLike(37, 23);
    ASSERT_EQ(WriteBmp(source, photo), WriteResult::Written);

    LoadedDocument loaded = LoadDocument(source);
    ASSERT_TRUE(loaded.stack);
    LayerStack& doc = *loaded.stack;
    EXPECT_EQ(doc.layerCount, 1);
    EXPECT_EQ(doc.layers[0].name, "Fundo");
    EXPECT_TRUE(testing::SamePixels(doc.composite, doc.layers[0].image));

    // A second, half-transparent layer makes the composite differ from every layer.
    HDIB top = testing::MakePhotoLike(10, 10);
    ASSERT_TRUE(AddLayer(doc, 0, std::move(top), {}, false, false));
    doc.layers[0].opacity = 50;
    CompositeLayers(doc);
    doc.modified = 1;

    std::string png = dir.file("saida");
    ASSERT_TRUE(WriteDocument(doc, png, kSaveAsPng));
    EXPECT_EQ(png, dir.file("saida.PNG"));
    EXPECT_EQ(doc.modified, 0u);
    LoadedDocument fromPng = LoadDocument(png);
    ASSERT_TRUE(fromPng.stack);
    EXPECT_EQ(fromPng.format, "PNG");
    EXPECT_EQ(fromPng.stack->layerCount, 1);
    EXPECT_EQ(testing::PictureDifference(fromPng.stack->layers[0].image, doc.composite, {0, 0, 37, 23}).first, 0);

    std::string layered = dir.file("camadas");
    ASSERT_TRUE(WriteDocument(doc, layered, kSaveAsLayered));
    EXPECT_EQ(layered, dir.file("camadas.vlf"));
    LoadedDocument fromVlf = LoadDocument(layered);
    ASSERT_TRUE(fromVlf.stack);
    EXPECT_EQ(fromVlf.format, "VLF");
    ASSERT_EQ(fromVlf.stack->layerCount, 2);
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

    std::ofstream(dir.file("vazio.vlf")) << "FLVT";
    EXPECT_FALSE(LoadDocument(dir.file("vazio.vlf")).stack);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(DocumentIo, PhotoshopDocumentsOpenWithTheirLayersAndBrokenOnesSayWhy)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string fixtures = std::string(LV_SOURCE_DIR) + "/edit/tests/fixtures/psd/";
    LoadedDocument loaded = LoadDocument(fixtures + "py_three.psd");
    ASSERT_TRUE(loaded.stack);
    EXPECT_EQ(loaded.format, "PSD");
    ASSERT_EQ(loaded.stack->layerCount, 3);
    EXPECT_EQ(loaded.stack->layers[2].name, "Fundo");
    EXPECT_TRUE(ui.messages.empty());

    std::ofstream(dir.file("lixo.psd")) << "8BPS but nothing more";
    EXPECT_FALSE(LoadDocument(dir.file("lixo.psd")).stack);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"O arquivo está danificado. --- " + dir.file("lixo.psd")});
    EXPECT_FALSE(LoadDocument(fixtures + "py_cmyk.psd").stack);
    ASSERT_EQ(ui.messages.size(), 2u) << "the mode's own message, and no other";
    EXPECT_NE(ui.messages[1].text.find("CMYK"), std::string::npos);
}

TEST(DocumentIo, TheCompositeFollowsAChangeOfDocumentSize)
{
    auto stack = CreateLayerStackFromImage(testing::MakePhotoLike(8, 6));
    stack->width = 5;
    stack->height = 4;
    ASSERT_TRUE(RebuildComposite(*stack));
    EXPECT_EQ(stack->composite.width(), 5);
    EXPECT_EQ(stack->composite.height(), 4);
}

}  // namespace
}  // namespace lv
