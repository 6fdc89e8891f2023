// Drops and refills through the real undo table, mixed with pixel and layer steps: every
// state comes back exactly, forwards and backwards.

#include "app/core/tests/undo_test_support.h"
#include "edit/undo_hooks.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "projects/calendar.h"
#include "projects/placeholders.h"
#include "projects/tests/project_fixtures.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

constexpr int kProjectWindow = 11;

TEST(ProjectUndo, DropsAndRefillsMixedWithPaintAndLayerStepsUndoExactly)
{
    TempDir dir;
    UiRecorder ui;
    const std::string templatePath = dir.file("wall.vlf");
    WritePiece(dir.file("cal1/calyear/2000.vlf"), 67, 21, 0x112233);
    WritePiece(dir.file("cal1/calmonth/02.vlf"), 33, 13, 0x445566);
    const std::string photo = dir.file("photo.bmp");
    HDIB picture = MakePhotoLike(90, 60);
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);
    const std::string tall = dir.file("tall.bmp");
    HDIB tallPicture = MakePhotoLike(40, 70);
    ASSERT_EQ(WriteBmp(tall, tallPicture), WriteResult::Written);

    UndoTable table{64};
    WindowUndoRecorder recorder(table, kProjectWindow);
    auto document = MakeDocument(160, 120,
                                 {LayerSpec{60, 20, 0x0000FF, "Year//a//1", 10, 90},
                                  LayerSpec{50, 50, 0x00FF00, "photo", 100, 10, true},
                                  LayerSpec{40, 20, 0xFF0000, "Month//a//1", 30, 30},
                                  LayerSpec{160, 120, 0xFFFFFF, "background"}});
    LayerStack& d = *document;
    d.undo = &recorder;
    d.currentLayer = 1;

    std::vector<std::string> states{Fingerprint(d)};
    const auto step = [&](const std::function<void()>& operation) {
        operation();
        states.push_back(Fingerprint(d));
        ASSERT_NE(states.back(), states[states.size() - 2]) << "step " << states.size() - 1 << " changed nothing";
    };
    // Layer 1 stays current until the added layer becomes current: choosing a layer is no step.
    step([&] { ASSERT_TRUE(DropPhoto(d, photo, templatePath).dropped); });
    step([&] { ASSERT_EQ(RefillCalendar(d, templatePath, 2000, 2), 1); });
    step([&] {
        RecordUndoStep(d, 1001);
        PaintCurrentLayer(d, 90);
        CompositeLayers(d);
    });
    step([&] { ASSERT_TRUE(AddLayer(d, 0, DibCreate(20, 20, 0x808080, false), HDIB{}, true, false)); });
    step([&] { ASSERT_TRUE(DropPhoto(d, photo, templatePath).dropped); });
    WritePiece(dir.file("cal1/calmonth/03.vlf"), 44, 18, 0x778899);
    step([&] { ASSERT_EQ(RefillCalendar(d, templatePath, 2000, 3), 1); });
    step([&] { ASSERT_TRUE(DropPhoto(d, tall, templatePath).dropped); });
    EXPECT_TRUE(ui.messages.empty());

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(table.undo(d, kProjectWindow)) << "undo to state " << i - 1;
        ASSERT_EQ(Fingerprint(d), states[i - 1]) << "after undo to state " << i - 1;
    }
    EXPECT_FALSE(table.undo(d, kProjectWindow));
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(table.redo(d, kProjectWindow));
        ASSERT_EQ(Fingerprint(d), states[i]) << "after redo to state " << i;
    }
    // The sources come back with the records: a resize after undoing to the first drop
    // still renders from the whole photo.
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(table.undo(d, kProjectWindow));
    ASSERT_EQ(Fingerprint(d), states[1]);
    ASSERT_TRUE(d.layers[1].sourceImage);
    EXPECT_EQ(d.layers[1].sourceImage->width(), 90);
    d.undo = nullptr;
}

}  // namespace
}  // namespace lv::testing
