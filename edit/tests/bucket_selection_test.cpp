// The bucket with a shaped selection: a click on an unselected pixel, even inside the
// selection's rectangle, beeps and changes nothing; a fill never reaches an unselected pixel.

#include "edit/paint/paint_target.h"
#include "edit/selection/selection.h"
#include "edit/tests/paint_test_support.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

constexpr Rect kOval{12, 4, 36, 26};

struct Oval {
    Oval()
    {
        ChangeSelection(*w.stack, *EllipseRegion(kOval), CombineMode::New, kUndoShapeSelection);
        EXPECT_EQ(w.stack->selectionActive, 2u) << "a shaped selection";
        w.undo.steps.clear();
    }
    FakeWindow w;
};

TEST(BucketWithAShape, AClickOnAnUnselectedPixelInsideTheRectangleBeepsAndChangesNothing)
{
    Oval o;
    const auto before = LayerBytes(*o.w.stack, 0);
    for (const Point corner : {Point{12, 4}, Point{35, 4}, Point{12, 25}, Point{35, 25}}) {
        ASSERT_FALSE(SelectionAllows(*o.w.stack, corner.x, corner.y));
        o.w.click(tool(tool_id::kBucketFill), corner);
    }
    EXPECT_EQ(o.w.recorder.beeps, 4);
    EXPECT_EQ(LayerBytes(*o.w.stack, 0), before);
    EXPECT_TRUE(o.w.undo.steps.empty()) << "no step for a refused click";
    o.w.click(tool(tool_id::kBucketFill), {2, 2});
    EXPECT_EQ(o.w.recorder.beeps, 5) << "outside the rectangle too";
}

TEST(BucketWithAShape, AFillInsideTheShapeNeverChangesAnUnselectedPixel)
{
    Oval o;
    o.w.active = {255, 0, 0};
    o.w.click(tool(tool_id::kBucketFill), {24, 15});
    EXPECT_EQ(o.w.recorder.beeps, 0);
    int filled = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb now = LayerPixel(*o.w.stack, 0, {x, y});
            const Rgb was = x < 10 && y < 10 ? kYellow : kBlue;
            if (SelectionAllows(*o.w.stack, x, y))
                filled += now == Rgb{255, 0, 0};
            else
                EXPECT_EQ(now, was) << "unselected " << x << ',' << y;
        }
    EXPECT_GT(filled, 300) << "the blue inside the oval is red";
}

}  // namespace
}  // namespace lv::testing
