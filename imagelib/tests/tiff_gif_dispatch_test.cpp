// TIFF and GIF files through the load and save dispatch, the document open and Save-as.

#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/document_open.h"
#include "imagelib/gif.h"
#include "imagelib/load_save.h"
#include "imagelib/save_as.h"
#include "imagelib/save_options.h"
#include "imagelib/tiff.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::MakePicture;

class TiffGifDispatch : public ::testing::Test {
protected:
    void TearDown() override { CurrentSaveOptions() = SaveOptions{}; }
    std::string copyAs(const std::string& from, const std::string& name)
    {
        const std::string to = dir.file(name);
        std::filesystem::copy_file(from, to);
        return to;
    }
    // Two colours, red on the left and blue on the right.
    std::string redBlueGif(const std::string& name)
    {
        HDIB dib = MakePicture(2, 1, 1, 2);
        dib.colors()[0] = {0, 0, 255, 0};
        dib.colors()[1] = {255, 0, 0, 0};
        dib.row(0)[0] = 0x40;
        const std::string path = dir.file(name);
        EXPECT_EQ(WriteGif(path, dib), WriteResult::Written);
        return path;
    }
    static testing::Rgb colourOf(const HDIB& dib, int x)
    {
        const RgbQuad c = dib.colors()[dib.row(0)[0] >> (7 - x) & 1];
        return {c.rgbRed, c.rgbGreen, c.rgbBlue};
    }

    testing::TempDir dir;
    testing::UiRecorder ui;
};

TEST_F(TiffGifDispatch, AFileOfAnotherFormatNamedBmpStopsAtTheTiffReader)
{
    // A JPEG: the bitmap reader says "not mine", the TIFF reader fails it, and the search ends.
    const std::string jpeg = dir.file("photo.bmp");
    WriteWholeFile(jpeg, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 0xFF, 0xD9});
    EXPECT_FALSE(LoadImageFile(jpeg, true));
    // So does a GIF, though its reader comes later in the order.
    EXPECT_FALSE(LoadImageFile(copyAs(redBlueGif("a.gif"), "gif.bmp"), true));
    EXPECT_TRUE(ui.messages.empty());

    // A TIFF named .bmp is found by the fallback.
    HDIB dib = MakePicture(3, 3, 24);
    ASSERT_EQ(WriteTiff(dir.file("t.tif"), dib), WriteResult::Written);
    const LoadedImage tiff = LoadImageFileDetailed(copyAs(dir.file("t.tif"), "tiff.bmp"), true);
    ASSERT_TRUE(tiff.image);
    EXPECT_EQ(tiff.format->name, "TIF");
    // A TIFF named .gif is not: the GIF reader gives 0 for it.
    EXPECT_FALSE(LoadImageFile(copyAs(dir.file("t.tif"), "tiff.gif"), true));
}

TEST_F(TiffGifDispatch, GifNamesOpenAsDocumentsThroughTheStreamReader)
{
    const std::string path = redBlueGif("two.gif");
    HDIB library = LoadImageFile(path, true);
    ASSERT_TRUE(library);
    EXPECT_EQ(colourOf(library, 0), (testing::Rgb{0, 0, 0}));

    const OpenedImage document = OpenDocumentImage(path, LibraryDocumentReaders());
    ASSERT_TRUE(document.result.ok());
    EXPECT_EQ(document.format, "GIF");
    EXPECT_EQ(testing::Pixel24(document.result.image(), 0, 0), (testing::Rgb{255, 0, 0}));
    EXPECT_EQ(testing::Pixel24(document.result.image(), 1, 0), (testing::Rgb{0, 0, 255}));

    const OpenedImage tiff = OpenDocumentImage(copyAs(path, "two.tif"), LibraryDocumentReaders());
    EXPECT_FALSE(tiff.result.ok());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido."});
}

TEST_F(TiffGifDispatch, RgbPicturesBecomeAdaptiveOrWebPalettesOnTheWayToGif)
{
    HDIB rgb = MakePicture(16, 16, 24);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            testing::SetPixel24(rgb, x, y, x < 8 ? testing::Rgb{16, 32, 64} : testing::Rgb{200, 104, 48});

    ASSERT_EQ(SaveImageFile(rgb, dir.file("adaptive.gif"), true), WriteResult::Written);
    HDIB adaptive = ReadGif(dir.file("adaptive.gif")).take();
    ASSERT_TRUE(adaptive);
    EXPECT_EQ(adaptive.bitCount(), 8);
    const auto has = [](const HDIB& dib, testing::Rgb c) {
        return std::any_of(dib.colors(), dib.colors() + 256,
                           [c](RgbQuad q) { return q.rgbRed == c.r && q.rgbGreen == c.g && q.rgbBlue == c.b; });
    };
    EXPECT_TRUE(has(adaptive, {16, 33, 66}));   // five bits a channel, widened again
    EXPECT_TRUE(has(adaptive, {206, 107, 49}));

    std::string path = dir.file("web.gif");
    ASSERT_TRUE(SaveImageAs(rgb, path, kSaveAsBmp));
    HDIB web = ReadGif(path).take();
    ASSERT_TRUE(web);
    EXPECT_EQ(web.colors()[215].rgbRed, 255);
    EXPECT_EQ(web.colors()[1].rgbRed, 51);
    EXPECT_FALSE(has(web, {16, 33, 66}));
    EXPECT_EQ(rgb.bitCount(), 24);  // the picture itself is untouched
}

}  // namespace
}  // namespace lv
