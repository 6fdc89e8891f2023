// The image windows in the running program, driven through the test commands of the socket.

#include "app/core/tests/picture_difference.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/tests/pictures.h"
#include "program_runner.h"

#include <gtest/gtest.h>


namespace lv::testing {
namespace {

TEST(ImageWindows, AJpegFromTheCommandLineZoomsTakesLayersUndoesAndSurvivesLayeredAndPngFiles)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string jpeg = sandbox.file("praia.jpg").string();
    ASSERT_EQ(WriteJpeg(jpeg, MakePhotoLike(300, 200), 95), WriteResult::Written);
    const HDIB photo = ReadJpeg(jpeg).take();
    ASSERT_TRUE(sandbox.launch({jpeg}, {}, "open " + jpeg + " ok\n")) << sandbox.log();

    std::string state = sandbox.lastLine("state ");
    EXPECT_EQ(StateField(state, "size"), "300x200");
    EXPECT_EQ(StateField(state, "zoom"), "0") << "a small document opens at 100 %";
    EXPECT_EQ(StateField(state, "frame"), "472,286,300,220")
        << "centred in the workspace, control 100 at (228, 100), 788 x 592, with its caption strip";

    state = sandbox.ask("zoom 1");
    EXPECT_EQ(StateField(state, "zoom"), "1");
    EXPECT_EQ(StateField(state, "frame"), "322,186,600,420");
    EXPECT_NE(state.find("readout=[ Visualizar 200%  ]"), std::string::npos) << state;
    state = sandbox.ask("zoom -1");
    EXPECT_EQ(StateField(state, "zoom"), "0");

    EXPECT_EQ(StateField(sandbox.ask("addlayer"), "layers"), "2");
    EXPECT_EQ(StateField(sandbox.ask("deletelayer"), "layers"), "1");
    EXPECT_EQ(StateField(sandbox.ask("undo"), "layers"), "2");
    EXPECT_EQ(StateField(sandbox.ask("undo"), "layers"), "1");
    state = sandbox.ask("redo");
    EXPECT_EQ(StateField(state, "layers"), "2");
    EXPECT_EQ(StateField(state, "modified"), "1");

    const std::string layered = sandbox.file("doc.vlf").string();
    const std::string png = sandbox.file("doc.png").string();
    EXPECT_EQ(sandbox.ask("saveas 8 " + layered, "saved "), "saved ok");
    EXPECT_EQ(sandbox.ask("saveas 9 " + png, "saved "), "saved ok");
    EXPECT_NE(sandbox.log().find("message Lumivista 2000: As informações serão perdidas"), std::string::npos)
        << "a flat type for two layers asks first";
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "modified"), "0");
    const HDIB before = sandbox.shownPicture("before.bmp");
    EXPECT_TRUE(before) << sandbox.log();
    EXPECT_EQ(sandbox.ask("close").rfind("state windows=0 ", 0), 0u);

    sandbox.ask("open " + layered);
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "layers"), "2");
    const HDIB layeredShown = sandbox.shownPicture("layered.bmp");
    sandbox.ask("close");
    sandbox.ask("open " + png);
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "layers"), "1");
    const HDIB pngShown = sandbox.shownPicture("png.bmp");
    EXPECT_EQ(sandbox.quit(), 0);

    const Rect whole{0, 0, 300, 200};
    // The added layer covers the middle; outside it the composite is the photo itself.
    EXPECT_EQ(PictureDifference(before, photo, {0, 0, 300, 50}).first, 0);
    EXPECT_GT(PictureDifference(before, photo, whole).first, 100);
    // Layer pictures are JPEG in a layered file: close, not equal.
    const auto [layeredLargest, layeredMean] = PictureDifference(layeredShown, before, whole);
    EXPECT_LT(layeredMean, 4.0);
    EXPECT_LT(layeredLargest, 64);
    // The program's PNG files declare their gamma, so they reopen exactly.
    EXPECT_EQ(PictureDifference(pngShown, before, whole).first, 0);
}

TEST(ImageWindows, APhotoCdAsksForItsOptionsOpensAndSavesAsFlashPix)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string pack = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/pcd/gm.pcd";
    ASSERT_TRUE(sandbox.launch({pack}, {}, "open " + pack + " ok\n")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("photocd options 0 2\n"), std::string::npos) << "Base in colour is offered first";
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "size"), "768x512");
    const HDIB packShown = sandbox.shownPicture("pack.bmp");

    const std::string fpx = sandbox.file("foto").string();
    EXPECT_EQ(sandbox.ask("saveas 7 " + fpx, "saved "), "saved ok");
    EXPECT_EQ(sandbox.ask("close").rfind("state windows=0 ", 0), 0u);
    sandbox.ask("open " + fpx + ".fpx");  // the type's extension, in lower case
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "size"), "768x512");
    const HDIB flashpixShown = sandbox.shownPicture("flashpix.bmp");
    EXPECT_EQ(sandbox.quit(), 0);

    const auto [largest, mean] = PictureDifference(flashpixShown, packShown, {0, 0, 768, 512});
    // JPEG tiles at quality 90: about as close as a JPEG file of the picture.
    EXPECT_LT(mean, 1.5);
    EXPECT_LT(largest, 48);
}

}  // namespace
}  // namespace lv::testing
