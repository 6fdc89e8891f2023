// What new lettering starts from: a size readable on the picture at hand, and the face the
// stored name "Arial" is drawn with.

#include "edit/tests/test_fonts.h"
#include "edit/tests/tool_test_support.h"
#include "edit/tools/text/text_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::testing {
namespace {

TEST(TextDefaults, TheLastSizeWhileItSuitsThePictureOtherwiseATenthOfItsHeight)
{
    EXPECT_EQ(StartingTextHeight(0, 1000), 100) << "the first time";
    EXPECT_EQ(StartingTextHeight(25, 1000), 25) << "1/40 itself";
    EXPECT_EQ(StartingTextHeight(24, 1000), 100);
    EXPECT_EQ(StartingTextHeight(500, 1000), 500) << "1/2 itself";
    EXPECT_EQ(StartingTextHeight(501, 1000), 100);
    EXPECT_EQ(StartingTextHeight(0, 3), 1) << "never below a pixel";
    EXPECT_EQ(StartingTextHeight(0, 15), 2) << "rounded";
}

// Remembers the sizes the dialog was opened with.
class SizeScreen final : public TextScreen {
public:
    FontLibrary* fonts() override { return &TestFonts(); }
    bool edit(TextToolChoice& choice, bool) override
    {
        shownHeights.push_back(std::abs(choice.settings.font.height));
        choice.settings.text = "A";
        if (nextHeight)
            choice.settings.font.height = -nextHeight;
        return true;
    }
    std::vector<int> shownHeights;
    int nextHeight = 0;
};

TEST(TextDefaults, ThePhotoStartsAtATenthThenTheLastSizeUntilItNoLongerSuits)
{
    auto photo = EmptyDocument(300, 720);
    AppendLayer(*photo, SolidPicture(300, 720, {255, 255, 255}));
    FakeWindow window(std::move(photo));
    SizeScreen screen;
    TextTool tool;
    tool.setScreen(&screen);
    window.press(tool, {10, 10});
    screen.nextHeight = 60;
    window.press(tool, {10, 300});
    window.press(tool, {10, 500});
    screen.nextHeight = 400;  // more than half the photo
    window.press(tool, {100, 10});
    window.press(tool, {100, 600});
    EXPECT_EQ(screen.shownHeights, (std::vector<int>{72, 72, 60, 60, 72}));
}

TEST(TextDefaults, TheStoredNameArialIsDrawnWithLiberationSans)
{
    LogFont font;
    font.faceName = "Arial";
    font.height = -20;
    font.weight = 400;
    EXPECT_EQ(TestFonts().drawnFamily(font), "Liberation Sans");
}

}  // namespace
}  // namespace lv::testing
