// Drops and refills through the real undo table, mixed with pixel and layer steps: every
// state comes back exactly, forwards and backwards.

#include "app/core/tests/undo_walk.h"
#include "common/testing/ui_recorder.h"
#include "edit/undo_hooks.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "projects/calendar.h"
#include "projects/placeholders.h"
#include "projects/tests/project_fixtures.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(ProjectUndo, DropsAndRefillsMixedWithPaintAndLayerStepsUndoExactly)
{
    TempDir dir;
    UiRecorder ui;
    const std::string templatePath = dir.file("wall.vlf");
    WritePiece(dir.file("cal1/calyear/2000.vlf"), 67, 21, 0x112233);
    WritePiece(dir.file("cal1/calmonth/02.vlf"), 33, 13, 0x445566);
    WritePiece(dir.file("cal1/calmonth/03.vlf"), 44, 18, 0x778899);
    const std::string photo = dir.file("photo.bmp");
    HDIB picture = MakePhotoLike(90, 60);
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);
    const std::string tall = dir.file("tall.bmp");
    HDIB tallPicture = MakePhotoLike(40, 70);
    ASSERT_EQ(WriteBmp(tall, tallPicture), WriteResult::Written);

    UndoWalk walk(MakeDocument(160, 120,
                               {LayerSpec{60, 20, 0x0000FF, "Year//a//1", 10, 90},
                                LayerSpec{50, 50, 0x00FF00, "photo", 100, 10, true},
                                LayerSpec{40, 20, 0xFF0000, "Month//a//1", 30, 30},
                                LayerSpec{160, 120, 0xFFFFFF, "background"}}));
    walk.doc().currentLayer = 1;
    walk.restart();
    const auto drop = [&](const std::string& file) {
        return Step{"drop", [&, file](LayerStack& d) { ASSERT_TRUE(DropPhoto(d, file, templatePath).dropped); }};
    };
    const auto refill = [&](int month) {
        return Step{"refill", [&, month](LayerStack& d) { ASSERT_EQ(RefillCalendar(d, templatePath, 2000, month), 1); }};
    };
    // Layer 1 stays current until the added layer becomes current: choosing a layer is no step.
    walk.apply({drop(photo), refill(2),
                {"paint", [](LayerStack& d) {
                     RecordUndoStep(d, 1001);
                     PaintCurrentLayer(d, 90);
                     CompositeLayers(d);
                 }},
                {"add layer", [](LayerStack& d) { ASSERT_TRUE(AddLayer(d, 0, DibCreate(20, 20, 0x808080, false), HDIB{}, true, false)); }},
                drop(photo), refill(3), drop(tall)});
    walk.expectEveryStepChanged();
    walk.walkBackAndForth();
    EXPECT_TRUE(ui.messages.empty());

    // The sources come back with the records: a resize after undoing to the first drop
    // still renders from the whole photo.
    while (walk.position() > 1 && !HasFatalFailure())
        walk.undo();
    ASSERT_TRUE(walk.doc().layers[1].sourceImage);
    EXPECT_EQ(walk.doc().layers[1].sourceImage->width(), 90);
}

}  // namespace
}  // namespace lv::testing
