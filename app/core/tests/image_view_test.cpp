#include "app/core/view/image_view.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(ImageView, RangesAreTheScaledDocumentLessThePictureAreaAndPositionsScaleWithThem)
{
    ImageView view({1000, 800}, 0);
    view.setClient({400, 300});
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 600);
    EXPECT_EQ(view.scroll(Axis::Vertical).maximum, 500);
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 300);
    view.setClient({700, 300});  // range 300: position in proportion
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 150);
    view.setRulerBand(19);  // the band is taken from the picture area
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 319);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 159);
    view.setClient({1100, 900});
    EXPECT_FALSE(view.scrollable(Axis::Horizontal));
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);
}

TEST(ImageView, ScrollMessagesMoveByLinesPagesAndThumbWithinTheRange)
{
    ImageView view({1000, 800}, 0, 20);
    view.setClient({420, 320});  // picture area 400 x 300
    EXPECT_TRUE(view.scrollBy(Axis::Vertical, ScrollAction::LineDown));
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 30);
    view.scrollBy(Axis::Vertical, ScrollAction::PageDown);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 330);
    view.scrollBy(Axis::Vertical, ScrollAction::PageDown);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 500) << "clamped to the range";
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::LineDown));
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::ThumbTrack, 10)) << "other codes move nothing";
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::Top));
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, -5);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);
    view.scrollBy(Axis::Horizontal, ScrollAction::LineUp);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);

    ImageView tiny({5, 5}, 0);
    tiny.setClient({3, 3});
    tiny.scrollBy(Axis::Horizontal, ScrollAction::LineDown);
    EXPECT_EQ(tiny.scroll(Axis::Horizontal).position, 1) << "a line is at least one pixel";
}

TEST(ImageView, ZoomingKeepsThePointUnderTheCentre)
{
    ImageView view({1000, 1000}, 0);
    view.setClient({200, 200});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 400);  // centre column 500
    view.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, 100);    // centre row 200
    view.zoomAbout(1, {200, 200});
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 900);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 300);
    EXPECT_EQ(view.documentPoint(100, 100), (Point{500, 200}));
    view.zoomAbout(-1, {200, 200});
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 150);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 0) << "never below 0";
    EXPECT_EQ(view.scroll(Axis::Vertical).maximum, 300);
}

TEST(ImageView, ClientPointsMapToDocumentPointsPastTheBandAndScroll)
{
    ImageView view({100, 100}, 3, 10);
    view.setClient({110, 110});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 8);
    EXPECT_EQ(view.documentPoint(10, 10), (Point{2, 0}));
    EXPECT_EQ(view.documentPoint(9, 5), (Point{1, -2}));
    ImageView reduced({100, 100}, -2);
    reduced.setClient({10, 10});
    EXPECT_EQ(reduced.documentPoint(5, 7), (Point{15, 21}));
}

TEST(ImageView, KeysScrollPagesAlwaysArrowsOnlyWhereScrollableAndModifiedArrowsGoToTheTool)
{
    ImageView view({1000, 100}, 0);
    view.setClient({200, 200});
    auto classify = [&](ViewKey key, bool ctrl = false, bool shift = false) {
        return ClassifyViewKey(key, ctrl, shift, view);
    };
    EXPECT_EQ(classify(ViewKey::PageDown).axis, Axis::Vertical);
    EXPECT_EQ(classify(ViewKey::PageDown, true).axis, Axis::Horizontal);
    EXPECT_EQ(classify(ViewKey::PageUp).scroll, ScrollAction::PageUp);
    EXPECT_EQ(classify(ViewKey::Right).action, ViewKeyAction::Scroll);
    EXPECT_EQ(classify(ViewKey::Left).scroll, ScrollAction::LineUp);
    EXPECT_EQ(classify(ViewKey::Down).action, ViewKeyAction::None) << "not scrollable vertically";
    EXPECT_EQ(classify(ViewKey::Down, true).action, ViewKeyAction::PassToTool);
    EXPECT_EQ(classify(ViewKey::Left, false, true).action, ViewKeyAction::PassToTool);
    EXPECT_EQ(classify(ViewKey::Other).action, ViewKeyAction::None);
}

}  // namespace
}  // namespace lv
