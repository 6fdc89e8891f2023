// Dropping photos into template placeholders.

#include "common/testing/ui_recorder.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/placement_matrix.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "projects/placeholders.h"
#include "projects/tests/project_fixtures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

class PhotoDropping : public ::testing::Test {
protected:
    // A 300 × 300 page: a 200 × 200 photo box at (40, 30) from the top-left, a background
    // and a box for the month piece.
    void SetUp() override
    {
        document = MakeDocument(300, 300,
                                {LayerSpec{200, 200, 0x00FF00, "photo box", 40, 70},
                                 LayerSpec{100, 50, 0x0000FF, "Month//x//1", 0, 0},
                                 LayerSpec{300, 300, 0xFFFFFF, "BackGround"}});
    }
    std::string bitmap(const std::string& name, HDIB picture)
    {
        const std::string path = dir.file(name);
        EXPECT_EQ(WriteBmp(path, picture), WriteResult::Written);
        return path;
    }
    PhotoDrop drop(int layer, const std::string& path)
    {
        SetCurrentLayer(*document, layer);
        return DropPhoto(*document, path, dir.file("card.vlf"));
    }

    TempDir dir;
    std::unique_ptr<LayerStack> document;
    UiRecorder ui;
};

TEST_F(PhotoDropping, ALandscapePhotoFitsAcrossAndMovesDown)
{
    const HDIB photo = MakePhotoLike(400, 300);
    ASSERT_TRUE(drop(0, bitmap("wide.bmp", CopyPicture(photo))).dropped);
    const LayerRecord& layer = Layer(*document, 0);
    EXPECT_EQ(std::tuple(layer.image.width(), layer.image.height(), layer.x, TopOf(*document, 0), layer.mask.width(),
                         int(layer.mask.read().row(75)[100])),
              std::tuple(200, 150, 40, 30 + 25, 200, 255));
    ASSERT_TRUE(layer.sourceImage && layer.sourceMask);
    EXPECT_TRUE(SamePixels(*layer.sourceImage, photo));
    EXPECT_EQ(layer.sourceMask->width(), 400);
    EXPECT_DOUBLE_EQ(layer.aspect, 400.0 / 300.0);
    EXPECT_EQ(std::tuple(layer.textPlacement[0], layer.textPlacement[2], layer.textPlacement[5]),
              std::tuple(0.5, 300 - 200 - 70 + 25.0, 40.0));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PhotoDropping, ResizingTheDroppedPhotoRendersFromTheWholePhoto)
{
    const HDIB photo = MakePhotoLike(400, 300);
    ASSERT_TRUE(drop(0, bitmap("wide.bmp", CopyPicture(photo))).dropped);
    // Back to the photo's own size: exactly the photo, which the 200 × 150 copy could not give.
    ASSERT_TRUE(ResizeCurrentLayer(*document, {-50, -10, 350, 290}));
    const LayerRecord& layer = Layer(*document, 0);
    ASSERT_EQ(std::tuple(layer.image.width(), layer.image.height()), std::tuple(400, 300));
    EXPECT_TRUE(SamePixels(layer.image.read(), photo));
    EXPECT_EQ(std::tuple(layer.x, TopOf(*document, 0)), std::tuple(-50, -10));
}

TEST_F(PhotoDropping, LayeredFilesBringTheirFlattenedPictureOrTheirMask)
{
    // Three layers, bottom-left: flattened over white, the placeholder's own (opaque) mask
    // stretched over them.
    WriteDocumentFile(dir.file("three.vlf"),
                      {LayerSpec{50, 50, 0x0000FF}, LayerSpec{100, 50, 0x00FF00},
                       LayerSpec{20, 20, 0xFF0000, "c", 0, 0, true}},
                      100, 100);
    ASSERT_TRUE(drop(0, dir.file("three.vlf")).dropped);
    const LayerRecord& three = Layer(*document, 0);
    ASSERT_EQ(std::tuple(three.image.width(), three.image.height()), std::tuple(200, 200));
    for (int y = 0; y < 200; y += 9)
        for (int x = 0; x < 200; x += 9)
            ASSERT_EQ(three.mask.read().row(y)[x], 255) << x << "," << y;
    EXPECT_EQ(PixelsAt(three.image.read(), {{50, 50}, {150, 50}, {100, 150}}),
              (std::vector<Rgb>{{255, 0, 0}, {0, 255, 0}, {255, 255, 255}}));

    // One layer: its own mask comes along; the shifts halve the uncovered space.
    WriteDocumentFile(dir.file("one.vlf"), {LayerSpec{100, 51, 0x0000FF, "a", 0, 0, true}});
    ASSERT_TRUE(drop(0, dir.file("one.vlf")).dropped);
    const LayerRecord& one = Layer(*document, 0);
    // The old box is the 200 x 200 of the three-layer drop.
    EXPECT_EQ(std::tuple(one.image.width(), one.image.height(), int(one.mask.read().row(50)[20]),
                         int(one.mask.read().row(50)[180]), one.x, TopOf(*document, 0)),
              std::tuple(200, 102, 0, 255, 40, 30 + (200 - 102) / 2));
    EXPECT_DOUBLE_EQ(one.aspect, 1.0);
}

TEST_F(PhotoDropping, ACalendarPieceComesFromTheTemplatesFoldersAndNamesItsMonth)
{
    WritePiece(dir.file("cal1/calmonth/05.vlf"), 90, 40, 0x123456);
    WritePiece(dir.file("elsewhere/05.vlf"), 10, 10, 0x654321);
    const PhotoDrop done = drop(1, dir.file("elsewhere/05.vlf"));
    ASSERT_TRUE(done.dropped);
    EXPECT_EQ(std::tuple(done.month, bool(done.year)), std::tuple(5, false));
    EXPECT_EQ(Pixel24(Layer(*document, 1).image.read(), 40, 20), (Rgb{0x56, 0x34, 0x12}));

    WritePiece(dir.file("elsewhere/07.vlf"), 10, 10, 0x654321);
    EXPECT_FALSE(drop(1, dir.file("elsewhere/07.vlf")).dropped);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível localizar o arquivo. --- " + dir.file("cal1/calmonth/07.vlf")});
}

TEST_F(PhotoDropping, MissingAndUnreadableFilesLeaveThePlaceholderAlone)
{
    const SharedPicture before = Layer(*document, 0).image;
    EXPECT_FALSE(drop(0, dir.file("absent.jpg")).dropped);
    std::ofstream(dir.file("noise.jpg"), std::ios::binary) << "not a picture at all";
    EXPECT_FALSE(drop(0, dir.file("noise.jpg")).dropped);
    std::ofstream(dir.file("noise.vlf"), std::ios::binary) << "FLVT";
    EXPECT_FALSE(drop(0, dir.file("noise.vlf")).dropped);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Não é possível localizar o arquivo. --- " + dir.file("absent.jpg"),
                                                    "Formato de arquivo desconhecido.", "Formato de arquivo desconhecido."}));
    EXPECT_TRUE(Layer(*document, 0).image.sameAs(before) && !Layer(*document, 0).sourceImage);
}

}  // namespace
}  // namespace lv::testing
