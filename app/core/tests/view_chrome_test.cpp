// The pure parts of an image window's chrome: ruler ticks, scroll thumbs, the caption text
// and the frame around a picture.

#include "app/core/view/image_view.h"
#include "app/core/view/rulers.h"
#include "app/core/view/scroll_thumb.h"
#include "app/core/view/window_caption.h"
#include "app/core/view/window_placement.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

std::vector<int> labelled(const std::vector<RulerTick>& ticks)
{
    std::vector<int> values;
    for (const RulerTick& t : ticks)
        if (t.labelled)
            values.push_back(t.value);
    return values;
}

TEST(Rulers, NumbersKeepApartAtEveryZoomAndFollowTheScroll)
{
    EXPECT_EQ(RulerStep(0, 50), 50);
    EXPECT_EQ(RulerStep(-2, 50), 200) << "1:3: 200 pixels are 66 on screen";
    EXPECT_EQ(RulerStep(15, 50), 5) << "16x: 5 pixels are 80 on screen";
    EXPECT_EQ(RulerStep(-15, 50), 1000);
    EXPECT_EQ(RulerStep(0, 1), 1);

    // 100 %, document pixel 0 at client pixel 19 (the band), scrolled by 37.
    const auto ticks = RulerTicks(0, 19 - 37, 300, 19, 219);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(labelled(ticks), (std::vector<int>{50, 100, 150, 200}));
    EXPECT_EQ(ticks.front().value, 40) << "a minor tick every 5 pixels, the first inside the ruler (35 lies left of it)";
    EXPECT_EQ(ticks.front().position, 22);
    for (const RulerTick& t : ticks) {
        EXPECT_GE(t.position, 19);
        EXPECT_LT(t.position, 219);
        EXPECT_EQ(t.position, 19 - 37 + t.value);
    }

    // 3x: numbered ticks 20 pixels apart in the document, 60 on screen; none past the end.
    const auto enlarged = RulerTicks(2, 0, 50, 0, 1000);
    EXPECT_EQ(labelled(enlarged), (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(enlarged.back().value, 50) << "the document's right edge";
    EXPECT_EQ(enlarged.back().position, 150);

    EXPECT_TRUE(RulerTicks(0, 500, 100, 0, 400).empty()) << "the document starts past the ruler";
}

TEST(ScrollThumb, TheThumbShowsThePageAndADraggedThumbGivesItsPositionBack)
{
    EXPECT_EQ(PlaceThumb(200, 0, 0, 100), (ThumbPlace{0, 200})) << "nothing to scroll: the whole track";
    EXPECT_EQ(PlaceThumb(200, 300, 0, 100), (ThumbPlace{0, 50})) << "a quarter of the range in view";
    EXPECT_EQ(PlaceThumb(200, 300, 300, 100), (ThumbPlace{150, 50}));
    EXPECT_EQ(PlaceThumb(200, 30000, 0, 100).length, kSmallestThumb);
    EXPECT_EQ(PlaceThumb(10, 30000, 0, 100).length, 10) << "never longer than the track";
    EXPECT_EQ(PlaceThumb(200, 300, 999, 100).offset, 150) << "positions beyond the range are clamped";

    for (const int maximum : {300, 1000, 29999})
        for (int offset = 0; offset <= 200 - PlaceThumb(200, maximum, 0, 100).length; ++offset) {
            const int position = PositionForThumb(200, maximum, 100, offset);
            ASSERT_EQ(PlaceThumb(200, maximum, position, 100).offset, offset) << maximum << " at " << offset;
        }
    EXPECT_EQ(PositionForThumb(200, 300, 100, -40), 0);
    EXPECT_EQ(PositionForThumb(200, 300, 100, 500), 300);
    EXPECT_EQ(PositionForThumb(200, 0, 100, 50), 0);
}

TEST(WindowCaption, NamesTheFileItsSizeAndTheZoom)
{
    EXPECT_EQ(WindowCaption("/home/ana/fotos/praia.jpg", 800, 600, -2), "praia.jpg — 800 × 600 — 33%");
    EXPECT_EQ(WindowCaption("TrueColor-Sem título-01", 640, 480, 1), "TrueColor-Sem título-01 — 640 × 480 — 200%");
    EXPECT_EQ(WindowCaption("/fotos/", 1, 1, 0), "/fotos/ — 1 × 1 — 100%") << "no file part: the title as it is";
}

TEST(WindowPlacement, TheChromeIsAddedToThePictureAndTakenFromTheRoomToFitIn)
{
    const Rect half{0, 0, 392, 592};
    const FrameChrome caption{20, 0, 160};
    const InitialWindow fitted = PlaceNewWindow({800, 600}, half, true, caption);
    EXPECT_EQ(fitted.zoom, -2);
    EXPECT_EQ(fitted.frame, (Rect{63, 186, 63 + 266, 186 + 220}));

    // Exactly as tall as the room below the caption still halves, as the design's fit does.
    EXPECT_EQ(PlaceNewWindow({300, 572}, half, true, caption).zoom, -1);
    const FrameChrome rulers{20 + 17, 17, 160};
    EXPECT_EQ(PlaceNewWindow({300, 555}, half, true, rulers).zoom, -1) << "the rulers take their band too";
    EXPECT_EQ(PlaceNewWindow({300, 554}, half, true, rulers).zoom, 0);
    EXPECT_EQ(FrameFor(half, {300, 554}, rulers), (Rect{37, 0, 37 + 317, 591}));
    EXPECT_EQ(FrameFor(half, {30, 10}, caption), (Rect{116, 281, 116 + 160, 281 + 30})) << "room for the caption";
    EXPECT_EQ(FrameFor({0, 0, 100, 100}, {30, 10}, caption).right, 100) << "never wider than the area";
}

TEST(ImageView, ASmallDocumentIsCentredInThePictureArea)
{
    ImageView view({100, 50}, 0, 10);
    view.setClient({310, 160});  // picture area 300 x 150
    EXPECT_EQ(view.inset(Axis::Horizontal), 100);
    EXPECT_EQ(view.inset(Axis::Vertical), 50);
    EXPECT_EQ(view.origin(Axis::Horizontal), 110);
    EXPECT_EQ(view.documentPoint(110, 60), (Point{0, 0}));
    EXPECT_EQ(view.documentPoint(209, 109), (Point{99, 49}));
    view.setZoom(3);  // 400 x 200: larger than the area, scrolled instead
    EXPECT_EQ(view.inset(Axis::Horizontal), 0);
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 100);
}

}  // namespace
}  // namespace lv
