// The text page's "Fontes" list: the font families, the text tool's face selected, and a pick
// that the next lettering is drawn with.

#include "app/skin/list_box_registry.h"
#include "app/tests/editing_window.h"
#include "app/widgets/skin_list_box.h"
#include "edit/tools/text/text_tool.h"
#include "edit/tools/tool_registry.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

constexpr int kTextPage = 11;

using FontList = EditingWindow;

TEST_F(FontList, ShowsTheFamiliesSelectsTheToolsFaceAndAPickReachesTheTool)
{
    auto* tool = dynamic_cast<TextTool*>(Tools().find(tool_id::kText));
    ASSERT_NE(tool, nullptr);
    tool->choice().settings.font.faceName = "Arial";

    ASSERT_TRUE(window.switchScreen(kTextPage));
    auto* box = panel(1).findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(box, nullptr);
    skin::ListBox& list = box->list();
    const QStringList families = QFontDatabase::families();
    ASSERT_TRUE(families.contains(QStringLiteral("Liberation Sans"))) << "the program's fonts are installed";
    EXPECT_GE(list.count(), 2);
    EXPECT_LE(list.count(), int(families.size()));
    ASSERT_GE(list.selection(), 0);
    EXPECT_EQ(list.text(list.selection()), "Liberation Sans") << "Arial is drawn with its stand-in";

    const int other = list.selection() == 0 ? 1 : 0;
    list.scrollTo(0);
    QTest::mouseClick(&box->popup(), Qt::LeftButton, Qt::NoModifier, box->rowRect(other).center());
    ASSERT_EQ(list.selection(), other);
    EXPECT_EQ(tool->choice().settings.font.faceName, std::string(list.text(other)));

    // Leaving the page and coming back shows the same list with the pick selected.
    const int count = list.count();
    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(kTextPage));
    EXPECT_EQ(window.listBox(skin::kFontListControl)->count(), count);
    EXPECT_EQ(window.listBox(skin::kFontListControl)->selection(), other);
    tool->choice().settings.font.faceName.clear();
}

}  // namespace
}  // namespace lv::app
